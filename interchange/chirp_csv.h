#pragma once
// The CSV channel lists of CHIRP, the open multi-radio programmer: import into a preview, export
// of the filled channels. Columns are read by header name in any order; a missing column or an
// empty cell takes the format's default.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "files/language.h"
#include "interchange/preview.h"
#include "model/codeplug.h"
#include "model/result.h"

namespace qx {

// The columns CHIRP writes, in its order; export writes all of them.
inline constexpr std::array<std::string_view, 21> kChirpColumns = {
    "Location", "Name",      "Frequency", "Duplex",  "Offset", "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep",
    "Skip",     "Power",     "Comment",   "URCALL",  "RPT1CALL", "RPT2CALL", "DVCODE"};

struct ChirpImportOptions {
    int startChannel = 1;     // rows go in file order from here (clamped to 1..128)
    bool byLocation = false;  // rows go to the channel their Location names instead
};

// Whether the first line of text (after a byte-order mark) is a CHIRP header: it names at least
// the Location and Frequency columns.
bool isChirpHeader(std::string_view text);

// Reads a CHIRP CSV text against the document (its Band selection, receive range, step, tone
// list) without changing it. Fails as a whole, with the strings' text, on input the CSV reader
// refuses or a header without a Frequency column (or without Location when placing by location).
// A row is refused with its reason when a cell it needs cannot be taken as it is; an accepted row
// that has no channel left is refused too. Warnings: a name that changed on its way to an alias,
// a comment that is dropped.
Result<Preview> previewChirpImport(std::string_view text, const Codeplug& doc, const ChirpImportOptions& options,
                                   const StringTable& strings);

struct ChirpExport {
    std::string csv;                    // UTF-8, CR LF after every line, header first
    std::vector<std::string> warnings;  // in the strings' language, naming channels
};

// One row per filled channel. Tones this radio has and CHIRP's standard lists lack (63.0 Hz,
// DCS 017, 050, 645) are written as they are, with a warning naming the channels; a channel whose
// frequency or tone cell cannot be read (a hand-edited channel file) is left out with a warning.
ChirpExport exportChirpCsv(const Codeplug& doc, const StringTable& strings);

}  // namespace qx
