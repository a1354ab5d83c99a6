#pragma once
// What a page needs to re-text itself: the applied language's string of a number. Pages take this
// rather than the store, so they neither know where the texts come from nor keep a library open.

#include <QString>

#include <functional>
#include <span>

class QWidget;

namespace qx {

class LanguageStore;

using LanguageText = std::function<QString(int number)>;

// The strings of `store`, read at each call, so the text follows a later language change.
LanguageText languageTextOf(const LanguageStore& store);

// One caption a language replaces: the child named `name` (a label, button, check box or group box)
// takes string `number` followed by `suffix`.
struct CaptionRow {
  const char* name;
  int number;
  const char* suffix = "";
};

// Puts each row's text into the child of `root` with that object name; a missing child, or a number
// without text, is skipped.
void retextCaptions(QWidget& root, std::span<const CaptionRow> rows, const LanguageText& text);

}  // namespace qx
