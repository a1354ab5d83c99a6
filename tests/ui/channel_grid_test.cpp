#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/language.h"
#include "model/codeplug.h"
#include "page_test_support.h"
#include "ui/channel_grid.h"
#include "ui/message_dialog.h"
#include "ui/skins.h"

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
        QApplication::setActiveWindow(page.get());
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

    QPushButton* button(const char* name) { return test::child<QPushButton>(*page, name); }
    void press(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // Channels whose RX cell is filled.
    int filledRows() const
    {
        int n = 0;
        for (int r = 1; r <= kChannelCount; ++r)
            n += doc.channels().cell(col::Rx, r).empty() ? 0 : 1;
        return n;
    }

    // The grid's tone selector's list, opened by a click on the selector.
    QAbstractItemView* openToneList()
    {
        QComboBox* tones = page->toneSelector();
        QTest::mouseClick(tones, Qt::LeftButton, {}, tones->rect().center());
        QAbstractItemView* list = tones->view();
        [&] { QTRY_VERIFY(list->isVisible()); }();
        return list;
    }

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
            QTest::mouseClick(test::child<QPushButton>(messages, buttonName), Qt::LeftButton);
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
    press(p.down ? "bsSkinButton4" : "bsSkinButton3");
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
    press("bsSkinButton4");
    EXPECT_EQ(cell(col::Rx, 3), "445.00000");
    EXPECT_EQ(doc.currentRow(), 3);
}

TEST_F(ChannelGridTest, DeleteChannelNeedsNoConfirmation)
{
    channel(7, "445.00000");
    click(col::Rx, 7);
    press("bsSkinButton5");
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
    press("bsSkinButton9");
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
    press("bsSkinButton9");
    EXPECT_EQ(cell(col::Rx, 9), "445.00000");
    EXPECT_EQ(page->grid()->currentIndex(), index(col::Tx, 9));
    EXPECT_EQ(messages.pendingAction(), pending::ClearChannels) << "Cancel keeps the action";
}

// ---- auto add ----------------------------------------------------------------------------------

TEST_F(ChannelGridTest, AutoAddAddsAtOnceThenAfterASecondThenEvery200ms)
{
    channel(1, "462.55000");
    click(col::Rx, 1);
    QTest::mousePress(button("bsSkinButton6"), Qt::LeftButton);
    EXPECT_EQ(cell(col::Rx, 2), "462.56250");
    EXPECT_EQ(cell(col::Power, 2), doc.words().high) << "with the defaults";
    EXPECT_EQ(doc.currentRow(), 2);
    EXPECT_EQ(page->grid()->currentIndex(), index(col::Rx, 2));
    EXPECT_EQ(page->frequencyEditor()->text().toStdString(), "462.56250");
    ASSERT_TRUE(page->autoAddTimer()->isActive());
    EXPECT_EQ(page->autoAddTimer()->interval(), 1000);

    QTRY_COMPARE_WITH_TIMEOUT(cell(col::Rx, 3), std::string("462.57500"), 5000);
    EXPECT_EQ(page->autoAddTimer()->interval(), 200);
    QTRY_COMPARE_WITH_TIMEOUT(cell(col::Rx, 4), std::string("462.58750"), 5000);

    QTest::mouseRelease(button("bsSkinButton6"), Qt::LeftButton);
    EXPECT_FALSE(page->autoAddTimer()->isActive()) << "the release stops it";
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
    const int firstAdded = *p.first ? 2 : 1;
    QTest::mousePress(button("bsSkinButton6"), Qt::LeftButton);
    const int last = firstAdded + int(p.added.size()) - 1;
    QTRY_VERIFY_WITH_TIMEOUT(!cell(col::Rx, last).empty(), 5000);
    QTest::mouseRelease(button("bsSkinButton6"), Qt::LeftButton);
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
    QTest::mousePress(button("bsSkinButton6"), Qt::LeftButton);
    EXPECT_EQ(cell(col::Rx, 128), "450.01250");
    EXPECT_EQ(cell(col::Alias, 128), "");
    // The first tick sets the repeat interval; at row 128 it adds nothing.
    QTRY_COMPARE_WITH_TIMEOUT(page->autoAddTimer()->interval(), 200, 5000);
    QTest::mouseRelease(button("bsSkinButton6"), Qt::LeftButton);
    EXPECT_EQ(doc.currentRow(), 128);
    EXPECT_EQ(cell(col::Rx, 128), "450.01250");
}

TEST_F(ChannelGridTest, AutoAddCompletesATypedChannelFirst)
{
    doc.channels().setCell(col::Rx, 1, "462.5");  // typed, not committed
    QTest::mousePress(button("bsSkinButton6"), Qt::LeftButton);
    QTest::mouseRelease(button("bsSkinButton6"), Qt::LeftButton);
    EXPECT_EQ(cell(col::Rx, 1), "462.50000");
    EXPECT_EQ(cell(col::RxTone, 1), doc.words().off);
    EXPECT_EQ(cell(col::Rx, 2), "");
}

TEST_F(ChannelGridTest, AutoAddDoesNothingWithoutBandLimits)
{
    doc.settings().setBandList(keys::BandRx, {}, -1);
    channel(1, "462.55000");
    click(col::Rx, 1);
    QTest::mousePress(button("bsSkinButton6"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(page->autoAddTimer()->interval(), 200, 5000);
    QTest::mouseRelease(button("bsSkinButton6"), Qt::LeftButton);
    EXPECT_EQ(cell(col::Rx, 2), "");
    // And no flag is left to swallow the next real toggle.
    click(col::Power, 1);
    EXPECT_EQ(cell(col::Power, 1), doc.words().low);
}

// ---- tones, alias and the single-channel link --------------------------------------------------

TEST_F(ChannelGridTest, ToneListOpensByClickShowingFifteenEntriesAndAPickSetsTheCellAndItsCode)
{
    channel(2, "462.55000");
    click(col::TxTone, 2);
    QComboBox* tones = page->toneSelector();
    ASSERT_TRUE(tones->isVisible());
    EXPECT_EQ(tones->currentIndex(), 0) << "the Off word is selected";

    QAbstractItemView* list = openToneList();
    EXPECT_TRUE(tones->isVisible()) << "opening its own list is not leaving the selector";
    const int top = list->indexAt(QPoint(4, 2)).row();
    const int bottom = list->indexAt(QPoint(4, list->viewport()->height() - 2)).row();
    EXPECT_EQ(bottom - top + 1, 15) << "entries shown at a time";

    // "D023N" is entry 53 of the tone list.
    const QModelIndex d023n = list->model()->index(53, 0);
    list->scrollTo(d023n);
    // The pointer goes over the entry (the list follows it), then clicks.
    const QPoint entry = list->visualRect(d023n).center();
    QTest::mouseMove(list->viewport(), entry - QPoint(0, 3));
    QTest::mouseMove(list->viewport(), entry);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry);
    EXPECT_EQ(cell(col::TxTone, 2), "D023N");
    EXPECT_EQ(extra(xcol::TxCode, 2), "53");
    EXPECT_EQ(extra(xcol::RxCode, 2), "0");
    EXPECT_TRUE(tones->isVisible()) << "still open until the focus leaves it";

    click(col::Rx, 3);  // the focus leaves it
    EXPECT_FALSE(tones->isVisible());
    EXPECT_EQ(cell(col::TxTone, 2), "D023N");
}

TEST_F(ChannelGridTest, ToneListOpensFromTheKeyboardAndPicksByKeys)
{
    struct Row {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Row rows[] = {{"Alt+Down", Qt::Key_Down, Qt::AltModifier},
                        {"F4", Qt::Key_F4, Qt::NoModifier},
                        {"Space", Qt::Key_Space, Qt::NoModifier}};
    int row = 1;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        channel(row, "462.55000");
        click(col::RxTone, row);
        QComboBox* tones = page->toneSelector();
        QAbstractItemView* list = openToneList();
        QTest::keyClick(list, Qt::Key_Escape);
        QTRY_VERIFY(!list->isVisible());
        ASSERT_TRUE(tones->isVisible());
        ASSERT_TRUE(tones->hasFocus());
        QTest::keyClick(tones, r.key, r.modifiers);
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        // Entry 2 is "67.0".
        EXPECT_EQ(cell(col::RxTone, row), "67.0");
        EXPECT_EQ(extra(xcol::RxCode, row), "2");
        ++row;
    }
}

TEST_F(ChannelGridTest, TheWheelOverTheToneSelectorMovesTheSelectionNotTheTone)
{
    channel(1, "462.55000");
    channel(2, "462.56250");
    click(col::RxTone, 1);
    QComboBox* tones = page->toneSelector();
    ASSERT_TRUE(tones->isVisible());
    const QPointF at = QPointF(tones->rect().center());
    QWheelEvent down(at, tones->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(tones, &down);
    EXPECT_EQ(cell(col::RxTone, 1), doc.words().off) << "the tone is unchanged";
    EXPECT_EQ(extra(xcol::RxCode, 1), "0");
    EXPECT_EQ(doc.currentRow(), 2);
    EXPECT_EQ(page->grid()->currentIndex(), index(col::RxTone, 2));
    EXPECT_TRUE(tones->isVisible()) << "the selector reopens on the next row";
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

// ---- headers, keys and row commands ---------------------------------------------------------

TEST_F(ChannelGridTest, AColumnHeaderClickOrDragChangesNothing)
{
    channel(1, "462.55000");
    click(col::Alias, 1);
    QHeaderView* header = page->grid()->horizontalHeader();
    const auto centre = [header](int column) {
        const int x = header->sectionViewportPosition(column - 1) + header->sectionSize(column - 1) / 2;
        return QPoint(x, header->height() / 2);
    };
    for (int column : {col::Power, col::Bandwidth, col::ScanAdd, col::Dtmf, col::PttId}) {
        SCOPED_TRACE(column);
        const std::string before = cell(column, 1);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre(column));
        EXPECT_EQ(cell(column, 1), before);
        EXPECT_EQ(page->grid()->currentIndex(), index(col::Alias, 1));
    }
    const std::vector<std::string> before = {cell(col::Power, 1), cell(col::Bandwidth, 1), cell(col::ScanAdd, 1),
                                             cell(col::Dtmf, 1), cell(col::PttId, 1)};
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, centre(col::Power));
    for (int column = col::Bandwidth; column <= col::PttId; ++column)
        QTest::mouseMove(header->viewport(), centre(column));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, centre(col::PttId));
    EXPECT_EQ((std::vector<std::string>{cell(col::Power, 1), cell(col::Bandwidth, 1), cell(col::ScanAdd, 1),
                                        cell(col::Dtmf, 1), cell(col::PttId, 1)}),
              before);
    EXPECT_EQ(page->grid()->currentIndex(), index(col::Alias, 1));
}

TEST_F(ChannelGridTest, ARowNumberClickCommitsAndMakesTheChannelCurrentWithoutAnEditor)
{
    channel(5, "450.00000");
    QSignalSpy selected(page.get(), &ChannelGrid::channelSelected);
    click(col::Rx, 3);
    QTest::keyClick(page->grid(), '4');
    QTest::keyClicks(page->frequencyEditor(), "62.5");
    QHeaderView* numbers = page->grid()->verticalHeader();
    const QPoint row5(numbers->width() / 2, numbers->sectionViewportPosition(4) + numbers->sectionSize(4) / 2);
    const std::vector<std::string> switches = {cell(col::Power, 5), cell(col::ScanAdd, 5)};
    QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {}, row5);
    EXPECT_EQ(cell(col::Rx, 3), "462.50000") << "the cell being left is committed";
    EXPECT_EQ(doc.currentRow(), 5);
    EXPECT_EQ(doc.currentColumn(), col::Rx);
    EXPECT_EQ(page->grid()->currentIndex(), index(col::Rx, 5));
    EXPECT_FALSE(page->frequencyEditor()->isVisible()) << "no editor opens";
    EXPECT_EQ((std::vector<std::string>{cell(col::Power, 5), cell(col::ScanAdd, 5)}), switches);
    ASSERT_FALSE(selected.isEmpty());
    EXPECT_EQ(selected.back().front().toInt(), 5) << "the single-channel page follows";
}

TEST_F(ChannelGridTest, PageKeysMoveWithoutToggling)
{
    for (int r = 1; r <= kChannelCount; ++r)
        channel(r, "450.00000");
    struct Row {
        const char* name;
        int column;
        int startRow;
        Qt::Key key;
    };
    const Row rows[] = {{"PageDown onto a power cell", col::Power, 1, Qt::Key_PageDown},
                        {"PageUp onto a PTT ID cell", col::PttId, 128, Qt::Key_PageUp},
                        {"PageDown onto a scan cell", col::ScanAdd, 20, Qt::Key_PageDown}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        click(r.column, r.startRow);
        std::vector<std::string> before;
        for (int row = 1; row <= kChannelCount; ++row)
            before.push_back(cell(r.column, row));
        key(page->grid(), r.key);
        ASSERT_NE(doc.currentRow(), r.startRow) << "the key moved the selection";
        EXPECT_EQ(doc.currentColumn(), r.column);
        std::vector<std::string> after;
        for (int row = 1; row <= kChannelCount; ++row)
            after.push_back(cell(r.column, row));
        EXPECT_EQ(after, before);
        EXPECT_FALSE(page->suppressToggle());
    }
}

TEST_F(ChannelGridTest, TabInAnEditorCommitsAndMovesAlongTheRow)
{
    click(col::Rx, 1);
    QTest::keyClick(page->grid(), '4');
    QTest::keyClicks(page->frequencyEditor(), "62.5");
    key(page->frequencyEditor(), Qt::Key_Tab);
    EXPECT_EQ(cell(col::Rx, 1), "462.50000");
    EXPECT_EQ(cell(col::Tx, 1), "462.50000");
    EXPECT_EQ(page->grid()->currentIndex(), index(col::RxTone, 1));
    EXPECT_TRUE(page->toneSelector()->isVisible());

    click(col::Alias, 1);
    QTest::keyClick(page->grid(), 'k');
    QTest::keyClicks(page->aliasEditor(), "a9");
    const std::string pttId = cell(col::PttId, 1);
    QTest::keyClick(page->aliasEditor(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(cell(col::Alias, 1), "KA9");
    EXPECT_EQ(page->grid()->currentIndex(), index(col::PttId, 1));
    EXPECT_EQ(cell(col::PttId, 1), pttId) << "moving by Tab flips no toggle";
    EXPECT_FALSE(page->aliasEditor()->isVisible());

    click(col::Tx, 1);
    QTest::keyClick(page->grid(), Qt::Key_Return);
    ASSERT_TRUE(page->frequencyEditor()->hasFocus());
    key(page->frequencyEditor(), Qt::Key_Tab);
    EXPECT_EQ(page->grid()->currentIndex(), index(col::TxTone, 1));
}

TEST_F(ChannelGridTest, AMovedChannelKeepsTheSelectionAndItsOpenEditor)
{
    click(col::Rx, 1);
    QTest::keyClick(page->grid(), '4');
    QTest::keyClicks(page->frequencyEditor(), "62.5");
    press("bsSkinButton4");
    QApplication::processEvents();  // the grid repaints before anyone looks
    EXPECT_EQ(cell(col::Rx, 2), "462.50000");
    EXPECT_EQ(page->grid()->currentIndex(), index(col::Rx, 2));
    QLineEdit* editor = page->frequencyEditor();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry(), page->grid()->visualRect(index(col::Rx, 2)));
    EXPECT_EQ(editor->text().toStdString(), "462.50000");

    channel(5, "450.00000");
    click(col::Power, 5);
    const std::string power = cell(col::Power, 5);
    press("bsSkinButton3");
    EXPECT_EQ(page->grid()->currentIndex(), index(col::Power, 4));
    EXPECT_EQ(cell(col::Power, 4), power) << "following the channel toggles nothing";
}

// ---- what enters the editors -----------------------------------------------------------------

TEST_F(ChannelGridTest, TextEntersTheEditorsOnlyThroughTheirFilters)
{
    channel(1, "462.55000");
    QClipboard* clipboard = QGuiApplication::clipboard();
    struct Route {
        const char* name;
        std::function<void(QLineEdit*)> act;
        bool needsSelection = false;
    };
    const Route routes[] = {
        {"Ctrl+V", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier); }},
        {"Shift+Insert", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier); }},
        {"middle button", [](QLineEdit* e) { QTest::mouseClick(e, Qt::MiddleButton, {}, e->rect().center()); },
         true},
        {"drop",
         [](QLineEdit* e) {
             QMimeData data;
             data.setText(QStringLiteral("9x9"));
             const QPointF at = QPointF(e->rect().center());
             QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(e, &enter);
             QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(e, &drop);
         }},
    };
    for (int column : {col::Rx, col::Alias}) {
        for (const Route& r : routes) {
            SCOPED_TRACE(std::string(r.name) + (column == col::Rx ? " into the frequency" : " into the alias"));
            if (r.needsSelection && !clipboard->supportsSelection())
                continue;  // this platform has no selection to paste
            clipboard->setText(QStringLiteral("9x9"));
            if (clipboard->supportsSelection())
                clipboard->setText(QStringLiteral("9x9"), QClipboard::Selection);
            click(column, 1);
            QLineEdit* editor = column == col::Rx ? page->frequencyEditor() : page->aliasEditor();
            ASSERT_TRUE(editor->isVisible());
            editor->setFocus();
            const QString before = editor->text();
            r.act(editor);
            EXPECT_EQ(editor->text(), before);
        }
    }
}

TEST_F(ChannelGridTest, InputMethodTextPassesTheFilterCharacterByCharacter)
{
    channel(1, "462.55000");
    struct Row {
        const char* name;
        int column;
        const char* committed;
        const char* cellAfter;
    };
    const Row rows[] = {{"frequency keeps digits and one point after three", col::Rx, "4a6.2.5", "462.5"},
                        {"alias refuses its signs and is upper-cased", col::Alias, "a!b$c", "ABC"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        click(r.column, 1);
        QLineEdit* editor = r.column == col::Rx ? page->frequencyEditor() : page->aliasEditor();
        editor->setFocus();
        editor->clear();
        QInputMethodEvent ime;
        ime.setCommitString(QString::fromUtf8(r.committed));
        QApplication::sendEvent(editor, &ime);
        EXPECT_EQ(cell(r.column, 1), r.cellAfter) << "the cell follows as after typed keys";
        EXPECT_EQ(editor->text().toStdString(), r.cellAfter);
    }
}

// ---- looks ----------------------------------------------------------------------------------

TEST_F(ChannelGridTest, TheCurrentCellIsMarkedInEverySkin)
{
    const QPalette palette = QApplication::palette();
    for (int skin = skins::kFirst; skin <= skins::kLast; ++skin) {
        SCOPED_TRACE(skin);
        skins::apply(skin);
        click(col::Alias, 4);  // an empty channel: no editor covers the cell
        ASSERT_FALSE(page->aliasEditor()->isVisible());
        const QImage shot = page->grid()->viewport()->grab().toImage();
        // Rows 4 and 7 share the shaded background; only the current one carries the mark.
        const QRect current = page->grid()->visualRect(index(col::Alias, 4));
        const QRect other = page->grid()->visualRect(index(col::Alias, 7));
        const qreal scale = shot.devicePixelRatio();
        const auto pixel = [&](const QRect& r) {
            return shot.pixelColor(QPoint(int((r.left() + 1) * scale), int(r.center().y() * scale)));
        };
        EXPECT_NE(pixel(current), pixel(other));
    }
    qApp->setStyleSheet(QString());
    QApplication::setPalette(palette);
}

TEST_F(ChannelGridTest, TheChannelNumberColumnShowsItsHeader)
{
    auto* header = page->grid()->findChild<QLabel*>(QStringLiteral("channelNumberHeader"));
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(header->isVisible());
    EXPECT_EQ(header->text().toStdString(), "信道");
    const QHeaderView* numbers = page->grid()->verticalHeader();
    EXPECT_EQ(header->width(), numbers->width());
    EXPECT_EQ(header->height(), page->grid()->horizontalHeader()->height());
    doc.channels().setCell(col::Number, 0, "CH");  // a language change re-words the headers
    EXPECT_EQ(header->text().toStdString(), "CH");
}

TEST_F(ChannelGridTest, AutoAddHoldsWithAnyButtonWhereverThePointerGoes)
{
    for (Qt::MouseButton held : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(held);
        doc.clearAllChannels();
        channel(1, "462.55000");
        click(col::Rx, 1);
        QPushButton* add = button("bsSkinButton6");
        QTest::mousePress(add, held, {}, add->rect().center());
        EXPECT_EQ(cell(col::Rx, 2), "462.56250") << "one at once";
        ASSERT_TRUE(page->autoAddTimer()->isActive());
        QTest::mouseMove(add, add->rect().bottomRight() + QPoint(60, 60));  // off the button
        EXPECT_TRUE(page->autoAddTimer()->isActive()) << "leaving does not stop it";
        QTRY_COMPARE_WITH_TIMEOUT(cell(col::Rx, 3), std::string("462.57500"), 5000);
        const int added = filledRows();
        QTest::mouseMove(add, add->rect().center());  // back on
        EXPECT_EQ(filledRows(), added) << "re-entering adds nothing";
        EXPECT_EQ(page->autoAddTimer()->interval(), 200) << "and does not restart the delay";
        QTest::mouseRelease(add, held, {}, add->rect().bottomRight() + QPoint(60, 60));
        EXPECT_FALSE(page->autoAddTimer()->isActive()) << "the release stops it, wherever it happens";
    }
}

}  // namespace
}  // namespace qx
