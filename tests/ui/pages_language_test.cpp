#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "files/channel_file.h"
#include "files/language.h"
#include "link/blocks.h"
#include "page_test_support.h"
#include "ui/channel_grid.h"
#include "ui/channel_page.h"
#include "ui/editor_pages.h"
#include "ui/main_window.h"

namespace qx {
namespace {

using test::child;

// The editor as it runs: the grid and the five pages in a window over a program folder of its own.
class EditorPagesTest : public ::testing::Test, test::WithApplication {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"chinese.lng", "english.lng", "taiwan.lng"}) {
      ASSERT_TRUE(QFile::copy(QDir(QStringLiteral(QX_LANG_DIR)).filePath(QString::fromLatin1(name)),
                              dir.filePath(QString::fromLatin1(name))));
    }
  }

  void open() {
    MainWindowOptions options;
    options.programDir = dir.path();
    options.showError = [](const QString&) {};
    options.pages[page::Channels] = [](MainWindow& w) { return new ChannelGrid(w.codeplug()); };
    installEditorPages(options);
    window = std::make_unique<MainWindow>(std::move(options));
    window->show();
  }

  Codeplug& doc() { return window->codeplug(); }
  void choose(const char* languageItem) { child<QAction>(*window, languageItem)->trigger(); }
  template <typename W>
  W* find(const char* name) {
    return child<W>(*window, name);
  }
  QString caption(const char* name) {
    QWidget* w = find<QWidget>(name);
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    return qobject_cast<QGroupBox*>(w)->title();
  }

  // What a cell means, whatever language its words are in.
  std::vector<std::string> meanings() {
    const Codeplug& d = doc();
    const DisplayWords& w = d.words();
    std::vector<std::string> m;
    for (int r = 1; r <= kChannelCount; ++r) {
      if (d.isEmptyChannel(r)) continue;
      const ChannelTable& ch = d.channels();
      const ChannelExtras& ex = d.extras();
      const std::string& voice = ex.cell(xcol::VoiceMode, r);
      m.push_back(std::to_string(r) + " " + ch.cell(col::Rx, r) + " " + ch.cell(col::Tx, r) + " " +
                  std::to_string(d.tones().indexOf(ch.cell(col::RxTone, r))) + " " +
                  std::to_string(d.tones().indexOf(ch.cell(col::TxTone, r))) + " " +
                  (d.isHighPower(r) ? "H" : "L") + (d.isWide(r) ? "W" : "N") +
                  (d.isOn(ch.cell(col::ScanAdd, r)) ? "S" : "-") + (d.isOn(ch.cell(col::Dtmf, r)) ? "D" : "-") +
                  (d.isOn(ch.cell(col::PttId, r)) ? "P" : "-") + (ex.cell(xcol::TailElim, r) == w.on ? "T" : "-") +
                  (d.isOn(ex.cell(xcol::Vox, r)) ? "V" : "-") + (d.isOn(ex.cell(xcol::BusyLock, r)) ? "B" : "-") +
                  (voice == w.off ? "0" : voice == w.compander ? "C" : voice == w.scrambler ? "S" : "?") + " " +
                  ex.cell(xcol::RxCode, r) + " " + ex.cell(xcol::TxCode, r) + " " + ch.cell(col::Alias, r));
    }
    return m;
  }

  // The selected position of every list on the pages (the grid's tone selector is not kept).
  std::map<std::string, int> selections() {
    std::map<std::string, int> s;
    for (QComboBox* box : window->findChildren<QComboBox*>()) {
      if (box->objectName() != QLatin1String("ComboBox1")) s[box->objectName().toStdString()] = box->currentIndex();
    }
    return s;
  }

  QTemporaryDir dir;
  std::unique_ptr<MainWindow> window;
};

TEST_F(EditorPagesTest, SwitchingLanguagesKeepsEveryCellsMeaningAndEveryListsSelection) {
  open();
  RadioSettings& s = doc().settings();
  const std::pair<std::string_view, int> options[] = {
      {keys::TOT, 3},    {keys::APO, 9},  {keys::Monitor, 3},       {keys::PttId, 1},
      {keys::StunType, 0}, {keys::Group, 4}, {keys::KeyAssignment, 2}, {keys::VoxDelay, 1},
  };
  for (const auto& [key, value] : options) s.assign(key, value);
  s.assign(keys::ExpFreq, 1);
  s.assign(keys::Band, 0);

  ChannelTable& ch = doc().channels();
  ChannelExtras& ex = doc().extras();
  for (int r : {1, 2, 3}) {
    ch.setCell(col::Rx, r, "450.12500");
    doc().fillDefaults(r);
  }
  ch.setCell(col::RxTone, 1, "D023I");
  ex.setCell(xcol::RxCode, 1, "160");
  ch.setCell(col::Power, 1, "低功率");
  ch.setCell(col::Bandwidth, 1, "窄带");
  ch.setCell(col::Dtmf, 1, "启用");
  ex.setCell(xcol::VoiceMode, 1, "压扩");
  ex.setCell(xcol::BusyLock, 1, "启用");
  ex.setCell(xcol::Vox, 2, "启用");
  ex.setCell(xcol::VoiceMode, 2, "扰频");
  ch.setCell(col::ScanAdd, 3, "禁用");
  ex.setCell(xcol::TailElim, 3, "禁用");

  // The single-channel page is shown on channel 1, so its lists write back as they are re-texted.
  window->showPage(page::SingleChannel);
  find<ChannelPage>("channelPage")->setChannelNumber(1);

  const auto cells = meanings();
  const auto lists = selections();
  ASSERT_EQ(cells.size(), 3u);

  struct Step {
    const char* item;
    const char* power1;    // channel 1's power cell in the new language
    const char* rxLabel;   // single-channel RX label
    const char* header1;   // grid header of column 1
  };
  const Step steps[] = {
      {"English1", "Low", "RX Freq[MHz]", "RX Freq"},
      {"Chinese2", "低功率", "接收頻率[MHz]", "接收頻率"},
      {"Chinese1", "低功率", "接收频率[MHz]", "接收频率"},
      {"English1", "Low", "RX Freq[MHz]", "RX Freq"},
      {"English1", "Low", "RX Freq[MHz]", "RX Freq"},  // the same language again changes nothing
      {"Chinese1", "低功率", "接收频率[MHz]", "接收频率"},
  };
  for (const Step& st : steps) {
    SCOPED_TRACE(st.item);
    choose(st.item);
    EXPECT_EQ(meanings(), cells);
    EXPECT_EQ(selections(), lists);
    EXPECT_EQ(ch.cell(col::Power, 1), st.power1);
    EXPECT_EQ(caption("bsSkinStdLabel50").toStdString(), st.rxLabel);
    EXPECT_EQ(ch.cell(col::Rx, 0), st.header1);
    const std::string off = doc().words().off;
    EXPECT_EQ(find<QComboBox>("bsSkinComboBox10")->itemText(0).toStdString(), off);
    EXPECT_EQ(find<QComboBox>("bsSkinComboBox19")->itemText(0).toStdString(), off);
    EXPECT_EQ(find<QComboBox>("bsSkinComboBox32")->currentText().toStdString(), doc().words().compander);
  }
}

TEST_F(EditorPagesTest, EnglishReachesEveryPagesCaptionsAndLists) {
  open();
  choose("English1");
  const LanguageStore& store = window->language();
  struct Row {
    const char* name;
    int number;
    const char* suffix;
  };
  const Row rows[] = {
      {"bsSkinNotebook1", 20, ""},  {"bsSkinStdLabel48", 103, ""},     {"bsSkinCheckRadioBox9", 47, ""},
      {"bsSkinNotebook10", 100, ""}, {"bsSkinNotebook2", 106, ""},     {"bsSkinStdLabel47", 108, ""},
      {"bsSkinNotebook9", 140, ""}, {"bsSkinStdLabel88", 132, ""},     {"bsSkinGroupBox1", 70, ""},
      {"bsSkinStdLabel29", 91, ""}, {"bsSkinStdLabel51", 28, "[MHz]"}, {"bsSkinNotebook3", 99, ""},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(caption(r.name).toStdString(), store.text(r.number) + r.suffix) << r.name;
  }
  EXPECT_EQ(find<QComboBox>("bsSkinComboBox10")->itemText(3).toStdString(), "3" + store.text(48));
  EXPECT_EQ(find<QComboBox>("bsSkinComboBox27")->itemText(2).toStdString(), store.text(120));
  EXPECT_EQ(find<QComboBox>("bsSkinComboBox5")->itemText(3).toStdString(), store.text(139));
  EXPECT_EQ(find<QComboBox>("bsSkinComboBox22")->itemText(0).toStdString(), store.text(89));
  EXPECT_EQ(find<QComboBox>("bsSkinComboBox24")->itemText(1).toStdString(), "High");
  auto* dtmfTabs = find<QTabWidget>("bsSkinPageControl5");
  EXPECT_EQ(dtmfTabs->tabText(1).toStdString(), store.text(107));
  // Texts that stay in every language.
  EXPECT_EQ(caption("labelVfoMr").toStdString(), "VFO/ MR");
  EXPECT_EQ(caption("bsSkinCheckRadioBox21").toStdString(), "修改密码");
  EXPECT_EQ(caption("groupPttId").toStdString(), "PTT ID");
}

TEST_F(EditorPagesTest, AMissingLanguageFileMarksItsItemAndChangesNothing) {
  open();
  choose("English1");
  ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("taiwan.lng"))));
  doc().channels().setCell(col::Rx, 1, "450.00000");
  doc().fillDefaults(1);
  const auto cells = meanings();
  const QString power = find<QComboBox>("bsSkinComboBox24")->itemText(1);
  const QString label = caption("bsSkinStdLabel50");
  choose("Chinese2");
  EXPECT_TRUE(find<QAction>("Chinese2")->isChecked());
  EXPECT_FALSE(find<QAction>("English1")->isChecked());
  EXPECT_EQ(find<QComboBox>("bsSkinComboBox24")->itemText(1), power);
  EXPECT_EQ(caption("bsSkinStdLabel50"), label);
  EXPECT_EQ(doc().channels().cell(col::Power, 1), "High");
  EXPECT_EQ(meanings(), cells);
}

TEST_F(EditorPagesTest, MergedBandRangesAreSelectedOnTheBandPageAndTheTitleFollows) {
  open();
  RadioSettings& s = doc().settings();
  for (auto key : {keys::BandRx, keys::BandTx, keys::BandRx1, keys::BandTx1}) s.setBandList(key, {"400-470MHz"}, 0);
  EXPECT_EQ(window->windowTitle().toStdString(), "QX-4100D    [400-470MHz]");

  // A channel file holding another band-1 receive range.
  Codeplug source;
  source.settings().setBandList(keys::BandRx, {"136-174MHz"}, 0);
  for (auto key : {keys::BandTx, keys::BandRx1, keys::BandTx1}) source.settings().setBandList(key, {"400-470MHz"}, 0);
  auto bytes = encodeChannelFile(source);
  ASSERT_TRUE(bytes.ok());
  auto staged = parseChannelFile(bytes.value(), StringTable::builtIn());
  ASSERT_TRUE(staged.ok()) << staged.error().message;
  applyChannelFile(staged.value(), doc());
  auto* rx = find<QComboBox>("bsSkinComboBox20");
  EXPECT_EQ(rx->count(), 2);
  EXPECT_EQ(rx->currentText().toStdString(), "136-174MHz");
  EXPECT_EQ(window->windowTitle().toStdString(), "QX-4100D    [136-174MHz]");

  // A radio whose band-1 receive range is already listed, and a new band-2 transmit range.
  ASSERT_TRUE(mergeBandLimits(s, "47004000470040004700400044004300").ok());
  EXPECT_EQ(rx->count(), 2);
  EXPECT_EQ(rx->currentIndex(), 0);
  EXPECT_EQ(find<QComboBox>("bsSkinComboBox11")->currentText().toStdString(), "430-440MHz");
  EXPECT_EQ(window->windowTitle().toStdString(), "QX-4100D    [400-470MHz]");

  // Choosing a band-1 transmit range on the page leaves the title.
  s.setBandList(keys::BandTx, {"400-470MHz", "410-420MHz"}, 0);
  find<QComboBox>("bsSkinComboBox21")->setCurrentIndex(1);
  EXPECT_EQ(s.text(keys::BandTx), "410-420MHz");
  EXPECT_EQ(window->windowTitle().toStdString(), "QX-4100D    [400-470MHz]");
}

TEST_F(EditorPagesTest, TheSingleChannelPageFollowsTheGrid) {
  open();
  auto* grid = qobject_cast<ChannelGrid*>(window->pageContents(page::Channels));
  ASSERT_NE(grid, nullptr);
  auto* number = find<QSpinBox>("bsSkinSpinEdit20");
  GridView* view = grid->grid();
  const auto cellCentre = [view](int column, int row) {
    const QModelIndex at = view->model()->index(row - 1, column - 1);
    view->scrollTo(at);
    return view->visualRect(at).center();
  };
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellCentre(col::Rx, 9));
  EXPECT_EQ(number->value(), 9);
  // A double click on the "more" column opens the page for that channel.
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cellCentre(col::More, 12));
  EXPECT_EQ(window->pageControl()->currentIndex(), page::SingleChannel);
  EXPECT_EQ(number->value(), 12);
  EXPECT_EQ(doc().currentRow(), 12);
}

TEST_F(EditorPagesTest, TheCommunicationModeReachesTheVoxControls) {
  open();
  child<QAction>(*window, "N12")->trigger();
  window->showPage(page::Functions);
  EXPECT_FALSE(find<QWidget>("bsSkinPanel7")->isVisible());
  doc().channels().setCell(col::Rx, 1, "450.00000");
  doc().fillDefaults(1);
  window->showPage(page::SingleChannel);
  EXPECT_FALSE(find<QWidget>("bsSkinCheckRadioBox4")->isEnabled());
  child<QAction>(*window, "N13")->trigger();
  EXPECT_TRUE(find<QWidget>("bsSkinCheckRadioBox4")->isEnabled());
  window->showPage(page::Functions);
  EXPECT_TRUE(find<QWidget>("bsSkinPanel7")->isVisible());
}

}  // namespace
}  // namespace qx
