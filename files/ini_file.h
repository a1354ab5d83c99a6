#pragma once
// An initialisation file held as its lines, so that sections, keys and comments the program does
// not know survive a rewrite unchanged. Section and key names compare without regard to (ASCII)
// case; the first section and the first key of a name count, as with the usual readers.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class IniFile {
public:
    // Parses GB18030 bytes. A line that is not valid GB18030 is kept byte for byte and never
    // matches a lookup.
    static IniFile fromGb18030(std::string_view bytes);
    // Parses UTF-8 text (no conversion).
    static IniFile fromUtf8(std::string_view text);

    // The file's GB18030 bytes. Lines end as they did in the source (CR LF for a new file).
    std::string toGb18030() const;
    std::string toUtf8() const;

    // The value of key in section, spaces around it removed; nullopt when absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // An integer value in decimal; nullopt when absent or not a whole decimal number.
    std::optional<int> intValue(std::string_view section, std::string_view key) const;

    // Replaces the value of the key, or adds the key at the end of its section, or adds the
    // section at the end of the file. Line breaks in value become spaces so a value stays a value.
    void set(std::string_view section, std::string_view key, std::string_view value);
    void setInt(std::string_view section, std::string_view key, int value);

private:
    struct Line {
        std::string text;
        bool opaque = false;  // bytes that did not decode: written back as they came
    };
    static IniFile fromLines(std::string_view data, bool gb18030);

    std::vector<Line> lines_;
    std::string eol_ = "\r\n";
};

// Parses a whole decimal integer ("12", "-1", " 3 "); nullopt for anything else or out of range.
std::optional<int> parseDecimal(std::string_view text);

}  // namespace qx
