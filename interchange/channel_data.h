#pragma once
// One channel as interchange carries it: typed values, so that what a preview holds is written in
// the words of the language in use when it is applied. Also the checks every way in shares: a
// frequency as the normalisation would keep it, a tone of this radio, an alias of its characters.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "files/language.h"
#include "model/codeplug.h"
#include "model/result.h"

namespace qx {

enum class VoiceMode { Off, Compander, Scrambler };

struct ChannelData {
    std::string rx;  // normalised frequency text ("462.56250")
    std::string tx;  // normalised frequency text; empty: the channel does not transmit
    int rxTone = 0;  // ToneList index of the decode tone
    int txTone = 0;  // ToneList index of the encode tone
    bool highPower = true;
    bool wide = true;
    bool scanAdd = true;
    bool dtmf = false;
    bool pttId = false;
    std::string alias;
    bool tailElim = true;
    bool vox = false;
    bool busyLock = false;
    VoiceMode voice = VoiceMode::Off;

    bool operator==(const ChannelData&) const = default;
};

// Writes the channel into row: its ten cells and six extras, in the document's words and tone
// texts, code cells from the tone indexes.
void writeChannel(Codeplug& doc, int row, const ChannelData& channel);

// A decimal megahertz text with any number of decimals, to 1 Hz: hz, and whether digits below
// 1 Hz are not zero. Spaces around it are allowed. nullopt when it is not such a number (signs,
// exponents, several points, no digit) or above 99999 MHz.
struct Megahertz {
    std::int64_t hz = 0;
    bool finerThanHz = false;
};
std::optional<Megahertz> parseMegahertz(std::string_view text);

// Hz as megahertz with six decimals ("462.562500").
std::string formatMegahertz(std::int64_t hz);

// Why a value is refused: the reason text in the strings' language.
struct Reason {
    std::string text;
};

// A frequency as an import must take it: in the receive range of the band selected by `Band`
// when that range has limits, and a value the normalisation leaves as it is. The normalised text,
// or the reason (not a number, outside the range, off the raster, not below 1000 MHz).
std::variant<std::string, Reason> checkFrequency(std::string_view text, const Codeplug& doc,
                                                 const StringTable& strings);
// The same for a value already read; `shown` is how a reason names it (default: six decimals).
std::variant<std::string, Reason> checkFrequencyHz(std::int64_t hz, bool finerThanHz, const Codeplug& doc,
                                                   const StringTable& strings, std::string_view shown = {});

// ToneList index of a CTCSS tone in hertz ("88.5", "88.50", "67"), or of a DCS code of up to
// three octal digits ("23", "023") with its polarity; the reason otherwise.
std::variant<int, Reason> ctcssIndex(std::string_view hertz, const Codeplug& doc, const StringTable& strings);
std::variant<int, Reason> dcsIndex(std::string_view code, bool inverted, const Codeplug& doc,
                                   const StringTable& strings);

// Upper case, characters without an alias code dropped, at most six; spaces around the text are
// not counted as a change.
std::string aliasFrom(std::string_view text);

// ASCII case-insensitive equality after trimming spaces.
bool sameWord(std::string_view a, std::string_view b);
std::string_view trimSpaces(std::string_view text);

}  // namespace qx
