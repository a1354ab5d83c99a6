// A frequency typed in the grid and not yet confirmed is committed by Save, Open, Read and Write,
// whichever page is shown when the command starts.

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/codeplug.h"
#include "page_test_support.h"
#include "ui/channel_grid.h"
#include "ui/document_commands.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/rw_dialog.h"

namespace qx {
namespace {

class OpenEditCommitTest : public ::testing::Test, test::WithApplication {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        MainWindowOptions options;
        options.programDir = dir.path();
        options.com1Device = QStringLiteral("/dev/qx-no-such-port");
        options.openUrl = [](const QUrl&) {};
        options.showError = [](const QString&) {};
        options.pages[page::Channels] = makeChannelGrid;
        window = std::make_unique<MainWindow>(std::move(options));
        messages = std::make_unique<MessageDialog>(window->codeplug(), window.get());
        rw = std::make_unique<RwDialog>(window->codeplug(), *messages, window.get());
        commands = std::make_unique<DocumentCommands>(*window, *messages, *rw);
        commands->setFileChooser([this](FileDialogKind) { return chosen; });
        window->codeplug().settings().setBandList(keys::BandRx, {"400-470MHz"}, 0);
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    ChannelGrid& grid() { return *qobject_cast<ChannelGrid*>(window->pageContents(page::Channels)); }
    std::string cell(int column, int row) { return window->codeplug().channels().cell(column, row); }

    // Types "462.5" into the grid's RX cell of channel 1 and leaves the editor open.
    void typeWithoutConfirming()
    {
        GridView* view = grid().grid();
        const QModelIndex rx = view->model()->index(0, 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(rx).center());
        QTest::keyClick(view, '4');
        QTest::keyClicks(grid().frequencyEditor(), "62.5");
        ASSERT_EQ(cell(col::Rx, 1), "462.5");
    }

    void showTab(int index)
    {
        QTabBar* tabs = window->pageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        ASSERT_EQ(window->pageControl()->currentIndex(), index);
    }

    void pressToolButton(const char* name)
    {
        auto* button = window->findChild<QToolButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QTemporaryDir dir;
    QString chosen;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MessageDialog> messages;
    std::unique_ptr<RwDialog> rw;
    std::unique_ptr<DocumentCommands> commands;
};

TEST_F(OpenEditCommitTest, SaveFromAnotherPageSavesTheCommittedFrequency)
{
    typeWithoutConfirming();
    showTab(page::Functions);
    chosen = dir.filePath(QStringLiteral("saved.kt6"));
    pressToolButton("bsSkinSpeedButton3");
    EXPECT_EQ(window->pageControl()->currentIndex(), page::Channels);
    EXPECT_EQ(cell(col::Rx, 1), "462.50000");
    EXPECT_EQ(cell(col::Tx, 1), "462.50000");
    QFile saved(chosen);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(text.contains("462.50000")) << "the file holds the committed text";
    EXPECT_FALSE(text.contains("462.5 ")) << "not the raw typing";
}

TEST_F(OpenEditCommitTest, ReadAndWriteFromAnotherPageCommitFirst)
{
    // The port cannot be opened, so each command ends at its port message; the commit comes first.
    for (const char* button : {"bsSkinSpeedButton4", "bsSkinSpeedButton5"}) {
        SCOPED_TRACE(button);
        window->codeplug().clearAllChannels();
        typeWithoutConfirming();
        showTab(page::Dtmf);
        QTimer::singleShot(0, messages.get(), [this] {
            QTest::mouseClick(test::child<QPushButton>(*messages, "bsSkinButton1"), Qt::LeftButton);
        });
        pressToolButton(button);
        EXPECT_EQ(cell(col::Rx, 1), "462.50000");
        EXPECT_EQ(cell(col::RxTone, 1), window->codeplug().words().off) << "completed with the defaults";
    }
}

}  // namespace
}  // namespace qx
