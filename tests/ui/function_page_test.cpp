#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include "model/radio_settings.h"
#include "page_test_support.h"
#include "person.h"
#include "ui/function_page.h"

namespace qx {
namespace {

using test::child;
using test::shown;

class FunctionPageTest : public ::testing::Test, test::WithApplication {
 protected:
  FunctionPageTest() {
    page.show();
    QApplication::setActiveWindow(&page);
  }
  // Opens the list and clicks the entry.
  void choose(QComboBox* list, const char* text) { ASSERT_TRUE(test::chooseFromList(list, QString::fromUtf8(text))) << text; }

  RadioSettings settings;
  FunctionPage page{settings};

  QComboBox* box(const char* name) { return child<QComboBox>(page, name); }
  QCheckBox* check(const char* name) { return child<QCheckBox>(page, name); }
};

TEST_F(FunctionPageTest, ListsShowTheirSettingsAndFollowAssignmentsFromOutside) {
  EXPECT_EQ(shown(box("bsSkinComboBox1")), "禁用");
  EXPECT_EQ(shown(box("bsSkinComboBox8")), "25kHz");
  EXPECT_EQ(box("bsSkinComboBox1")->count(), 16);
  settings.assign(keys::APO, 9);
  EXPECT_EQ(shown(box("bsSkinComboBox1")), " 9H");
  settings.assign(keys::Beep, 0);
  EXPECT_FALSE(check("bsSkinCheckRadioBox8")->isChecked());
}

TEST_F(FunctionPageTest, ChoosingVfoLocksMemoryDisplayAtMrFreq) {
  QComboBox* vfoMr = box("bsSkinComboBox7");
  QComboBox* mrFreq = box("bsSkinComboBox12");
  EXPECT_FALSE(mrFreq->isEnabled());  // VFO is the default

  choose(vfoMr, "MR");
  ASSERT_TRUE(mrFreq->isEnabled());
  choose(mrFreq, "MR CH");
  EXPECT_EQ(settings.value(keys::MrFreqMrCh), 0);

  choose(vfoMr, "VFO");
  EXPECT_EQ(shown(mrFreq), "MR freq.");
  EXPECT_FALSE(mrFreq->isEnabled());

  choose(vfoMr, "MR");
  EXPECT_TRUE(mrFreq->isEnabled());
  EXPECT_EQ(shown(mrFreq), "MR freq.");
}

TEST_F(FunctionPageTest, BandExpansionUnlocksBandAndClearingItFallsBackToBandOne) {
  QCheckBox* expand = check("bsSkinCheckRadioBox14");
  QComboBox* band = box("bsSkinComboBox22");
  EXPECT_FALSE(band->isEnabled());
  test::clickCheck(expand);
  ASSERT_TRUE(band->isEnabled());
  choose(band, "频段2");
  EXPECT_EQ(settings.value(keys::Band), 0);

  test::clickCheck(expand);
  EXPECT_FALSE(band->isEnabled());
  EXPECT_EQ(shown(band), "频段1");

  // A file assigning Band after Exp Freq.: the band stands, locked; showing it re-runs no rule.
  settings.assign(keys::Band, 0);
  EXPECT_EQ(band->currentIndex(), 0);
  EXPECT_EQ(settings.value(keys::Band), 0);
}

TEST_F(FunctionPageTest, PasswordFieldTakesDigitsAndFallsBackWhenLeftShort) {
  QCheckBox* change = check("bsSkinCheckRadioBox21");
  QLineEdit* password = child<QLineEdit>(page, "bsSkinEdit15");
  EXPECT_FALSE(password->isEnabled());
  test::clickCheck(change);
  ASSERT_TRUE(password->isEnabled());

  struct Row {
    const char* name;
    const char* typed;
    const char* whileTyping;
    const char* afterLeaving;
  };
  const Row rows[] = {
      {"letters are dropped, short text falls back", "12a4", "124", "246810"},
      {"six digits stay", "000000", "000000", "000000"},
      {"a seventh digit cannot be typed", "1234567", "123456", "123456"},
      {"empty falls back", "", "", "246810"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    test::clickInto(password);
    password->selectAll();
    QTest::keyClick(password, Qt::Key_Backspace);
    QTest::keyClicks(password, QString::fromLatin1(r.typed));
    EXPECT_EQ(password->text().toStdString(), r.whileTyping);
    EXPECT_EQ(settings.text(keys::Password), r.whileTyping);
    test::tabAway(password);
    EXPECT_FALSE(password->hasFocus());
    EXPECT_EQ(password->text().toStdString(), r.afterLeaving);
    EXPECT_EQ(settings.text(keys::Password), r.afterLeaving);
  }
  // Another window taking the focus is no leaving of the field.
  test::clickInto(password);
  password->selectAll();
  QTest::keyClick(password, Qt::Key_Backspace);
  QTest::keyClicks(password, "12");
  test::leaveField(password, Qt::ActiveWindowFocusReason);
  EXPECT_EQ(settings.text(keys::Password), "12");
  // Another control taking the focus by a click is leaving it.
  test::clickCheck(check("bsSkinCheckRadioBox8"));
  EXPECT_FALSE(password->hasFocus());
  EXPECT_EQ(settings.text(keys::Password), "246810");

  test::clickCheck(change);
  EXPECT_FALSE(password->isEnabled());
  EXPECT_EQ(settings.text(keys::Password), "246810");
}

TEST_F(FunctionPageTest, SingleHeadHidesTheVoxGroupEachTimeThePageIsShownAndKeepsItsValues) {
  auto* vox = child<QFrame>(page, "bsSkinPanel7");
  settings.assign(keys::VoxSQL, 5);
  page.show();
  EXPECT_TRUE(vox->isVisible());

  page.setCommunicationMode(12);
  EXPECT_FALSE(vox->isVisible());
  vox->show();  // whatever showed it, showing the page hides it again
  page.hide();
  page.show();
  EXPECT_FALSE(vox->isVisible());
  EXPECT_EQ(settings.value(keys::VoxSQL), 5);
  EXPECT_EQ(settings.value(keys::VoxDelay), 2);
  EXPECT_EQ(settings.value(keys::VoxRX), 1);

  page.setCommunicationMode(13);
  EXPECT_TRUE(vox->isVisible());
}

TEST(SideKeyPageTest, ShowsOnlyTheKeyAssignmentList) {
  test::ensureApplication();
  RadioSettings settings;
  SideKeyPage page(settings);
  page.show();
  QComboBox* key = child<QComboBox>(page, "bsSkinComboBox5");
  QComboBox* key2 = child<QComboBox>(page, "bsSkinComboBox3");
  EXPECT_TRUE(key->isVisible());
  EXPECT_FALSE(key2->isVisible());
  EXPECT_EQ(shown(key), "呼叫键");
  QApplication::setActiveWindow(&page);
  ASSERT_TRUE(test::chooseFromList(key, key->itemText(3)));
  ASSERT_EQ(key->currentIndex(), 3);
  EXPECT_EQ(settings.value(keys::KeyAssignment), 3);
  EXPECT_EQ(settings.value(keys::KeyAssignment2), 0);
  EXPECT_EQ(shown(key2), "呼叫键");
}

}  // namespace
}  // namespace qx
