#include "cli/show.h"

#include <algorithm>
#include <vector>

#include "model/codeplug.h"

namespace qx::cli {

namespace {

// The next code point of valid UTF-8 (the core's text always is); advances i.
char32_t nextCodePoint(std::string_view s, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3 ? (b & 0x07) : extra == 2 ? (b & 0x0F) : extra == 1 ? (b & 0x1F) : b;
    ++i;
    while (extra-- > 0 && i < s.size()) {
        cp = (cp << 6) | (byte(i) & 0x3F);
        ++i;
    }
    return cp;
}

bool isWide(char32_t cp)
{
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0x303E) || (cp >= 0x3041 && cp <= 0x33FF) ||
           (cp >= 0x3400 && cp <= 0x4DBF) || (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0xA000 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFE30 && cp <= 0xFE4F) ||
           (cp >= 0xFF00 && cp <= 0xFF60) || (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

void pad(std::string& out, std::string_view text, std::size_t width)
{
    out += text;
    out.append(width - std::min(width, displayWidth(text)), ' ');
}

struct Column {
    int column;
    bool extras;
};

constexpr Column kColumns[] = {
    {col::Number, false},   {col::Rx, false},       {col::RxTone, false},   {col::Tx, false},
    {col::TxTone, false},   {col::Power, false},    {col::Bandwidth, false}, {col::ScanAdd, false},
    {col::Dtmf, false},     {col::PttId, false},    {col::Alias, false},    {xcol::TailElim, true},
    {xcol::Vox, true},      {xcol::BusyLock, true}, {xcol::VoiceMode, true},
};

}  // namespace

std::size_t displayWidth(std::string_view utf8)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();)
        width += isWide(nextCodePoint(utf8, i)) ? 2 : 1;
    return width;
}

std::string formatDocument(const Codeplug& doc)
{
    const RadioSettings& settings = doc.settings();
    std::string out;

    std::size_t keyWidth = 0;
    for (const SettingSpec& desc : settingSpecs())
        if (desc.inFile)
            keyWidth = std::max(keyWidth, desc.key.size());
    for (const SettingSpec& desc : settingSpecs()) {
        if (!desc.inFile)
            continue;
        const std::string value = desc.kind == SettingKind::Flag
                                      ? (settings.value(desc.key) ? doc.words().on : doc.words().off)
                                      : settings.text(desc.key);
        out += "  ";
        if (value.empty())
            out += desc.key;
        else
            pad(out, desc.key, keyWidth + 2);
        out += value + '\n';
    }

    std::vector<int> rows;
    for (int row = 1; row <= kChannelCount; ++row)
        if (!doc.isEmptyChannel(row))
            rows.push_back(row);
    const auto cell = [&](const Column& c, int row) -> const std::string& {
        return c.extras ? doc.extras().cell(c.column, row) : doc.channels().cell(c.column, row);
    };
    std::vector<std::size_t> widths;
    for (const Column& c : kColumns) {
        std::size_t w = displayWidth(cell(c, 0));
        for (int row : rows)
            w = std::max(w, displayWidth(cell(c, row)));
        widths.push_back(w);
    }
    out += '\n';
    const auto line = [&](int row) {
        std::string text = " ";
        for (std::size_t i = 0; i < std::size(kColumns); ++i) {
            text += ' ';
            pad(text, cell(kColumns[i], row), i + 1 < std::size(kColumns) ? widths[i] + 1 : 0);
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out += text + '\n';
    };
    line(0);
    for (int row : rows)
        line(row);
    return out;
}

}  // namespace qx::cli
