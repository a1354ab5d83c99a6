#include "files/ini_file.h"

#include <algorithm>
#include <charconv>

#include "files/encoding.h"

namespace qx {

namespace {

std::string_view trim(std::string_view s)
{
    // A stray CR ("com1=/dev/ttyUSB0\r\r\n") counts as a blank too.
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// "[name]" gives name; anything else nullopt.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view line)
{
    const std::string_view t = trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return std::nullopt;
    const auto eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return KeyValue{trim(t.substr(0, eq)), trim(t.substr(eq + 1))};
}

}  // namespace

std::optional<int> parseDecimal(std::string_view text)
{
    text = trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

IniFile IniFile::fromLines(std::string_view data, bool gb18030)
{
    IniFile ini;
    while (data.substr(0, 3) == "\xEF\xBB\xBF")  // byte-order marks some editors write
        data.remove_prefix(3);
    bool sawCrLf = false;
    bool sawLf = false;
    std::size_t start = 0;
    while (start < data.size()) {
        auto nl = data.find('\n', start);
        const bool lastLine = nl == std::string_view::npos;
        std::string_view raw = data.substr(start, lastLine ? std::string_view::npos : nl - start);
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
            sawCrLf = !lastLine || sawCrLf;
        } else if (!lastLine) {
            sawLf = true;
        }
        Line line;
        if (gb18030) {
            auto decoded = gb18030ToUtf8(raw);
            line.opaque = !decoded.ok();
            line.text = decoded.ok() ? std::move(decoded).value() : std::string(raw);
        } else {
            line.text = std::string(raw);
        }
        ini.lines_.push_back(std::move(line));
        if (lastLine)
            break;
        start = nl + 1;
    }
    if (sawLf && !sawCrLf)
        ini.eol_ = "\n";
    return ini;
}

IniFile IniFile::fromGb18030(std::string_view bytes) { return fromLines(bytes, true); }
IniFile IniFile::fromUtf8(std::string_view text) { return fromLines(text, false); }

std::string IniFile::toUtf8() const
{
    std::string out;
    for (const Line& line : lines_)
        out += line.text + eol_;
    return out;
}

std::string IniFile::toGb18030() const
{
    std::string out;
    for (const Line& line : lines_) {
        if (line.opaque) {
            out += line.text;
        } else {
            // Every line was either decoded from GB18030 or built from valid UTF-8 by set(), and
            // GB18030 covers all of Unicode, so this cannot fail; keep the text if it ever does.
            auto encoded = utf8ToGb18030(line.text);
            out += encoded.ok() ? encoded.value() : line.text;
        }
        out += eol_;
    }
    return out;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    bool inSection = false;
    bool seenSection = false;
    for (const Line& line : lines_) {
        if (line.opaque)
            continue;
        if (auto name = sectionName(line.text)) {
            if (inSection)
                return std::nullopt;  // only the first section of a name counts
            inSection = !seenSection && equalsNoCase(*name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection)
            continue;
        if (auto kv = keyValue(line.text); kv && equalsNoCase(kv->key, key)) {
            // A CR inside a value reads as the blank set() would write for it, so a value
            // survives load, save and load unchanged.
            std::string found(kv->value);
            std::replace(found.begin(), found.end(), '\r', ' ');
            return found;
        }
    }
    return std::nullopt;
}

std::optional<int> IniFile::intValue(std::string_view section, std::string_view key) const
{
    const auto text = value(section, key);
    return text ? parseDecimal(*text) : std::nullopt;
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value)
{
    std::string clean(value);
    for (char& c : clean)
        if (c == '\r' || c == '\n')
            c = ' ';
    // Text that is not UTF-8 could not be written as GB18030; keep only what can be.
    if (!isValidUtf8(clean))
        clean.clear();
    std::string newLine = std::string(key) + "=" + clean;

    std::optional<std::size_t> sectionLine;
    std::size_t insertAt = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.opaque)
            continue;
        if (auto name = sectionName(line.text)) {
            if (sectionLine)
                break;  // end of the first section of that name
            if (equalsNoCase(*name, section)) {
                sectionLine = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (!sectionLine)
            continue;
        if (auto kv = keyValue(line.text)) {
            if (equalsNoCase(kv->key, key)) {
                lines_[i].text = std::move(newLine);
                return;
            }
            insertAt = i + 1;
        }
    }
    if (!sectionLine) {
        lines_.push_back(Line{"[" + std::string(section) + "]"});
        lines_.push_back(Line{std::move(newLine)});
        return;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{std::move(newLine)});
}

void IniFile::setInt(std::string_view section, std::string_view key, int value)
{
    set(section, key, std::to_string(value));
}

}  // namespace qx
