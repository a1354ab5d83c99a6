#pragma once
// The main window (Tform1): menu bar, toolbar, six pages, status bar, and the shell settings (serial
// port, communication mode, skin, language mark). It owns the codeplug the pages show; the pages,
// dialogs and commands plug in from their own files.

#include <QMainWindow>
#include <QString>
#include <QUrl>

#include <array>
#include <functional>
#include <string_view>

#include "files/config.h"
#include "files/language.h"
#include "model/codeplug.h"
#include "model/radio_settings.h"

class QAction;
class QTabWidget;
class QToolButton;

namespace qx {

class AboutDialog;
class MainWindow;

// Page index in tab order.
namespace page {
inline constexpr int Channels = 0;
inline constexpr int Functions = 1;
inline constexpr int Dtmf = 2;
inline constexpr int SingleChannel = 3;
inline constexpr int SideKeys = 4;
inline constexpr int Bands = 5;
inline constexpr int Count = 6;
}  // namespace page

struct MainWindowOptions {
  // Builds the contents of one page; it may connect to the window's signals. Runs while the window is
  // created, before the configuration is applied, so a page sees the start-up port, mode and skin.
  using PageFactory = std::function<QWidget*(MainWindow&)>;

  // Where myini.ini, UNWISE.INI, the language files and the help file lie.
  QString programDir;
  // When set, COM1 means this device for this run. It is never written to the configuration.
  QString com1Device;
  // Contents of pages 0..5; an empty factory leaves the page blank.
  std::array<PageFactory, page::Count> pages;
  // Opens a file with the desktop's default handler (the help file); QDesktopServices by default.
  std::function<void(const QUrl&)> openUrl;
  // Shows an error of the shell (a configuration that cannot be written); a message box by default.
  std::function<void(const QString&)> showError;
};

class MainWindow : public QMainWindow, private SettingsObserver {
  Q_OBJECT
 public:
  explicit MainWindow(MainWindowOptions options, QWidget* parent = nullptr);
  // Closing writes the shell settings and the band lists to the configuration; a window destroyed
  // without being closed writes them then.
  ~MainWindow() override;

  Codeplug& codeplug() { return codeplug_; }
  const Codeplug& codeplug() const { return codeplug_; }
  const QString& programDir() const { return options_.programDir; }
  const LanguageStore& language() const { return language_; }

  // Shell settings.
  int portNumber() const { return port_; }       // 1..4
  int commMode() const { return commMode_; }     // kSingleHeadMode or kDualHeadMode
  int skin() const { return skin_; }             // 1..3
  // The device the selected port names for this run.
  QString portDevice() const;

  // Pages: the tab widget, the sheet of page i, and plugging contents into a sheet (replacing any).
  QTabWidget* pageControl() const { return pages_; }
  QWidget* sheet(int index) const;
  QWidget* pageContents(int index) const;
  void setPage(int index, QWidget* contents);
  void showPage(int index);

  // The about box created after the window; it takes the current language's texts.
  void setAboutBox(AboutDialog* about);

  // Recomputes the window title from the band-1 receive range (bs).
  void bs();

  // Writes the shell settings and the four band lists; a failure is shown and nothing is written.
  bool saveConfiguration();
  // The configuration file of this program folder.
  QString configFile() const;

 signals:
  // Commands whose code lives with the dialogs; the window only routes the items and buttons to them.
  void newRequested();
  void openRequested();
  void saveRequested();
  void readRequested();
  void writeRequested();
  // After a port item's action (port 1..4).
  void portChanged(int port);
  // After a mode item's action, the model part done: the function page shows or hides its VOX panel,
  // the single-channel page disables its VOX box in single-head mode.
  void commModeChanged(int mode);
  // After a language was applied to the document and the shell's own texts: pages and dialogs
  // re-text themselves from language(). A language whose file is missing changes nothing.
  void languageApplied();
  // The first show reached the page step: pages with inner tabs show their first one.
  void firstShown();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Start-up and first show.
  void formCreate();
  void formShow();
  void loadConfiguration();
  void chooseStartupLanguage();
  void fitFixedSize();

  // Menu actions.
  void connectMenus();
  void selectPort(int port);
  void selectCommMode(int mode);
  void selectSkin(int skin);
  void selectLanguage(Language language);
  void retextShell();
  // Runs the action of the item named `name` in check group `group`, if there is one.
  bool runGroupItem(const char* group, const QString& name);
  void openHelp();
  void showAbout();

  QAction* action(const char* name) const;
  QToolButton* toolButton(const char* name) const;

  // SettingsObserver: the lists that re-set the title.
  void valueChanged(std::string_view key) override;
  void bandListChanged(std::string_view key) override;

  MainWindowOptions options_;
  Codeplug codeplug_;
  // As loaded; the shell settings and band lists are refreshed from the window before saving.
  Configuration config_;
  LanguageStore language_;
  QTabWidget* pages_ = nullptr;
  AboutDialog* about_ = nullptr;
  int port_ = 1;
  int commMode_ = kDualHeadMode;
  int skin_ = 1;
  bool shown_ = false;
  bool configurationSaved_ = false;  // by the close event, since the window was last shown
};

}  // namespace qx
