#include "interchange/clipboard.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <variant>

#include "interchange/chirp_csv.h"
#include "interchange/csv.h"
#include "interchange/texts.h"
#include "link/write_check.h"

namespace qx {

namespace {

enum class Kind { Rx, Tone, Tx, Power, Bandwidth, Switch, Alias, Voice };

struct ClipColumn {
    bool extras;  // a ChannelExtras column
    int column;
    Kind kind;
    bool defaultOn;  // the new-channel value of a switch
    // Headers of the three languages' files and the English words, compared without ASCII case.
    std::initializer_list<std::string_view> headers;
};

const std::array<ClipColumn, kClipboardColumnCount>& clipColumns()
{
    static const std::array<ClipColumn, kClipboardColumnCount> kColumns = {{
        {false, col::Rx, Kind::Rx, false, {"接收频率", "RX Freq", "接收頻率", "RX"}},
        {false, col::RxTone, Kind::Tone, false, {"QT/DQT解码", "RX QT/DQT", "QT/DQT解碼", "Decode"}},
        {false, col::Tx, Kind::Tx, false, {"发射频率", "TX Freq", "發射頻率", "TX"}},
        {false, col::TxTone, Kind::Tone, false, {"QT/DQT编码", "TX QT/DQT", "QT/DQT編碼", "Encode"}},
        {false, col::Power, Kind::Power, false, {"发射功率", "TX Power", "發射功率", "Power"}},
        {false, col::Bandwidth, Kind::Bandwidth, false, {"宽/窄带", "Bandwidth", "寬/窄帶"}},
        {false, col::ScanAdd, Kind::Switch, true, {"扫描添加", "Scan Add", "掃描加入"}},
        {false, col::Dtmf, Kind::Switch, false, {"DTMF"}},
        {false, col::PttId, Kind::Switch, false, {"PTT ID"}},
        {false, col::Alias, Kind::Alias, false, {"信道别名", "Alias", "頻道名稱"}},
        {true, xcol::TailElim, Kind::Switch, true, {"尾音消除", "Tail Elim.", "Tail Elimination"}},
        {true, xcol::Vox, Kind::Switch, false, {"VOX"}},
        {true, xcol::BusyLock, Kind::Switch, false, {"繁忙锁定", "Busy Lock", "忙線鎖定"}},
        {true, xcol::VoiceMode, Kind::Voice, false, {"语音模式", "Voice Mode", "語音模式"}},
    }};
    return kColumns;
}

// The channel number column of the grid: recognised in a header and passed over.
constexpr std::string_view kNumberHeaders[] = {"信道", "CH", "頻道", "Channel"};

const std::string& headerText(const Codeplug& doc, const ClipColumn& c)
{
    return c.extras ? doc.extras().cell(c.column, 0) : doc.channels().cell(c.column, 0);
}

bool namesColumn(const Codeplug& doc, const ClipColumn& c, std::string_view field)
{
    if (trimSpaces(field).empty())
        return false;
    if (sameWord(field, headerText(doc, c)))
        return true;
    return std::any_of(c.headers.begin(), c.headers.end(), [field](std::string_view h) { return sameWord(field, h); });
}

bool namesNumberColumn(const Codeplug& doc, std::string_view field)
{
    return sameWord(field, doc.channels().cell(col::Number, 0)) ||
           std::any_of(std::begin(kNumberHeaders), std::end(kNumberHeaders),
                       [field](std::string_view h) { return sameWord(field, h); });
}

// A word in the document's language or any recognised form.
bool isWord(const Codeplug& doc, Word w, std::string_view text)
{
    if (sameWord(text, doc.words().get(w)))
        return true;
    const auto forms = recognisedForms(w);
    return std::any_of(forms.begin(), forms.end(), [text](std::string_view f) { return sameWord(text, f); });
}

class PasteRow {
public:
    PasteRow(const std::array<int, kClipboardColumnCount>& fieldOf, const CsvRecord& record, const Codeplug& doc,
             const StringTable& strings, const std::array<std::string, kClipboardColumnCount>& names)
        : fieldOf_(fieldOf), record_(record), doc_(doc), strings_(strings), names_(names)
    {
    }

    bool present(int i) const
    {
        return fieldOf_[i] >= 0 && fieldOf_[i] < static_cast<int>(record_.fields.size());
    }
    std::string raw(int i) const { return present(i) ? record_.fields[fieldOf_[i]] : std::string(); }
    std::string_view cell(int i) const { return trimSpaces(rawRef(i)); }

    Refusal refuse(int i, std::string reason) const
    {
        return Refusal{record_.line, names_[i], raw(i), std::move(reason)};
    }

    std::variant<std::optional<ChannelData>, Refusal> read(std::vector<InterchangeWarning>& warnings) const
    {
        const auto& columns = clipColumns();
        if (cell(0).empty())
            return std::optional<ChannelData>();  // an empty channel
        ChannelData ch;
        for (int i = 0; i < kClipboardColumnCount; ++i) {
            const ClipColumn& c = columns[i];
            const std::string_view v = cell(i);
            switch (c.kind) {
            case Kind::Rx:
            case Kind::Tx: {
                if (c.kind == Kind::Tx && !present(i)) {
                    ch.tx = ch.rx;
                    break;
                }
                if (c.kind == Kind::Tx && v.empty()) {
                    ch.tx.clear();
                    break;
                }
                auto f = checkFrequency(v, doc_, strings_);
                if (auto* r = std::get_if<Reason>(&f))
                    return refuse(i, r->text);
                (c.kind == Kind::Rx ? ch.rx : ch.tx) = std::get<std::string>(f);
                break;
            }
            case Kind::Tone: {
                auto t = toneIndex(v);
                if (auto* r = std::get_if<Reason>(&t))
                    return refuse(i, r->text);
                (c.column == col::RxTone ? ch.rxTone : ch.txTone) = std::get<int>(t);
                break;
            }
            case Kind::Power:
                if (!v.empty() && !isWord(doc_, Word::High, v) && !isWord(doc_, Word::Low, v))
                    return refuse(i, strings_.text(istr::UnknownValue));
                ch.highPower = v.empty() || isWord(doc_, Word::High, v);
                break;
            case Kind::Bandwidth:
                if (!v.empty() && !isWord(doc_, Word::Wide, v) && !isWord(doc_, Word::Narrow, v))
                    return refuse(i, strings_.text(istr::UnknownValue));
                ch.wide = v.empty() || isWord(doc_, Word::Wide, v);
                break;
            case Kind::Switch: {
                if (!v.empty() && !isWord(doc_, Word::On, v) && !isWord(doc_, Word::Off, v))
                    return refuse(i, strings_.text(istr::UnknownValue));
                const bool on = v.empty() ? c.defaultOn : isWord(doc_, Word::On, v);
                switchOf(ch, c) = on;
                break;
            }
            case Kind::Alias:
                ch.alias = aliasFrom(v);
                if (ch.alias != v)
                    warnings.push_back({record_.line, fillIn(strings_.text(istr::AliasChanged), {v, ch.alias})});
                break;
            case Kind::Voice:
                if (v.empty() || isWord(doc_, Word::Off, v))
                    ch.voice = VoiceMode::Off;
                else if (isWord(doc_, Word::Compander, v))
                    ch.voice = VoiceMode::Compander;
                else if (isWord(doc_, Word::Scrambler, v))
                    ch.voice = VoiceMode::Scrambler;
                else
                    return refuse(i, strings_.text(istr::UnknownValue));
                break;
            }
        }
        return std::optional<ChannelData>(ch);
    }

private:
    const std::string& rawRef(int i) const
    {
        static const std::string kEmpty;
        return present(i) ? record_.fields[fieldOf_[i]] : kEmpty;
    }

    static bool& switchOf(ChannelData& ch, const ClipColumn& c)
    {
        if (c.extras)
            return c.column == xcol::TailElim ? ch.tailElim : c.column == xcol::Vox ? ch.vox : ch.busyLock;
        return c.column == col::ScanAdd ? ch.scanAdd : c.column == col::Dtmf ? ch.dtmf : ch.pttId;
    }

    // A tone list text (any case), an Off form, a CTCSS value in hertz or "D" + code + "N"/"I".
    std::variant<int, Reason> toneIndex(std::string_view v) const
    {
        if (v.empty() || isWord(doc_, Word::Off, v))
            return 0;
        std::string up(v);
        for (char& c : up)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (const int exact = doc_.tones().indexOf(up); exact > 0)
            return exact;
        if (up.size() >= 3 && up.front() == 'D' && (up.back() == 'N' || up.back() == 'I')) {
            auto dcs = dcsIndex(std::string_view(up).substr(1, up.size() - 2), up.back() == 'I', doc_, strings_);
            if (std::holds_alternative<int>(dcs))
                return dcs;
            return Reason{strings_.text(istr::NotInToneList)};
        }
        if (parseMegahertz(v))
            return ctcssIndex(v, doc_, strings_);
        return Reason{strings_.text(istr::NotInToneList)};
    }

    const std::array<int, kClipboardColumnCount>& fieldOf_;
    const CsvRecord& record_;
    const Codeplug& doc_;
    const StringTable& strings_;
    const std::array<std::string, kClipboardColumnCount>& names_;
};

}  // namespace

std::string formatClipboard(const Codeplug& doc, int firstChannel, int lastChannel)
{
    firstChannel = std::clamp(firstChannel, 1, kChannelCount);
    lastChannel = std::clamp(lastChannel, 1, kChannelCount);
    std::vector<std::string> fields;
    for (const ClipColumn& c : clipColumns())
        fields.push_back(headerText(doc, c));
    std::string text = formatCsvRecord(fields, '\t') + "\n";
    for (int row = firstChannel; row <= lastChannel; ++row) {
        fields.clear();
        const bool empty = doc.isEmptyChannel(row);
        for (const ClipColumn& c : clipColumns()) {
            const TextTable& table = c.extras ? static_cast<const TextTable&>(doc.extras()) : doc.channels();
            fields.push_back(empty ? std::string() : table.cell(c.column, row));
        }
        text += formatCsvRecord(fields, '\t') + "\n";
    }
    return text;
}

Result<Preview> previewPaste(std::string_view text, const Codeplug& doc, int startChannel, const StringTable& strings)
{
    if (isChirpHeader(text))
        return previewChirpImport(text, doc, ChirpImportOptions{startChannel, false}, strings);

    auto read = readCsv(text, CsvDialect{'\t', false}, strings);
    if (!read)
        return read.error();
    std::vector<CsvRecord> records = std::move(read.value());
    while (!records.empty() && records.back().blank())
        records.pop_back();

    const auto& columns = clipColumns();
    std::array<int, kClipboardColumnCount> fieldOf;
    std::array<std::string, kClipboardColumnCount> names;
    for (int i = 0; i < kClipboardColumnCount; ++i) {
        fieldOf[i] = i;
        names[i] = headerText(doc, columns[i]);
    }

    Preview preview;
    std::size_t first = 0;
    if (!records.empty()) {
        const CsvRecord& head = records.front();
        const bool isHeader = std::any_of(head.fields.begin(), head.fields.end(), [&](const std::string& f) {
            return namesNumberColumn(doc, f) ||
                   std::any_of(columns.begin(), columns.end(), [&](const ClipColumn& c) { return namesColumn(doc, c, f); });
        });
        if (isHeader) {
            first = 1;
            fieldOf.fill(-1);
            for (std::size_t f = 0; f < head.fields.size(); ++f) {
                const std::string& name = head.fields[f];
                bool known = namesNumberColumn(doc, name);
                for (int i = 0; i < kClipboardColumnCount && !known; ++i) {
                    if (fieldOf[i] < 0 && namesColumn(doc, columns[i], name)) {
                        fieldOf[i] = static_cast<int>(f);
                        names[i] = std::string(trimSpaces(name));
                        known = true;
                    }
                }
                if (!known && !trimSpaces(name).empty())
                    preview.warnings.push_back(
                        {head.line, fillIn(strings.text(istr::UnknownColumn), {trimSpaces(name)})});
            }
            if (fieldOf[0] < 0)
                return makeError(fillIn(strings.text(istr::MissingColumn), {headerText(doc, columns[0])}));
        }
    }

    int next = std::clamp(startChannel, 1, kChannelCount);
    for (std::size_t r = first; r < records.size(); ++r) {
        const PasteRow row(fieldOf, records[r], doc, strings, names);
        std::vector<InterchangeWarning> warnings;
        auto data = row.read(warnings);
        if (auto* refused = std::get_if<Refusal>(&data)) {
            preview.refused.push_back(*refused);
            continue;
        }
        if (next > kChannelCount) {
            preview.refused.push_back(Refusal{records[r].line, "", "", strings.text(istr::NoChannelLeft)});
            continue;
        }
        preview.warnings.insert(preview.warnings.end(), warnings.begin(), warnings.end());
        preview.channels.push_back(
            PlacedChannel{next++, records[r].line, std::move(std::get<std::optional<ChannelData>>(data))});
    }
    return preview;
}

}  // namespace qx
