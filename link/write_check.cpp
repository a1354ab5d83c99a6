#include "link/write_check.h"

#include <algorithm>
#include <vector>

#include "link/records.h"
#include "model/codec.h"
#include "model/codeplug.h"

namespace qx {

namespace {

std::size_t codePoints(std::string_view utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool isDtmfChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || (c >= 'a' && c <= 'd') || c == '*' || c == '#';
}

bool isDtmfCode(std::string_view text, std::size_t maxLength)
{
    return text.size() <= maxLength && std::all_of(text.begin(), text.end(), isDtmfChar);
}

bool isSixDigits(std::string_view text)
{
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool oneOf(const std::string& cell, std::initializer_list<const std::string*> words)
{
    return std::any_of(words.begin(), words.end(), [&](const std::string* w) { return cell == *w; });
}

// The column of the first cell of a filled row that has no encoding, or nullopt.
struct BadCell {
    int column;
    bool extras;
};

std::optional<BadCell> badAlias(const Codeplug& doc, int row)
{
    if (codePoints(doc.channels().cell(col::Alias, row)) > kAliasBytes || !encodeAliasRecord(doc, row))
        return BadCell{col::Alias, false};
    return std::nullopt;
}

std::optional<BadCell> firstBadCell(const Codeplug& doc, int row)
{
    const ChannelTable& t = doc.channels();
    const ChannelExtras& x = doc.extras();
    const DisplayWords& w = doc.words();
    auto cell = [&](int c) -> const std::string& { return t.cell(c, row); };
    auto extra = [&](int c) -> const std::string& { return x.cell(c, row); };

    if (!isRecordFrequency(cell(col::Rx)))
        return BadCell{col::Rx, false};
    if (!doc.writeRxcode(col::RxTone, row))
        return BadCell{col::RxTone, false};
    if (!cell(col::Tx).empty() && !isRecordFrequency(cell(col::Tx)))
        return BadCell{col::Tx, false};
    if (!doc.writeTxcode(col::TxTone, row))
        return BadCell{col::TxTone, false};
    if (!oneOf(cell(col::Power), {&w.high, &w.low}))
        return BadCell{col::Power, false};
    if (!oneOf(cell(col::Bandwidth), {&w.wide, &w.narrow}))
        return BadCell{col::Bandwidth, false};
    for (int c : {col::ScanAdd, col::Dtmf, col::PttId})
        if (!oneOf(cell(c), {&w.on, &w.off}))
            return BadCell{c, false};
    if (auto alias = badAlias(doc, row))
        return alias;
    if (!extra(xcol::TailElim).empty() && !oneOf(extra(xcol::TailElim), {&w.on, &w.off}))
        return BadCell{xcol::TailElim, true};
    for (int c : {xcol::Vox, xcol::BusyLock})
        if (!oneOf(extra(c), {&w.on, &w.off}))
            return BadCell{c, true};
    return std::nullopt;
}

bool settingWritable(const RadioSettings& s, std::string_view key)
{
    if (key == keys::Password)
        return s.value(keys::ChangePassword) == 0 || isSixDigits(s.text(keys::Password));
    return isDtmfCode(s.text(key), key == keys::StunCode ? 8 : 15);
}

bool isCheckedCode(std::string_view key)
{
    if (key == keys::BOT || key == keys::EOT || key == keys::Private || key == keys::StunCode || key == keys::Password)
        return true;
    for (int i = 0; i < 10; ++i)
        if (key == keys::call(i))
            return true;
    return false;
}

}  // namespace

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    const std::vector<std::string_view> a(args);
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < a.size()) {
                out.append(a[n]);
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::optional<WriteProblem> checkBeforeWrite(const Codeplug& doc, const TextLookup& text, const LabelLookup& label)
{
    for (int row = 1; row <= kChannelCount; ++row) {
        // The write sends every row's alias, an empty row's too, so every alias is checked.
        const std::optional<BadCell> bad = doc.isEmptyChannel(row) ? badAlias(doc, row) : firstBadCell(doc, row);
        if (bad) {
            const std::string& header =
                bad->extras ? doc.extras().cell(bad->column, 0) : doc.channels().cell(bad->column, 0);
            WriteProblem p;
            p.channel = row;
            p.column = bad->column;
            p.extras = bad->extras;
            p.message = fillIn(text(kChannelNotWritableString), {doc.channels().cell(col::Number, row), header});
            return p;
        }
    }
    const RadioSettings& s = doc.settings();
    for (const SettingSpec& desc : settingSpecs()) {
        if (!isCheckedCode(desc.key) || settingWritable(s, desc.key))
            continue;
        WriteProblem p;
        p.key = std::string(desc.key);
        p.message = fillIn(text(kSettingNotWritableString), {label ? label(desc.key) : std::string(desc.key)});
        return p;
    }
    return std::nullopt;
}

}  // namespace qx
