#pragma once
// The single-channel page ("信道", page 3): one channel of the channel tables and its extras row as
// form controls, on the current row it shares with the grid. Every change is written into the tables
// at once; loading the page only shows them and never changes a cell.

#include <QWidget>

#include "files/config.h"
#include "ui/language_text.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace qx {

class Codeplug;

class ChannelPage : public QWidget {
  Q_OBJECT
 public:
  // `doc` must outlive the page.
  ChannelPage(Codeplug& doc, QWidget* parent = nullptr);
  ~ChannelPage() override;

  // The channel number field (bsSkinSpinEdit20); setting it runs its change handler.
  void setChannelNumber(int channel);
  int channelNumber() const;

  // Single-head (12) disables and unticks the VOX box; dual-head (13) enables it again when the
  // receive field holds a frequency. No cell changes here.
  void setCommunicationMode(int mode);

  // Fills every control from the current row.
  void loadPage();

  // Labels, check boxes and the power, bandwidth, voice-mode and tone lists from the current language
  // and display words; each list keeps its selected position and runs its change action.
  void retranslate(const LanguageText& text);

 signals:
  // A field of channel `row` took the focus: the grid selects (column, row).
  void gridCellWanted(int column, int row);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool active() const { return isVisible(); }
  int row() const;
  bool rxFilled() const;
  void setSwitch(QCheckBox* box, bool on);
  void selectTone(QComboBox* box, int codeColumn, int toneColumn);
  void fillLists();

  void bsSkinSpinEdit20Change(int value);
  void fieldFocusIn(int column);
  bool frequencyKeyPress(QLineEdit* field, QKeyEvent* event);
  void bsSkinEdit11KeyUp(const QString& text);
  void bsSkinEdit11Exit();
  void bsSkinEdit13KeyUp(const QString& text);
  void bsSkinEdit8KeyUp(const QString& text);
  void toneChange(QComboBox* box, int codeColumn, int toneColumn);
  void listChange(QComboBox* box, bool extras, int column);
  void switchClick(QCheckBox* box, bool extras, int column, bool needsTail);

  Codeplug& doc_;
  int observerId_ = 0;
  int observerExtrasId_ = 0;
  int mode_ = kDualHeadMode;
  int loading_ = 0;  // > 0 while the page fills its controls: nothing is written back
  int writing_ = 0;  // > 0 while the page writes a cell: its own change needs no reload

  QSpinBox* number_ = nullptr;     // bsSkinSpinEdit20
  QLineEdit* rx_ = nullptr;        // bsSkinEdit11
  QLineEdit* tx_ = nullptr;        // bsSkinEdit13
  QLineEdit* alias_ = nullptr;     // bsSkinEdit8
  QComboBox* rxTone_ = nullptr;    // bsSkinComboBox19
  QComboBox* txTone_ = nullptr;    // bsSkinComboBox23
  QComboBox* power_ = nullptr;     // bsSkinComboBox24
  QComboBox* bandwidth_ = nullptr; // bsSkinComboBox31
  QComboBox* voice_ = nullptr;     // bsSkinComboBox32
  QCheckBox* busy_ = nullptr;      // bsSkinCheckRadioBox7
  QCheckBox* scan_ = nullptr;      // bsSkinCheckRadioBox2
  QCheckBox* tail_ = nullptr;      // bsSkinCheckRadioBox3
  QCheckBox* dtmf_ = nullptr;      // bsSkinCheckRadioBox5
  QCheckBox* pttId_ = nullptr;     // bsSkinCheckRadioBox15
  QCheckBox* vox_ = nullptr;       // bsSkinCheckRadioBox4
};

}  // namespace qx
