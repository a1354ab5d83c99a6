#pragma once
// The check of a document before it is written to a radio: every text the records and blocks
// carry must have an encoding, so a write never sends a malformed frame or half a codeplug.
// Runs before anything is sent; the first problem is reported.

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

class Codeplug;

// Language strings of the refusal messages.
inline constexpr int kChannelNotWritableString = 146;  // %1 channel number, %2 column header
inline constexpr int kSettingNotWritableString = 147;  // %1 setting label

// The current text of a language string.
using TextLookup = std::function<std::string(int number)>;
// The label a setting is shown with; empty function: the key itself.
using LabelLookup = std::function<std::string(std::string_view key)>;

struct WriteProblem {
    int channel = 0;     // 1..128 for a channel cell, 0 for a setting
    int column = 0;      // ChannelTable column, or ChannelExtras column when extras is set
    bool extras = false;
    std::string key;     // the setting's key
    std::string message; // string 146 or 147, filled in
};

// The first problem of doc, or nullopt when the whole document can be written:
// - each filled channel: RX, and TX when filled, three digits "." five digits; both tones
//   encodable; power, bandwidth, scan add, DTMF, PTT ID, VOX and busy lock one of their display
//   words; tail elimination one of its words or empty; an alias of at most 6 characters;
// - Call0 to Call9, BOT, EOT and Private at most 15 DTMF characters, Stun Code at most 8
//   (lower-case "a" to "d" count); Password six decimal digits when Change Password is set.
std::optional<WriteProblem> checkBeforeWrite(const Codeplug& doc, const TextLookup& text,
                                             const LabelLookup& label = {});

// Replaces "%1", "%2", ... by the arguments in order; other text is kept.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace qx
