#pragma once
// The function settings page ("功能选项", page 1) and the side-key page ("侧键设定", page 4). Both
// only lay out and name their controls; the setting binder ties each control to its setting, whose
// rules (VFO/MR, band expansion, password) act inside the settings.

#include <QWidget>

#include "files/config.h"
#include "ui/language_text.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace qx {

class RadioSettings;
class SettingBinder;

class FunctionPage : public QWidget {
  Q_OBJECT
 public:
  // `settings` must outlive the page.
  FunctionPage(RadioSettings& settings, QWidget* parent = nullptr);

  // Single-head (12) hides the VOX group, dual-head (13) shows it. The VOX settings keep their values.
  void setCommunicationMode(int mode);
  int communicationMode() const { return mode_; }

  void retranslate(const LanguageText& text);

 protected:
  // bsSkinTabSheet2Show: in single-head mode the VOX group is hidden whenever the page is shown.
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  RadioSettings& settings_;
  SettingBinder* binder_ = nullptr;
  QGroupBox* group_ = nullptr;       // bsSkinNotebook1
  QFrame* voxPanel_ = nullptr;       // bsSkinPanel7
  QLineEdit* password_ = nullptr;    // bsSkinEdit15
  int mode_ = kDualHeadMode;
};

class SideKeyPage : public QWidget {
  Q_OBJECT
 public:
  SideKeyPage(RadioSettings& settings, QWidget* parent = nullptr);

  void retranslate(const LanguageText& text);

 private:
  QGroupBox* group_ = nullptr;  // bsSkinNotebook10
};

}  // namespace qx
