// Channel interchange in the editor, driven as a person does: the grid's range selection, the Edit
// menu's shortcuts through the real clipboard, the preview dialog's buttons, and CHIRP CSV import
// and export through the menu items (files chosen through the commands' chooser seam).

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "model/codeplug.h"
#include "model/radio_settings.h"
#include "page_test_support.h"
#include "ui/channel_grid.h"
#include "ui/channel_table_model.h"
#include "ui/document_commands.h"
#include "ui/interchange_commands.h"
#include "ui/main_window.h"
#include "ui/preview_dialog.h"
#include "ui/rw_dialog.h"

namespace qx {
namespace {

// Acts on each modal dialog of the given class the moment it shows, one scripted step per showing;
// a dialog shown with no step left is cancelled with Escape, so a test never blocks.
class ModalScript : public QObject {
public:
    using Step = std::function<void(QDialog&)>;
    ModalScript() { qApp->installEventFilter(this); }
    ~ModalScript() override { qApp->removeEventFilter(this); }
    void then(Step step) { steps_.push_back(std::move(step)); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (!dialog || event->type() != QEvent::Show || qobject_cast<MessageDialog*>(dialog))
            return false;
        ++shown;
        Step step = steps_.empty() ? Step([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }) : steps_.front();
        if (!steps_.empty())
            steps_.erase(steps_.begin());
        QPointer<QDialog> target(dialog);
        // Acts once the dialog's own show has finished, as a person would.
        QTimer::singleShot(0, this, [target, step] { if (target) step(*target); });
        return false;
    }

private:
    std::vector<Step> steps_;
};

struct PreviewSeen {
    QString title;
    QString count;
    QString refusedCaption;
    std::vector<std::vector<QString>> refused;
    std::vector<QString> warnings;
};

// A step that records the preview dialog and clicks one of its buttons.
ModalScript::Step readPreviewAndClick(PreviewSeen& seen, const char* button)
{
    return [&seen, button](QDialog& d) {
        seen.title = d.windowTitle();
        seen.count = test::child<QLabel>(d, "countLabel")->text();
        seen.refusedCaption = test::child<QLabel>(d, "refusedLabel")->text();
        auto* table = test::child<QTableWidget>(d, "refusedTable");
        for (int r = 0; r < table->rowCount(); ++r) {
            std::vector<QString> row;
            for (int c = 0; c < table->columnCount(); ++c)
                row.push_back(table->item(r, c) ? table->item(r, c)->text() : QString());
            seen.refused.push_back(row);
        }
        auto* list = test::child<QListWidget>(d, "warningList");
        for (int i = 0; i < list->count(); ++i)
            seen.warnings.push_back(list->item(i)->text());
        QPushButton* b = test::child<QPushButton>(d, button);
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    };
}

class ClipboardTest : public ::testing::Test, private test::WithApplication {
protected:
    void SetUp() override
    {
        MainWindowOptions options;
        options.programDir = dir.path();
        options.openUrl = [](const QUrl&) {};
        options.showError = [](const QString&) {};
        options.pages[page::Channels] = makeChannelGrid;
        window = std::make_unique<MainWindow>(std::move(options));
        messages = std::make_unique<MessageDialog>(window->codeplug(), window.get());
        rw = std::make_unique<RwDialog>(window->codeplug(), *messages, window.get());
        recorder = std::make_unique<test::MessageRecorder>(*messages);
        commands = std::make_unique<DocumentCommands>(*window, *messages, *rw);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid().grid()->setFocus();
        QApplication::clipboard()->clear();
    }
    void TearDown() override
    {
        commands.reset();
        recorder.reset();
        rw.reset();
        messages.reset();
        window.reset();
    }

    Codeplug& doc() { return window->codeplug(); }
    ChannelGrid& grid() { return *qobject_cast<ChannelGrid*>(window->pageContents(page::Channels)); }
    GridView* view() { return grid().grid(); }
    std::string cell(int column, int row) { return doc().channels().cell(column, row); }

    void channel(int row, const char* rx, const char* alias = "")
    {
        doc().channels().setCell(col::Rx, row, rx);
        doc().fillDefaults(row);
        doc().channels().setCell(col::Alias, row, alias);
    }

    QPoint cellCentre(int column, int row)
    {
        const QModelIndex at = view()->model()->index(row - 1, column - 1);
        view()->scrollTo(at);
        return view()->visualRect(at).center();
    }
    void clickCell(int column, int row, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, mods, cellCentre(column, row));
    }
    void clickRowNumber(int row, Qt::KeyboardModifiers mods = {})
    {
        QHeaderView* numbers = view()->verticalHeader();
        cellCentre(col::Rx, row);  // scrolled into view
        const QPoint at(numbers->width() / 2, numbers->sectionViewportPosition(row - 1) + numbers->sectionSize(row - 1) / 2);
        QTest::mouseClick(numbers->viewport(), Qt::LeftButton, mods, at);
    }
    // After a modal dialog the main window is active again, as the desktop makes it.
    void backToWindow()
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == window.get(); }));
    }
    void key(int k, Qt::KeyboardModifiers mods = {})
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view();
        QTest::keyClick(target, Qt::Key(k), mods);
    }

    // Opens the menu-bar menu `menu` and clicks `items` in turn (a submenu, then its item).
    void chooseMenu(const char* menu, std::initializer_list<const char*> items)
    {
        QMenuBar* bar = window->menuBar();
        auto* top = window->findChild<QMenu*>(QString::fromLatin1(menu));
        ASSERT_NE(top, nullptr);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitFor([top] { return top->isVisible(); }));
        QMenu* current = top;
        for (const char* name : items) {
            QAction* item = nullptr;
            for (QAction* a : current->actions())
                if (a->objectName() == QLatin1String(name))
                    item = a;
            ASSERT_NE(item, nullptr) << name;
            QMenu* sub = item->menu();
            QTest::mouseClick(current, Qt::LeftButton, {}, current->actionGeometry(item).center());
            if (sub) {
                ASSERT_TRUE(QTest::qWaitFor([sub] { return sub->isVisible(); })) << name;
                current = sub;
            }
        }
    }

    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MessageDialog> messages;
    std::unique_ptr<RwDialog> rw;
    std::unique_ptr<test::MessageRecorder> recorder;
    std::unique_ptr<DocumentCommands> commands;
};

// ---- copy and paste through the shortcuts and the system clipboard ------------------------------

TEST_F(ClipboardTest, ThreeChannelsCopiedByShortcutArePastedElsewhere)
{
    channel(2, "462.55000", "ALPHA");
    channel(3, "463.12500", "BRAVO");
    channel(4, "464.00000", "CHARLY");
    doc().channels().setCell(col::Power, 3, doc().words().low);
    clickRowNumber(2);
    clickRowNumber(4, Qt::ShiftModifier);
    EXPECT_EQ(grid().selectionFirst(), 2);
    EXPECT_EQ(grid().selectionLast(), 4);
    key(Qt::Key_C, Qt::ControlModifier);

    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << "a header and three channels";
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("接收频率\t"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("462.55000\t"))) << lines[1].toStdString();

    ModalScript script;
    PreviewSeen seen;
    script.then(readPreviewAndClick(seen, "okButton"));
    clickRowNumber(20);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(script.shown, 1);
    EXPECT_EQ(seen.title.toStdString(), "粘贴预览");
    EXPECT_EQ(seen.count.toStdString(), "将替换 3 个信道。");
    EXPECT_TRUE(seen.refused.empty());
    const std::pair<int, std::vector<std::string>> expected[] = {
        {20, {"462.55000", "ALPHA", "高功率"}}, {21, {"463.12500", "BRAVO", "低功率"}},
        {22, {"464.00000", "CHARLY", "高功率"}}};
    for (const auto& [row, cells] : expected) {
        EXPECT_EQ(cell(col::Rx, row), cells[0]) << row;
        EXPECT_EQ(cell(col::Tx, row), cells[0]) << row;
        EXPECT_EQ(cell(col::Alias, row), cells[1]) << row;
        EXPECT_EQ(cell(col::Power, row), cells[2]) << row;
    }
    EXPECT_EQ(cell(col::Rx, 23), "") << "nothing past the pasted rows";
    backToWindow();

    // Cut takes the range off the grid in one step and leaves it on the clipboard.
    clickRowNumber(21);
    clickRowNumber(22, Qt::ShiftModifier);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(cell(col::Rx, 21), "");
    EXPECT_EQ(cell(col::Rx, 22), "");
    EXPECT_EQ(cell(col::Rx, 20), "462.55000");
    EXPECT_EQ(QApplication::clipboard()->text().count(QLatin1Char('\n')), 3);
}

TEST_F(ClipboardTest, SpreadsheetTextWithARefusedRowIsPreviewedAndCancelChangesNothing)
{
    channel(5, "440.00000", "KEEP");
    // As a spreadsheet copies three rows of RX, decode tone, TX: the second RX is not a number.
    QApplication::clipboard()->setText(QStringLiteral("462.56250\t67.0\t467.56250\nabc\t\t\n462.60000\t\t462.60000\n"));
    clickRowNumber(5);

    ModalScript script;
    PreviewSeen cancelled;
    script.then(readPreviewAndClick(cancelled, "cancelButton"));
    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(script.shown, 1);
    EXPECT_EQ(cancelled.count.toStdString(), "将替换 2 个信道。");
    EXPECT_EQ(cancelled.refusedCaption.toStdString(), "被拒绝的行：1");
    ASSERT_EQ(cancelled.refused.size(), 1u);
    EXPECT_EQ(cancelled.refused[0][0].toStdString(), "2") << "line";
    EXPECT_EQ(cancelled.refused[0][1].toStdString(), "接收频率") << "column";
    EXPECT_EQ(cancelled.refused[0][2].toStdString(), "abc") << "value";
    EXPECT_EQ(cancelled.refused[0][3].toStdString(), "不是数字") << "reason";
    EXPECT_EQ(cell(col::Rx, 5), "440.00000") << "Cancel changes nothing";
    EXPECT_EQ(cell(col::Alias, 5), "KEEP");
    EXPECT_EQ(cell(col::Rx, 6), "");

    backToWindow();
    PreviewSeen accepted;
    script.then(readPreviewAndClick(accepted, "okButton"));
    key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(script.shown, 2);
    EXPECT_EQ(cell(col::Rx, 5), "462.56250");
    EXPECT_EQ(cell(col::RxTone, 5), "67.0");
    EXPECT_EQ(cell(col::Tx, 5), "467.56250");
    EXPECT_EQ(cell(col::Rx, 6), "462.60000") << "the accepted rows go in order from the current channel";
    EXPECT_EQ(cell(col::Rx, 7), "");
}

// The shortcuts belong to the grid: in the open frequency editor Ctrl+V pastes nothing anywhere.
TEST_F(ClipboardTest, ShortcutsDoNotActInAnInPlaceEditor)
{
    QApplication::clipboard()->setText(QStringLiteral("462.56250\n"));
    clickCell(col::Rx, 9);
    key(Qt::Key_4);  // the digit moves the focus into the frequency editor
    ASSERT_EQ(QApplication::focusWidget(), grid().frequencyEditor());
    ModalScript script;
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(script.shown, 0) << "no preview";
    EXPECT_EQ(grid().frequencyEditor()->text().toStdString(), "4");
    EXPECT_EQ(cell(col::Rx, 9), "4");
}

// ---- range selection never toggles, edits or moves the current cell -----------------------------

TEST_F(ClipboardTest, ShiftClicksAndShiftArrowsExtendTheRangeWithoutToggling)
{
    for (int row = 5; row <= 9; ++row)
        channel(row, "462.55000");
    struct Case {
        const char* name;
        std::function<void()> extend;
        int first;
        int last;
    };
    const Case cases[] = {
        {"Shift+click on a power cell", [this] { clickCell(col::Power, 8, Qt::ShiftModifier); }, 6, 8},
        {"Shift+click on a scan cell above", [this] { clickCell(col::ScanAdd, 5, Qt::ShiftModifier); }, 5, 6},
        {"Shift+Down twice", [this] { key(Qt::Key_Down, Qt::ShiftModifier); key(Qt::Key_Down, Qt::ShiftModifier); }, 6, 8},
        {"Shift+Up", [this] { key(Qt::Key_Up, Qt::ShiftModifier); }, 5, 6},
        {"Shift+click on a row number", [this] { clickRowNumber(9, Qt::ShiftModifier); }, 6, 9},
        {"Shift+double click on a cell", [this] {
             QTest::mouseDClick(view()->viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(col::More, 7));
         }, 6, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clickRowNumber(6);
        const QModelIndex before = view()->currentIndex();
        c.extend();
        EXPECT_EQ(grid().selectionFirst(), c.first);
        EXPECT_EQ(grid().selectionLast(), c.last);
        EXPECT_EQ(view()->currentIndex(), before) << "the current cell stays";
        EXPECT_EQ(doc().currentRow(), 6);
        EXPECT_EQ(window->pageControl()->currentIndex(), page::Channels) << "no single-channel page";
        for (int row = 5; row <= 9; ++row) {
            EXPECT_EQ(cell(col::Power, row), doc().words().high) << row;
            EXPECT_EQ(cell(col::ScanAdd, row), doc().words().on) << row;
        }
        EXPECT_TRUE(grid().frequencyEditor()->isHidden());
        EXPECT_TRUE(grid().toneSelector()->isHidden());
    }
    // A plain click afterwards leaves just its own channel for Copy, and toggles as ever.
    clickCell(col::Power, 7);
    EXPECT_EQ(grid().selectionFirst(), 7);
    EXPECT_EQ(grid().selectionLast(), 7);
    EXPECT_EQ(cell(col::Power, 7), doc().words().low);
}

// ---- CHIRP CSV through the File menu --------------------------------------

TEST_F(ClipboardTest, ImportAndExportGoThroughTheFileMenu)
{
    const QString in = dir.filePath(QStringLiteral("in.csv"));
    {
        QFile f(in);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode,TStep,"
                "Skip,Power,Comment,URCALL,RPT1CALL\r\n"
                "1,Base,462.5625,,0.000000,Tone,100.0,88.5,023,NN,FM,12.50,,5.0W,,,\r\n"
                "2,Far,146.52,,0.000000,,88.5,88.5,023,NN,FM,5.00,,5.0W,,,\r\n"
                "3,Repeat,462.6,+,5.0,,88.5,88.5,023,NN,NFM,12.50,S,1.0W,,,\r\n");
    }
    doc().settings().assignText(keys::BandRx, "400-470MHz");
    clickRowNumber(10);

    // Qt's file dialog cannot be confirmed reliably offscreen; the commands' chooser seam answers.
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    std::vector<FileDialogKind> asked;
    commands->setFileChooser([&](FileDialogKind kind) {
        asked.push_back(kind);
        return kind == FileDialogKind::ImportChirp ? in : out;
    });
    ModalScript script;
    PreviewSeen seen;
    script.then(readPreviewAndClick(seen, "okButton"));
    chooseMenu("fefs1", {"Import1", "ImportChirp1"});
    ASSERT_EQ(asked, std::vector<FileDialogKind>{FileDialogKind::ImportChirp});
    ASSERT_EQ(script.shown, 1) << "the preview";
    EXPECT_EQ(seen.title.toStdString(), "导入预览");
    EXPECT_EQ(seen.count.toStdString(), "将替换 2 个信道。");
    ASSERT_EQ(seen.refused.size(), 1u);
    EXPECT_EQ(seen.refused[0][0].toStdString(), "3") << "146.52 MHz lies outside the band";
    EXPECT_EQ(cell(col::Rx, 10), "462.56250");
    EXPECT_EQ(cell(col::TxTone, 10), "100.0");
    EXPECT_EQ(cell(col::Alias, 10), "BASE");
    EXPECT_EQ(cell(col::Rx, 11), "462.60000");
    EXPECT_EQ(cell(col::Tx, 11), "467.60000");
    EXPECT_EQ(cell(col::Power, 11), doc().words().low);
    EXPECT_EQ(cell(col::Rx, 12), "");

    backToWindow();
    chooseMenu("fefs1", {"Export1", "ExportChirp1"});
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1], FileDialogKind::ExportChirp);
    EXPECT_EQ(script.shown, 1) << "an export shows no preview";
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray csv = f.readAll();
    EXPECT_TRUE(csv.startsWith("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                               "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,"
                               "RPT2CALL,DVCODE\r\n"))
        << csv.toStdString();
    EXPECT_TRUE(csv.contains("\r\n10,BASE,462.562500,,0.000000,Tone,100.0,")) << csv.toStdString();
    EXPECT_TRUE(csv.contains("\r\n11,REPEAT,462.600000,+,5.000000,")) << csv.toStdString();
    EXPECT_TRUE(recorder->shown.empty()) << "no warnings, no message";
}

}  // namespace
}  // namespace qx
