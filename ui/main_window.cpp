#include "ui/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QDesktopServices>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <span>

#include "files/command_caption.h"
#include "files/startup_document.h"
#include "ui/about_dialog.h"
#include "ui/app_icon.h"
#include "ui/shell_menu.h"
#include "ui/shell_texts.h"
#include "ui/skins.h"
#include "ui/window_placement.h"

namespace qx {
namespace {

// The client area below the menu bar: toolbar, pages and status bar.
constexpr QSize kClientSize(798, 596);

constexpr std::pair<const char*, Language> kLanguageItems[] = {
    {"Chinese1", Language::Chinese}, {"English1", Language::English}, {"Chinese2", Language::Taiwan}};

QString utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      options_(std::move(options)),
      language_(QDir(options_.programDir).absolutePath().toStdString()) {
  if (!options_.openUrl) options_.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
  if (!options_.showError) {
    options_.showError = [this](const QString& text) {
      QMessageBox::warning(this, QString::fromUtf8(shell::kApplicationTitle), text);
    };
  }
  setObjectName(QStringLiteral("form1"));
  setWindowTitle(QString::fromUtf8(shell::kBuiltInTitle));
  setWindowIcon(programIcon());

  shell::buildMenuBar(*menuBar());
  auto* toolbar = new QToolBar(this);
  shell::buildToolBar(*toolbar);
  addToolBar(Qt::TopToolBarArea, toolbar);

  auto* centre = new QWidget(this);
  auto* layout = new QVBoxLayout(centre);
  layout->setContentsMargins(4, 4, 4, 2);
  pages_ = new QTabWidget(centre);
  shell::buildPages(*pages_);
  layout->addWidget(pages_);
  setCentralWidget(centre);

  auto* status = new QLabel(QString::fromUtf8(shell::kStatusIndent) + QString::fromUtf8(shell::kBuiltInStatus));
  status->setObjectName(QStringLiteral("bsSkinStatusPanel1"));
  statusBar()->setObjectName(QStringLiteral("bsSkinStatusBar1"));
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(status, 1);

  // Port 1 and dual-head are marked before any configuration; no skin or language is.
  action("COM11")->setChecked(true);
  action("N13")->setChecked(true);
  connectMenus();

  for (int i = 0; i < page::Count; ++i) {
    if (options_.pages[static_cast<size_t>(i)]) setPage(i, options_.pages[static_cast<size_t>(i)](*this));
  }
  codeplug_.settings().addObserver(this);
  formCreate();
  fitFixedSize();
}

MainWindow::~MainWindow() {
  // Normally the close event has saved; a window destroyed without being closed saves here.
  if (!configurationSaved_) saveConfiguration();
  codeplug_.settings().removeObserver(this);
  // The pages observe the codeplug, a member that ends before the window's children: end them first.
  delete pages_;
  pages_ = nullptr;
}

void MainWindow::connectMenus() {
  const std::pair<const char*, void (MainWindow::*)()> commands[] = {
      {"fsef1", &MainWindow::newRequested},  {"rsgg1", &MainWindow::openRequested},
      {"segs1", &MainWindow::saveRequested}, {"gs1", &MainWindow::readRequested},
      {"N2", &MainWindow::writeRequested},
  };
  for (const auto& [name, signal] : commands) connect(action(name), &QAction::triggered, this, signal);
  const std::pair<const char*, void (MainWindow::*)()> buttons[] = {
      {"bsSkinSpeedButton1", &MainWindow::newRequested},  {"bsSkinSpeedButton2", &MainWindow::openRequested},
      {"bsSkinSpeedButton3", &MainWindow::saveRequested}, {"bsSkinSpeedButton4", &MainWindow::readRequested},
      {"bsSkinSpeedButton5", &MainWindow::writeRequested},
  };
  for (const auto& [name, signal] : buttons) connect(toolButton(name), &QToolButton::clicked, this, signal);

  connect(action("E1"), &QAction::triggered, this, &QWidget::close);

  const std::pair<const char*, int> pageItems[] = {
      {"N4", page::Channels},      {"N5", page::Functions}, {"DTMF1", page::Dtmf},
      {"N8", page::SingleChannel}, {"N9", page::SideKeys},  {"T1", page::Bands},
  };
  for (const auto& [name, index] : pageItems)
    connect(action(name), &QAction::triggered, this, [this, index = index] { showPage(index); });

  const char* ports[] = {"COM11", "COM21", "COM31", "COM41"};
  for (int n = 1; n <= 4; ++n)
    connect(action(ports[n - 1]), &QAction::triggered, this, [this, n] { selectPort(n); });
  connect(action("N12"), &QAction::triggered, this, [this] { selectCommMode(kSingleHeadMode); });
  connect(action("N13"), &QAction::triggered, this, [this] { selectCommMode(kDualHeadMode); });
  const char* skinItems[] = {"sk1", "sk2", "sk3"};
  for (int n = skins::kFirst; n <= skins::kLast; ++n)
    connect(action(skinItems[n - 1]), &QAction::triggered, this, [this, n] { selectSkin(n); });
  for (const auto& [item, language] : kLanguageItems)
    connect(action(item), &QAction::triggered, this, [this, language = language] { selectLanguage(language); });
  connect(action("H2"), &QAction::triggered, this, &MainWindow::openHelp);
  connect(action("A1"), &QAction::triggered, this, &MainWindow::showAbout);
}

QAction* MainWindow::action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

QToolButton* MainWindow::toolButton(const char* name) const {
  return findChild<QToolButton*>(QString::fromLatin1(name));
}

// ---- pages ----

QWidget* MainWindow::sheet(int index) const { return pages_->widget(index); }

QWidget* MainWindow::pageContents(int index) const {
  QWidget* s = sheet(index);
  if (!s || s->layout()->count() == 0) return nullptr;
  return s->layout()->itemAt(0)->widget();
}

void MainWindow::setPage(int index, QWidget* contents) {
  QWidget* s = sheet(index);
  if (!s || !contents) return;
  if (QWidget* old = pageContents(index)) {
    s->layout()->removeWidget(old);
    old->deleteLater();
  }
  contents->setParent(s);
  s->layout()->addWidget(contents);
  if (shown_) fitFixedSize();
}

void MainWindow::showPage(int index) {
  if (index >= 0 && index < pages_->count()) pages_->setCurrentIndex(index);
}

// ---- shell settings ----

QString MainWindow::portDevice() const {
  if (port_ == 1 && !options_.com1Device.isEmpty()) return options_.com1Device;
  return utf8(portDevicePath(config_, "COM" + std::to_string(port_)));
}

void MainWindow::selectPort(int port) {
  const char* items[] = {"COM11", "COM21", "COM31", "COM41"};
  for (int n = 1; n <= 4; ++n) action(items[n - 1])->setChecked(n == port);
  port_ = port;
  emit portChanged(port_);
}

void MainWindow::selectCommMode(int mode) {
  action("N12")->setChecked(mode == kSingleHeadMode);
  action("N13")->setChecked(mode == kDualHeadMode);
  commMode_ = mode;
  if (mode == kSingleHeadMode) {
    // A single-head cable cannot carry VOX: every channel's VOX that is on goes off.
    ChannelExtras& extras = codeplug_.extras();
    const std::string& on = codeplug_.words().on;
    const std::string& off = codeplug_.words().off;
    TableUpdate update(extras);
    for (int row = 1; row <= kChannelCount; ++row) {
      if (extras.cell(xcol::Vox, row) == on) extras.setCell(xcol::Vox, row, off);
    }
  }
  emit commModeChanged(commMode_);
}

void MainWindow::selectSkin(int skin) {
  const char* items[] = {"sk1", "sk2", "sk3"};
  for (int n = skins::kFirst; n <= skins::kLast; ++n) action(items[n - 1])->setChecked(n == skin);
  skin_ = skin;
  skins::apply(skin_);
}

void MainWindow::selectLanguage(Language language) {
  for (const auto& [item, itemLanguage] : kLanguageItems) action(item)->setChecked(itemLanguage == language);
  // The mark moves even when the language's file is missing; then nothing else changes.
  if (!applyLanguage(language_, language, codeplug_).ok()) return;
  retextShell();
  emit languageApplied();
}

void MainWindow::retextShell() {
  // A number the file lacks keeps the text shown before rather than blanking a caption.
  const auto text = [this](int number, const QString& current) {
    const QString t = utf8(language_.text(number));
    return t.isEmpty() ? current : t;
  };
  const QString dots = QStringLiteral("...");
  const auto retextRows = [&](std::span<const shell::MenuRow> rows) {
    for (const shell::MenuRow& row : rows) {
      if (row.stringNo == 0) continue;
      QAction* item = action(row.name);
      QString caption = text(row.stringNo, item->text());
      if (row.stringNo == shell::kAboutString && !caption.endsWith(dots)) caption += dots;
      item->setText(caption);
    }
  };
  retextRows(shell::kMenuRows);
  retextRows(shell::kHelpRows);
  for (const shell::ToolRow& row : shell::kToolRows) {
    if (row.stringNo != 0) toolButton(row.name)->setText(text(row.stringNo, toolButton(row.name)->text()));
  }
  for (int i = 0; i < page::Count; ++i) {
    const shell::PageRow& row = shell::kPageRows[static_cast<size_t>(i)];
    if (row.stringNo != 0) pages_->setTabText(i, text(row.stringNo, pages_->tabText(i)));
  }
  if (auto* status = findChild<QLabel*>(QStringLiteral("bsSkinStatusPanel1"))) {
    const QString indent = QString::fromUtf8(shell::kStatusIndent);
    status->setText(indent + text(shell::kStatusString, status->text().mid(indent.size())));
  }
  if (about_) {
    // A window title shows no keyboard accelerator: "关于(&A)" titles as "关于", "&About" as "About".
    const QString about = text(shell::kAboutString, QStringLiteral("关于"));
    about_->setTitleText(QString::fromStdString(withoutAccelerator(about.toStdString())).remove(dots));
    for (int line = 1; line <= 4; ++line) about_->setLine(line, text(2 + line, about_->line(line)));
    about_->setButtonText(text(shell::kOkString, QStringLiteral("Ok")));
  }
  fitFixedSize();
}

void MainWindow::chooseStartupLanguage() {
  selectLanguage(startupLanguage(QDir(options_.programDir).absolutePath().toStdString()));
}

bool MainWindow::runGroupItem(const char* group, const QString& name) {
  QAction* item = shell::findGroupItem(*this, QString::fromLatin1(group), name);
  if (!item) return false;
  item->trigger();
  return true;
}

void MainWindow::openHelp() {
  const QString path = QDir(options_.programDir).filePath(QString::fromLatin1(shell::kHelpFile));
  if (QFileInfo::exists(path)) options_.openUrl(QUrl::fromLocalFile(path));
}

void MainWindow::setAboutBox(AboutDialog* about) {
  about_ = about;
  if (language_.loaded()) retextShell();
}

void MainWindow::showAbout() {
  if (about_) about_->showCentred();
}

// ---- title ----

void MainWindow::bs() {
  const RadioSettings& settings = codeplug_.settings();
  // Until a band-1 receive range is selected the built-in title stays.
  if (settings.bandSelected(keys::BandRx) < 0) return;
  setWindowTitle(QString::fromUtf8(shell::kTitlePrefix) + utf8(settings.text(keys::BandRx)) +
                 QString::fromUtf8(shell::kTitleSuffix));
}

void MainWindow::valueChanged(std::string_view key) {
  if (key == keys::BandRx || key == keys::BandRx1 || key == keys::BandTx1 || key == keys::Monitor) bs();
}

void MainWindow::bandListChanged(std::string_view key) {
  if (key == keys::BandRx || key == keys::BandRx1 || key == keys::BandTx1) bs();
}

// ---- start-up ----

void MainWindow::formCreate() {
  codeplug_.setCurrent(col::Rx, 1);
  loadConfiguration();
}

QString MainWindow::configFile() const {
  return utf8(configPath(QDir(options_.programDir).absolutePath().toStdString()));
}

void MainWindow::loadConfiguration() {
  config_ = qx::loadConfiguration(configFile().toStdString());
  // Each stored number carries out its menu item's action, as if the user had chosen it.
  runGroupItem("gsegs1", QStringLiteral("com%1").arg(config_.com) + QLatin1Char('1'));
  runGroupItem("N11", QStringLiteral("n%1").arg(config_.commode));
  runGroupItem("S1", QStringLiteral("sk%1").arg(config_.skin));
  applyBandLists(config_, codeplug_.settings());
}

bool MainWindow::saveConfiguration() {
  config_.com = port_;
  config_.commode = commMode_;
  config_.skin = skin_;
  storeBandLists(codeplug_.settings(), config_);
  // config_ holds the configured devices, never the device given for this run.
  const Status saved = qx::saveConfiguration(configFile().toStdString(), config_);
  if (!saved) options_.showError(utf8(saved.error().message));
  return saved.ok();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Saved while the window still exists, so a failure's warning has a window to stand over.
  saveConfiguration();
  configurationSaved_ = true;
  QMainWindow::closeEvent(event);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) configurationSaved_ = false;
  if (shown_) return;
  shown_ = true;
  fitFixedSize();
  centreOnScreen(*this);
  formShow();
}

void MainWindow::formShow() {
  setFirstShowValues(codeplug_);
  chooseStartupLanguage();
  showPage(page::Channels);
  emit firstShown();
}

void MainWindow::fitFixedSize() {
  // The client size unless the texts need more: then the smallest size that shows them all.
  const int menuHeight = menuBar()->sizeHint().height();
  QSize size(kClientSize.width(), kClientSize.height() + menuHeight);
  size = size.expandedTo(minimumSizeHint());
  const int tabsWidth = pages_->tabBar()->sizeHint().width() + 16;
  size.setWidth(std::max({size.width(), menuBar()->sizeHint().width(), tabsWidth}));
  setFixedSize(size);
}

}  // namespace qx
