#pragma once
// The DTMF page (page 2) with its tabs "系统" and "参数": tone timing, the call list with its
// floating editor, the PTT ID codes, the decode and stun options. Controls are bound to their settings
// (rules R3 and R5 act in the settings); the page itself only runs the call-list editor.

#include <QWidget>

#include <string_view>

#include "model/radio_settings.h"
#include "ui/language_text.h"

class QLineEdit;
class QTabWidget;
class QTableWidget;

namespace qx {

class DtmfPage : public QWidget, private SettingsObserver {
  Q_OBJECT
 public:
  // `settings` must outlive the page.
  DtmfPage(RadioSettings& settings, QWidget* parent = nullptr);
  ~DtmfPage() override;

  QTabWidget* tabs() const { return tabs_; }
  // Shows the first tab ("系统"), as at the first show of the window.
  void showFirstTab();
  // A new document hides the call-list editor; its target stays.
  void hideCallEditor();
  // The call-list row the editor writes into (1..10), or 0 before any entry was clicked.
  int editorRow() const { return editorRow_; }

  void retranslate(const LanguageText& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // bsSkinStringGrid1Click: opens the editor on the clicked entry with its text.
  void bsSkinStringGrid1Click(int row, int column);
  // bsSkinStringGrid1KeyPress: a DTMF key typed on the list replaces the target entry by that key.
  bool bsSkinStringGrid1KeyPress(const QString& typed);
  // Enter in the editor, BOT or EOT: the editor closes and the list takes the focus.
  void closeCallEditor();
  void bsSkinEdit14KeyUp(const QString& text);
  void placeEditor();
  void showCall(int index);

  void valueChanged(std::string_view key) override;

  RadioSettings& settings_;
  QTabWidget* tabs_ = nullptr;       // bsSkinPageControl5
  QTableWidget* callList_ = nullptr; // bsSkinStringGrid1
  QLineEdit* editor_ = nullptr;      // bsSkinEdit14
  int editorRow_ = 0;
};

}  // namespace qx
