#pragma once
// RFC 4180 records: fields separated by a delimiter, records by CR LF or LF; a field in double
// quotes may hold the delimiter, line ends and doubled quotes. The same reader takes the
// tab-separated text of the clipboard.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/language.h"
#include "model/result.h"

namespace qx {

// Larger input is refused whole (a channel list is a few kilobytes).
inline constexpr std::size_t kMaxInterchangeBytes = 1024 * 1024;

struct CsvRecord {
    int line = 0;  // 1-based line on which the record starts
    std::vector<std::string> fields;

    // Every field empty or only spaces.
    bool blank() const;
};

struct CsvDialect {
    char delimiter = ',';
    bool commentLines = true;  // a line that begins with "#" outside a quoted field is skipped
};

// Splits text into records. A UTF-8 byte-order mark at the start and empty lines are skipped.
// Refused, with the strings' texts: more than kMaxInterchangeBytes, text that is not UTF-8 (naming
// the line), a quoted field that is never closed (naming the line it opened on). Text after a
// closing quote belongs to the same field; a quote inside an unquoted field is an ordinary character.
Result<std::vector<CsvRecord>> readCsv(std::string_view text, const CsvDialect& dialect, const StringTable& strings);

// One record without a line end. A field is quoted when it holds the delimiter, a quote, CR or LF,
// or begins with "#" (which a reader would take for a comment line).
std::string formatCsvRecord(const std::vector<std::string>& fields, char delimiter);

}  // namespace qx
