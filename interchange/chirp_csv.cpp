#include "interchange/chirp_csv.h"

#include <algorithm>
#include <map>
#include <optional>
#include <variant>

#include "interchange/csv.h"
#include "interchange/texts.h"
#include "link/write_check.h"

namespace qx {

namespace {

enum Column { Location, Name, Frequency, Duplex, Offset, Tone, RTone, CTone, DtcsCode, DtcsPolarity,
              RxDtcsCode, CrossMode, Mode, TStep, Skip, Power, Comment, ColumnCount = 21 };

// The value of a missing column or an empty cell.
constexpr std::array<std::string_view, 21> kDefaults = {
    "", "", "", "", "0", "", "88.5", "88.5", "023", "NN", "023", "Tone->Tone", "FM", "", "", "", "",
    "", "", "", ""};

// Where a tone comes from in a row: a CTCSS column, or a DCS code column with the transmit or
// receive letter of DtcsPolarity.
enum class Source { Off, RTone, CTone, DtcsTx, DtcsRx, RxDtcsRx };

struct ToneRule {
    std::string_view tone;
    std::string_view cross;  // only for "Cross"
    Source encode;
    Source decode;
};

// Import reads the row of its Tone (and CrossMode); export writes the first row that fits.
constexpr ToneRule kToneRules[] = {
    {"", "", Source::Off, Source::Off},
    {"Tone", "", Source::RTone, Source::Off},
    {"TSQL", "", Source::CTone, Source::CTone},
    {"DTCS", "", Source::DtcsTx, Source::DtcsRx},
    {"Cross", "Tone->Tone", Source::RTone, Source::CTone},
    {"Cross", "Tone->DTCS", Source::RTone, Source::RxDtcsRx},
    {"Cross", "DTCS->Tone", Source::DtcsTx, Source::CTone},
    {"Cross", "DTCS->DTCS", Source::DtcsTx, Source::RxDtcsRx},
    {"Cross", "Tone->", Source::RTone, Source::Off},
    {"Cross", "->Tone", Source::Off, Source::CTone},
    {"Cross", "DTCS->", Source::DtcsTx, Source::Off},
    {"Cross", "->DTCS", Source::Off, Source::RxDtcsRx},
};

bool isCtcssSource(Source s) { return s == Source::RTone || s == Source::CTone; }
bool isDcsSource(Source s) { return s == Source::DtcsTx || s == Source::DtcsRx || s == Source::RxDtcsRx; }
Column columnOf(Source s)
{
    switch (s) {
    case Source::RTone: return RTone;
    case Source::CTone: return CTone;
    case Source::RxDtcsRx: return RxDtcsCode;
    default: return DtcsCode;
    }
}
int polarityLetter(Source s) { return s == Source::DtcsTx ? 0 : 1; }  // DtcsPolarity: TX then RX

// Cut-down strings: "Tone->Tone" and "tone->tone " name the same mode.
std::string squeezed(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c != ' ')
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Import

struct Header {
    std::array<int, ColumnCount> index;  // field index of each column, -1 when missing
    std::array<std::string, ColumnCount> names;

    explicit Header(const CsvRecord& record)
    {
        index.fill(-1);
        for (int c = 0; c < ColumnCount; ++c)
            names[c] = std::string(kChirpColumns[c]);
        for (std::size_t f = 0; f < record.fields.size(); ++f) {
            for (int c = 0; c < ColumnCount; ++c) {
                if (index[c] < 0 && sameWord(record.fields[f], kChirpColumns[c])) {
                    index[c] = static_cast<int>(f);
                    names[c] = std::string(trimSpaces(record.fields[f]));
                }
            }
        }
    }
};

class RowReader {
public:
    RowReader(const Header& header, const CsvRecord& record, const Codeplug& doc, const StringTable& strings)
        : header_(header), record_(record), doc_(doc), strings_(strings)
    {
    }

    // The cell as the file has it (empty when the column is missing).
    std::string raw(Column c) const
    {
        const int i = header_.index[c];
        return i >= 0 && i < static_cast<int>(record_.fields.size()) ? record_.fields[i] : std::string();
    }
    // The cell, or its default when missing or empty.
    std::string value(Column c) const
    {
        const std::string r(trimSpaces(raw(c)));
        return r.empty() ? std::string(kDefaults[c]) : r;
    }
    Refusal refuse(Column c, std::string reason) const
    {
        return Refusal{record_.line, header_.names[c], raw(c), std::move(reason)};
    }
    Refusal refuse(Column c, int reasonNumber) const { return refuse(c, strings_.text(reasonNumber)); }

    std::variant<ChannelData, Refusal> read() const
    {
        ChannelData ch;
        auto rx = checkFrequency(value(Frequency), doc_, strings_);
        if (auto* r = std::get_if<Reason>(&rx))
            return refuse(Frequency, r->text);
        ch.rx = std::get<std::string>(rx);

        if (auto refused = readTx(ch))
            return *refused;
        if (auto refused = readTones(ch))
            return *refused;

        const std::string mode = value(Mode);
        if (sameWord(mode, "FM"))
            ch.wide = true;
        else if (sameWord(mode, "NFM"))
            ch.wide = false;
        else
            return refuse(Mode, istr::ModeNotFm);

        const auto high = readPower();
        if (!high)
            return refuse(Power, istr::UnknownValue);
        ch.highPower = *high;
        ch.scanAdd = !sameWord(value(Skip), "S");
        ch.alias = aliasFrom(value(Name));
        return ch;
    }

private:
    std::optional<Refusal> readTx(ChannelData& ch) const
    {
        const std::string duplex = value(Duplex);
        if (duplex.empty()) {
            ch.tx = ch.rx;
            return std::nullopt;
        }
        if (sameWord(duplex, "off")) {
            ch.tx.clear();
            return std::nullopt;
        }
        const bool split = sameWord(duplex, "split");
        if (!split && duplex != "+" && duplex != "-")
            return refuse(Duplex, istr::UnknownValue);
        const auto offset = parseMegahertz(value(Offset));
        if (!offset)
            return refuse(Offset, istr::NotANumber);
        std::int64_t hz = offset->hz;
        if (!split) {
            const std::int64_t rxHz = parseMegahertz(ch.rx)->hz;
            hz = duplex == "+" ? rxHz + offset->hz : rxHz - offset->hz;
        }
        auto tx = checkFrequencyHz(hz, offset->finerThanHz, doc_, strings_);
        if (auto* r = std::get_if<Reason>(&tx))
            return refuse(Offset, r->text);
        ch.tx = std::get<std::string>(tx);
        return std::nullopt;
    }

    std::optional<Refusal> readTones(ChannelData& ch) const
    {
        const std::string tone = value(Tone);
        const ToneRule* rule = nullptr;
        const bool cross = sameWord(tone, "Cross");
        const std::string crossMode = squeezed(value(CrossMode));
        for (const ToneRule& r : kToneRules) {
            if (sameWord(tone, r.tone) && (!cross || crossMode == squeezed(r.cross))) {
                rule = &r;
                break;
            }
        }
        if (!rule)
            return refuse(cross ? CrossMode : Tone, istr::UnknownValue);

        std::string polarity;
        if (isDcsSource(rule->encode) || isDcsSource(rule->decode)) {
            polarity = value(DtcsPolarity);
            for (char& c : polarity)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (polarity.size() != 2 || polarity.find_first_not_of("NR") != std::string::npos)
                return refuse(DtcsPolarity, istr::UnknownValue);
        }
        const auto toneOf = [&](Source s) -> std::variant<int, Refusal> {
            if (s == Source::Off)
                return 0;
            const Column c = columnOf(s);
            auto index = isCtcssSource(s) ? ctcssIndex(value(c), doc_, strings_)
                                          : dcsIndex(value(c), polarity[polarityLetter(s)] == 'R', doc_, strings_);
            if (auto* r = std::get_if<Reason>(&index))
                return refuse(c, r->text);
            return std::get<int>(index);
        };
        auto encode = toneOf(rule->encode);
        if (auto* r = std::get_if<Refusal>(&encode))
            return *r;
        auto decode = toneOf(rule->decode);
        if (auto* r = std::get_if<Refusal>(&decode))
            return *r;
        ch.txTone = std::get<int>(encode);
        ch.rxTone = std::get<int>(decode);
        return std::nullopt;
    }

    // High for 4 W or more, "High" or an empty cell; nullopt for anything else unreadable.
    std::optional<bool> readPower() const
    {
        const std::string cell = raw(Power);
        std::string_view p = trimSpaces(cell);
        if (p.empty() || sameWord(p, "High"))
            return true;
        if (sameWord(p, "Low"))
            return false;
        if (p.ends_with('W') || p.ends_with('w'))
            p.remove_suffix(1);
        const auto watts = parseMegahertz(p);  // the same decimal reader; "5.0" is 5 000 000 units
        if (!watts)
            return std::nullopt;
        return watts->hz >= 4 * 1000000;
    }

    const Header& header_;
    const CsvRecord& record_;
    const Codeplug& doc_;
    const StringTable& strings_;
};

std::optional<int> locationNumber(std::string_view text)
{
    text = trimSpaces(text);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    if (text.size() > 6)
        return 1000000;  // far outside 1..128 either way
    return std::stoi(std::string(text));
}

// ---------------------------------------------------------------------------------------------
// Export

struct ToneOfChannel {
    enum class Kind { Off, Ctcss, Dcs } kind = Kind::Off;
    std::string value;  // CTCSS hertz text, or the three DCS digits
    char polarity = 'N';
};

ToneOfChannel toneOfIndex(const ToneList& tones, int index)
{
    ToneOfChannel t;
    if (index <= 0)
        return t;
    const std::string& text = tones.text(index);
    if (index < kFirstDcsNormal) {
        t.kind = ToneOfChannel::Kind::Ctcss;
        t.value = text;
    } else {
        t.kind = ToneOfChannel::Kind::Dcs;
        t.value = text.substr(1, 3);
        t.polarity = index >= kFirstDcsInverted ? 'R' : 'N';
    }
    return t;
}

// The tone columns of the first rule that fits, or nullopt when none does.
std::optional<std::array<std::string, ColumnCount>> toneColumns(const ToneOfChannel& encode,
                                                                const ToneOfChannel& decode)
{
    for (const ToneRule& rule : kToneRules) {
        std::array<std::string, ColumnCount> cells;
        for (int c = 0; c < ColumnCount; ++c)
            cells[c] = std::string(kDefaults[c]);
        std::array<bool, ColumnCount> set{};
        std::string polarity = "NN";
        bool fits = true;
        const auto place = [&](Source s, const ToneOfChannel& t) {
            if (s == Source::Off) {
                fits = fits && t.kind == ToneOfChannel::Kind::Off;
                return;
            }
            const bool kindFits = isCtcssSource(s) ? t.kind == ToneOfChannel::Kind::Ctcss
                                                   : t.kind == ToneOfChannel::Kind::Dcs;
            const Column c = columnOf(s);
            if (!kindFits || (set[c] && cells[c] != t.value)) {
                fits = false;
                return;
            }
            cells[c] = t.value;
            set[c] = true;
            if (isDcsSource(s))
                polarity[polarityLetter(s)] = t.polarity;
        };
        place(rule.encode, encode);
        place(rule.decode, decode);
        if (!fits)
            continue;
        cells[Tone] = std::string(rule.tone);
        if (!rule.cross.empty())
            cells[CrossMode] = std::string(rule.cross);
        cells[DtcsPolarity] = polarity;
        return cells;
    }
    return std::nullopt;
}

bool lacksInChirp(const std::string& toneText)
{
    static constexpr std::string_view kMissing[] = {"63.0", "D017N", "D017I", "D050N", "D050I", "D645N", "D645I"};
    return std::find(std::begin(kMissing), std::end(kMissing), toneText) != std::end(kMissing);
}

constexpr std::array<std::string_view, 5> kStepKHz = {"5.00", "6.25", "10.00", "12.50", "25.00"};
constexpr std::int64_t kSplitApartHz = 100 * 1000000LL;

}  // namespace

bool isChirpHeader(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    text = text.substr(0, text.find_first_of("\r\n"));
    auto records = readCsv(text, CsvDialect{',', false}, StringTable::builtIn());
    if (!records || records.value().empty())
        return false;
    const auto& fields = records.value().front().fields;
    const auto has = [&fields](std::string_view name) {
        return std::any_of(fields.begin(), fields.end(), [name](const std::string& f) { return sameWord(f, name); });
    };
    return has("Location") && has("Frequency");
}

Result<Preview> previewChirpImport(std::string_view text, const Codeplug& doc, const ChirpImportOptions& options,
                                   const StringTable& strings)
{
    auto read = readCsv(text, CsvDialect{}, strings);
    if (!read)
        return read.error();
    const std::vector<CsvRecord>& records = read.value();
    const Header header = records.empty() ? Header(CsvRecord{}) : Header(records.front());
    if (header.index[Frequency] < 0)
        return makeError(fillIn(strings.text(istr::MissingColumn), {kChirpColumns[Frequency]}));
    if (options.byLocation && header.index[Location] < 0)
        return makeError(fillIn(strings.text(istr::MissingColumn), {kChirpColumns[Location]}));

    Preview preview;
    std::map<int, int> taken;  // channel -> line
    int next = std::clamp(options.startChannel, 1, kChannelCount);
    for (std::size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& record = records[r];
        if (record.blank())
            continue;
        const RowReader row(header, record, doc, strings);
        int channel = 0;
        if (options.byLocation) {
            const auto location = locationNumber(row.raw(Location));
            if (!location) {
                preview.refused.push_back(row.refuse(Location, istr::NotANumber));
                continue;
            }
            if (*location < 1 || *location > kChannelCount) {
                preview.refused.push_back(row.refuse(Location, istr::LocationRange));
                continue;
            }
            channel = *location;
        }
        auto data = row.read();
        if (auto* refused = std::get_if<Refusal>(&data)) {
            preview.refused.push_back(*refused);
            continue;
        }
        if (options.byLocation) {
            if (const auto t = taken.find(channel); t != taken.end()) {
                preview.refused.push_back(row.refuse(
                    Location, fillIn(strings.text(istr::LocationTaken),
                                     {std::to_string(channel), std::to_string(t->second)})));
                continue;
            }
        } else {
            if (next > kChannelCount) {
                preview.refused.push_back(Refusal{record.line, "", "", strings.text(istr::NoChannelLeft)});
                continue;
            }
            channel = next++;
        }
        taken[channel] = record.line;
        const ChannelData& ch = std::get<ChannelData>(data);
        const std::string name(trimSpaces(row.raw(Name)));
        if (name != ch.alias)
            preview.warnings.push_back({record.line, fillIn(strings.text(istr::AliasChanged), {name, ch.alias})});
        if (const std::string comment(trimSpaces(row.raw(Comment))); !comment.empty())
            preview.warnings.push_back({record.line, fillIn(strings.text(istr::CommentDropped), {comment})});
        preview.channels.push_back(PlacedChannel{channel, record.line, ch});
    }
    return preview;
}

ChirpExport exportChirpCsv(const Codeplug& doc, const StringTable& strings)
{
    ChirpExport out;
    const ChannelTable& t = doc.channels();
    const std::vector<std::string> header(kChirpColumns.begin(), kChirpColumns.end());
    out.csv = formatCsvRecord(header, ',') + "\r\n";
    std::map<std::string, std::vector<int>> unusual;  // tone text -> channels
    const int step = doc.settings().value(keys::Step);
    const std::string_view stepKHz = kStepKHz[std::clamp(step, 0, 4) == step ? step : 4];

    for (int row = 1; row <= kChannelCount; ++row) {
        if (doc.isEmptyChannel(row))
            continue;
        const auto notExported = [&](int column) {
            out.warnings.push_back(fillIn(strings.text(istr::ChannelNotExported),
                                          {std::to_string(row), t.cell(column, 0), t.cell(column, row)}));
        };
        const auto rx = parseMegahertz(t.cell(col::Rx, row));
        if (!rx) {
            notExported(col::Rx);
            continue;
        }
        const std::string& txText = t.cell(col::Tx, row);
        const bool transmits = !txText.empty();
        const auto txParsed = parseMegahertz(txText);
        if (transmits && !txParsed) {
            notExported(col::Tx);
            continue;
        }
        const std::int64_t txHz = transmits ? txParsed->hz : 0;
        const auto toneIndex = [&](int column) {
            const std::string& text = t.cell(column, row);
            if (text.empty() || text == doc.words().off || isRecognisedForm(Word::Off, text))
                return 0;
            return doc.tones().indexOf(text);
        };
        const int encodeIndex = toneIndex(col::TxTone);
        const int decodeIndex = toneIndex(col::RxTone);
        if (decodeIndex < 0) {
            notExported(col::RxTone);
            continue;
        }
        if (encodeIndex < 0) {
            notExported(col::TxTone);
            continue;
        }
        auto cells = toneColumns(toneOfIndex(doc.tones(), encodeIndex), toneOfIndex(doc.tones(), decodeIndex));
        if (!cells)
            continue;  // every pair of tones fits one rule
        for (int index : {decodeIndex, encodeIndex}) {
            const std::string& text = doc.tones().text(index);
            if (index > 0 && lacksInChirp(text)) {
                auto& channels = unusual[text];
                if (channels.empty() || channels.back() != row)
                    channels.push_back(row);
            }
        }

        std::array<std::string, ColumnCount>& c = *cells;
        c[Location] = std::to_string(row);
        c[Name] = t.cell(col::Alias, row);
        c[Frequency] = formatMegahertz(rx->hz);
        c[Offset] = formatMegahertz(0);
        if (!transmits) {
            c[Duplex] = "off";
        } else if (txHz == rx->hz) {
            c[Duplex] = "";
        } else if (std::abs(txHz - rx->hz) >= kSplitApartHz) {
            c[Duplex] = "split";
            c[Offset] = formatMegahertz(txHz);
        } else {
            c[Duplex] = txHz > rx->hz ? "+" : "-";
            c[Offset] = formatMegahertz(std::abs(txHz - rx->hz));
        }
        c[Mode] = doc.isWide(row) ? "FM" : "NFM";
        c[TStep] = std::string(stepKHz);
        c[Skip] = doc.isOn(t.cell(col::ScanAdd, row)) ? "" : "S";
        c[Power] = doc.isHighPower(row) ? "5.0W" : "1.0W";
        out.csv += formatCsvRecord(std::vector<std::string>(c.begin(), c.end()), ',') + "\r\n";
    }
    for (const auto& [tone, channels] : unusual) {
        std::string list;
        for (int ch : channels)
            list += (list.empty() ? "" : ", ") + std::to_string(ch);
        out.warnings.push_back(fillIn(strings.text(istr::NonStandardTone), {list, tone}));
    }
    return out;
}

}  // namespace qx
