#include "interchange/csv.h"

#include <algorithm>

#include "files/encoding.h"
#include "interchange/texts.h"
#include "link/write_check.h"

namespace qx {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Line of the first byte that is not part of valid UTF-8.
int firstBadUtf8Line(std::string_view text)
{
    int line = 1;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (!isValidUtf8(text.substr(start, end - start)))
            return line;
        start = end + 1;
        ++line;
    }
    return line;
}

}  // namespace

bool CsvRecord::blank() const
{
    return std::all_of(fields.begin(), fields.end(),
                       [](const std::string& f) { return f.find_first_not_of(' ') == std::string::npos; });
}

Result<std::vector<CsvRecord>> readCsv(std::string_view text, const CsvDialect& dialect, const StringTable& strings)
{
    if (text.size() > kMaxInterchangeBytes)
        return makeError(strings.text(istr::TooLarge));
    if (text.starts_with(kBom))
        text.remove_prefix(kBom.size());
    if (!isValidUtf8(text))
        return makeError(fillIn(strings.text(istr::NotUtf8), {std::to_string(firstBadUtf8Line(text))}));

    std::vector<CsvRecord> records;
    int line = 1;
    std::size_t i = 0;
    const std::size_t n = text.size();
    // Consumes a line end at i (CR LF, LF or a lone CR); true when there was one.
    const auto lineEnd = [&]() {
        if (i < n && text[i] == '\r') {
            ++i;
            if (i < n && text[i] == '\n')
                ++i;
            ++line;
            return true;
        }
        if (i < n && text[i] == '\n') {
            ++i;
            ++line;
            return true;
        }
        return false;
    };

    while (i < n) {
        if (lineEnd())
            continue;  // an empty line
        if (dialect.commentLines && text[i] == '#') {
            while (i < n && text[i] != '\r' && text[i] != '\n')
                ++i;
            lineEnd();
            continue;
        }
        CsvRecord record;
        record.line = line;
        std::string field;
        bool recordDone = false;
        while (!recordDone) {
            if (i < n && text[i] == '"') {
                const int opened = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    const char c = text[i];
                    if (c == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (c == '\n' || (c == '\r' && !(i + 1 < n && text[i + 1] == '\n')))
                        ++line;
                    field += c;
                    ++i;
                }
                if (!closed)
                    return makeError(fillIn(strings.text(istr::OpenQuote), {std::to_string(opened)}));
            }
            // The unquoted part (or what follows a closing quote) up to the delimiter or line end.
            while (i < n && text[i] != dialect.delimiter && text[i] != '\r' && text[i] != '\n')
                field += text[i++];
            record.fields.push_back(std::move(field));
            field.clear();
            if (i < n && text[i] == dialect.delimiter) {
                ++i;
                continue;
            }
            lineEnd();
            recordDone = true;
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::string formatCsvRecord(const std::vector<std::string>& fields, char delimiter)
{
    std::string out;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (f > 0)
            out += delimiter;
        const std::string& v = fields[f];
        const bool quote = v.find_first_of(std::string{delimiter, '"', '\r', '\n'}) != std::string::npos ||
                           v.starts_with('#');
        if (!quote) {
            out += v;
            continue;
        }
        out += '"';
        for (char c : v) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

}  // namespace qx
