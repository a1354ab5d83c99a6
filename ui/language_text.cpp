#include "ui/language_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include "files/language.h"

namespace qx {

LanguageText languageTextOf(const LanguageStore& store)
{
    return [&store](int number) { return QString::fromStdString(store.text(number)); };
}

void retextCaptions(QWidget& root, std::span<const CaptionRow> rows, const LanguageText& text) {
  for (const CaptionRow& row : rows) {
    QWidget* w = root.findChild<QWidget*>(QString::fromLatin1(row.name));
    if (!w) continue;
    // A number the language lacks keeps the caption shown before rather than blanking it.
    const QString t = text(row.number);
    if (t.isEmpty()) continue;
    const QString caption = t + QString::fromUtf8(row.suffix);
    if (auto* label = qobject_cast<QLabel*>(w))
      label->setText(caption);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
      button->setText(caption);
    else if (auto* group = qobject_cast<QGroupBox*>(w))
      group->setTitle(caption);
  }
}

}  // namespace qx
