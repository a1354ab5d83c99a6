#pragma once
// The squelch tone list and the radio's two-byte tone codes.

#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"

namespace qx {

inline constexpr int kCtcssCount = 51;
inline constexpr int kDcsCount = 107;
inline constexpr int kToneCount = 1 + kCtcssCount + 2 * kDcsCount;  // 266
inline constexpr int kFirstDcsNormal = 1 + kCtcssCount;              // 52
inline constexpr int kFirstDcsInverted = kFirstDcsNormal + kDcsCount; // 159

// The 266 selectable tone texts: 0 the Off word, 1-51 CTCSS ("63.0" .. "254.1"), 52-158 DCS
// normal ("D017N" ..), 159-265 DCS inverted ("D017I" ..). The index is what the RX/TX code cells hold.
class ToneList {
public:
    explicit ToneList(std::string offWord = "禁用");

    int size() const { return kToneCount; }
    // Text of entry i; the empty text for an index outside 0..265.
    const std::string& text(int i) const;
    // Index of the entry with exactly this text, or -1.
    int indexOf(std::string_view text) const;
    // Entry 0 follows the language's Off word.
    void setOffWord(std::string offWord);
    const std::vector<std::string>& texts() const { return texts_; }

private:
    std::vector<std::string> texts_;
};

// Group position of a CTCSS tone keyed by its whole-hertz part (63 -> "01", 254 -> "33"), as two
// upper-case hex digits; the empty text for a key that is none of the 51.
std::string CAL_ctc(int key);
// Group position of a DCS code keyed by its three digits read as decimal (17 -> "01", 754 -> "6B");
// the empty text for a key that is none of the 107.
std::string CAL_dcs(int key);

enum class ToneSide { Decode, Encode };  // decode tone (column 2) or encode tone (column 4)

// Four-character tone code of a tone cell text. Empty, the current Off word or a recognised Off
// form ("禁用", "OFF") give "FF00". A text that is not in the tone list fails with an error naming it.
// "67.0" decode -> "0282"; "100.0" encode -> "0E81"; "D023N" decode -> "02C4"; "D754I" encode -> "6BE3".
Result<std::string> toneCode(std::string_view cellText, std::string_view offWord, ToneSide side);

struct ToneReading {
    std::string text;  // the tone cell text
    int index = 0;     // the ToneList index, for the code cell
};

// Tone of a four-character code read from the radio. Type digit 0/F: Off; 8: CTCSS; C: DCS normal;
// E: DCS inverted. A position outside its group, or any other type digit, reads as the Off word
// with index 0. Fails on a wrong length or a non-hex digit.
Result<ToneReading> readToneCode(std::string_view code, const ToneList& tones);

}  // namespace qx
