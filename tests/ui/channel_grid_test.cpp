#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "files/language.h"
#include "model/codeplug.h"
#include "page_test_support.h"
#include "ui/channel_grid.h"
#include "ui/message_dialog.h"

namespace qx {
namespace {

// Step option indexes.
constexpr int kStep12k5 = 3;
constexpr int kStep25k = 4;

// The application exists before the fixture's widgets are built.
struct WithApplication {
    WithApplication() { test::ensureApplication(); }
};

class ChannelGridTest : public ::testing::Test, private WithApplication {
protected:
    void SetUp() override
    {
        doc.settings().setBandList(keys::BandRx, {"400-470MHz"}, 0);
        doc.settings().assign(keys::Step, kStep12k5);
        page = std::make_unique<ChannelGrid>(doc);
        page->setMessageDialog(&messages);
        page->resize(900, 600);
        page->show();
    }

    std::string cell(int column, int row) const { return doc.channels().cell(column, row); }
    std::string extra(int column, int row) const { return doc.extras().cell(column, row); }

    QModelIndex index(int column, int row) const { return page->grid()->model()->index(row - 1, column - 1); }

    void click(int column, int row)
    {
        page->grid()->scrollTo(index(column, row));
        QTest::mouseClick(page->grid()->viewport(), Qt::LeftButton, {},
                          page->grid()->visualRect(index(column, row)).center());
    }

    void key(QWidget* target, Qt::Key k) { QTest::keyClick(target, k); }

    // A completed channel, as a commit leaves it.
    void channel(int row, const char* rx)
    {
        doc.channels().setCell(col::Rx, row, rx);
        doc.fillDefaults(row);
    }

    // Presses the message dialog's button as soon as the dialog runs modally.
    void answerNextQuestion(const char* buttonName)
    {
        QTimer::singleShot(0, &messages, [this, buttonName] {
            test::child<QPushButton>(messages, buttonName)->click();
        });
    }

    Codeplug doc;
    MessageDialog messages{doc};
    std::unique_ptr<ChannelGrid> page;
};

// ---- typing and committing a frequency ----------------------------------------------------------

struct TypedFrequency {
    const char* name;
    const char* typed;
    const char* committed;
};

class TypedFrequencyTest : public ChannelGridTest, public ::testing::WithParamInterface<TypedFrequency> {};

TEST_P(TypedFrequencyTest, LeavingTheCellNormalisesAndCompletesTheChannel)
{
    const TypedFrequency& p = GetParam();
    click(col::Rx, 1);
    QLineEdit* editor = page->frequencyEditor();
    ASSERT_TRUE(editor->isVisible());
    // The first digit goes to the grid, which hands it to the editor; the rest is typed there.
    const std::string typed = p.typed;
    QTest::keyClick(page->grid(), typed[0]);
    QTest::keyClicks(editor, QString::fromStdString(typed.substr(1)));
    EXPECT_EQ(cell(col::Rx, 1), typed) << "the cell follows the typing";

    click(col::Alias, 2);
    EXPECT_EQ(cell(col::Rx, 1), p.committed);
    EXPECT_EQ(cell(col::Tx, 1), p.committed);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, TypedFrequencyTest,
    ::testing::Values(TypedFrequency{"PointTyped", "462.55", "462.55000"},
                      TypedFrequency{"NoPointIsClampedBelowTheHighEdge", "46255", "469.98750"},
                      TypedFrequency{"BelowTheBandRisesToTheLowEdge", "399", "400.00000"},
                      TypedFrequency{"OnTheHighEdgeStays", "470", "470.00000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelGridTest, ANewChannelGetsTheDefaultRow)
{
    click(col::Rx, 5);
    QTest::keyClick(page->grid(), '4');
    QTest::keyClicks(page->frequencyEditor(), "50");
    click(col::Rx, 6);
    const DisplayWords& w = doc.words();
    const std::vector<std::string> row = {cell(1, 5), cell(2, 5), cell(3, 5), cell(4, 5), cell(5, 5),
                                          cell(6, 5), cell(7, 5), cell(8, 5), cell(9, 5), cell(10, 5)};
    EXPECT_EQ(row, (std::vector<std::string>{"450.00000", w.off, "450.00000", w.off, w.high, w.wide, w.on,
                                             w.off, w.off, ""}));
    const std::vector<std::string> extras = {extra(1, 5), extra(2, 5), extra(3, 5),
                                             extra(4, 5), extra(5, 5), extra(6, 5)};
    EXPECT_EQ(extras, (std::vector<std::string>{w.on, w.off, w.off, "0", "0", w.off}));
}

TEST_F(ChannelGridTest, EnterInTheEditorCommitsAndShowsTheNormalisedText)
{
    click(col::Rx, 1);
    QTest::keyClick(page->grid(), '4');
    QTest::keyClicks(page->frequencyEditor(), "62.5625");
    key(page->frequencyEditor(), Qt::Key_Return);
    EXPECT_EQ(cell(col::Rx, 1), "462.56250");
    EXPECT_TRUE(page->frequencyEditor()->isVisible());
    EXPECT_EQ(page->frequencyEditor()->text().toStdString(), "462.56250");
}

TEST_F(ChannelGridTest, TxEditorOnlyForAFilledChannel)
{
    click(col::Tx, 1);
    EXPECT_FALSE(page->frequencyEditor()->isVisible()) << "empty channel";
    channel(1, "462.55000");
    click(col::Tx, 1);
    EXPECT_TRUE(page->frequencyEditor()->isVisible());
    EXPECT_EQ(page->frequencyEditor()->text().toStdString(), "462.55000");
}

// ---- the frequency key filter ------------------------------------------------------------------

struct FilterCase {
    const char* name;
    const char* keys;
    const char* text;
};

class FrequencyFilterTest : public ChannelGridTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FrequencyFilterTest, OnlyDigitsAndOnePointAfterThreeCharacters)
{
    click(col::Rx, 1);
    page->frequencyEditor()->clear();
    QTest::keyClicks(page->frequencyEditor(), GetParam().keys);
    EXPECT_EQ(page->frequencyEditor()->text().toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, FrequencyFilterTest,
    ::testing::Values(FilterCase{"PointRefusedAfterTwoDigits", "46.", "46"},
                      FilterCase{"PointAcceptedAfterThreeDigits", "462.", "462."},
                      FilterCase{"SecondPointRefused", "462.5.5", "462.55"},
                      FilterCase{"LettersAndSignsRefused", "4a6-2+x", "462"},
                      FilterCase{"AtMostNineCharacters", "462.5625012", "462.56250"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- click toggles -----------------------------------------------------------------------------

struct ToggleCase {
    const char* name;
    int column;
    Word start;
    Word afterClick;
};

class ToggleTest : public ChannelGridTest, public ::testing::WithParamInterface<ToggleCase> {};

TEST_P(ToggleTest, AClickAlternatesTheTwoWords)
{
    const ToggleCase& p = GetParam();
    channel(3, "462.55000");
    doc.channels().setCell(p.column, 3, doc.words().get(p.start));
    click(p.column, 3);
    EXPECT_EQ(cell(p.column, 3), doc.words().get(p.afterClick));
    click(p.column, 3);
    EXPECT_EQ(cell(p.column, 3), doc.words().get(p.start));
}

INSTANTIATE_TEST_SUITE_P(Grid, ToggleTest,
                         ::testing::Values(ToggleCase{"PowerHighToLow", col::Power, Word::High, Word::Low},
                                           ToggleCase{"BandwidthWideToNarrow", col::Bandwidth, Word::Wide,
                                                      Word::Narrow},
                                           ToggleCase{"ScanOnToOff", col::ScanAdd, Word::On, Word::Off},
                                           ToggleCase{"DtmfOffToOn", col::Dtmf, Word::Off, Word::On},
                                           ToggleCase{"PttIdOffToOn", col::PttId, Word::Off, Word::On}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelGridTest, ToggleIgnoresEmptyChannelsAndReplacesStrangeText)
{
    click(col::Power, 2);
    EXPECT_EQ(cell(col::Power, 2), "") << "an empty channel stays empty";
    channel(2, "462.55000");
    doc.channels().setCell(col::Power, 2, "xyz");
    click(col::Power, 2);
    EXPECT_EQ(cell(col::Power, 2), doc.words().high);
}

TEST_F(ChannelGridTest, ArrowKeysAndWheelNeverFlipAToggle)
{
    channel(1, "462.55000");
    channel(2, "462.56250");
    click(col::TxTone, 1);
    key(page->grid(), Qt::Key_Right);  // into the power column
    EXPECT_EQ(doc.currentColumn(), col::Power);
    EXPECT_EQ(cell(col::Power, 1), doc.words().high);
    EXPECT_FALSE(page->suppressToggle()) << "the flag is used up by the click of the move";

    QWheelEvent down(QPointF(20, 20), page->grid()->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(page->grid()->viewport(), &down);
    EXPECT_EQ(doc.currentRow(), 2);
    EXPECT_EQ(cell(col::Power, 2), doc.words().high);

    click(col::Power, 2);  // a real click still toggles
    EXPECT_EQ(cell(col::Power, 2), doc.words().low);
}

TEST_F(ChannelGridTest, ArrowAgainstTheEdgeLeavesNoFlagBehind)
{
    channel(1, "462.55000");
    click(col::Power, 1);
    ASSERT_EQ(cell(col::Power, 1), doc.words().low);
    key(page->grid(), Qt::Key_Up);  // row 1: nothing to move to
    click(col::Power, 1);
    EXPECT_EQ(cell(col::Power, 1), doc.words().high);
}

// ---- Delete and Backspace ----------------------------------------------------------------------

TEST_F(ChannelGridTest, DeleteEmptiesTheRowAndTheCommitEmptiesItsExtras)
{
    channel(4, "462.55000");
    doc.channels().setCell(col::Alias, 4, "BASE");
    click(col::Bandwidth, 4);
    key(page->grid(), Qt::Key_Delete);
    for (int c = col::Rx; c <= col::Alias; ++c)
        EXPECT_EQ(cell(c, 4), "") << "column " << c;
    EXPECT_EQ(cell(col::More, 4), ">>");
    click(col::Rx, 5);
    EXPECT_EQ(extra(xcol::TailElim, 4), "");
}

TEST_F(ChannelGridTest, BackspaceErasesOnlyACommittedFrequency)
{
    channel(1, "462.55000");
    click(col::Tx, 1);
    key(page->grid(), Qt::Key_Backspace);
    EXPECT_EQ(cell(col::Tx, 1), "");

    click(col::Rx, 2);
    QTest::keyClick(page->grid(), '4');
    QTest::keyClicks(page->frequencyEditor(), "62");
    key(page->grid(), Qt::Key_Backspace);
    EXPECT_EQ(cell(col::Rx, 2), "462") << "a frequency being typed is not erased";
}

// ---- moving channels ---------------------------------------------------------------------------

struct MoveCase {
    const char* name;
    int row;
    bool down;
    int rowAfter;      // current row afterwards
    int movedTo;       // where the channel stands afterwards
};

class MoveTest : public ChannelGridTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveTest, MovesWithinTheTableOnly)
{
    const MoveCase& p = GetParam();
    channel(p.row, "445.00000");
    click(col::Rx, p.row);
    test::child<QPushButton>(*page, p.down ? "bsSkinButton4" : "bsSkinButton3")->click();
    EXPECT_EQ(doc.currentRow(), p.rowAfter);
    EXPECT_EQ(cell(col::Rx, p.movedTo), "445.00000");
    if (p.movedTo != p.row) {
        EXPECT_EQ(cell(col::Rx, p.row), "") << "swapped with the empty neighbour";
    }
}

INSTANTIATE_TEST_SUITE_P(Grid, MoveTest,
                         ::testing::Values(MoveCase{"DownFromRow1", 1, true, 2, 2},
                                           MoveCase{"UpFromRow2", 2, false, 1, 1},
                                           MoveCase{"DownFromRow128Stays", 128, true, 128, 128},
                                           MoveCase{"UpFromRow1Stays", 1, false, 1, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelGridTest, MoveNeedsTheCurrentCellFilled)
{
    channel(3, "445.00000");
    click(col::Alias, 3);  // empty alias
    test::child<QPushButton>(*page, "bsSkinButton4")->click();
    EXPECT_EQ(cell(col::Rx, 3), "445.00000");
    EXPECT_EQ(doc.currentRow(), 3);
}

TEST_F(ChannelGridTest, DeleteChannelNeedsNoConfirmation)
{
    channel(7, "445.00000");
    click(col::Rx, 7);
    test::child<QPushButton>(*page, "bsSkinButton5")->click();
    EXPECT_EQ(cell(col::Rx, 7), "");
    EXPECT_EQ(extra(xcol::TailElim, 7), "");
    EXPECT_FALSE(page->frequencyEditor()->isVisible());
    EXPECT_TRUE(page->frequencyEditor()->text().isEmpty());
}

// ---- clearing the channels ---------------------------------------------------------------------

TEST_F(ChannelGridTest, ClearAsksAndOkClears)
{
    channel(9, "445.00000");
    doc.settings().assign(keys::Squelch, 5);
    click(col::Tx, 9);
    answerNextQuestion("bsSkinButton1");
    test::child<QPushButton>(*page, "bsSkinButton9")->click();
    EXPECT_EQ(messages.message().toStdString(), StringTable::builtIn().text(64));
    EXPECT_EQ(messages.windowTitle().toStdString(), StringTable::builtIn().text(62));
    EXPECT_EQ(cell(col::Rx, 9), "");
    EXPECT_EQ(extra(xcol::TailElim, 9), "");
    EXPECT_EQ(doc.settings().value(keys::Squelch), 5) << "settings are not touched";
    EXPECT_EQ(page->grid()->currentIndex(), index(col::Rx, 1));
    EXPECT_EQ(messages.pendingAction(), pending::Information);
}

TEST_F(ChannelGridTest, ClearCancelledChangesNothing)
{
    channel(9, "445.00000");
    click(col::Tx, 9);
    answerNextQuestion("bsSkinButton2");
    test::child<QPushButton>(*page, "bsSkinButton9")->click();
    EXPECT_EQ(cell(col::Rx, 9), "445.00000");
    EXPECT_EQ(page->grid()->currentIndex(), index(col::Tx, 9));
    EXPECT_EQ(messages.pendingAction(), pending::ClearChannels) << "Cancel keeps the action";
}

// ---- auto add ----------------------------------------------------------------------------------

TEST_F(ChannelGridTest, AutoAddAddsAtOnceThenAfterASecondThenEvery200ms)
{
    channel(1, "462.55000");
    click(col::Rx, 1);
    page->bsSkinButton6MouseDown();
    EXPECT_EQ(cell(col::Rx, 2), "462.56250");
    EXPECT_EQ(cell(col::Power, 2), doc.words().high) << "with the defaults";
    EXPECT_EQ(doc.currentRow(), 2);
    EXPECT_EQ(page->grid()->currentIndex(), index(col::Rx, 2));
    EXPECT_EQ(page->frequencyEditor()->text().toStdString(), "462.56250");
    ASSERT_TRUE(page->autoAddTimer()->isActive());
    EXPECT_EQ(page->autoAddTimer()->interval(), 1000);

    page->Timer1Timer();
    EXPECT_EQ(cell(col::Rx, 3), "462.57500");
    EXPECT_EQ(page->autoAddTimer()->interval(), 200);
    page->Timer1Timer();
    EXPECT_EQ(cell(col::Rx, 4), "462.58750");

    page->bsSkinButton6MouseUp();
    EXPECT_FALSE(page->autoAddTimer()->isActive());
}

struct AutoAddCase {
    const char* name;
    int step;
    const char* first;                 // RX of the current row, empty for an empty row
    std::vector<const char*> added;   // RX of the rows that press, tick, tick, ... fill
};

class AutoAddTest : public ChannelGridTest, public ::testing::WithParamInterface<AutoAddCase> {};

TEST_P(AutoAddTest, StepsAndWrapsInTheBand1ReceiveRange)
{
    const AutoAddCase& p = GetParam();
    doc.settings().assign(keys::Step, p.step);
    if (*p.first)
        channel(1, p.first);
    click(col::Rx, 1);
    page->bsSkinButton6MouseDown();
    for (std::size_t i = 1; i < p.added.size(); ++i)
        page->Timer1Timer();
    page->bsSkinButton6MouseUp();
    const int firstAdded = *p.first ? 2 : 1;
    for (std::size_t i = 0; i < p.added.size(); ++i)
        EXPECT_EQ(cell(col::Rx, firstAdded + int(i)), p.added[i]) << "row " << firstAdded + int(i);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, AutoAddTest,
    ::testing::Values(AutoAddCase{"EmptyRowStartsAtTheLowEdge", kStep25k, "", {"400.00000", "400.02500"}},
                      AutoAddCase{"PassingTheHighEdgeRestartsAtTheLowEdge", kStep12k5, "469.98750",
                                  {"470.00000", "400.00000", "400.01250"}},
                      AutoAddCase{"SixPointTwoFiveRaster", 1, "446.00625", {"446.01250", "446.01875"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelGridTest, AutoAddStopsAtChannel128AndOverwritesFilledRows)
{
    channel(127, "450.00000");
    channel(128, "460.00000");
    doc.channels().setCell(col::Alias, 128, "OLD");
    click(col::Rx, 127);
    page->bsSkinButton6MouseDown();
    EXPECT_EQ(cell(col::Rx, 128), "450.01250");
    EXPECT_EQ(cell(col::Alias, 128), "");
    page->Timer1Timer();
    EXPECT_EQ(doc.currentRow(), 128);
    EXPECT_EQ(cell(col::Rx, 128), "450.01250");
}

TEST_F(ChannelGridTest, AutoAddCompletesATypedChannelFirst)
{
    doc.channels().setCell(col::Rx, 1, "462.5");  // typed, not committed
    page->bsSkinButton6MouseDown();
    EXPECT_EQ(cell(col::Rx, 1), "462.50000");
    EXPECT_EQ(cell(col::RxTone, 1), doc.words().off);
    EXPECT_EQ(cell(col::Rx, 2), "");
}

TEST_F(ChannelGridTest, AutoAddDoesNothingWithoutBandLimits)
{
    doc.settings().setBandList(keys::BandRx, {}, -1);
    channel(1, "462.55000");
    click(col::Rx, 1);
    page->bsSkinButton6MouseDown();
    page->Timer1Timer();
    page->bsSkinButton6MouseUp();
    EXPECT_EQ(cell(col::Rx, 2), "");
    // And no flag is left to swallow the next real toggle.
    click(col::Power, 1);
    EXPECT_EQ(cell(col::Power, 1), doc.words().low);
}

// ---- tones, alias and the single-channel link --------------------------------------------------

TEST_F(ChannelGridTest, ToneChoiceSetsTheCellAndItsCode)
{
    channel(2, "462.55000");
    click(col::TxTone, 2);
    QComboBox* tones = page->toneSelector();
    ASSERT_TRUE(tones->isVisible());
    EXPECT_EQ(tones->currentIndex(), 0) << "the Off word is selected";
    const int d023n = doc.tones().indexOf("D023N");
    tones->setCurrentIndex(d023n);
    emit tones->activated(d023n);
    EXPECT_EQ(cell(col::TxTone, 2), "D023N");
    EXPECT_EQ(extra(xcol::TxCode, 2), std::to_string(d023n));
    EXPECT_EQ(extra(xcol::RxCode, 2), "0");
}

TEST_F(ChannelGridTest, AliasTypedOnTheGridIsUpperCaseAndFiltered)
{
    channel(2, "462.55000");
    click(col::Alias, 2);
    ASSERT_TRUE(page->aliasEditor()->isVisible());
    QTest::keyClick(page->grid(), '!');
    EXPECT_EQ(cell(col::Alias, 2), "") << "refused on the grid";
    QTest::keyClick(page->grid(), 'b');
    QTest::keyClicks(page->aliasEditor(), "a$s-e");
    EXPECT_EQ(cell(col::Alias, 2), "BAS-E");
    EXPECT_EQ(page->aliasEditor()->text().toStdString(), "BAS-E");
}

TEST_F(ChannelGridTest, DoubleClickOnMoreOpensTheSingleChannelPage)
{
    QSignalSpy open(page.get(), &ChannelGrid::openSingleChannel);
    page->grid()->scrollTo(index(col::More, 12));
    const QPoint at = page->grid()->visualRect(index(col::More, 12)).center();
    QTest::mouseDClick(page->grid()->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(open.count(), 1);
    EXPECT_EQ(open.front().front().toInt(), 12);
    const QPoint alias = page->grid()->visualRect(index(col::Alias, 12)).center();
    QTest::mouseDClick(page->grid()->viewport(), Qt::LeftButton, {}, alias);
    EXPECT_EQ(open.count(), 1) << "other columns open nothing";
}

}  // namespace
}  // namespace qx
