#pragma once
// The band page ("其它功能", page 5): the four band range lists of band 1 and band 2. The lists only
// offer their entries; merging a range from a channel file or a radio read happens in the settings,
// and the lists follow.

#include <QWidget>

#include "ui/language_text.h"

namespace qx {

class RadioSettings;

class BandPage : public QWidget {
  Q_OBJECT
 public:
  // `settings` must outlive the page.
  BandPage(RadioSettings& settings, QWidget* parent = nullptr);

  void retranslate(const LanguageText& text);
};

}  // namespace qx
