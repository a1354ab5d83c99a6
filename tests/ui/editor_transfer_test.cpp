// Read and write as a person starts them in the editor: the toolbar buttons and the Edit menu's
// items of the whole editor, against the radio simulator in either cable mode, through to the
// read/write dialog's end.

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialog_test_support.h"
#include "link/records.h"
#include "model/codeplug.h"
#include "page_test_support.h"
#include "person.h"
#include "support/sim_process.h"
#include "ui/document_commands.h"
#include "ui/editor_pages.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/rw_dialog.h"

namespace qx {
namespace {

using test::child;

// What the read/write dialog showed while a person used it.
struct Seen {
    bool shown = false;
    std::string title;
    std::string startText;
    bool startOffWhileRunning = false;
    bool stayedOpenOnEscapeWhileRunning = false;
    int progressMax = -1;
    int progressEnd = -1;
    bool closedByItsButton = false;
};

// The editor as app/main.cpp puts it together, with COM1 on the simulator's device.
class Editor : test::WithApplication {
public:
    Editor(const QString& device, int commode)
    {
        QFile ini(dir.filePath(QStringLiteral("myini.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write(QByteArray("[open]\r\ncom=1\r\ncommode=") + QByteArray::number(commode) + "\r\n");
        ini.close();
        MainWindowOptions options;
        options.programDir = dir.path();
        options.com1Device = device;
        options.openUrl = [](const QUrl&) {};
        options.showError = [](const QString&) {};
        installEditorPages(options);
        options.pages[page::Channels] = makeChannelGrid;
        window = std::make_unique<MainWindow>(std::move(options));
        messages = std::make_unique<MessageDialog>(window->codeplug(), window.get());
        rw = std::make_unique<RwDialog>(window->codeplug(), *messages, window.get());
        commands = std::make_unique<DocumentCommands>(*window, *messages, *rw);
        recorder = std::make_unique<test::MessageRecorder>(*messages);
        window->show();
        QApplication::setActiveWindow(window.get());
        rw->installEventFilter(&watcher);
        watcher.onShow = [this] { QTimer::singleShot(0, rw.get(), [this] { useDialog(); }); };
    }

    // Presses start, tries Escape while the transfer runs, then closes by the close button.
    void useDialog()
    {
        seen.shown = true;
        seen.title = rw->windowTitle().toStdString();
        seen.startText = rw->startButton()->text().toStdString();
        QTimer::singleShot(0, rw.get(), [this] {  // fires inside the transfer's first wait
            seen.startOffWhileRunning = !rw->startButton()->isEnabled();
            QTest::keyClick(rw.get(), Qt::Key_Escape);
            seen.stayedOpenOnEscapeWhileRunning = rw->isVisible() && rw->transferRunning();
        });
        QTest::mouseClick(rw->startButton(), Qt::LeftButton);
        seen.progressMax = rw->gauge()->maximum();
        seen.progressEnd = rw->gauge()->value();
        QTest::mouseClick(child<QPushButton>(*rw, "bsSkinButton2"), Qt::LeftButton);
        seen.closedByItsButton = !rw->isVisible();
    }

    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MessageDialog> messages;
    std::unique_ptr<RwDialog> rw;
    std::unique_ptr<DocumentCommands> commands;
    std::unique_ptr<test::MessageRecorder> recorder;
    test::ShowWatcher watcher;
    Seen seen;
};

enum class Way { ToolbarButton, MenuClick, MenuMnemonic };

struct TransferCase {
    const char* name;
    bool write;
    int commode;
    Way way;
    const char* title;      // the Edit menu item's caption
    const char* startText;  // the toolbar button's caption
    int progressMax;
};

class EditorTransfer : public ::testing::TestWithParam<TransferCase> {};

TEST_P(EditorTransfer, RunsAgainstTheRadioThroughToTheDialogsEnd)
{
    const TransferCase& c = GetParam();
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const std::string image = scratch.filePath(QStringLiteral("radio.bin")).toStdString();
    std::vector<std::string> args{"--no-pacing", "--image", image};
    if (c.commode == 12)
        args.push_back("--echo");
    test::SimProcess sim(args);
    ASSERT_FALSE(sim.device().empty()) << sim.failure();

    Editor editor(QString::fromStdString(sim.device()), c.commode);
    ASSERT_EQ(editor.window->commMode(), c.commode);
    Codeplug& doc = editor.window->codeplug();
    if (c.write) {
        doc.settings().setBandList(keys::BandRx, {"400-470MHz"}, 0);
        doc.channels().setCell(col::Rx, 1, "438.50000");
        doc.fillDefaults(1);
        doc.channels().setCell(col::Alias, 1, "BASE");
    }

    MainWindow& w = *editor.window;
    switch (c.way) {
    case Way::ToolbarButton:
        QTest::mouseClick(child<QToolButton>(w, c.write ? "bsSkinSpeedButton5" : "bsSkinSpeedButton4"),
                          Qt::LeftButton);
        break;
    case Way::MenuClick:
        test::clickMenuItem(w, {"sgse1", c.write ? "N2" : "gs1"});
        break;
    case Way::MenuMnemonic:
        // Alt+P opens the Edit menu, R or W picks the item.
        QTest::keyClick(&w, Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(child<QMenu>(w, "sgse1")->isVisible());
        QTest::keyClick(child<QMenu>(w, "sgse1"), c.write ? Qt::Key_W : Qt::Key_R);
        break;
    }

    const Seen& seen = editor.seen;
    ASSERT_TRUE(seen.shown);
    EXPECT_TRUE(editor.recorder->shown.empty()) << editor.recorder->shown.front().message;
    EXPECT_EQ(seen.title, c.title);
    EXPECT_EQ(seen.startText, c.startText);
    EXPECT_TRUE(seen.startOffWhileRunning);
    EXPECT_TRUE(seen.stayedOpenOnEscapeWhileRunning);
    EXPECT_EQ(seen.progressMax, c.progressMax);
    EXPECT_EQ(seen.progressEnd, c.progressMax);
    EXPECT_TRUE(seen.closedByItsButton);

    if (c.write) {
        // What the radio kept, from the image it saves on exit.
        ASSERT_EQ(sim.stop(), 0);
        QFile saved(QString::fromStdString(image));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QByteArray memory = saved.readAll();
        ASSERT_EQ(memory.size(), 4096);
        Codeplug radio;
        for (int row : {1, 2}) {
            ASSERT_TRUE(decodeChannelRecord(radio, row, memory.mid(channelRecordAddress(row), 16).toHex().toUpper().toStdString()));
            ASSERT_TRUE(decodeAliasRecord(radio, row, memory.mid(aliasRecordAddress(row), 8).toHex().toUpper().toStdString()));
        }
        EXPECT_EQ(radio.channels().cell(col::Rx, 1), "438.50000");
        EXPECT_EQ(radio.channels().cell(col::Alias, 1), "BASE");
        EXPECT_EQ(radio.channels().cell(col::Rx, 2), "") << "the demo's channel 2 is overwritten empty";
    } else {
        // The demo radio's first channels.
        EXPECT_EQ(doc.channels().cell(col::Rx, 1), "462.56250");
        EXPECT_EQ(doc.channels().cell(col::Alias, 1), "FRS1");
        EXPECT_EQ(doc.channels().cell(col::Tx, 5), "431.10000");
        EXPECT_EQ(doc.channels().cell(col::Alias, 12), "DEPOT*");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Editor, EditorTransfer,
    ::testing::Values(
        TransferCase{"ReadByToolbarDualHead", false, 13, Way::ToolbarButton, "频率读出(&R)", "读频", 138},
        TransferCase{"WriteByMenuClickDualHead", true, 13, Way::MenuClick, "频率写入(&W)", "写频", 148},
        TransferCase{"ReadByMnemonicSingleHead", false, 12, Way::MenuMnemonic, "频率读出(&R)", "读频", 138},
        TransferCase{"WriteByToolbarSingleHead", true, 12, Way::ToolbarButton, "频率写入(&W)", "写频", 148}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qx
