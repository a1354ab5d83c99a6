#include "model/codeplug.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx {
namespace {

const DisplayWords kChinese = DisplayWords::simplifiedChinese();
const DisplayWords kEnglish{"OFF", "ON", "High", "Low", "Wide", "Narrow", "Comp", "scrambler"};

class CodeplugTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plug.settings().setBandList(keys::BandRx, {"400-470MHz"}, 0);
        plug.settings().setBandList(keys::BandRx1, {"136-174MHz"}, 0);
    }

    // Types into a cell and commits it, like the grid does.
    void typeAndCommit(int column, int row, const std::string& text)
    {
        plug.channels().setCell(column, row, text);
        plug.setCurrent(column, row);
        plug.sendallcell();
    }

    std::vector<std::string> row(int r) const
    {
        std::vector<std::string> cells;
        for (int c = col::Rx; c <= col::Alias; ++c)
            cells.push_back(plug.channels().cell(c, r));
        for (int c = xcol::TailElim; c <= xcol::VoiceMode; ++c)
            cells.push_back(plug.extras().cell(c, r));
        return cells;
    }

    static std::vector<std::string> emptyRow() { return std::vector<std::string>(16); }

    Codeplug plug;
};

TEST_F(CodeplugTest, StartsEmptyWithNumbersLinksAndHeaders)
{
    EXPECT_EQ(plug.currentRow(), 1);
    EXPECT_EQ(plug.currentColumn(), col::Rx);
    EXPECT_EQ(plug.channels().cell(col::Number, 1), "001");
    EXPECT_EQ(plug.channels().cell(col::Number, 128), "128");
    EXPECT_EQ(plug.channels().cell(col::More, 128), ">>");
    EXPECT_EQ(plug.channels().cell(col::Rx, 0), "接收频率");
    EXPECT_EQ(plug.channels().cell(col::PttId, 0), "PTT ID");
    EXPECT_EQ(plug.extras().cell(xcol::RxCode, 0), "RX Code");
    EXPECT_EQ(plug.words(), kChinese);
    EXPECT_EQ(plug.tones().text(0), "禁用");
    for (int r = 1; r <= kChannelCount; ++r)
        ASSERT_EQ(row(r), emptyRow()) << r;
}

TEST_F(CodeplugTest, FirstRxFrequencyFillsTheWholeRow)
{
    typeAndCommit(col::Rx, 5, "462.5625");
    const std::vector<std::string> expected = {"462.56250", "禁用", "462.56250", "禁用", "高功率", "宽带", "启用", "禁用",
                                               "禁用", "", "启用", "禁用", "禁用", "0", "0", "禁用"};
    EXPECT_EQ(row(5), expected);
}

TEST_F(CodeplugTest, NewChannelFromAnotherColumnNormalisesRxAndCopiesIt)
{
    plug.channels().setCell(col::Rx, 3, "450");
    plug.channels().setCell(col::Alias, 3, "AB");
    plug.setCurrent(col::Alias, 3);
    plug.sendallcell();
    EXPECT_EQ(plug.channels().cell(col::Rx, 3), "450.00000");
    EXPECT_EQ(plug.channels().cell(col::Tx, 3), "450.00000");
    EXPECT_EQ(plug.channels().cell(col::Alias, 3), "") << "a new channel starts without alias";
    EXPECT_EQ(plug.channels().cell(col::RxTone, 3), "禁用");
}

TEST_F(CodeplugTest, EditedFrequencyOfAnExistingChannelIsNormalised)
{
    typeAndCommit(col::Rx, 1, "450");
    typeAndCommit(col::Tx, 1, "480");
    EXPECT_EQ(plug.channels().cell(col::Tx, 1), "469.97500");
    EXPECT_EQ(plug.channels().cell(col::Rx, 1), "450.00000");
    typeAndCommit(col::Rx, 1, "399");
    EXPECT_EQ(plug.channels().cell(col::Rx, 1), "400.00000");
    EXPECT_EQ(plug.channels().cell(col::Tx, 1), "469.97500") << "TX is copied only for a new channel";
}

TEST_F(CodeplugTest, ErasedRxEmptiesTheRestOfTheChannel)
{
    typeAndCommit(col::Rx, 7, "450");
    plug.channels().setCell(col::Alias, 7, "ABC");
    typeAndCommit(col::Rx, 7, "");
    EXPECT_EQ(row(7), emptyRow());
    EXPECT_EQ(plug.channels().cell(col::More, 7), ">>");
}

TEST_F(CodeplugTest, CommitOfANonFrequencyColumnLeavesTheCell)
{
    typeAndCommit(col::Rx, 2, "450");
    typeAndCommit(col::Alias, 2, "CH-1");
    EXPECT_EQ(plug.channels().cell(col::Alias, 2), "CH-1");
}

TEST_F(CodeplugTest, SendcellSkipsTextThatIsNoNumber)
{
    plug.channels().setCell(col::Tx, 4, "abc");
    plug.sendcell(col::Tx, 4);
    EXPECT_EQ(plug.channels().cell(col::Tx, 4), "abc");
}

TEST_F(CodeplugTest, SendcellClampsIntoTheBandInUseWithTheStep)
{
    plug.settings().assign(keys::Step, 3);
    plug.channels().setCell(col::Rx, 1, "471");
    plug.sendcell(col::Rx, 1);
    EXPECT_EQ(plug.channels().cell(col::Rx, 1), "469.98750");

    plug.settings().assign(keys::ExpFreq, 1);
    plug.settings().assign(keys::Band, 0);
    plug.channels().setCell(col::Rx, 1, "450");
    plug.sendcell(col::Rx, 1);
    EXPECT_EQ(plug.channels().cell(col::Rx, 1), "173.98750") << "band 2 range 136-174";
}

TEST_F(CodeplugTest, DeleteClearAndSwapKeepNumbersAndLinks)
{
    typeAndCommit(col::Rx, 1, "450");
    typeAndCommit(col::Rx, 2, "460");
    plug.extras().setCell(xcol::Vox, 2, "启用");
    const auto first = row(1);
    const auto second = row(2);

    plug.swapChannels(1);
    EXPECT_EQ(row(1), second);
    EXPECT_EQ(row(2), first);
    EXPECT_EQ(plug.channels().cell(col::Number, 1), "001");
    typeAndCommit(col::Rx, 128, "440");
    const auto last = row(128);
    plug.swapChannels(128);  // no row 129: nothing happens
    EXPECT_EQ(row(128), last);
    EXPECT_EQ(plug.channels().cell(col::Rx, 128), "440.00000");
    EXPECT_EQ(plug.channels().cell(col::Number, 128), "128");
    plug.swapChannels(0);
    EXPECT_EQ(row(1), second);

    plug.deleteChannel(1);
    EXPECT_EQ(row(1), emptyRow());
    EXPECT_EQ(row(2), first);

    plug.clearAllChannels();
    for (int r = 1; r <= kChannelCount; ++r) {
        ASSERT_EQ(row(r), emptyRow());
        ASSERT_EQ(plug.channels().cell(col::Number, r), channelNumberText(r));
        ASSERT_EQ(plug.channels().cell(col::More, r), ">>");
    }
}

TEST_F(CodeplugTest, RewordReplacesKnownWordsColumnByColumn)
{
    typeAndCommit(col::Rx, 1, "450");
    plug.channels().setCell(col::RxTone, 1, "67.0");
    plug.channels().setCell(col::Power, 1, "低功率");
    plug.channels().setCell(col::Bandwidth, 1, "窄帶");
    plug.channels().setCell(col::Alias, 1, "OFF");
    plug.extras().setCell(xcol::VoiceMode, 1, "壓擴");
    plug.extras().setCell(xcol::Vox, 1, "啟用");
    plug.channels().setCell(col::ScanAdd, 1, "High");  // no switch word of this column

    plug.reword(kEnglish);
    const std::vector<std::string> expected = {"450.00000", "67.0", "450.00000", "OFF", "Low", "Narrow", "High", "OFF",
                                               "OFF",       "OFF",  "ON",        "ON",  "OFF", "0",      "0",    "Comp"};
    EXPECT_EQ(row(1), expected);
    EXPECT_EQ(plug.tones().text(0), "OFF");
    EXPECT_EQ(plug.words(), kEnglish);
    EXPECT_EQ(row(2), emptyRow());

    plug.reword(kChinese);
    EXPECT_EQ(plug.channels().cell(col::TxTone, 1), "禁用");
    EXPECT_EQ(plug.extras().cell(xcol::TailElim, 1), "启用");
    EXPECT_EQ(plug.extras().cell(xcol::VoiceMode, 1), "压扩");
    EXPECT_EQ(plug.tones().text(0), "禁用");
}

TEST_F(CodeplugTest, RewordFollowsAPreviousLanguagesOwnWord)
{
    typeAndCommit(col::Rx, 1, "450");
    DisplayWords custom = kEnglish;
    custom.off = "Aus";
    plug.reword(custom);
    EXPECT_EQ(plug.channels().cell(col::Dtmf, 1), "Aus");
    plug.reword(kChinese);
    EXPECT_EQ(plug.channels().cell(col::Dtmf, 1), "禁用");
}

TEST_F(CodeplugTest, ToneCodesOfCells)
{
    typeAndCommit(col::Rx, 1, "450");
    plug.channels().setCell(col::RxTone, 1, "67.0");
    plug.channels().setCell(col::TxTone, 1, "D754I");
    EXPECT_EQ(plug.writeRxcode(col::RxTone, 1).value(), "0282");
    EXPECT_EQ(plug.writeTxcode(col::TxTone, 1).value(), "6BE3");

    plug.reword(kEnglish);
    plug.channels().setCell(col::RxTone, 1, "OFF");
    EXPECT_EQ(plug.writeRxcode(col::RxTone, 1).value(), "FF00");

    plug.channels().setCell(col::TxTone, 9, "67.5");
    const auto bad = plug.writeTxcode(col::TxTone, 9);
    ASSERT_FALSE(bad.ok());
    EXPECT_NE(bad.error().message.find("channel 009"), std::string::npos) << bad.error().message;
    EXPECT_NE(bad.error().message.find("67.5"), std::string::npos) << bad.error().message;
}

TEST_F(CodeplugTest, SendCtcSetsToneAndCodeCell)
{
    struct Case {
        int column;
        const char* code;
        const char* tone;
        int codeColumn;
        const char* index;
    } cases[] = {
        {col::RxTone, "0282", "67.0", xcol::RxCode, "2"},
        {col::TxTone, "02C4", "D023N", xcol::TxCode, "53"},
        {col::TxTone, "02E3", "D023I", xcol::TxCode, "160"},
        {col::RxTone, "FF00", "禁用", xcol::RxCode, "0"},
        {col::RxTone, "3482", "禁用", xcol::RxCode, "0"},
        {col::TxTone, "0252", "禁用", xcol::TxCode, "0"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(plug.sendCTC(c.column, 10, c.code).ok()) << c.code;
        EXPECT_EQ(plug.channels().cell(c.column, 10), c.tone) << c.code;
        EXPECT_EQ(plug.extras().cell(c.codeColumn, 10), c.index) << c.code;
    }
}

TEST_F(CodeplugTest, SendCtcRefusesBadInputChangingNothing)
{
    plug.channels().setCell(col::RxTone, 10, "67.0");
    EXPECT_FALSE(plug.sendCTC(col::RxTone, 10, "02G2").ok());
    EXPECT_FALSE(plug.sendCTC(col::Power, 10, "0282").ok());
    EXPECT_FALSE(plug.sendCTC(col::RxTone, 0, "0282").ok());
    EXPECT_EQ(plug.channels().cell(col::RxTone, 10), "67.0");
    EXPECT_EQ(plug.channels().cell(col::Power, 10), "");
}

TEST_F(CodeplugTest, NewDocumentResetsSettingsAndChannelsButNotBands)
{
    typeAndCommit(col::Rx, 6, "450");
    plug.settings().assign(keys::Squelch, 9);
    plug.settings().assignText(keys::BandRx, "136-174MHz");
    plug.setCurrent(col::Alias, 6);
    plug.newDocument();
    EXPECT_EQ(row(6), emptyRow());
    EXPECT_EQ(plug.settings().value(keys::Squelch), 2);
    EXPECT_EQ(plug.settings().text(keys::BandRx), "136-174MHz");
    EXPECT_EQ(plug.currentRow(), 1);
    EXPECT_EQ(plug.currentColumn(), col::Rx);
}

TEST_F(CodeplugTest, EditingPositionIsKeptInsideTheTable)
{
    plug.setCurrent(99, 500);
    EXPECT_EQ(plug.currentRow(), 128);
    EXPECT_EQ(plug.currentColumn(), 11);
    plug.setCurrent(-1, 0);
    EXPECT_EQ(plug.currentRow(), 1);
    EXPECT_EQ(plug.currentColumn(), 0);
}

TEST_F(CodeplugTest, SwitchMeanings)
{
    typeAndCommit(col::Rx, 1, "450");
    EXPECT_TRUE(plug.isHighPower(1));
    EXPECT_TRUE(plug.isWide(1));
    EXPECT_TRUE(plug.isOn(plug.channels().cell(col::ScanAdd, 1)));
    EXPECT_FALSE(plug.isOn(plug.channels().cell(col::Dtmf, 1)));
    plug.channels().setCell(col::Power, 1, "High");  // another language's word
    EXPECT_FALSE(plug.isHighPower(1));
    EXPECT_TRUE(plug.isEmptyChannel(2));
}

TEST(TextTable, AnnouncesSingleCellsAndBulkRows)
{
    ChannelTable table;
    std::vector<TableChange> seen;
    const int id = table.addObserver([&](const TableChange& c) { seen.push_back(c); });
    table.setCell(col::Rx, 3, "450.00000");
    table.setCell(col::Rx, 3, "450.00000");  // same text: nothing to repaint
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].kind, TableChange::Kind::Cell);
    EXPECT_EQ(seen[0].column, col::Rx);
    EXPECT_EQ(seen[0].row, 3);

    seen.clear();
    {
        TableUpdate update(table);
        table.setCell(col::Rx, 9, "x");
        table.setCell(col::Tx, 4, "y");
        {
            TableUpdate nested(table);
            table.setCell(col::Tx, 20, "z");
        }
        EXPECT_TRUE(seen.empty());
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].kind, TableChange::Kind::Rows);
    EXPECT_EQ(seen[0].firstRow, 4);
    EXPECT_EQ(seen[0].lastRow, 20);

    seen.clear();
    { TableUpdate idle(table); }
    EXPECT_TRUE(seen.empty()) << "an update without changes says nothing";

    table.removeObserver(id);
    table.setCell(col::Rx, 1, "q");
    EXPECT_TRUE(seen.empty());
}

TEST(TextTable, CopiesCarryCellsNotObservers)
{
    ChannelTable table;
    int told = 0;
    table.addObserver([&](const TableChange&) { ++told; });
    ChannelTable copy = table;
    copy.setCell(col::Rx, 1, "450.00000");
    EXPECT_EQ(told, 0);
    EXPECT_EQ(copy.cell(col::Rx, 1), "450.00000");
    EXPECT_EQ(table.cell(col::Rx, 1), "");

    std::vector<TableChange> seen;
    table.addObserver([&](const TableChange& c) { seen.push_back(c); });
    table = copy;
    EXPECT_EQ(table.cell(col::Rx, 1), "450.00000");
    ASSERT_EQ(seen.size(), 1u) << "the assigned table's own observers hear of it";
    EXPECT_EQ(seen[0].kind, TableChange::Kind::Rows);
    EXPECT_EQ(seen[0].lastRow, 128);
}

TEST(TextTable, OutsideCoordinatesReadEmptyAndAreNotWritten)
{
    ChannelExtras extras;
    extras.setCell(7, 1, "x");
    extras.setCell(1, 129, "x");
    extras.setCell(-1, -1, "x");
    EXPECT_EQ(extras.cell(7, 1), "");
    EXPECT_EQ(extras.cell(1, 129), "");
    EXPECT_EQ(extras.cell(-1, 5), "");
}

TEST_F(CodeplugTest, ClearAllIsOneBulkChangePerTable)
{
    typeAndCommit(col::Rx, 1, "450");
    typeAndCommit(col::Rx, 128, "460");
    int channelChanges = 0, extrasChanges = 0;
    plug.channels().addObserver([&](const TableChange& c) {
        ++channelChanges;
        EXPECT_EQ(c.kind, TableChange::Kind::Rows);
        EXPECT_EQ(c.firstRow, 1);
        EXPECT_EQ(c.lastRow, 128);
    });
    plug.extras().addObserver([&](const TableChange&) { ++extrasChanges; });
    plug.clearAllChannels();
    EXPECT_EQ(channelChanges, 1);
    EXPECT_EQ(extrasChanges, 1);
}

}  // namespace
}  // namespace qx
