#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include "files/channel_file.h"
#include "files/language.h"
#include "link/blocks.h"
#include "model/codeplug.h"
#include "page_test_support.h"
#include "person.h"
#include "ui/band_page.h"

namespace qx {
namespace {

using test::child;
using test::shown;

class BandPageTest : public ::testing::Test, test::WithApplication {
 protected:
  BandPageTest() {
    for (auto key : {keys::BandRx, keys::BandTx, keys::BandRx1, keys::BandTx1})
      doc.settings().setBandList(key, {"400-470MHz"}, 0);
  }
  Codeplug doc;
  BandPage page{doc.settings()};
  QComboBox* list(const char* name) { return child<QComboBox>(page, name); }
};

TEST_F(BandPageTest, ChoosingAnEntrySetsItsSetting) {
  enum class Way { PopupClick, KeyDown };
  for (Way way : {Way::PopupClick, Way::KeyDown}) {
    SCOPED_TRACE(way == Way::PopupClick ? "popup click" : "Down key");
    doc.settings().setBandList(keys::BandTx1, {"400-470MHz", "430-440MHz"}, 0);
    page.show();
    QComboBox* tx1 = list("bsSkinComboBox11");
    ASSERT_TRUE(tx1->isVisible());
    ASSERT_EQ(tx1->count(), 2);
    ASSERT_EQ(shown(tx1), "400-470MHz");
    if (way == Way::PopupClick) {
      ASSERT_TRUE(test::chooseFromList(tx1, QStringLiteral("430-440MHz")));
    } else {
      tx1->setFocus();
      QTest::keyClick(tx1, Qt::Key_Down);
    }
    EXPECT_EQ(shown(tx1), "430-440MHz");
    EXPECT_EQ(doc.settings().text(keys::BandTx1), "430-440MHz");
    EXPECT_EQ(doc.settings().text(keys::BandRx), "400-470MHz");
  }
}

TEST_F(BandPageTest, ARangeFromAChannelFileIsAppendedAndSelected) {
  Codeplug source;
  source.settings().setBandList(keys::BandRx, {"136-174MHz"}, 0);
  for (auto key : {keys::BandTx, keys::BandRx1, keys::BandTx1}) source.settings().setBandList(key, {"400-470MHz"}, 0);
  auto bytes = encodeChannelFile(source);
  ASSERT_TRUE(bytes.ok()) << bytes.error().message;
  auto staged = parseChannelFile(bytes.value(), StringTable::builtIn());
  ASSERT_TRUE(staged.ok()) << staged.error().message;
  applyChannelFile(staged.value(), doc);

  QComboBox* rx = list("bsSkinComboBox20");
  ASSERT_EQ(rx->count(), 2);
  EXPECT_EQ(rx->itemText(0).toStdString(), "400-470MHz");
  EXPECT_EQ(shown(rx), "136-174MHz");
  EXPECT_EQ(rx->currentIndex(), 1);
  EXPECT_EQ(list("bsSkinComboBox21")->count(), 1);
}

TEST_F(BandPageTest, ARadioReadSelectsKnownRangesAndAppendsNewOnes) {
  struct Row {
    const char* name;
    const char* block;  // 0CC0: per range the upper then the lower limit, three digits and a 0
    int rxCount;
    const char* rx;
    const char* rx1;
  };
  const Row rows[] = {
      {"known ranges add nothing", "47004000470040004700400047004000", 1, "400-470MHz", "400-470MHz"},
      {"a new band 2 range is appended", "47004000470040004400430044004300", 1, "400-470MHz", "430-440MHz"},
      {"a radio without band data changes nothing", "FFF0FFF0FFF0FFF0FFF0FFF0FFF0FFF0", 1, "400-470MHz",
       "430-440MHz"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    ASSERT_TRUE(mergeBandLimits(doc.settings(), r.block).ok());
    EXPECT_EQ(list("bsSkinComboBox20")->count(), r.rxCount);
    EXPECT_EQ(shown(list("bsSkinComboBox20")), r.rx);
    EXPECT_EQ(shown(list("bsSkinComboBox6")), r.rx1);
  }
  EXPECT_EQ(list("bsSkinComboBox6")->count(), 2);
}

}  // namespace
}  // namespace qx
