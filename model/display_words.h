#pragma once
// The eight language-dependent words that switch-like cells hold.

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace qx {

enum class Word { Off, On, High, Low, Wide, Narrow, Compander, Scrambler };
inline constexpr std::array<Word, 8> kAllWords = {Word::Off,  Word::On,     Word::High,      Word::Low,
                                                  Word::Wide, Word::Narrow, Word::Compander, Word::Scrambler};

struct DisplayWords {
    std::string off, on, high, low, wide, narrow, compander, scrambler;

    // The words used before any language has been applied.
    static DisplayWords simplifiedChinese();

    const std::string& get(Word w) const;
    void set(Word w, std::string text);

    bool operator==(const DisplayWords&) const = default;
};

// Number of the language string that supplies a word (Off 34, On 35, High 36, Low 37, Wide 74,
// Narrow 75, Compander 78, Scrambler 79).
int languageStringOf(Word w);

// The forms of a word that re-wording recognises in any language ("禁用", "OFF" for Off, ...).
std::span<const std::string_view> recognisedForms(Word w);
bool isRecognisedForm(Word w, std::string_view text);

}  // namespace qx
