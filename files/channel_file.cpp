#include "files/channel_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "files/atomic_file.h"
#include "files/encoding.h"

namespace qx {

namespace {

// Lines 4 to 57 by key; an empty key is an empty line. The reader goes by position, so this
// table is the format.
constexpr std::string_view kSettingLines[] = {
    keys::BandRx, keys::BandTx, keys::BandRx1, keys::BandTx1,
    keys::APO, keys::ScanKind, keys::Step, keys::VfoMr, keys::MrFreqMrCh, keys::Squelch, keys::TOT,
    keys::Monitor, keys::ExpFreq, keys::Band, keys::Beep, keys::KeyLock, keys::Save, keys::EMG,
    keys::FMEnable, keys::VoxSQL, keys::VoxDelay, keys::VoxRX,
    "",
    keys::DigitTime, keys::DigitSpace, keys::FirstDigit, keys::Pretime, keys::StarHashDelay,
    keys::AckDecode, keys::DtmfSide, keys::DisplayPttId, keys::PttId, keys::BOT, keys::EOT,
    keys::Call0, keys::Call1, keys::Call2, keys::Call3, keys::Call4, keys::Call5, keys::Call6,
    keys::Call7, keys::Call8, keys::Call9,
    keys::Group, keys::Private, keys::AutoReset, keys::AutoAck, keys::DtmfBeep, keys::Strip,
    keys::Stun, keys::StunCode, keys::StunType, keys::KeyAssignment,
};
constexpr int kFirstSettingLine = 4;
constexpr int kBandTextLength = 10;  // characters taken after a band key

SettingKind kindOf(std::string_view key)
{
    const SettingSpec* desc = findSetting(key);
    if (desc == nullptr)
        throw std::logic_error("channel file names an unknown setting");
    return desc->kind;
}

// Byte length of the UTF-8 character that starts with lead byte c (1 for a stray byte, so a
// walk always advances).
std::size_t charLength(unsigned char c)
{
    if (c >= 0xF0 && c <= 0xF7)
        return 4;
    if (c >= 0xE0)
        return c <= 0xEF ? 3 : 1;
    if (c >= 0xC0)
        return 2;
    return 1;
}

// Byte offset n characters after pos, or the text's end.
std::size_t advanceChars(std::string_view s, std::size_t pos, std::size_t n)
{
    while (n-- > 0 && pos < s.size())
        pos = std::min(s.size(), pos + charLength(static_cast<unsigned char>(s[pos])));
    return pos;
}

std::string_view dropLastChar(std::string_view s)
{
    if (s.empty())
        return s;
    std::size_t end = s.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
        --end;
    return s.substr(0, end);
}

// What follows the key and its trailing space on a setting line (keys are ASCII).
std::string_view afterKey(std::string_view line, std::string_view key)
{
    return line.substr(advanceChars(line, 0, key.size() + 1));
}

std::string quoted(std::string_view text, std::string_view what)
{
    return "'" + std::string(text) + "' is not a valid " + std::string(what) + " value";
}

std::optional<int> parseInteger(std::string_view s)
{
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

// A decimal number, fraction and exponent allowed, rounded to the nearest whole number; the
// caller's assignment clamps it into the setting's range.
std::optional<int> parseNumber(std::string_view s)
{
    // Blanks around the number (" 100", "100 ") are what a hand edit leaves.
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    constexpr double kLimit = 2e9;  // far outside every range, well inside int
    return static_cast<int>(std::lround(std::clamp(v, -kLimit, kLimit)));
}

Result<StagedSetting> parseSettingLine(std::string_view line, std::string_view key)
{
    StagedSetting s{key, kindOf(key), 0, {}};
    const std::string_view rest = afterKey(line, key);
    switch (s.kind) {
    case SettingKind::Band:
        s.text = std::string(rest.substr(0, advanceChars(rest, 0, kBandTextLength)));
        break;
    case SettingKind::Option: {
        const std::string_view index = rest.substr(0, rest.find(' '));
        const auto v = parseInteger(index);
        if (!v)
            return makeError(quoted(index, "integer"));
        s.value = *v;
        break;
    }
    case SettingKind::Flag:
        s.value = !rest.empty() && rest.front() == '1' ? 1 : 0;
        break;
    case SettingKind::Number: {
        const auto v = parseNumber(rest);
        if (!v)
            return makeError(quoted(rest, "floating point"));
        s.value = *v;
        break;
    }
    case SettingKind::Text:
        s.text = std::string(rest);
        break;
    }
    return s;
}

// Up to `count` lines of raw bytes; a line ends at LF, and a CR before it is dropped.
std::vector<std::string_view> splitLines(std::string_view bytes, std::size_t count)
{
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < bytes.size() && lines.size() < count) {
        std::size_t end = bytes.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        pos = next;
    }
    return lines;
}

std::string formatSettingLine(const RadioSettings& settings, std::string_view key)
{
    std::string line = std::string(key) + " ";
    switch (kindOf(key)) {
    case SettingKind::Option:
        line += std::to_string(settings.value(key)) + " " + settings.text(key);
        break;
    case SettingKind::Flag:
        line += settings.value(key) != 0 ? "1" : "0";
        break;
    case SettingKind::Number:
        line += std::to_string(settings.value(key));
        break;
    case SettingKind::Text:
    case SettingKind::Band:
        line += settings.text(key);
        break;
    }
    return line;
}

}  // namespace

std::string channelFileWindowTitle(std::string_view bandRx)
{
    return "QX-4100D    [" + std::string(bandRx) + "]";
}

std::string formatChannelLine(const Codeplug& doc, int row)
{
    std::string_view number = doc.channels().cell(col::Number, row);
    number.remove_prefix(std::min(number.find_first_not_of(' '), number.size()));
    std::string line = "CH" + std::string(number) + " | ";
    for (int c = col::Rx; c <= col::Alias; ++c)
        line += doc.channels().cell(c, row) + " | ";
    for (int c = xcol::TailElim; c <= xcol::VoiceMode; ++c)
        line += doc.extras().cell(c, row) + " | ";
    return line;
}

std::vector<std::string> formatChannelFile(const Codeplug& doc)
{
    std::vector<std::string> lines{std::string(kChannelFileHeader), "", ""};
    lines.reserve(kChannelFileLineCount);
    for (std::string_view key : kSettingLines)
        lines.push_back(key.empty() ? std::string() : formatSettingLine(doc.settings(), key));
    lines.resize(kFirstChannelLine - 1);  // two empty lines before the channels
    for (int row = 1; row <= kChannelCount; ++row)
        lines.push_back(formatChannelLine(doc, row));
    return lines;
}

Result<std::string> encodeChannelFile(const Codeplug& doc)
{
    std::string text;
    for (const std::string& line : formatChannelFile(doc))
        text += line + "\r\n";
    return utf8ToGb18030(text);
}

std::optional<ChannelFields> parseChannelLine(std::string_view line)
{
    const std::size_t ninth = advanceChars(line, 0, 8);
    if (ninth < line.size() && line[ninth] == ' ')
        return std::nullopt;
    // Each field ends one character (the space) before its "|"; the "|" and the character after
    // it are dropped. The line's own last character is the final field's trailing space.
    std::string_view rest = dropLastChar(line.substr(ninth));
    ChannelFields fields;
    for (std::string& field : fields) {
        const std::size_t bar = rest.find('|');
        if (bar == std::string_view::npos)
            break;  // this field and the ones after it stay empty
        field = std::string(dropLastChar(rest.substr(0, bar)));
        rest = rest.substr(advanceChars(rest, bar + 1, 1));
    }
    // An empty RX field with text in other fields is read as a skipped row, as when the ninth
    // character is a space: filling those cells would give a row that saves as an empty one, so
    // they would be lost at the next open. All fields empty still empties the row and its extras.
    const bool othersEmpty = std::all_of(fields.begin() + 1, fields.end(), [](const std::string& f) { return f.empty(); });
    if (fields[0].empty() && !othersEmpty)
        return std::nullopt;
    return fields;
}

Result<StagedChannelFile> parseChannelFile(std::string_view bytes, const StringTable& strings)
{
    const std::vector<std::string_view> raw = splitLines(bytes, kChannelFileLineCount);
    if (raw.empty() || raw.front() != kChannelFileHeader)
        return makeError(strings.text(msg::NotChannelFile));

    // Only the bytes the reader uses are decoded: lines 2, 3, 26, 58 and 59 and the text after an
    // option line's index are ignored, so what they hold cannot refuse the file.
    std::vector<bool> optionLine(kChannelFileLineCount + 1, false);
    std::vector<bool> usedLine(kChannelFileLineCount + 1, true);
    for (int n : {1, 2, 3, kFirstChannelLine - 2, kFirstChannelLine - 1})
        usedLine[n] = false;
    for (std::size_t i = 0; i < std::size(kSettingLines); ++i) {
        const int n = kFirstSettingLine + static_cast<int>(i);
        if (kSettingLines[i].empty())
            usedLine[n] = false;
        else
            optionLine[n] = kindOf(kSettingLines[i]) == SettingKind::Option;
    }
    std::vector<std::string> lines;
    lines.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        std::string_view used = usedLine[n] ? raw[i] : std::string_view();
        if (optionLine[n]) {
            // Key (ASCII) and its space, then the index up to the next space; GB18030 has no
            // space byte inside a character, so a cut there is safe.
            const std::string_view key = kSettingLines[n - kFirstSettingLine];
            const std::size_t end = used.find(' ', std::min(used.size(), key.size() + 1));
            used = used.substr(0, end);
        }
        auto text = gb18030ToUtf8(used);
        if (!text) {
            std::string message = strings.text(msg::NotGb18030);
            const std::size_t at = message.find("%1");
            if (at != std::string::npos)
                message.replace(at, 2, std::to_string(n));
            return makeError(message);
        }
        lines.push_back(std::move(text).value());
    }
    // A file cut off reads as empty lines where its settings should be.
    auto lineAt = [&lines](int number) -> std::string_view {
        return number <= static_cast<int>(lines.size()) ? std::string_view(lines[number - 1]) : std::string_view();
    };

    StagedChannelFile staged;
    int number = kFirstSettingLine;
    for (std::string_view key : kSettingLines) {
        const int lineNumber = number++;
        if (key.empty())
            continue;
        auto setting = parseSettingLine(lineAt(lineNumber), key);
        if (!setting)
            return setting.error();
        staged.settings.push_back(std::move(setting).value());
    }
    for (int n = kFirstChannelLine; n <= static_cast<int>(lines.size()); ++n)
        staged.channels.push_back(parseChannelLine(lines[n - 1]));
    return staged;
}

std::string applyChannelFile(const StagedChannelFile& staged, Codeplug& doc)
{
    RadioSettings& settings = doc.settings();
    for (const StagedSetting& s : staged.settings) {
        if (s.kind == SettingKind::Text || s.kind == SettingKind::Band)
            settings.assignText(s.key, s.text);
        else
            settings.assign(s.key, s.value);
    }

    {
        TableUpdate update(doc.channels(), doc.extras());
        for (int row = 1; row <= kChannelCount; ++row)
            for (int c = col::Rx; c <= col::Alias; ++c)
                doc.channels().setCell(c, row, {});
        const int rows = std::min<int>(kChannelCount, static_cast<int>(staged.channels.size()));
        for (int i = 0; i < rows; ++i) {
            if (!staged.channels[i])
                continue;
            const ChannelFields& f = *staged.channels[i];
            const int row = i + 1;
            int field = 0;
            for (int c = col::Rx; c <= col::Alias; ++c)
                doc.channels().setCell(c, row, f[field++]);
            for (int c = xcol::TailElim; c <= xcol::VoiceMode; ++c)
                doc.extras().setCell(c, row, f[field++]);
        }
    }

    // Cells hold the words of the language they were saved under; the link reads them against
    // the current words, so bring them into the current language now.
    const DisplayWords words = doc.words();
    doc.reword(words);
    return channelFileWindowTitle(settings.text(keys::BandRx));
}

Result<OpenedChannelFile> openChannelFile(const std::string& path, Codeplug& doc,
                                          const StringTable& strings)
{
    auto read = readFileCapped(path, kMaxInputFileBytes);
    if (!read)
        return makeError("Cannot open file \"" + path + "\". " + read.error().message);
    if (read.value().tooLarge)
        return makeError(strings.text(msg::ChannelFileTooLarge));
    auto staged = parseChannelFile(read.value().bytes, strings);
    if (!staged)
        return staged.error();
    return OpenedChannelFile{applyChannelFile(staged.value(), doc)};
}

Status saveChannelFile(const std::string& path, const Codeplug& doc)
{
    auto bytes = encodeChannelFile(doc);
    Status written = bytes ? writeFileAtomically(path, bytes.value()) : Status(bytes.error());
    if (!written)
        return makeError("Cannot create file \"" + path + "\". " + written.error().message);
    return success();
}

}  // namespace qx
