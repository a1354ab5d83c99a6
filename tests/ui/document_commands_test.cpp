#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialog_test_support.h"
#include "files/language.h"
#include "link/write_check.h"
#include "model/codeplug.h"
#include "page_test_support.h"
#include "ui/channel_grid.h"
#include "ui/document_commands.h"
#include "ui/main_window.h"
#include "ui/rw_dialog.h"

namespace qx {
namespace {

using test::child;

struct WithApplication {
    WithApplication() { test::ensureApplication(); }
};

class DocumentCommandsTest : public ::testing::Test, private WithApplication {
protected:
    void SetUp() override { build({}); }

    void build(const QString& com1Device)
    {
        commands.reset();
        rwShown.reset();
        recorder.reset();
        rw.reset();
        messages.reset();
        window.reset();
        MainWindowOptions options;
        options.programDir = dir.path();
        options.com1Device = com1Device;
        options.openUrl = [](const QUrl&) {};
        options.showError = [](const QString&) {};
        options.pages[page::Channels] = makeChannelGrid;
        window = std::make_unique<MainWindow>(std::move(options));
        messages = std::make_unique<MessageDialog>(window->codeplug(), window.get());
        rw = std::make_unique<RwDialog>(window->codeplug(), *messages, window.get());
        recorder = std::make_unique<test::MessageRecorder>(*messages);
        rwShown = std::make_unique<test::ShowCounter>(*rw);
        commands = std::make_unique<DocumentCommands>(*window, *messages, *rw);
        commands->setFileChooser([this](FileDialogKind) { return chosen; });
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    // The toolbar buttons: New, Open, Save, Read, Write.
    void press(const char* button) { QTest::mouseClick(child<QToolButton>(*window, button), Qt::LeftButton); }
    void newButton() { press("bsSkinSpeedButton1"); }
    void openButton() { press("bsSkinSpeedButton2"); }
    void saveButton() { press("bsSkinSpeedButton3"); }
    void readButton() { press("bsSkinSpeedButton4"); }
    void writeButton() { press("bsSkinSpeedButton5"); }

    Codeplug& doc() { return window->codeplug(); }
    ChannelGrid& grid() { return *qobject_cast<ChannelGrid*>(window->pageContents(page::Channels)); }
    std::string cell(int column, int row) { return doc().channels().cell(column, row); }

    void channel(int row, const char* rx)
    {
        doc().channels().setCell(col::Rx, row, rx);
        doc().fillDefaults(row);
    }

    QTemporaryDir dir;
    QString chosen;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<MessageDialog> messages;
    std::unique_ptr<RwDialog> rw;
    std::unique_ptr<test::MessageRecorder> recorder;
    std::unique_ptr<test::ShowCounter> rwShown;
    std::unique_ptr<DocumentCommands> commands;
};

// ---- write: the document check comes before the port -------------------------------------------

struct WriteCase {
    const char* name;
    const char* badTone;  // nullptr: a writable document
    bool refused;         // expect the refusal, else the port error
    const char* message;
};

class WriteCommandTest : public DocumentCommandsTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteCommandTest, NoDialogOpensWithoutAWritableDocumentAndAPort)
{
    build(QStringLiteral("/dev/qx-no-such-port"));
    channel(3, "462.55000");
    if (GetParam().badTone)
        doc().channels().setCell(col::TxTone, 3, GetParam().badTone);
    const auto problem = checkBeforeWrite(doc(), [](int n) { return StringTable::builtIn().text(n); });
    ASSERT_EQ(problem.has_value(), GetParam().refused);

    writeButton();
    EXPECT_EQ(rwShown->count, 0);
    ASSERT_EQ(recorder->shown.size(), 1u);
    if (!GetParam().refused)
        EXPECT_EQ(recorder->shown[0].caption, "通信错误");
    EXPECT_EQ(recorder->shown[0].message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Commands, WriteCommandTest,
                         ::testing::Values(WriteCase{"BadToneIsRefusedBeforeTheProbe", "77.7", true,
                                                     "信道 003：QT/DQT编码 无法写入对讲机。"},
                                           WriteCase{"WritableDocumentMeetsThePortError", nullptr, false,
                                                     "无法打开串口，请检查端口设置。"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentCommandsTest, ARefusedSettingIsNamedByItsPageLabel)
{
    build(QStringLiteral("/dev/qx-no-such-port"));
    doc().settings().assignText(keys::BOT, "12X45");
    writeButton();
    EXPECT_EQ(rwShown->count, 0);
    EXPECT_EQ(recorder->messages(), std::vector<std::string>{"发射开始 无法写入对讲机。"});
}

TEST_F(DocumentCommandsTest, ReadCommitsTheOpenCellBeforeTheProbe)
{
    build(QStringLiteral("/dev/qx-no-such-port"));
    grid().selectCell(col::Rx, 2);
    QTest::keyClick(grid().grid(), '4');
    QTest::keyClicks(grid().frequencyEditor(), "46");
    readButton();
    EXPECT_EQ(cell(col::Rx, 2), "446.00000");
    EXPECT_FALSE(grid().frequencyEditor()->isVisible());
    EXPECT_EQ(recorder->messages(), std::vector<std::string>{std::string("无法打开串口，请检查端口设置。")});
}

// ---- channel files -----------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, SaveCommitsTheCellAndOpenBringsTheDocumentBack)
{
    channel(1, "462.55000");
    doc().channels().setCell(col::Alias, 1, "BASE");
    grid().selectCell(col::Rx, 2);
    QTest::keyClick(grid().grid(), '4');
    QTest::keyClicks(grid().frequencyEditor(), "50.5");
    chosen = dir.filePath(QStringLiteral("set"));  // used as typed, no extension added
    saveButton();
    ASSERT_TRUE(QFile::exists(chosen));
    EXPECT_EQ(cell(col::Rx, 2), "450.50000") << "committed before saving";

    recorder->answerWith("bsSkinButton1");
    newButton();  // OK
    ASSERT_EQ(cell(col::Rx, 1), "");
    openButton();
    EXPECT_TRUE(recorder->shown.size() == 1) << "only the New question";
    EXPECT_EQ(cell(col::Rx, 1), "462.55000");
    EXPECT_EQ(cell(col::Alias, 1), "BASE");
    EXPECT_EQ(cell(col::Tx, 2), "450.50000");
    EXPECT_FALSE(grid().frequencyEditor()->isVisible());
}

TEST_F(DocumentCommandsTest, OpeningAFileThatIsNoChannelFileSaysSoAndChangesNothing)
{
    channel(1, "462.55000");
    chosen = dir.filePath(QStringLiteral("other.kt6"));
    QFile file(chosen);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("qx-4100 memory channel\r\n");
    file.close();
    openButton();
    ASSERT_EQ(recorder->shown.size(), 1u);
    EXPECT_EQ(recorder->shown[0].caption, std::string("信道文件"));
    EXPECT_EQ(recorder->shown[0].message, std::string("该文件不是信道文件。"));
    EXPECT_EQ(cell(col::Rx, 1), "462.55000");
}

TEST_F(DocumentCommandsTest, CancelledFileDialogDoesNothing)
{
    channel(1, "462.55000");
    chosen.clear();
    openButton();
    saveButton();
    EXPECT_TRUE(recorder->shown.empty());
    EXPECT_EQ(cell(col::Rx, 1), "462.55000");
}

TEST_F(DocumentCommandsTest, SaveIntoAMissingFolderShowsTheSystemError)
{
    chosen = dir.filePath(QStringLiteral("no-such-folder/set.kt6"));
    saveButton();
    ASSERT_EQ(recorder->shown.size(), 1u);
    EXPECT_EQ(recorder->shown[0].caption, std::string("信道文件"));
    const std::string& message = recorder->shown[0].message;
    EXPECT_NE(message.find(chosen.toStdString()), std::string::npos) << message;
    EXPECT_NE(message.find("No such file or directory"), std::string::npos) << message;
}

// ---- New -----------------------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, NewAsksAndOnlyOkStartsANewDocument)
{
    channel(5, "462.55000");
    doc().settings().assign(keys::Squelch, 7);
    grid().selectCell(col::Rx, 5);

    recorder->answerWith("bsSkinButton2");
    newButton();
    EXPECT_EQ(cell(col::Rx, 5), "462.55000") << "Cancel";
    EXPECT_EQ(recorder->shown.back().message, std::string("当前数据将被清除，是否继续？"));
    EXPECT_EQ(recorder->shown.back().caption, std::string("确认"));

    recorder->answerWith("bsSkinButton1");
    newButton();
    EXPECT_EQ(cell(col::Rx, 5), "");
    EXPECT_EQ(doc().settings().value(keys::Squelch), 2);
    EXPECT_EQ(doc().currentRow(), 1);
    EXPECT_TRUE(grid().frequencyEditor()->text().isEmpty());
    EXPECT_EQ(messages->pendingAction(), pending::Information);
}

}  // namespace
}  // namespace qx
