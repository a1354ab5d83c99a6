#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/ini_file.h"
#include "page_test_support.h"
#include "person.h"
#include "ui/about_dialog.h"
#include "ui/main_window.h"
#include "ui/skins.h"

namespace qx {
namespace {

using test::child;

// A program folder of its own per test: myini.ini, UNWISE.INI, language files and the help file are
// looked for there, and the window writes its configuration there when it is destroyed.
class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ensureApplication();
    ASSERT_TRUE(dir.isValid());
  }

  void writeFile(const char* name, const std::string& content) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content.data(), static_cast<qint64>(content.size()));
  }

  void copyLanguages() {
    for (const char* name : {"chinese.lng", "english.lng", "taiwan.lng"}) {
      ASSERT_TRUE(QFile::copy(QDir(QStringLiteral(QX_LANG_DIR)).filePath(QString::fromLatin1(name)),
                              dir.filePath(QString::fromLatin1(name))));
    }
  }

  std::unique_ptr<MainWindow> open(const QString& com1Device = {}) {
    MainWindowOptions options;
    options.programDir = dir.path();
    options.com1Device = com1Device;
    options.openUrl = [this](const QUrl& url) { opened.push_back(url); };
    options.showError = [this](const QString& text) { errors.push_back(text); };
    return std::make_unique<MainWindow>(std::move(options));
  }

  // What the last run wrote into myini.ini.
  std::optional<std::string> saved(const char* section, const char* key) {
    QFile file(dir.filePath(QStringLiteral("myini.ini")));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return IniFile::fromGb18030(file.readAll().toStdString()).value(section, key);
  }

  QTemporaryDir dir;
  std::vector<QUrl> opened;
  QStringList errors;
};

QAction* item(QWidget& w, const char* name) { return child<QAction>(w, name); }

// Chooses a menu item as a person does: the window shown, the menus opened and the item clicked.
void choose(MainWindow& w, const char* name) {
  if (!w.isVisible()) w.show();
  QApplication::setActiveWindow(&w);
  EXPECT_TRUE(test::clickMenuAction(w, name)) << name;
}

// The marked items of a check group, by component name.
QStringList marked(QWidget& w, const char* group) {
  QStringList names;
  for (QAction* a : child<QActionGroup>(w, group)->actions())
    if (a->isChecked()) names << a->objectName();
  return names;
}

QStringList itemsOf(QMenu* menu) {
  QStringList names;
  for (QAction* a : menu->actions()) names << a->objectName();
  return names;
}

TEST_F(ShellTest, MenuBarHoldsEveryItemInOrderWithItsAccelerator) {
  auto w = open();
  struct Row {
    const char* menu;
    QStringList items;
  };
  const Row rows[] = {
      {"MainMenu1", {"fefs1", "sgse1", "N7", "H1"}},
      {"fefs1", {"fsef1", "rsgg1", "segs1", "N14", "Import1", "Export1", "N1", "E1"}},
      {"sgse1", {"Copy1", "Cut1", "Paste1", "N15", "gs1", "N2", "N3", "N4", "N5", "DTMF1", "N6", "N8", "N9", "N10", "T1"}},
      {"N7", {"gsegs1", "N11", "Language1", "S1"}},
      {"gsegs1", {"COM11", "COM21", "COM31", "COM41"}},
      {"N11", {"N12", "N13"}},
      {"Language1", {"Chinese1", "English1", "Chinese2"}},
      {"S1", {"sk1", "sk2", "sk3"}},
      {"H1", {"H2", "A1"}},
  };
  for (const Row& row : rows) {
    const QStringList items = QLatin1String(row.menu) == QLatin1String("MainMenu1")
                                  ? [&] {
                                      QStringList top;
                                      for (QAction* a : w->menuBar()->actions()) top << a->objectName();
                                      return top;
                                    }()
                                  : itemsOf(child<QMenu>(*w, row.menu));
    EXPECT_EQ(items, row.items) << row.menu;
  }
  for (const char* separator : {"N1", "N3", "N6", "N10"}) EXPECT_TRUE(item(*w, separator)->isSeparator());

  struct Caption {
    const char* name;
    const char* text;
  };
  const Caption captions[] = {
      {"fefs1", "文件(&F)"},     {"sgse1", "编辑(&P)"},     {"E1", "退出(&E)"},     {"gs1", "频率读出(&R)"},
      {"N2", "频率写入(&W)"},    {"DTMF1", "DTMF"},         {"COM31", "COM(&3)"},   {"N13", "双头通信"},
      {"Chinese2", "中文(繁體)"}, {"sk2", "钢板"},           {"H2", "帮助(&H)..."},  {"A1", "关于(&A)..."},
  };
  for (const Caption& c : captions) EXPECT_EQ(item(*w, c.name)->text(), QString::fromUtf8(c.text)) << c.name;
}

TEST_F(ShellTest, EachCheckGroupMarksExactlyTheChosenItem) {
  auto w = open();
  struct Row {
    const char* choose;
    const char* group;
    int (MainWindow::*value)() const;
    int expected;
  };
  const Row rows[] = {
      {"COM31", "gsegs1", &MainWindow::portNumber, 3}, {"COM41", "gsegs1", &MainWindow::portNumber, 4},
      {"COM11", "gsegs1", &MainWindow::portNumber, 1}, {"N12", "N11", &MainWindow::commMode, 12},
      {"N13", "N11", &MainWindow::commMode, 13},       {"sk3", "S1", &MainWindow::skin, 3},
      {"sk2", "S1", &MainWindow::skin, 2},
  };
  for (const Row& row : rows) {
    choose(*w, row.choose);
    EXPECT_EQ(marked(*w, row.group), QStringList{QString::fromLatin1(row.choose)}) << row.choose;
    EXPECT_EQ(((*w).*row.value)(), row.expected) << row.choose;
  }
  // Choosing the marked item again keeps it marked.
  choose(*w, "sk2");
  EXPECT_EQ(marked(*w, "S1"), QStringList{QStringLiteral("sk2")});
  choose(*w, "English1");
  choose(*w, "Chinese2");
  EXPECT_EQ(marked(*w, "Language1"), QStringList{QStringLiteral("Chinese2")});
}

TEST_F(ShellTest, FirstStartWithoutConfigurationUsesDefaultsAndWritesThemAtTheEnd) {
  {
    auto w = open();
    EXPECT_EQ(marked(*w, "gsegs1"), QStringList{QStringLiteral("COM11")});
    EXPECT_EQ(marked(*w, "N11"), QStringList{QStringLiteral("N13")});
    EXPECT_EQ(marked(*w, "S1"), QStringList{QStringLiteral("sk1")});
    EXPECT_EQ(qApp->styleSheet(), skins::styleSheet(1));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("QC4100"));
    EXPECT_TRUE(w->codeplug().settings().bandList(keys::BandRx).empty());
    EXPECT_FALSE(saved("open", "com")) << "nothing is written before the window is destroyed";
  }
  const std::pair<const char*, const char*> expected[] = {
      {"com", "1"}, {"commode", "13"}, {"skin", "1"}};
  for (const auto& [key, value] : expected) EXPECT_EQ(saved("open", key), value) << key;
  EXPECT_EQ(saved("list1_rx", "listnow"), "-1");
  EXPECT_EQ(saved("list1_rx", "listcount"), "0");
  EXPECT_EQ(saved("list2_tx", "list4now"), "-1");
  EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ShellTest, StoredSettingsCarryOutTheirMenuActionsAndComeBackNextRun) {
  writeFile("myini.ini",
            "[open]\r\ncom=3\r\ncommode=12\r\nskin=2\r\n"
            "[list1_rx]\r\nlistnow=0\r\nlistcount=1\r\ncombo0=400-470MHz\r\n"
            "[list1_tx]\r\nlist2now=0\r\nlist2count=1\r\ncom2bo0=410-460MHz\r\n");
  {
    auto w = open();
    EXPECT_EQ(marked(*w, "gsegs1"), QStringList{QStringLiteral("COM31")});
    EXPECT_EQ(w->portDevice(), QStringLiteral("/dev/ttyUSB2"));
    EXPECT_EQ(marked(*w, "N11"), QStringList{QStringLiteral("N12")});
    EXPECT_EQ(marked(*w, "S1"), QStringList{QStringLiteral("sk2")});
    EXPECT_EQ(qApp->styleSheet(), skins::styleSheet(2));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("QX-4100D    [400-470MHz]"));
    // This run's choices are what the next start shows.
    choose(*w, "COM21");
    choose(*w, "N13");
    choose(*w, "sk3");
    w->codeplug().settings().assignText(keys::BandRx, "350-390MHz");
  }
  auto next = open();
  EXPECT_EQ(next->portNumber(), 2);
  EXPECT_EQ(next->commMode(), kDualHeadMode);
  EXPECT_EQ(next->skin(), 3);
  EXPECT_EQ(qApp->styleSheet(), skins::styleSheet(3));
  EXPECT_EQ(next->codeplug().settings().bandList(keys::BandRx),
            (std::vector<std::string>{"400-470MHz", "350-390MHz"}));
  EXPECT_EQ(next->codeplug().settings().text(keys::BandTx), "410-460MHz");
  EXPECT_EQ(next->windowTitle(), QStringLiteral("QX-4100D    [350-390MHz]"));
}

TEST_F(ShellTest, StoredNumbersThatNameNoItemKeepTheDefaultsAndStartNothing) {
  struct Row {
    const char* name;
    const char* ini;
  };
  // Mode 2 forms the name "n2", which is also the Write item.
  const Row rows[] = {
      {"mode 2 is not the Write item", "[open]\r\ncommode=2\r\n"},
      {"mode 4 is not a page item", "[open]\r\ncommode=4\r\n"},
      {"port 7", "[open]\r\ncom=7\r\n"},
      {"skin 0", "[open]\r\nskin=0\r\n"},
  };
  for (const Row& row : rows) {
    writeFile("myini.ini", row.ini);
    auto w = open();
    EXPECT_EQ(w->portNumber(), 1) << row.name;
    EXPECT_EQ(w->commMode(), kDualHeadMode) << row.name;
    EXPECT_EQ(w->skin(), 1) << row.name;
    EXPECT_EQ(w->pageControl()->currentIndex(), page::Channels) << row.name;
  }
}

TEST_F(ShellTest, PortGivenForTheRunIsComOneAndIsNeverSaved) {
  {
    auto w = open(QStringLiteral("/dev/pts/77"));
    EXPECT_EQ(w->portDevice(), QStringLiteral("/dev/pts/77"));
    choose(*w, "COM21");
    EXPECT_EQ(w->portDevice(), QStringLiteral("/dev/ttyUSB1"));
    choose(*w, "COM11");
    EXPECT_EQ(w->portDevice(), QStringLiteral("/dev/pts/77"));
  }
  QFile file(dir.filePath(QStringLiteral("myini.ini")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_FALSE(file.readAll().contains("/dev/pts/77"));
  EXPECT_EQ(saved("open", "com"), "1");
  auto next = open();
  EXPECT_EQ(next->portDevice(), QStringLiteral("/dev/ttyUSB0"));
}

TEST_F(ShellTest, TitleFollowsTheBandOneReceiveRangeOnly) {
  auto w = open();
  RadioSettings& settings = w->codeplug().settings();
  struct Step {
    const char* name;
    std::function<void()> act;
    const char* title;
  };
  const Step steps[] = {
      {"squelch mode before any band", [&] { settings.assign(keys::Monitor, 2); }, "QC4100"},
      {"band-1 transmit range", [&] { settings.assignText(keys::BandTx, "400-470MHz"); }, "QC4100"},
      {"band-1 receive range", [&] { settings.assignText(keys::BandRx, "400-470MHz"); },
       "QX-4100D    [400-470MHz]"},
      {"band-2 receive range keeps band-1 text", [&] { settings.assignText(keys::BandRx1, "350-390MHz"); },
       "QX-4100D    [400-470MHz]"},
      {"another band-1 receive range", [&] { settings.assignText(keys::BandRx, "136-174MHz"); },
       "QX-4100D    [136-174MHz]"},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8(step.title)) << step.name;
  }
  // The title is recomputed on a squelch-mode change (after a program-made title change, too).
  w->setWindowTitle(QStringLiteral("x"));
  settings.assign(keys::Monitor, 1);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("QX-4100D    [136-174MHz]"));
  w->setWindowTitle(QStringLiteral("x"));
  settings.assignText(keys::BandTx, "410-460MHz");
  EXPECT_EQ(w->windowTitle(), QStringLiteral("x")) << "band-1 transmit changes do not re-set it";
}

TEST_F(ShellTest, SingleHeadTurnsVoxOffAndDualHeadRestoresNothing) {
  auto w = open();
  Codeplug& cp = w->codeplug();
  const std::string on = cp.words().on, off = cp.words().off;
  cp.extras().setCell(xcol::Vox, 1, on);
  cp.extras().setCell(xcol::Vox, 128, on);
  cp.extras().setCell(xcol::Vox, 5, off);
  cp.extras().setCell(xcol::TailElim, 1, on);
  QSignalSpy modes(w.get(), &MainWindow::commModeChanged);

  choose(*w, "N12");
  EXPECT_EQ(cp.extras().cell(xcol::Vox, 1), off);
  EXPECT_EQ(cp.extras().cell(xcol::Vox, 128), off);
  EXPECT_EQ(cp.extras().cell(xcol::Vox, 5), off);
  EXPECT_EQ(cp.extras().cell(xcol::Vox, 2), "") << "an empty channel stays empty";
  EXPECT_EQ(cp.extras().cell(xcol::TailElim, 1), on) << "only the VOX column";

  choose(*w, "N13");
  EXPECT_EQ(cp.extras().cell(xcol::Vox, 1), off);
  ASSERT_EQ(modes.count(), 2);
  EXPECT_EQ(modes[0][0].toInt(), kSingleHeadMode);
  EXPECT_EQ(modes[1][0].toInt(), kDualHeadMode);
}

TEST_F(ShellTest, CommandsAndPageItemsReachTheirTargets) {
  auto w = open();
  struct Command {
    const char* item;
    const char* button;
    void (MainWindow::*signal)();
  };
  const Command commands[] = {
      {"fsef1", "bsSkinSpeedButton1", &MainWindow::newRequested},
      {"rsgg1", "bsSkinSpeedButton2", &MainWindow::openRequested},
      {"segs1", "bsSkinSpeedButton3", &MainWindow::saveRequested},
      {"gs1", "bsSkinSpeedButton4", &MainWindow::readRequested},
      {"N2", "bsSkinSpeedButton5", &MainWindow::writeRequested},
  };
  for (const Command& c : commands) {
    QSignalSpy spy(w.get(), c.signal);
    choose(*w, c.item);
    QTest::mouseClick(child<QToolButton>(*w, c.button), Qt::LeftButton);
    EXPECT_EQ(spy.count(), 2) << c.item;
  }
  EXPECT_EQ(child<QToolButton>(*w, "bsSkinSpeedButton4")->text(), QStringLiteral("读频"));
  EXPECT_EQ(child<QToolButton>(*w, "bsSkinSpeedButton5")->text(), QStringLiteral("写频"));

  const std::pair<const char*, const char*> pages[] = {
      {"T1", "bsSkinTabSheet3"},  {"N9", "bsSkinTabSheet11"}, {"N8", "bsSkinTabSheet10"},
      {"DTMF1", "bsSkinTabSheet5"}, {"N5", "bsSkinTabSheet2"}, {"N4", "bsSkinTabSheet1"},
  };
  for (const auto& [menuItem, sheet] : pages) {
    choose(*w, menuItem);
    EXPECT_EQ(w->pageControl()->currentWidget()->objectName(), QLatin1String(sheet)) << menuItem;
  }
}

TEST_F(ShellTest, PagesPlugIntoTheirSheets) {
  MainWindowOptions options;
  options.programDir = dir.path();
  std::vector<int> modeSeen;
  options.pages[page::Functions] = [&](MainWindow& window) {
    // A page created with the window sees the start-up mode action.
    QObject::connect(&window, &MainWindow::commModeChanged, [&](int mode) { modeSeen.push_back(mode); });
    auto* contents = new QWidget;
    contents->setObjectName(QStringLiteral("functions"));
    return contents;
  };
  MainWindow w(std::move(options));
  EXPECT_EQ(w.pageContents(page::Functions)->objectName(), QStringLiteral("functions"));
  EXPECT_EQ(w.pageContents(page::Functions)->parentWidget(), w.sheet(page::Functions));
  EXPECT_EQ(modeSeen, std::vector<int>{kDualHeadMode});
  EXPECT_EQ(w.pageContents(page::Channels), nullptr);

  auto* replacement = new QWidget;
  w.setPage(page::Functions, replacement);
  EXPECT_EQ(w.pageContents(page::Functions), replacement);
  EXPECT_EQ(w.sheet(page::Functions)->layout()->count(), 1);
}

TEST_F(ShellTest, HelpOpensTheHelpFileOnlyWhenItExists) {
  auto w = open();
  choose(*w, "H2");
  EXPECT_TRUE(opened.empty());
  writeFile("QX4100D.chm", "help");
  choose(*w, "H2");
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(dir.filePath(QStringLiteral("QX4100D.chm"))));
}

TEST_F(ShellTest, FirstShowChoosesTheLanguageAndSetsStartValues) {
  copyLanguages();
  struct Row {
    const char* name;
    const char* unwise;  // nullptr: no installer log
    const char* language;
    const char* fileMenu;
  };
  const Row rows[] = {
      {"no installer log", nullptr, "Chinese1", "文件(&F)"},
      {"English installer log", "[Language]\r\nmsg1=Installation Logs\r\n", "English1", "&File"},
      {"lower case is not English", "[Language]\r\nmsg1=installation logs\r\n", "Chinese1", "文件(&F)"},
  };
  for (const Row& row : rows) {
    QFile::remove(dir.filePath(QStringLiteral("UNWISE.INI")));
    if (row.unwise) writeFile("UNWISE.INI", row.unwise);
    auto w = open();
    AboutDialog about(w.get());
    w->setAboutBox(&about);
    w->showPage(page::Bands);
    EXPECT_TRUE(marked(*w, "Language1").isEmpty()) << row.name << ": no language before the first show";
    w->show();
    EXPECT_EQ(marked(*w, "Language1"), QStringList{QString::fromLatin1(row.language)}) << row.name;
    EXPECT_EQ(item(*w, "fefs1")->text(), QString::fromUtf8(row.fileMenu)) << row.name;
    EXPECT_TRUE(item(*w, "A1")->text().endsWith(QStringLiteral("..."))) << row.name;
    EXPECT_TRUE(about.windowTitle().endsWith(QStringLiteral("..."))) << row.name;
    EXPECT_FALSE(about.windowTitle().contains(QLatin1Char('&'))) << row.name;
    EXPECT_EQ(w->pageControl()->currentIndex(), page::Channels) << row.name;
    const RadioSettings& s = w->codeplug().settings();
    EXPECT_EQ(s.text(keys::call(0)), "1000") << row.name;
    EXPECT_EQ(s.text(keys::BOT), "12345") << row.name;
    EXPECT_EQ(s.text(keys::EOT), "12345") << row.name;
    EXPECT_EQ(w->codeplug().channels().cell(col::More, 128), ">>") << row.name;
  }
}

TEST_F(ShellTest, MissingLanguageFileMovesTheMarkAndChangesNoText) {
  copyLanguages();
  QFile::remove(dir.filePath(QStringLiteral("taiwan.lng")));
  auto w = open();
  w->show();
  QSignalSpy applied(w.get(), &MainWindow::languageApplied);
  choose(*w, "English1");
  EXPECT_EQ(applied.count(), 1);
  const QString english = item(*w, "fefs1")->text();
  choose(*w, "Chinese2");
  EXPECT_EQ(marked(*w, "Language1"), QStringList{QStringLiteral("Chinese2")});
  EXPECT_EQ(item(*w, "fefs1")->text(), english);
  EXPECT_EQ(applied.count(), 1);
  // The Edit menu's DTMF item still finds its page after the captions changed.
  choose(*w, "DTMF1");
  EXPECT_EQ(w->pageControl()->currentIndex(), page::Dtmf);
}

TEST_F(ShellTest, WindowHasFixedClientSizeAndShowsAllCaptionsInEitherLanguage) {
  copyLanguages();
  auto w = open();
  w->show();
  for (const char* language : {"Chinese1", "English1"}) {
    choose(*w, language);
    EXPECT_EQ(w->minimumSize(), w->maximumSize()) << language;
    EXPECT_GE(w->width(), 798) << language;
    EXPECT_GE(w->height() - w->menuBar()->height(), 596) << language;
    EXPECT_LE(w->pageControl()->tabBar()->sizeHint().width(), w->pageControl()->width()) << language;
    EXPECT_LE(w->menuBar()->sizeHint().width(), w->width()) << language;
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint) << language;
  }
}

TEST_F(ShellTest, SkinsDifferAndTheChosenOneIsAppliedAtOnceAndSaved) {
  EXPECT_NE(skins::styleSheet(1), skins::styleSheet(2));
  EXPECT_NE(skins::styleSheet(2), skins::styleSheet(3));
  EXPECT_NE(skins::palette(1).color(QPalette::Window), skins::palette(3).color(QPalette::Window));
  EXPECT_FALSE(skins::styleSheet(1).contains(QLatin1Char('@'))) << "every colour token is filled";
  {
    auto w = open();
    // Each skin's window background and selection colour, as the skins were designed.
    struct Look {
      int skin;
      const char* window;
      const char* accent;
    };
    const Look looks[] = {{3, "#eadbc8", "#7b4a2a"}, {2, "#cfd3d7", "#45566a"}, {1, "#dde9f7", "#2f6fb5"},
                          {3, "#eadbc8", "#7b4a2a"}};
    for (const Look& look : looks) {
      choose(*w, ("sk" + std::to_string(look.skin)).c_str());
      EXPECT_EQ(qApp->styleSheet(), skins::styleSheet(look.skin)) << look.skin;
      EXPECT_TRUE(qApp->styleSheet().contains(
          QStringLiteral("QMainWindow, QDialog { background: %1; }").arg(QLatin1String(look.window))))
          << look.skin;
      EXPECT_EQ(QApplication::palette().color(QPalette::Window).name(), QLatin1String(look.window)) << look.skin;
      EXPECT_EQ(QApplication::palette().color(QPalette::Highlight).name(), QLatin1String(look.accent)) << look.skin;
    }
  }
  EXPECT_EQ(saved("open", "skin"), "3");
}

TEST_F(ShellTest, UnwritableConfigurationIsReported) {
  // A folder where the file should be makes the write fail whoever runs the test.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("myini.ini")));
  open().reset();
  ASSERT_EQ(errors.size(), 1);
  EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Unable to write to "))) << errors[0].toStdString();
}

}  // namespace
}  // namespace qx
