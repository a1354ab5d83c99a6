#pragma once
// Generic binding of radio settings to form controls, one binder per setting kind:
// option -> combo box, flag -> check box, number -> spin box, text -> line edit (with the setting's
// length limit and character filter), band range -> combo box holding the band list.
// A bound control is filled from the setting's description, assigns the user's choice through the
// settings' one assignment path and follows every value, enabled-state and list change the
// settings announce. Rules never live here: the model decides, the control shows.

#include <QObject>
#include <QPointer>
#include <QValidator>

#include <string>
#include <string_view>
#include <vector>

#include "model/radio_settings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace qx {

// Accepts text made of the characters a text setting admits, turning typed "a"-"d" into "A"-"D"
// for DTMF fields; refused characters are dropped (also from pasted text).
class CharSetValidator : public QValidator {
  Q_OBJECT
 public:
  CharSetValidator(CharSet set, QObject* parent);
  State validate(QString& input, int& pos) const override;

 private:
  CharSet set_;
};

class SettingBinder : public QObject, private SettingsObserver {
  Q_OBJECT
 public:
  // `settings` must outlive the binder.
  SettingBinder(RadioSettings& settings, QObject* parent);
  ~SettingBinder() override;

  void bindOption(QComboBox* box, std::string_view key);
  void bindFlag(QCheckBox* box, std::string_view key);
  void bindNumber(QSpinBox* box, std::string_view key);
  void bindText(QLineEdit* edit, std::string_view key);
  void bindBand(QComboBox* box, std::string_view key);

  // Fills every bound control from the settings again.
  void refreshAll();

  RadioSettings& settings() { return settings_; }

 private:
  struct Binding {
    std::string key;
    SettingKind kind;
    QPointer<QWidget> widget;
  };

  void add(QWidget* widget, std::string_view key, SettingKind kind);
  void showValue(const Binding& b);
  void showList(const Binding& b);
  void showEnabled(const Binding& b);
  template <typename F>
  void forKey(std::string_view key, F&& f);

  void valueChanged(std::string_view key) override;
  void enabledChanged(std::string_view key, bool enabled) override;
  void optionTextsChanged(std::string_view key) override;
  void bandListChanged(std::string_view key) override;

  RadioSettings& settings_;
  std::vector<Binding> bindings_;
  int showing_ = 0;  // > 0 while the binder itself sets a control, so it does not assign back
};

}  // namespace qx
