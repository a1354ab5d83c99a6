#include "interchange/channel_data.h"

#include <cctype>

#include "interchange/texts.h"
#include "link/write_check.h"
#include "model/codec.h"
#include "model/frequency.h"

namespace qx {

namespace {

constexpr std::int64_t kHzPerMHz = 1000000;
constexpr std::int64_t kMaxWholeMHz = 99999;
constexpr std::int64_t kRadioCeilingHz = 1000 * kHzPerMHz;  // frequency texts have three whole digits

const std::string& voiceWord(const DisplayWords& w, VoiceMode v)
{
    switch (v) {
    case VoiceMode::Compander: return w.compander;
    case VoiceMode::Scrambler: return w.scrambler;
    case VoiceMode::Off: break;
    }
    return w.off;
}

Reason reason(const StringTable& strings, int number, std::initializer_list<std::string_view> args = {})
{
    return Reason{fillIn(strings.text(number), args)};
}

}  // namespace

void writeChannel(Codeplug& doc, int row, const ChannelData& c)
{
    const DisplayWords& w = doc.words();
    const auto onOff = [&w](bool on) { return on ? w.on : w.off; };
    ChannelTable& t = doc.channels();
    ChannelExtras& x = doc.extras();
    TableUpdate update(t, x);
    t.setCell(col::Rx, row, c.rx);
    t.setCell(col::RxTone, row, doc.tones().text(c.rxTone));
    t.setCell(col::Tx, row, c.tx);
    t.setCell(col::TxTone, row, doc.tones().text(c.txTone));
    t.setCell(col::Power, row, c.highPower ? w.high : w.low);
    t.setCell(col::Bandwidth, row, c.wide ? w.wide : w.narrow);
    t.setCell(col::ScanAdd, row, onOff(c.scanAdd));
    t.setCell(col::Dtmf, row, onOff(c.dtmf));
    t.setCell(col::PttId, row, onOff(c.pttId));
    t.setCell(col::Alias, row, c.alias);
    x.setCell(xcol::TailElim, row, onOff(c.tailElim));
    x.setCell(xcol::Vox, row, onOff(c.vox));
    x.setCell(xcol::BusyLock, row, onOff(c.busyLock));
    x.setCell(xcol::RxCode, row, std::to_string(c.rxTone));
    x.setCell(xcol::TxCode, row, std::to_string(c.txTone));
    x.setCell(xcol::VoiceMode, row, voiceWord(w, c.voice));
}

std::string_view trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool sameWord(std::string_view a, std::string_view b)
{
    a = trimSpaces(a);
    b = trimSpaces(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::optional<Megahertz> parseMegahertz(std::string_view text)
{
    text = trimSpaces(text);
    Megahertz m;
    std::int64_t whole = 0;
    std::int64_t micro = 0;  // the first six fraction digits
    int fractionDigits = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    for (char c : text) {
        if (c == '.') {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        seenDigit = true;
        const int d = c - '0';
        if (!seenPoint) {
            whole = whole * 10 + d;
            if (whole > kMaxWholeMHz)
                return std::nullopt;
        } else if (fractionDigits < 6) {
            micro = micro * 10 + d;
            ++fractionDigits;
        } else if (d != 0) {
            m.finerThanHz = true;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    for (; fractionDigits < 6; ++fractionDigits)
        micro *= 10;
    m.hz = whole * kHzPerMHz + micro;
    return m;
}

std::string formatMegahertz(std::int64_t hz)
{
    std::string fraction = std::to_string(hz % kHzPerMHz);
    fraction.insert(0, 6 - fraction.size(), '0');
    return std::to_string(hz / kHzPerMHz) + "." + fraction;
}

std::variant<std::string, Reason> checkFrequency(std::string_view text, const Codeplug& doc,
                                                 const StringTable& strings)
{
    const auto m = parseMegahertz(text);
    if (!m)
        return reason(strings, istr::NotANumber);
    // A value finer than 1 Hz is named as written, not as its cut-down form.
    return checkFrequencyHz(m->hz, m->finerThanHz, doc, strings, m->finerThanHz ? trimSpaces(text) : "");
}

std::variant<std::string, Reason> checkFrequencyHz(std::int64_t hz, bool finerThanHz, const Codeplug& doc,
                                                   const StringTable& strings, std::string_view shown)
{
    if (hz <= 0 || hz >= kRadioCeilingHz)
        return reason(strings, istr::UnknownValue);
    const std::string mhz = shown.empty() ? formatMegahertz(hz) : std::string(shown);
    const RadioSettings& s = doc.settings();
    const std::string& range = s.activeRxRange();
    if (const auto limits = bandLimits(range)) {
        if (hz < limits->first * kHzPerMHz || hz > limits->second * kHzPerMHz ||
            (hz == limits->second * kHzPerMHz && finerThanHz))
            return reason(strings, istr::OutsideBand, {mhz, range});
    }
    const auto normalised = normaliseFrequency(formatMegahertz(hz), range, s.value(keys::Step));
    const auto back = normalised ? parseMegahertz(*normalised) : std::nullopt;
    if (finerThanHz || !back || back->hz != hz)
        return reason(strings, istr::OffRaster, {mhz});
    return *normalised;
}

std::variant<int, Reason> ctcssIndex(std::string_view hertz, const Codeplug& doc, const StringTable& strings)
{
    // Tenths of a hertz, through the megahertz reader: "88.5" is read as 88.5 "MHz".
    const auto m = parseMegahertz(hertz);
    if (!m)
        return reason(strings, istr::NotANumber);
    if (m->finerThanHz || m->hz % 100000 != 0)
        return reason(strings, istr::NotInToneList);
    const std::int64_t tenths = m->hz / 100000;
    const std::string text = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    const int index = doc.tones().indexOf(text);
    if (index < 1 || index >= kFirstDcsNormal)
        return reason(strings, istr::NotInToneList);
    return index;
}

std::variant<int, Reason> dcsIndex(std::string_view code, bool inverted, const Codeplug& doc,
                                   const StringTable& strings)
{
    code = trimSpaces(code);
    if (code.empty() || code.find_first_not_of("0123456789") != std::string_view::npos)
        return reason(strings, istr::NotANumber);
    while (code.size() > 3 && code.front() == '0')
        code.remove_prefix(1);
    if (code.size() > 3)
        return reason(strings, istr::NotInToneList);
    std::string digits(code);
    digits.insert(0, 3 - digits.size(), '0');
    const int index = doc.tones().indexOf("D" + digits + (inverted ? "I" : "N"));
    if (index < kFirstDcsNormal)
        return reason(strings, istr::NotInToneList);
    return index;
}

std::string aliasFrom(std::string_view text)
{
    // The radio's character table has one home (StrToHEX); a character has a code exactly when
    // it changes the all-space fill.
    static const std::string kFill = StrToHEX("");
    std::string alias;
    for (char c : trimSpaces(text)) {
        if (alias.size() == kAliasBytes)
            break;
        const char up = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (up == ' ' || (static_cast<unsigned char>(up) < 0x80 && StrToHEX(std::string(1, up)) != kFill))
            alias += up;
    }
    return std::string(trimSpaces(alias));
}

}  // namespace qx
