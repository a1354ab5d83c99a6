#include "ui/setting_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cassert>

namespace qx {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

const SettingSpec& specOf(std::string_view key) {
  const SettingSpec* desc = findSetting(key);
  assert(desc && "unknown setting key");
  return *desc;
}

void fillCombo(QComboBox* box, const std::vector<std::string>& texts, int selected) {
  const QSignalBlocker block(box);
  box->clear();
  for (const std::string& t : texts) box->addItem(qs(t));
  box->setCurrentIndex(selected >= 0 && selected < box->count() ? selected : -1);
}

}  // namespace

CharSetValidator::CharSetValidator(CharSet set, QObject* parent) : QValidator(parent), set_(set) {}

QValidator::State CharSetValidator::validate(QString& input, int& pos) const {
  if (set_ == CharSet::Any) return Acceptable;
  QString out;
  int newPos = 0;
  for (int i = 0; i < input.size(); ++i) {
    const QChar c = input.at(i);
    std::optional<char> kept;
    if (c.unicode() < 0x80) kept = filterTypedChar(set_, static_cast<char>(c.unicode()));
    if (kept) {
      out += QLatin1Char(*kept);
      if (i < pos) ++newPos;
    }
  }
  input = out;
  pos = newPos;
  return Acceptable;
}

SettingBinder::SettingBinder(RadioSettings& settings, QObject* parent) : QObject(parent), settings_(settings) {
  settings_.addObserver(this);
}

SettingBinder::~SettingBinder() { settings_.removeObserver(this); }

void SettingBinder::add(QWidget* widget, std::string_view key, SettingKind kind) {
  assert(specOf(key).kind == kind && "control does not match the setting's kind");
  bindings_.push_back(Binding{std::string(key), kind, widget});
  const Binding& b = bindings_.back();
  showList(b);
  showValue(b);
  showEnabled(b);
}

void SettingBinder::bindOption(QComboBox* box, std::string_view key) {
  box->setEditable(false);
  add(box, key, SettingKind::Option);
  connect(box, &QComboBox::currentIndexChanged, this, [this, box, k = std::string(key)](int index) {
    if (showing_ > 0 || index < 0) return;
    settings_.assign(k, index);
    // The model may refuse or redirect the choice (rule R1): show what it holds.
    if (box->currentIndex() != settings_.value(k)) {
      forKey(k, [this](const Binding& b) { showValue(b); });
    }
  });
}

void SettingBinder::bindBand(QComboBox* box, std::string_view key) {
  box->setEditable(false);
  add(box, key, SettingKind::Band);
  connect(box, &QComboBox::currentIndexChanged, this, [this, k = std::string(key)](int index) {
    if (showing_ > 0 || index < 0) return;
    settings_.assign(k, index);
  });
}

void SettingBinder::bindFlag(QCheckBox* box, std::string_view key) {
  add(box, key, SettingKind::Flag);
  // Only the user's click assigns: showing a value must not run a flag's rule again.
  connect(box, &QCheckBox::clicked, this, [this, k = std::string(key)](bool checked) {
    if (showing_ > 0) return;
    settings_.assign(k, checked ? 1 : 0);
  });
}

void SettingBinder::bindNumber(QSpinBox* box, std::string_view key) {
  const SettingSpec& desc = specOf(key);
  {
    const QSignalBlocker block(box);
    box->setRange(desc.min, desc.max);
    box->setSingleStep(desc.step);
  }
  if (auto* edit = box->findChild<QLineEdit*>(); edit && desc.digits > 0) edit->setMaxLength(desc.digits);
  add(box, key, SettingKind::Number);
  connect(box, &QSpinBox::valueChanged, this, [this, k = std::string(key)](int value) {
    if (showing_ > 0) return;
    settings_.assign(k, value);
  });
}

void SettingBinder::bindText(QLineEdit* edit, std::string_view key) {
  const SettingSpec& desc = specOf(key);
  if (desc.maxLength > 0) edit->setMaxLength(desc.maxLength);
  if (desc.chars != CharSet::Any) edit->setValidator(new CharSetValidator(desc.chars, edit));
  add(edit, key, SettingKind::Text);
  connect(edit, &QLineEdit::textChanged, this, [this, k = std::string(key)](const QString& text) {
    if (showing_ > 0) return;
    settings_.assignText(k, text.toStdString());
  });
}

void SettingBinder::refreshAll() {
  for (const Binding& b : bindings_) {
    showList(b);
    showValue(b);
    showEnabled(b);
  }
}

template <typename F>
void SettingBinder::forKey(std::string_view key, F&& f) {
  for (const Binding& b : bindings_)
    if (b.key == key && b.widget) f(b);
}

void SettingBinder::showList(const Binding& b) {
  auto* box = qobject_cast<QComboBox*>(b.widget.data());
  if (!box) return;
  ++showing_;
  if (b.kind == SettingKind::Option)
    fillCombo(box, settings_.optionTexts(b.key), settings_.value(b.key));
  else if (b.kind == SettingKind::Band)
    fillCombo(box, settings_.bandList(b.key), settings_.bandSelected(b.key));
  --showing_;
}

void SettingBinder::showValue(const Binding& b) {
  QWidget* w = b.widget.data();
  if (!w) return;
  ++showing_;
  switch (b.kind) {
    case SettingKind::Option:
    case SettingKind::Band: {
      auto* box = static_cast<QComboBox*>(w);
      const int v = b.kind == SettingKind::Band ? settings_.bandSelected(b.key) : settings_.value(b.key);
      box->setCurrentIndex(v >= 0 && v < box->count() ? v : -1);
      break;
    }
    case SettingKind::Flag:
      static_cast<QCheckBox*>(w)->setChecked(settings_.value(b.key) != 0);
      break;
    case SettingKind::Number:
      static_cast<QSpinBox*>(w)->setValue(settings_.value(b.key));
      break;
    case SettingKind::Text: {
      auto* edit = static_cast<QLineEdit*>(w);
      const QString text = qs(settings_.text(b.key));
      if (edit->text() != text) edit->setText(text);
      break;
    }
  }
  --showing_;
}

void SettingBinder::showEnabled(const Binding& b) {
  if (b.widget) b.widget->setEnabled(settings_.enabled(b.key));
}

void SettingBinder::valueChanged(std::string_view key) {
  forKey(key, [this](const Binding& b) { showValue(b); });
}

void SettingBinder::enabledChanged(std::string_view key, bool) {
  forKey(key, [this](const Binding& b) { showEnabled(b); });
}

void SettingBinder::optionTextsChanged(std::string_view key) {
  forKey(key, [this](const Binding& b) { showList(b); });
}

void SettingBinder::bandListChanged(std::string_view key) {
  forKey(key, [this](const Binding& b) { showList(b); });
}

}  // namespace qx
