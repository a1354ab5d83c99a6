#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "model/codeplug.h"
#include "page_test_support.h"
#include "ui/channel_page.h"

namespace qx {
namespace {

using test::child;
using test::shown;

// Every cell of both tables, to prove that something changed none of them.
std::vector<std::string> snapshot(const Codeplug& doc) {
  std::vector<std::string> cells;
  for (int r = 1; r <= kChannelCount; ++r) {
    for (int c = 0; c < col::Count; ++c) cells.push_back(doc.channels().cell(c, r));
    for (int c = 1; c < xcol::Count; ++c) cells.push_back(doc.extras().cell(c, r));
  }
  return cells;
}

class ChannelPageTest : public ::testing::Test, test::WithApplication {
 protected:
  ChannelPageTest() {
    doc.settings().setBandList(keys::BandRx, {"400-470MHz"}, 0);
    page.show();
    QApplication::setActiveWindow(&page);
  }

  // A completed channel in `row`, as the grid leaves one.
  void makeChannel(int row, const char* rx) {
    doc.channels().setCell(col::Rx, row, rx);
    doc.fillDefaults(row);
  }
  void showChannel(int row) { page.setChannelNumber(row); }

  QLineEdit* edit(const char* name) { return child<QLineEdit>(page, name); }
  QComboBox* box(const char* name) { return child<QComboBox>(page, name); }
  QCheckBox* check(const char* name) { return child<QCheckBox>(page, name); }
  QSpinBox* number() { return child<QSpinBox>(page, "bsSkinSpinEdit20"); }

  // Opens a list by a click and picks entry `index` with the pointer, as a person does.
  void pick(QComboBox* list, int index) {
    QTest::mouseClick(list, Qt::LeftButton, {}, list->rect().center());
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex entry = view->model()->index(index, 0);
    view->scrollTo(entry);
    const QPoint at = view->visualRect(entry).center();
    QTest::mouseMove(view->viewport(), at - QPoint(0, 3));
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(!view->isVisible());
  }

  // A click on the channel number's up (or down) arrow.
  void stepNumber(bool up) {
    QSpinBox* spin = number();
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.frame = spin->hasFrame();
    const QRect arrow = spin->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                      up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, spin);
    QTest::mouseClick(spin, Qt::LeftButton, {}, arrow.center());
  }
  const std::string& cell(int column, int row) { return doc.channels().cell(column, row); }
  const std::string& extra(int column, int row) { return doc.extras().cell(column, row); }

  Codeplug doc;
  ChannelPage page{doc};
};

TEST_F(ChannelPageTest, EmptyChannelOffersOnlyTheReceiveFieldAndShowsNewChannelValues) {
  showChannel(5);
  EXPECT_TRUE(edit("bsSkinEdit11")->isEnabled());
  EXPECT_TRUE(child<QSpinBox>(page, "bsSkinSpinEdit20")->isEnabled());
  for (const char* name : {"bsSkinEdit13", "bsSkinEdit8", "bsSkinComboBox19", "bsSkinComboBox23", "bsSkinComboBox24",
                           "bsSkinComboBox31", "bsSkinComboBox32", "bsSkinCheckRadioBox7", "bsSkinCheckRadioBox2",
                           "bsSkinCheckRadioBox3", "bsSkinCheckRadioBox5", "bsSkinCheckRadioBox15",
                           "bsSkinCheckRadioBox4"}) {
    EXPECT_FALSE(child<QWidget>(page, name)->isEnabled()) << name;
  }
  EXPECT_EQ(box("bsSkinComboBox19")->currentIndex(), 0);
  EXPECT_EQ(shown(box("bsSkinComboBox24")), "高功率");
  EXPECT_EQ(shown(box("bsSkinComboBox31")), "宽带");
  EXPECT_EQ(shown(box("bsSkinComboBox32")), "禁用");
  EXPECT_TRUE(check("bsSkinCheckRadioBox2")->isChecked());
  EXPECT_TRUE(check("bsSkinCheckRadioBox3")->isChecked());
  EXPECT_FALSE(check("bsSkinCheckRadioBox7")->isChecked());

  // A disabled tone selector opens nothing, takes no keys and changes no cell.
  const auto before = snapshot(doc);
  QComboBox* decode = box("bsSkinComboBox19");
  QTest::mouseClick(decode, Qt::LeftButton, {}, decode->rect().center());
  QTest::keyClick(decode, Qt::Key_Down);
  EXPECT_FALSE(decode->view()->isVisible());
  EXPECT_EQ(decode->currentIndex(), 0);
  EXPECT_EQ(snapshot(doc), before);
}

TEST_F(ChannelPageTest, AFrequencyTypedOnAnEmptyChannelCreatesIt) {
  showChannel(7);
  QLineEdit* rx = edit("bsSkinEdit11");
  rx->setFocus();
  QTest::keyClicks(rx, "44x6.00625");  // "x" is refused
  EXPECT_EQ(cell(col::Rx, 7), "446.00625");
  EXPECT_EQ(cell(col::RxTone, 7), "");
  QTest::keyClick(rx, Qt::Key_Return);

  EXPECT_EQ(cell(col::Tx, 7), "446.00625");
  EXPECT_EQ(cell(col::RxTone, 7), "禁用");
  EXPECT_EQ(cell(col::Power, 7), "高功率");
  EXPECT_EQ(extra(xcol::TailElim, 7), "启用");
  EXPECT_EQ(extra(xcol::RxCode, 7), "0");
  EXPECT_TRUE(edit("bsSkinEdit13")->isEnabled());
  EXPECT_EQ(edit("bsSkinEdit13")->text().toStdString(), "446.00625");
  EXPECT_TRUE(box("bsSkinComboBox19")->isEnabled());
  EXPECT_TRUE(check("bsSkinCheckRadioBox4")->isEnabled());
  EXPECT_TRUE(check("bsSkinCheckRadioBox2")->isChecked());
  EXPECT_EQ(doc.currentColumn(), col::Rx);
}

TEST_F(ChannelPageTest, ThePointIsRefusedUntilThreeCharactersAndAfterTheFirst) {
  showChannel(2);
  QLineEdit* rx = edit("bsSkinEdit11");
  rx->setFocus();
  QTest::keyClicks(rx, "46.2.5.5");
  EXPECT_EQ(rx->text().toStdString(), "462.55");
  QTest::keyClick(rx, Qt::Key_Tab);  // leaving the field commits
  EXPECT_FALSE(rx->hasFocus()) << "Tab moves on to the next control";
  EXPECT_EQ(cell(col::Rx, 2), "462.55000");
  EXPECT_EQ(cell(col::Tx, 2), "462.55000");
}

TEST_F(ChannelPageTest, LoadingShowsTheCellsAndChangesNone) {
  struct Row {
    const char* name;
    const char* rxCode;
    const char* rxTone;
    int expectedIndex;
  };
  const Row rows[] = {
      {"code cell names the tone", "160", "D023I", 160},
      {"empty code cell: the entry with the tone's text", "", "67.0", 2},
      {"code cell not a number: by text", "x1", "D023N", 53},
      {"code cell out of range, unknown text: index 0", "266", "OFF", 0},
  };
  int row = 10;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    makeChannel(row, "450.12500");
    doc.channels().setCell(col::RxTone, row, r.rxTone);
    doc.extras().setCell(xcol::RxCode, row, r.rxCode);
    doc.channels().setCell(col::Power, row, "低功率");
    doc.channels().setCell(col::Bandwidth, row, "窄带");
    doc.channels().setCell(col::Alias, row, "AB12");
    doc.extras().setCell(xcol::VoiceMode, row, "扰频");
    doc.extras().setCell(xcol::BusyLock, row, "启用");
    doc.channels().setCell(col::ScanAdd, row, "禁用");
    const auto before = snapshot(doc);
    showChannel(row);
    EXPECT_EQ(snapshot(doc), before);
    EXPECT_EQ(box("bsSkinComboBox19")->currentIndex(), r.expectedIndex);
    EXPECT_EQ(box("bsSkinComboBox23")->currentIndex(), 0);
    EXPECT_EQ(edit("bsSkinEdit11")->text().toStdString(), "450.12500");
    EXPECT_EQ(edit("bsSkinEdit8")->text().toStdString(), "AB12");
    EXPECT_EQ(shown(box("bsSkinComboBox24")), "低功率");
    EXPECT_EQ(shown(box("bsSkinComboBox31")), "窄带");
    EXPECT_EQ(shown(box("bsSkinComboBox32")), "扰频");
    EXPECT_TRUE(check("bsSkinCheckRadioBox7")->isChecked());
    EXPECT_FALSE(check("bsSkinCheckRadioBox2")->isChecked());
    EXPECT_TRUE(check("bsSkinCheckRadioBox3")->isChecked());
    ++row;
  }
}

TEST_F(ChannelPageTest, ChoicesAndTicksWriteTheirCells) {
  makeChannel(3, "462.56250");
  showChannel(3);
  // Entry 160 is "D023I", entry 2 "67.0".
  pick(box("bsSkinComboBox19"), 160);
  EXPECT_EQ(cell(col::RxTone, 3), "D023I");
  EXPECT_EQ(extra(xcol::RxCode, 3), "160");
  pick(box("bsSkinComboBox23"), 2);
  EXPECT_EQ(cell(col::TxTone, 3), "67.0");
  EXPECT_EQ(extra(xcol::TxCode, 3), "2");

  struct Choice {
    const char* list;
    int index;
    bool extras;
    int column;
    const char* written;
  };
  const Choice choices[] = {
      {"bsSkinComboBox24", 0, false, col::Power, "低功率"},
      {"bsSkinComboBox31", 0, false, col::Bandwidth, "窄带"},
      {"bsSkinComboBox32", 1, true, xcol::VoiceMode, "压扩"},
  };
  for (const Choice& c : choices) {
    SCOPED_TRACE(c.list);
    pick(box(c.list), c.index);
    EXPECT_EQ(c.extras ? extra(c.column, 3) : cell(c.column, 3), c.written);
  }

  struct Tick {
    const char* box;
    bool extras;
    int column;
    const char* afterClick;
  };
  const Tick ticks[] = {
      {"bsSkinCheckRadioBox7", true, xcol::BusyLock, "启用"},  {"bsSkinCheckRadioBox2", false, col::ScanAdd, "禁用"},
      {"bsSkinCheckRadioBox3", true, xcol::TailElim, "禁用"},  {"bsSkinCheckRadioBox5", false, col::Dtmf, "启用"},
      {"bsSkinCheckRadioBox15", false, col::PttId, "启用"},    {"bsSkinCheckRadioBox4", true, xcol::Vox, "启用"},
  };
  for (const Tick& t : ticks) {
    SCOPED_TRACE(t.box);
    QCheckBox* b = check(t.box);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    EXPECT_EQ(t.extras ? extra(t.column, 3) : cell(t.column, 3), t.afterClick);
  }
}

TEST_F(ChannelPageTest, ListsFollowTheKeyboard) {
  makeChannel(3, "462.56250");
  showChannel(3);
  struct Row {
    const char* list;
    Qt::Key key;
    bool extras;
    int column;
    const char* written;
  };
  const Row rows[] = {
      {"bsSkinComboBox19", Qt::Key_Down, false, col::RxTone, "63.0"},  // entry 1
      {"bsSkinComboBox24", Qt::Key_Up, false, col::Power, "低功率"},
      {"bsSkinComboBox31", Qt::Key_Up, false, col::Bandwidth, "窄带"},
      {"bsSkinComboBox32", Qt::Key_End, true, xcol::VoiceMode, "扰频"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.list);
    QComboBox* list = box(r.list);
    list->setFocus();
    QTest::keyClick(list, r.key);
    EXPECT_EQ(r.extras ? extra(r.column, 3) : cell(r.column, 3), r.written);
  }
  EXPECT_EQ(extra(xcol::RxCode, 3), "1");
}

TEST_F(ChannelPageTest, TheToneListShowsFifteenEntriesAtATime) {
  makeChannel(3, "462.56250");
  showChannel(3);
  QComboBox* decode = box("bsSkinComboBox19");
  QTest::mouseClick(decode, Qt::LeftButton, {}, decode->rect().center());
  QAbstractItemView* view = decode->view();
  QTRY_VERIFY(view->isVisible());
  const int top = view->indexAt(QPoint(4, 2)).row();
  const int bottom = view->indexAt(QPoint(4, view->viewport()->height() - 2)).row();
  EXPECT_EQ(bottom - top + 1, 15);
  QTest::keyClick(view, Qt::Key_Escape);
}

TEST_F(ChannelPageTest, TheChannelNumberIsTypedAndStepped) {
  makeChannel(12, "450.00000");
  makeChannel(13, "451.00000");
  QSpinBox* spin = number();
  QLineEdit* rx = edit("bsSkinEdit11");
  spin->setFocus();
  spin->selectAll();
  QTest::keyClicks(spin, "12");
  QTest::keyClick(spin, Qt::Key_Return);
  EXPECT_EQ(doc.currentRow(), 12);
  EXPECT_EQ(rx->text().toStdString(), "450.00000");
  QTest::keyClick(spin, Qt::Key_Up);
  EXPECT_EQ(doc.currentRow(), 13);
  EXPECT_EQ(rx->text().toStdString(), "451.00000");
  QTest::keyClick(spin, Qt::Key_Down);
  EXPECT_EQ(doc.currentRow(), 12);
  stepNumber(true);
  EXPECT_EQ(doc.currentRow(), 13);
  stepNumber(false);
  stepNumber(false);
  EXPECT_EQ(doc.currentRow(), 11);
  EXPECT_TRUE(rx->text().isEmpty()) << "channel 11 is empty";
  spin->selectAll();
  QTest::keyClicks(spin, "1290");  // at most three characters, at most 128
  EXPECT_LE(spin->value(), 128);
}

TEST_F(ChannelPageTest, TextEntersTheFieldsOnlyThroughTheirFilters) {
  makeChannel(1, "462.55000");
  showChannel(1);
  QClipboard* clipboard = QGuiApplication::clipboard();
  struct Route {
    const char* name;
    std::function<void(QLineEdit*)> act;
    bool needsSelection = false;
  };
  const Route routes[] = {
      {"Ctrl+V", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier); }},
      {"Shift+Insert", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Insert, Qt::ShiftModifier); }},
      {"middle button", [](QLineEdit* e) { QTest::mouseClick(e, Qt::MiddleButton, {}, e->rect().center()); }, true},
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
  for (const char* name : {"bsSkinEdit11", "bsSkinEdit13", "bsSkinEdit8"}) {
    for (const Route& r : routes) {
      SCOPED_TRACE(std::string(r.name) + " into " + name);
      if (r.needsSelection && !clipboard->supportsSelection()) continue;  // no selection on this platform
      clipboard->setText(QStringLiteral("9x9"));
      if (clipboard->supportsSelection()) clipboard->setText(QStringLiteral("9x9"), QClipboard::Selection);
      QLineEdit* field = edit(name);
      field->setFocus();
      const QString before = field->text();
      r.act(field);
      EXPECT_EQ(field->text(), before);
    }
  }

  // Committed input-method text passes the filters character by character.
  struct Ime {
    const char* field;
    const char* committed;
    int column;
    const char* cellAfter;
  };
  const Ime imes[] = {{"bsSkinEdit11", "4a6.2.5", col::Rx, "462.5"},
                      {"bsSkinEdit13", "4x5x1", col::Tx, "451"},
                      {"bsSkinEdit8", "a!b$c", col::Alias, "ABC"}};
  for (const Ime& i : imes) {
    SCOPED_TRACE(i.field);
    QLineEdit* field = edit(i.field);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QInputMethodEvent ime;
    ime.setCommitString(QString::fromUtf8(i.committed));
    QApplication::sendEvent(field, &ime);
    EXPECT_EQ(field->text().toStdString(), i.cellAfter);
    EXPECT_EQ(cell(i.column, 1), i.cellAfter);
  }
}

TEST_F(ChannelPageTest, AliasIsUpperCasedAndFiltered) {
  makeChannel(4, "450.00000");
  showChannel(4);
  QLineEdit* alias = edit("bsSkinEdit8");
  alias->setFocus();
  EXPECT_EQ(doc.currentColumn(), col::Alias);
  QTest::keyClicks(alias, "ab!c-1\"9z");
  EXPECT_EQ(alias->text().toStdString(), "ABC-19");
  EXPECT_EQ(cell(col::Alias, 4), "ABC-19");
  EXPECT_EQ(alias->cursorPosition(), 6);
}

TEST_F(ChannelPageTest, ChangingTheNumberNormalisesTheChannelEditedOnThePage) {
  makeChannel(1, "450.00000");
  makeChannel(2, "451.00000");
  showChannel(1);
  QLineEdit* rx = edit("bsSkinEdit11");
  QLineEdit* tx = edit("bsSkinEdit13");
  // The TX field does nothing when it loses the focus, so only the number change can normalise it.
  tx->setFocus();
  tx->selectAll();
  QTest::keyClick(tx, Qt::Key_Backspace);
  QTest::keyClicks(tx, "455.1");
  stepNumber(true);
  EXPECT_EQ(cell(col::Tx, 1), "455.10000");
  EXPECT_EQ(cell(col::Rx, 1), "450.00000");
  EXPECT_EQ(doc.currentRow(), 2);
  EXPECT_EQ(rx->text().toStdString(), "451.00000");
}

TEST_F(ChannelPageTest, ErasingTheFrequencyOfAChannelAndChangingTheNumberEmptiesIt) {
  makeChannel(6, "450.00000");
  showChannel(6);
  QLineEdit* rx = edit("bsSkinEdit11");
  rx->setFocus();
  rx->selectAll();
  QTest::keyClick(rx, Qt::Key_Backspace);
  EXPECT_EQ(cell(col::Rx, 6), "");
  QSpinBox* spin = number();
  spin->setFocus();
  spin->selectAll();
  QTest::keyClicks(spin, "8");
  QTest::keyClick(spin, Qt::Key_Return);
  ASSERT_EQ(doc.currentRow(), 8);
  EXPECT_EQ(cell(col::Tx, 6), "");
  EXPECT_EQ(cell(col::Power, 6), "");
  EXPECT_EQ(extra(xcol::TailElim, 6), "");
}

TEST_F(ChannelPageTest, SingleHeadKeepsVoxDisabledForEveryChannelShowingItsTick) {
  makeChannel(1, "450.00000");
  makeChannel(2, "451.00000");
  doc.extras().setCell(xcol::Vox, 2, "启用");
  QCheckBox* vox = check("bsSkinCheckRadioBox4");
  page.setCommunicationMode(12);
  for (int row : {1, 2, 3}) {
    SCOPED_TRACE(row);
    showChannel(row);
    EXPECT_FALSE(vox->isEnabled());
    EXPECT_EQ(vox->isChecked(), row == 2);
    EXPECT_EQ(check("bsSkinCheckRadioBox7")->isEnabled(), row != 3);
  }
  showChannel(2);
  page.setCommunicationMode(13);
  EXPECT_TRUE(vox->isEnabled());
  EXPECT_EQ(extra(xcol::Vox, 2), "启用");
}

}  // namespace
}  // namespace qx
