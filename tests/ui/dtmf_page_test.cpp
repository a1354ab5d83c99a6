#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "model/radio_settings.h"
#include "page_test_support.h"
#include "person.h"
#include "ui/dtmf_page.h"

namespace qx {
namespace {

using test::child;

class DtmfPageTest : public ::testing::Test, test::WithApplication {
 protected:
  DtmfPageTest() {
    page.show();
    page.activateWindow();
    QApplication::setActiveWindow(&page);
  }

  RadioSettings settings;
  DtmfPage page{settings};
  QTableWidget* list = child<QTableWidget>(page, "bsSkinStringGrid1");
  QLineEdit* editor = child<QLineEdit>(page, "bsSkinEdit14");

  // Clicks the entry of Call<index>.
  void clickCall(int index) {
    const QRect cell = list->visualItemRect(list->item(index + 1, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  }
  std::string cell(int index) const { return list->item(index + 1, 1)->text().toStdString(); }
  QLineEdit* edit(const char* name) { return child<QLineEdit>(page, name); }
};

TEST_F(DtmfPageTest, CallListShowsTheTenEntriesUnderTheirNumbers) {
  EXPECT_EQ(list->item(0, 0)->text().toStdString(), "序号");
  EXPECT_EQ(list->item(0, 1)->text().toStdString(), "自动拨号号码");
  EXPECT_EQ(list->item(1, 0)->text().toStdString(), "   0");
  EXPECT_EQ(list->item(10, 0)->text().toStdString(), "   9");
  EXPECT_EQ(cell(0), "1000");
  settings.assignText(keys::Call9, "*#7");  // as an opened file or a radio read does
  EXPECT_EQ(cell(9), "*#7");
  EXPECT_FALSE(editor->isVisible());
}

TEST_F(DtmfPageTest, CallListEditorSequence) {
  settings.assignText(keys::Call3, "999");
  settings.assignText(keys::Call5, "55");

  // A click opens the editor on the entry with its text; the list keeps the focus.
  clickCall(3);
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->text().toStdString(), "999");
  EXPECT_EQ(editor->geometry(), list->visualItemRect(list->item(4, 1)));
  EXPECT_TRUE(list->hasFocus());

  // Typing on the list replaces the entry, then the editor goes on with the typing.
  QTest::keyClick(list, Qt::Key_1);
  EXPECT_TRUE(editor->hasFocus());
  QTest::keyClicks(editor, "2a#");
  EXPECT_EQ(cell(3), "12A#");
  EXPECT_EQ(settings.text(keys::Call3), "12A#");

  // "e" is refused, "d" becomes "D".
  QTest::keyClick(editor, Qt::Key_E);
  QTest::keyClicks(editor, "d");
  EXPECT_EQ(cell(3), "12A#D");

  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_TRUE(list->hasFocus());
  EXPECT_EQ(cell(3), "12A#D");

  // With the list focused after Enter, "5" reopens the editor on the same entry with the text "5".
  QTest::keyClick(list, Qt::Key_5);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->text().toStdString(), "5");
  EXPECT_EQ(editor->cursorPosition(), 1);
  EXPECT_EQ(cell(3), "5");

  // Clicking another entry moves the editor there with that entry's text; the first keeps its own.
  clickCall(5);
  EXPECT_EQ(editor->text().toStdString(), "55");
  EXPECT_EQ(editor->geometry(), list->visualItemRect(list->item(6, 1)));
  EXPECT_EQ(cell(3), "5");

  // Backspace typed on the list empties the target entry.
  QTest::keyClick(list, Qt::Key_Backspace);
  EXPECT_EQ(cell(5), "");
  EXPECT_EQ(settings.text(keys::Call5), "");
}

TEST_F(DtmfPageTest, KeysOnTheListThatCannotLandLeaveEveryEntryAlone) {
  struct Row {
    const char* name;
    bool clickFirst;
    Qt::Key key;
  };
  const Row rows[] = {
      {"a digit before any click", false, Qt::Key_7},
      {"Enter after a click", true, Qt::Key_Return},
      {"Escape after a click", true, Qt::Key_Escape},
      {"a letter after D", true, Qt::Key_E},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    RadioSettings fresh;
    DtmfPage other(fresh);
    other.show();
    auto* otherList = child<QTableWidget>(other, "bsSkinStringGrid1");
    if (r.clickFirst) {
      QTest::mouseClick(otherList->viewport(), Qt::LeftButton, {},
                        otherList->visualItemRect(otherList->item(1, 1)).center());
      QTest::keyClick(child<QLineEdit>(other, "bsSkinEdit14"), Qt::Key_Return);
    }
    QTest::keyClick(otherList, r.key);
    EXPECT_EQ(fresh.text(keys::Call0), "1000");
    EXPECT_EQ(otherList->item(1, 1)->text().toStdString(), "1000");
    EXPECT_FALSE(child<QLineEdit>(other, "bsSkinEdit14")->isVisible());
  }
}

TEST_F(DtmfPageTest, TabLeavesTheCallListForTheNextControlWithoutTouchingAnEntry) {
  settings.assignText(keys::Call2, "1002");
  clickCall(2);
  ASSERT_TRUE(list->hasFocus());
  QTest::keyClick(list, Qt::Key_Tab);
  EXPECT_FALSE(list->hasFocus());
  EXPECT_FALSE(editor->hasFocus());
  EXPECT_EQ(cell(2), "1002");
  EXPECT_EQ(settings.text(keys::Call2), "1002");

  clickCall(2);
  QTest::keyClick(list, Qt::Key_Backtab);
  EXPECT_FALSE(list->hasFocus());
  EXPECT_EQ(cell(2), "1002");
}

TEST_F(DtmfPageTest, EnterInBotClosesTheCallEditorAndFocusesTheList) {
  clickCall(0);
  ASSERT_TRUE(editor->isVisible());
  edit("bsSkinEdit3")->setFocus();
  QTest::keyClick(edit("bsSkinEdit3"), Qt::Key_Return);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_TRUE(list->hasFocus());
  EXPECT_EQ(settings.text(keys::BOT), "12345");
}

TEST_F(DtmfPageTest, PttIdTypeDecidesWhichCodeCanBeEdited) {
  struct Row {
    int type;
    bool bot, eot;
  };
  const Row rows[] = {{1, false, true}, {2, true, true}, {0, true, false}};
  auto* type = child<QComboBox>(page, "bsSkinComboBox27");
  EXPECT_FALSE(edit("bsSkinEdit4")->isEnabled());
  for (const Row& r : rows) {
    SCOPED_TRACE(r.type);
    // Stepped to by the arrow keys on the focused list.
    type->setFocus();
    while (type->currentIndex() < r.type) QTest::keyClick(type, Qt::Key_Down);
    while (type->currentIndex() > r.type) QTest::keyClick(type, Qt::Key_Up);
    ASSERT_EQ(type->currentIndex(), r.type);
    EXPECT_EQ(edit("bsSkinEdit3")->isEnabled(), r.bot);
    EXPECT_EQ(edit("bsSkinEdit4")->isEnabled(), r.eot);
    EXPECT_EQ(edit("bsSkinEdit3")->text().toStdString(), "12345");
    EXPECT_EQ(edit("bsSkinEdit4")->text().toStdString(), "12345");
  }
}

TEST_F(DtmfPageTest, UntickingStunLocksCodeAndTypeKeepingThem) {
  auto* stun = child<QCheckBox>(page, "bsSkinCheckRadioBox16");
  auto* type = child<QComboBox>(page, "bsSkinComboBox14");
  test::clickTab(page.tabs(), 1);
  ASSERT_TRUE(edit("bsSkinEdit16")->isVisible());
  ASSERT_TRUE(edit("bsSkinEdit16")->isEnabled());
  test::clickInto(edit("bsSkinEdit16"));
  QTest::keyClicks(edit("bsSkinEdit16"), "12ab");
  EXPECT_EQ(settings.text(keys::StunCode), "12AB");
  test::clickCheck(stun);
  EXPECT_FALSE(edit("bsSkinEdit16")->isEnabled());
  EXPECT_FALSE(type->isEnabled());
  EXPECT_EQ(settings.text(keys::StunCode), "12AB");
  EXPECT_EQ(type->currentText().toStdString(), "遥晕");
  test::clickCheck(stun);
  EXPECT_TRUE(edit("bsSkinEdit16")->isEnabled());
  EXPECT_TRUE(type->isEnabled());
}

TEST_F(DtmfPageTest, CodeFieldsStopAtTheirLengthAndTakeOnlyDtmfCharacters) {
  struct Row {
    const char* field;
    std::string_view key;
    int tab;
    const char* typed;
    const char* kept;
  };
  const Row rows[] = {
      {"bsSkinEdit3", keys::BOT, 0, "1234567890ABCD*#", "1234567890ABCD*"},
      {"bsSkinEdit4", keys::EOT, 0, "1234567890abcd*#", "1234567890ABCD*"},
      {"bsSkinEdit5", keys::Private, 1, "12e3x4567890123456", "123456789012345"},
      {"bsSkinEdit16", keys::StunCode, 1, "123456789", "12345678"},
  };
  settings.assign(keys::PttId, 2);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.field);
    test::clickTab(page.tabs(), r.tab);
    QLineEdit* field = edit(r.field);
    ASSERT_TRUE(field->isVisible());
    test::clickInto(field);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, r.typed);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text().toStdString(), r.kept);
    EXPECT_EQ(settings.text(r.key), r.kept);
  }
  clickCall(2);
  QTest::keyClicks(editor, "1234567890ABCD*#");
  EXPECT_EQ(settings.text(keys::Call2), "1234567890ABCD*");
}

TEST_F(DtmfPageTest, NumberFieldsStepAndStayInRange) {
  auto* digitTime = child<QSpinBox>(page, "bsSkinSpinEdit17");
  auto* pretime = child<QSpinBox>(page, "bsSkinSpinEdit13");
  test::clickInto(digitTime);
  QTest::keyClick(digitTime, Qt::Key_Up);
  EXPECT_EQ(settings.value(keys::DigitTime), 110);
  settings.assign(keys::DigitTime, 37);
  EXPECT_EQ(digitTime->value(), 50);
  settings.assign(keys::Pretime, 1500);
  EXPECT_EQ(pretime->value(), 1000);
  test::clickInto(pretime);
  QTest::keyClick(pretime, Qt::Key_Up);
  EXPECT_EQ(settings.value(keys::Pretime), 1000);
  QTest::keyClick(pretime, Qt::Key_Down);
  EXPECT_LT(settings.value(keys::Pretime), 1000);
}

TEST_F(DtmfPageTest, PastedTextPassesTheSameFilterAsTyping) {
  struct Field {
    const char* name;
    std::string_view key;
    int tab;
    const char* kept;  // of the pasted "1a#x*e9"
  };
  const Field fields[] = {
      {"bsSkinEdit3", keys::BOT, 0, "1A#*9"},
      {"bsSkinEdit4", keys::EOT, 0, "1A#*9"},
      {"bsSkinEdit5", keys::Private, 1, "1A#*9"},
      {"bsSkinEdit16", keys::StunCode, 1, "1A#*9"},
  };
  const std::pair<const char*, test::PasteWay> ways[] = {
      {"Ctrl+V", test::PasteWay::CtrlV}, {"Shift+Insert", test::PasteWay::ShiftInsert},
      {"middle button", test::PasteWay::MiddleButton}};
  settings.assign(keys::PttId, 2);
  for (const Field& f : fields) {
    for (const auto& [wayName, way] : ways) {
      SCOPED_TRACE(std::string(f.name) + " by " + wayName);
      test::clickTab(page.tabs(), f.tab);
      QLineEdit* field = edit(f.name);
      ASSERT_TRUE(field->isVisible());
      test::clickInto(field);
      field->selectAll();
      QTest::keyClick(field, Qt::Key_Backspace);
      test::paste(field, QStringLiteral("1a#x*e9"), way);
      // The middle button pastes only where the platform has a selection clipboard.
      const bool pasted = way != test::PasteWay::MiddleButton || QApplication::clipboard()->supportsSelection();
      EXPECT_EQ(field->text().toStdString(), pasted ? f.kept : "");
      EXPECT_EQ(settings.text(f.key), pasted ? f.kept : "");
    }
  }
}

}  // namespace
}  // namespace qx
