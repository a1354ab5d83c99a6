#include "model/tone_list.h"

#include <array>
#include <cstdio>

#include "model/codec.h"
#include "model/display_words.h"

namespace qx {
namespace {

// CTCSS tones in tenths of a hertz, group positions 1..51.
constexpr std::array<int, kCtcssCount> kCtcssTenths = {
    630,  670,  693,  719,  744,  770,  797,  825,  854,  885,  915,  948,  974,  1000, 1035, 1072, 1109,
    1148, 1188, 1230, 1273, 1318, 1365, 1413, 1462, 1514, 1567, 1598, 1622, 1655, 1679, 1713, 1738, 1773,
    1799, 1835, 1862, 1899, 1928, 1966, 1995, 2035, 2065, 2107, 2181, 2257, 2291, 2336, 2418, 2503, 2541};

// DCS codes as their three digits read in decimal, group positions 1..107.
constexpr std::array<int, kDcsCount> kDcsCodes = {
    17,  23,  25,  26,  31,  32,  36,  43,  47,  50,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115, 116, 122,
    125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223, 225, 226, 243, 244, 245, 246,
    251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365, 371,
    411, 412, 413, 423, 431, 432, 445, 446, 452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546,
    565, 606, 612, 624, 627, 631, 632, 645, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

std::string positionHex(int position)
{
    char buf[3];
    std::snprintf(buf, sizeof buf, "%.2X", static_cast<unsigned>(position));
    return buf;
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

// The language-independent entries 1..265, built once.
const ToneList& referenceTones()
{
    static const ToneList tones;
    return tones;
}

}  // namespace

ToneList::ToneList(std::string offWord)
{
    texts_.reserve(kToneCount);
    texts_.push_back(std::move(offWord));
    for (int tenths : kCtcssTenths)
        texts_.push_back(std::to_string(tenths / 10) + "." + std::to_string(tenths % 10));
    for (const char polarity : {'N', 'I'}) {
        for (int code : kDcsCodes) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "D%03d%c", code, polarity);
            texts_.emplace_back(buf);
        }
    }
}

const std::string& ToneList::text(int i) const
{
    static const std::string empty;
    return (i >= 0 && i < kToneCount) ? texts_[static_cast<std::size_t>(i)] : empty;
}

int ToneList::indexOf(std::string_view text) const
{
    for (int i = 0; i < kToneCount; ++i)
        if (texts_[static_cast<std::size_t>(i)] == text)
            return i;
    return -1;
}

void ToneList::setOffWord(std::string offWord) { texts_[0] = std::move(offWord); }

std::string CAL_ctc(int key)
{
    for (int i = 0; i < kCtcssCount; ++i)
        if (kCtcssTenths[static_cast<std::size_t>(i)] / 10 == key)
            return positionHex(i + 1);
    return {};
}

std::string CAL_dcs(int key)
{
    for (int i = 0; i < kDcsCount; ++i)
        if (kDcsCodes[static_cast<std::size_t>(i)] == key)
            return positionHex(i + 1);
    return {};
}

Result<std::string> toneCode(std::string_view cellText, std::string_view offWord, ToneSide side)
{
    const std::string text = trimmed(cellText);
    if (text.empty() || text == offWord || isRecognisedForm(Word::Off, text))
        return std::string("FF00");

    // Only a real list entry has a code: a key lookup alone would give "67.5" the code of "67.0".
    const int index = referenceTones().indexOf(text);
    if (index < 1)
        return makeError("tone \"" + text + "\" has no tone code");

    const bool decode = side == ToneSide::Decode;
    if (text.back() == 'I')
        return CAL_dcs(std::stoi(text.substr(1, 3))) + (decode ? "E4" : "E3");
    if (text.back() == 'N')
        return CAL_dcs(std::stoi(text.substr(1, 3))) + (decode ? "C4" : "C3");
    const std::string key = text.size() == 5 ? text.substr(0, 3) : text.substr(0, 2);
    return CAL_ctc(std::stoi(key)) + (decode ? "82" : "81");
}

Result<ToneReading> readToneCode(std::string_view code, const ToneList& tones)
{
    if (code.size() != 4)
        return makeError("tone code \"" + std::string(code) + "\" is not four hex digits");
    auto position = hextoint(code.substr(0, 2));
    if (!position.ok())
        return position.error().withContext("tone code \"" + std::string(code) + "\"");
    if (!isHexDigit(code[2]) || !isHexDigit(code[3]))
        return makeError("tone code \"" + std::string(code) + "\" is not four hex digits");

    const int p = static_cast<int>(position.value());
    int index = 0;
    switch (code[2]) {
    case '8':
        if (p >= 1 && p <= kCtcssCount)
            index = p;
        break;
    case 'C':
    case 'c':
        if (p >= 1 && p <= kDcsCount)
            index = p + kCtcssCount;
        break;
    case 'E':
    case 'e':
        if (p >= 1 && p <= kDcsCount)
            index = p + kCtcssCount + kDcsCount;
        break;
    default:
        // 0 and F mean no tone; any other type, like a position outside its group, also reads as
        // no tone: an empty cell would make the channel look new and reset its whole row.
        break;
    }
    return ToneReading{tones.text(index), index};
}

}  // namespace qx
