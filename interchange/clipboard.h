#pragma once
// The clipboard text of channels: tab-separated, as spreadsheets copy and paste it. A header line
// with the column names in the current language, then one line per channel: the grid's columns
// 1-10 (RX, decode tone, TX, encode tone, power, bandwidth, scan add, DTMF, PTT ID, alias), then
// tail elimination, VOX, busy lock and voice mode, in the current language's words.

#include <string>
#include <string_view>

#include "files/language.h"
#include "interchange/preview.h"
#include "model/codeplug.h"
#include "model/result.h"

namespace qx {

inline constexpr int kClipboardColumnCount = 14;

// The header line and the lines of channels first..last (clamped to 1..128), each ending in LF;
// an empty channel gives a line of empty fields.
std::string formatClipboard(const Codeplug& doc, int firstChannel, int lastChannel);

// What pasting text at startChannel would do, without changing the document.
// - A first line that is a CHIRP CSV header: the text is read as a CHIRP import from startChannel.
// - Otherwise the first line is a header when one of its fields names a column (in any of the
//   three languages, the English words, or the document's own headers); columns then go by
//   header, unknown ones are ignored with a warning. Without a header the fields go by position.
// - Words in any language's recognised forms (any ASCII case); an empty cell or a missing column
//   takes the new-channel value, except that an empty TX cell means the channel does not transmit.
// - Frequencies are checked like an import's; a line without RX empties its channel, blank lines
//   at the end are dropped; lines beyond channel 128 are refused.
Result<Preview> previewPaste(std::string_view text, const Codeplug& doc, int startChannel,
                             const StringTable& strings);

}  // namespace qx
