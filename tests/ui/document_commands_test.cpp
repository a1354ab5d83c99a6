#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

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
    }

    Codeplug& doc() { return window->codeplug(); }
    ChannelGrid& grid() { return *qobject_cast<ChannelGrid*>(window->pageContents(page::Channels)); }
    std::string cell(int column, int row) { return doc().channels().cell(column, row); }
    static std::string builtIn(int number) { return StringTable::builtIn().text(number); }

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
    bool refused;         // expect the check's message, else the port error
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

    commands->N2Click();
    EXPECT_EQ(rwShown->count, 0);
    ASSERT_EQ(recorder->shown.size(), 1u);
    EXPECT_EQ(recorder->shown[0].caption, builtIn(58));
    EXPECT_EQ(recorder->shown[0].message, GetParam().refused ? problem->message : builtIn(59));
}

INSTANTIATE_TEST_SUITE_P(Commands, WriteCommandTest,
                         ::testing::Values(WriteCase{"BadToneIsRefusedBeforeTheProbe", "77.7", true},
                                           WriteCase{"WritableDocumentMeetsThePortError", nullptr, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentCommandsTest, ARefusedSettingIsNamedByItsPageLabel)
{
    build(QStringLiteral("/dev/qx-no-such-port"));
    doc().settings().assignText(keys::BOT, "12X45");
    commands->N2Click();
    EXPECT_EQ(rwShown->count, 0);
    EXPECT_EQ(recorder->messages(), std::vector<std::string>{fillIn(builtIn(147), {"发射开始"})});
}

TEST_F(DocumentCommandsTest, ReadCommitsTheOpenCellBeforeTheProbe)
{
    build(QStringLiteral("/dev/qx-no-such-port"));
    grid().selectCell(col::Rx, 2);
    QTest::keyClick(grid().grid(), '4');
    QTest::keyClicks(grid().frequencyEditor(), "46");
    commands->gs1Click();
    EXPECT_EQ(cell(col::Rx, 2), "446.00000");
    EXPECT_FALSE(grid().frequencyEditor()->isVisible());
    EXPECT_EQ(recorder->messages(), std::vector<std::string>{builtIn(59)});
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
    commands->segs1Click();
    ASSERT_TRUE(QFile::exists(chosen));
    EXPECT_EQ(cell(col::Rx, 2), "450.50000") << "committed before saving";

    recorder->answerWith("bsSkinButton1");
    commands->fsef1Click();  // New, OK
    ASSERT_EQ(cell(col::Rx, 1), "");
    commands->rsgg1Click();
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
    commands->rsgg1Click();
    ASSERT_EQ(recorder->shown.size(), 1u);
    EXPECT_EQ(recorder->shown[0].caption, builtIn(144));
    EXPECT_EQ(recorder->shown[0].message, builtIn(145));
    EXPECT_EQ(cell(col::Rx, 1), "462.55000");
}

TEST_F(DocumentCommandsTest, CancelledFileDialogDoesNothing)
{
    channel(1, "462.55000");
    chosen.clear();
    commands->rsgg1Click();
    commands->segs1Click();
    EXPECT_TRUE(recorder->shown.empty());
    EXPECT_EQ(cell(col::Rx, 1), "462.55000");
}

TEST_F(DocumentCommandsTest, SaveIntoAMissingFolderShowsTheSystemError)
{
    chosen = dir.filePath(QStringLiteral("no-such-folder/set.kt6"));
    commands->segs1Click();
    ASSERT_EQ(recorder->shown.size(), 1u);
    EXPECT_EQ(recorder->shown[0].caption, builtIn(144));
    EXPECT_FALSE(recorder->shown[0].message.empty());
}

// ---- New -----------------------------------------------------------------------------------------

TEST_F(DocumentCommandsTest, NewAsksAndOnlyOkStartsANewDocument)
{
    channel(5, "462.55000");
    doc().settings().assign(keys::Squelch, 7);
    grid().selectCell(col::Rx, 5);

    recorder->answerWith("bsSkinButton2");
    commands->fsef1Click();
    EXPECT_EQ(cell(col::Rx, 5), "462.55000") << "Cancel";
    EXPECT_EQ(recorder->shown.back().message, builtIn(64));
    EXPECT_EQ(recorder->shown.back().caption, builtIn(62));

    recorder->answerWith("bsSkinButton1");
    commands->fsef1Click();
    EXPECT_EQ(cell(col::Rx, 5), "");
    EXPECT_EQ(doc().settings().value(keys::Squelch), 2);
    EXPECT_EQ(doc().currentRow(), 1);
    EXPECT_TRUE(grid().frequencyEditor()->text().isEmpty());
    EXPECT_EQ(messages->pendingAction(), pending::Information);
}

}  // namespace
}  // namespace qx
