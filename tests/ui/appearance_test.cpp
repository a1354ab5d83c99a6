// What the user sees: every control shows all of its text in every language, nothing overlaps, the
// grid's frequencies have room, and the skins draw real arrows on spin boxes and drop-down lists.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "files/new_document.h"
#include "model/channel_table.h"
#include "page_test_support.h"
#include "person.h"
#include "ui/about_dialog.h"
#include "ui/channel_grid.h"
#include "ui/document_commands.h"
#include "ui/editor_pages.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/rw_dialog.h"
#include "ui/skins.h"

namespace qx {
namespace {

using test::child;

std::string nameOf(const QWidget* w) {
  const QString name = w->objectName();
  return (name.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : name).toStdString();
}

QRect comboTextRect(const QComboBox& box) {
  QStyleOptionComboBox option;
  option.initFrom(&box);
  option.editable = box.isEditable();
  option.frame = box.hasFrame();
  option.subControls = QStyle::SC_All;
  return box.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box);
}

QStyleOptionSpinBox spinOption(const QSpinBox& box) {
  QStyleOptionSpinBox option;
  option.initFrom(&box);
  option.buttonSymbols = box.buttonSymbols();
  option.frame = box.hasFrame();
  option.subControls = QStyle::SC_All;
  option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
  return option;
}

// Why a control does not show all of its text, or "" when it does.
std::string clipping(const QWidget& w) {
  const int width = w.width();
  if (auto* label = qobject_cast<const QLabel*>(&w)) {
    if (label->text().isEmpty()) return {};
    if (label->wordWrap())
      return w.height() >= label->heightForWidth(width) ? "" : "wrapped text taller than the label";
    return width >= label->sizeHint().width() ? "" : "text wider than the label";
  }
  if (qobject_cast<const QAbstractButton*>(&w))
    return width >= w.sizeHint().width() ? "" : "caption wider than the button";
  if (auto* box = qobject_cast<const QComboBox*>(&w)) {
    const int room = comboTextRect(*box).width();
    for (int i = 0; i < box->count(); ++i) {
      if (box->fontMetrics().horizontalAdvance(box->itemText(i)) > room)
        return "option \"" + box->itemText(i).toStdString() + "\" wider than the list";
    }
    return {};
  }
  if (auto* spin = qobject_cast<const QSpinBox*>(&w)) {
    const QStyleOptionSpinBox option = spinOption(*spin);
    const QRect field = spin->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, spin);
    const QString widest = spin->prefix() + QString::number(spin->maximum()) + spin->suffix();
    return spin->fontMetrics().horizontalAdvance(widest) <= field.width() ? "" : "largest value wider than the field";
  }
  if (auto* edit = qobject_cast<const QLineEdit*>(&w)) {
    // Fields hold short codes and frequencies; a full one must show every character.
    if (edit->maxLength() > 16) return {};
    const QString full(edit->maxLength(), QLatin1Char('8'));
    return edit->fontMetrics().horizontalAdvance(full) + 8 <= width ? "" : "full field wider than the edit";
  }
  return {};
}

bool isControl(const QWidget* w) {
  return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QSpinBox*>(w) || qobject_cast<const QLineEdit*>(w);
}

// Every control shown under `root` shows its whole text, lies inside its parent and overlaps no
// control beside it. Returns how many controls it measured.
int expectEverythingFits(QWidget& root, const std::string& where) {
  EXPECT_TRUE(root.isVisible()) << where << ": " << nameOf(&root) << " is not showing";
  std::vector<QWidget*> shown;
  for (QWidget* w : root.findChildren<QWidget*>()) {
    // Controls inside a spin box, list or table are their parts, not controls of the page.
    if (!w->isVisibleTo(&root) || !isControl(w) || qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
        qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractScrollArea*>(w->parentWidget()))
      continue;
    shown.push_back(w);
    EXPECT_EQ(clipping(*w), "") << where << ": " << nameOf(w);
    EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
        << where << ": " << nameOf(w) << " reaches out of " << nameOf(w->parentWidget());
  }
  for (size_t i = 0; i < shown.size(); ++i) {
    for (size_t j = i + 1; j < shown.size(); ++j) {
      if (shown[i]->parentWidget() != shown[j]->parentWidget()) continue;
      EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
          << where << ": " << nameOf(shown[i]) << " overlaps " << nameOf(shown[j]);
    }
  }
  return static_cast<int>(shown.size());
}

struct LanguageRow {
  const char* name;
  const char* item;  // language menu item
  const char* skin;  // skin menu item; each language is looked at in a different skin
  const char* write;  // the Write button's caption in that language
};

class LayoutFitTest : public ::testing::TestWithParam<LanguageRow>, test::WithApplication {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"chinese.lng", "english.lng", "taiwan.lng"}) {
      ASSERT_TRUE(QFile::copy(QDir(QStringLiteral(QX_LANG_DIR)).filePath(QString::fromLatin1(name)),
                              dir.filePath(QString::fromLatin1(name))));
    }
    // Band lists with entries, so their lists have texts to fit.
    QFile ini(dir.filePath(QStringLiteral("myini.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[list1_rx]\r\nlistcount=2\r\ncombo0=400-470MHz\r\ncombo1=450-520MHz\r\nlistnow=0\r\n"
              "[list1_tx]\r\nlist2count=1\r\ncom2bo0=400-470MHz\r\nlist2now=0\r\n"
              "[list2_rx]\r\nlist3count=1\r\ncom3bo0=136-174MHz\r\nlist3now=0\r\n"
              "[list2_tx]\r\nlist4count=1\r\ncom4bo0=136-174MHz\r\nlist4now=0\r\n");
    ini.close();
    MainWindowOptions options;
    options.programDir = dir.path();
    options.showError = [](const QString&) {};
    options.openUrl = [](const QUrl&) {};
    installEditorPages(options);
    options.pages[page::Channels] = makeChannelGrid;
    window = std::make_unique<MainWindow>(std::move(options));
    about = std::make_unique<AboutDialog>(window.get());
    window->setAboutBox(about.get());
    messages = std::make_unique<MessageDialog>(window->codeplug(), window.get());
    rw = std::make_unique<RwDialog>(window->codeplug(), *messages, window.get());
    commands = std::make_unique<DocumentCommands>(*window, *messages, *rw);
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(test::clickMenuAction(*window, GetParam().skin));
    ASSERT_TRUE(test::clickMenuAction(*window, GetParam().item));
    QApplication::processEvents();
  }

  void TearDown() override {
    commands.reset();
    rw.reset();
    messages.reset();
    about.reset();
    window.reset();
  }

  std::string where(const char* what) const { return std::string(GetParam().name) + ", " + what; }

  QTemporaryDir dir;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<AboutDialog> about;
  std::unique_ptr<MessageDialog> messages;
  std::unique_ptr<RwDialog> rw;
  std::unique_ptr<DocumentCommands> commands;
};

TEST_P(LayoutFitTest, EveryPageShowsAllItsControlsWhole) {
  for (int i = 0; i < page::Count; ++i) {
    test::clickTab(window->pageControl(), i);
    QApplication::processEvents();
    const std::string page = where("page ") + std::to_string(i);
    ASSERT_TRUE(window->sheet(i)->isVisible()) << page;
    EXPECT_GT(expectEverythingFits(*window->sheet(i), page), 0) << page;
    expectEverythingFits(*window, page);  // with the menu bar and toolbar around it
    // A page with inner tabs is looked at on each of them.
    if (auto* tabs = window->pageContents(i)->findChild<QTabWidget*>()) {
      for (int t = 1; t < tabs->count(); ++t) {
        test::clickTab(tabs, t);
        QApplication::processEvents();
        const std::string tab = page + " tab " + std::to_string(t);
        ASSERT_TRUE(tabs->widget(t)->isVisible()) << tab;
        EXPECT_GT(expectEverythingFits(*tabs->widget(t), tab), 0) << tab;
        expectEverythingFits(*window, tab);
      }
      test::clickTab(tabs, 0);
    }
  }
}

TEST_P(LayoutFitTest, GridShowsNineDigitFrequenciesAndEveryColumnWithoutScrolling) {
  test::clickTab(window->pageControl(), page::Channels);
  QApplication::processEvents();
  auto* grid = child<QTableView>(*window, "StringAlignGrid1");
  ASSERT_NE(grid, nullptr);
  ASSERT_TRUE(grid->isVisible());
  const int digits = grid->fontMetrics().horizontalAdvance(QStringLiteral("462.56250"));
  for (int column : {col::Rx, col::Tx}) {
    // Room for the text and a visible gap to both cell borders.
    EXPECT_GE(grid->columnWidth(column - 1), digits + 12) << where("column ") << column;
  }
  const QHeaderView* header = grid->horizontalHeader();
  for (int c = 0; c < header->count(); ++c) {
    const QString text = grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_GE(header->sectionSize(c), header->fontMetrics().horizontalAdvance(text))
        << where("header ") << text.toStdString();
  }
  EXPECT_LE(header->length(), grid->viewport()->width()) << where("the last column is cut");
}

TEST_P(LayoutFitTest, DialogsShowTheirTextsWhole) {
  about->show();
  QApplication::processEvents();
  EXPECT_GT(expectEverythingFits(*about, where("about box")), 0);
  about->hide();

  // The transfer dialog as a write would open it.
  ASSERT_EQ(child<QToolButton>(*window, "bsSkinSpeedButton5")->text(), QString::fromUtf8(GetParam().write));
  child<QPushButton>(*rw, "bsSkinButton1")->setText(QString::fromUtf8(GetParam().write));
  rw->retext();
  rw->show();
  QApplication::processEvents();
  EXPECT_GT(expectEverythingFits(*rw, where("read/write dialog")), 0);
  rw->hide();

  // The message dialog is modal: look at it once it shows, then cancel it.
  bool looked = false;
  struct Watcher : QObject {
    std::function<void()> onShow;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Show) QTimer::singleShot(0, this, onShow);
      return false;
    }
  } watcher;
  watcher.onShow = [&] {
    EXPECT_GT(expectEverythingFits(*messages, where("message dialog")), 0);
    looked = true;
    QTest::mouseClick(child<QPushButton>(*messages, "bsSkinButton2"), Qt::LeftButton);
  };
  messages->installEventFilter(&watcher);
  messages->ask(newDocumentRequest(window->language()));
  messages->removeEventFilter(&watcher);
  EXPECT_TRUE(looked);
}

INSTANTIATE_TEST_SUITE_P(Languages, LayoutFitTest,
                         ::testing::Values(LanguageRow{"Chinese", "Chinese1", "sk1", "写频"},
                                           LanguageRow{"English", "English1", "sk2", "Write"},
                                           LanguageRow{"TraditionalChinese", "Chinese2", "sk3", "寫頻"}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- arrows ----

// Widths of the rows of dark pixels inside `area`, top to bottom; the skins' texts and arrows are
// dark on light buttons.
std::vector<int> darkRows(const QImage& image, const QRect& area) {
  std::vector<int> rows;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    int dark = 0;
    for (int x = area.left(); x <= area.right(); ++x) dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    if (dark > 0) rows.push_back(dark);
  }
  return rows;
}

// An arrow, not a line: at least three rows, narrowing towards its point.
std::string arrowShape(const std::vector<int>& rows, bool pointsUp) {
  if (rows.size() < 3) return "only " + std::to_string(rows.size()) + " dark rows";
  const int tip = pointsUp ? rows.front() : rows.back();
  const int base = pointsUp ? rows.back() : rows.front();
  return tip < base ? "" : "tip " + std::to_string(tip) + " not narrower than base " + std::to_string(base);
}

class SkinArrowTest : public ::testing::TestWithParam<int>, test::WithApplication {
 protected:
  void SetUp() override { skins::apply(GetParam()); }
  void TearDown() override { qApp->setStyleSheet({}); }
};

TEST_P(SkinArrowTest, SpinBoxButtonsAndListDropDownShowArrows) {
  QWidget form;
  auto* spin = new QSpinBox(&form);
  spin->setRange(0, 1000);
  spin->setValue(500);  // both steps possible, so neither arrow is dimmed
  spin->setGeometry(10, 10, 160, 24);
  auto* box = new QComboBox(&form);
  box->addItems({QStringLiteral("OFF"), QStringLiteral("ON")});
  box->setGeometry(10, 50, 160, 24);
  form.resize(200, 90);
  form.show();
  QApplication::processEvents();

  const QImage spinImage = spin->grab().toImage();
  const QStyleOptionSpinBox option = spinOption(*spin);
  for (auto [part, up] : {std::pair{QStyle::SC_SpinBoxUp, true}, std::pair{QStyle::SC_SpinBoxDown, false}}) {
    const QRect button = spin->style()->subControlRect(QStyle::CC_SpinBox, &option, part, spin);
    ASSERT_GE(button.width(), 12) << (up ? "up" : "down");
    EXPECT_EQ(arrowShape(darkRows(spinImage, button.adjusted(3, 2, -3, -2)), up), "") << (up ? "up" : "down");
  }

  const QImage boxImage = box->grab().toImage();
  QStyleOptionComboBox boxOption;
  boxOption.initFrom(box);
  boxOption.frame = true;
  boxOption.subControls = QStyle::SC_All;
  const QRect dropDown = box->style()->subControlRect(QStyle::CC_ComboBox, &boxOption, QStyle::SC_ComboBoxArrow, box);
  ASSERT_GE(dropDown.width(), 12);
  EXPECT_EQ(arrowShape(darkRows(boxImage, dropDown.adjusted(3, 3, -3, -3)), false), "");
}

TEST_P(SkinArrowTest, EveryImageTheStyleSheetNamesLoads) {
  const QString sheet = skins::styleSheet(GetParam());
  const QRegularExpression url(QStringLiteral("url\\(\"?([^\")]+)\"?\\)"));
  int images = 0;
  for (const QRegularExpressionMatch& m : url.globalMatch(sheet)) {
    ++images;
    EXPECT_FALSE(QImage(m.captured(1)).isNull()) << m.captured(1).toStdString();
  }
  EXPECT_GT(images, 0);
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinArrowTest, ::testing::Values(1, 2, 3),
                         [](const auto& info) { return "Skin" + std::to_string(info.param); });

}  // namespace
}  // namespace qx
