#include "link/blocks.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "model/codec.h"
#include "model/radio_settings.h"

namespace qx {

namespace {
constexpr std::size_t kStunCodeDigits = 8;
}  // namespace

namespace {

char hexDigit(unsigned v) { return "0123456789ABCDEF"[v & 0xFu]; }

std::string hex2(unsigned v)
{
    std::string s;
    s += hexDigit(v >> 4);
    s += hexDigit(v);
    return s;
}

unsigned nibble(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    return static_cast<unsigned>(c - 'A' + 10);
}

unsigned byteAt(std::string_view hex, std::size_t k) { return nibble(hex[2 * k]) * 16 + nibble(hex[2 * k + 1]); }

// Block data as the link hands it over: upper-case hex of at least `bytes` bytes.
Status checkData(std::string_view data, std::size_t bytes, std::string_view what)
{
    const bool hex = std::all_of(data.begin(), data.end(),
                                 [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
    if (data.size() < 2 * bytes || !hex)
        return makeError(std::string(what) + ": \"" + std::string(data) + "\" is not " + std::to_string(bytes) +
                         " bytes of hex");
    return success();
}

using Assignment = std::pair<std::string_view, int>;

// In the order the channel file assigns them, so a radio's Band survives Exp Freq. and its
// MR freq./MR CH survives VFO/MR, as when a file is opened.
void assignInFileOrder(RadioSettings& settings, const std::vector<Assignment>& values)
{
    for (const SettingSpec& desc : settingSpecs())
        for (const auto& [key, value] : values)
            if (key == desc.key)
                settings.assign(key, value);
}

int bit(unsigned byte, int n) { return static_cast<int>((byte >> n) & 1u); }

}  // namespace

std::string encodeFunctionBlock(const RadioSettings& s, std::string_view bandCheck)
{
    auto v = [&](std::string_view key) { return static_cast<unsigned>(s.value(key)); };
    std::string d;
    d += bandCheck;
    d += "80020";
    d += hexDigit(v(keys::Squelch));
    d += hexDigit(0xB + 4 * v(keys::Beep));
    d += hexDigit(1 + 2 * v(keys::ScanKind) + 4 * v(keys::VfoMr) + 8 * v(keys::Save));
    d += '0';
    d += hexDigit(v(keys::Step));
    d += '0';
    d += hexDigit(v(keys::TOT));
    d += hex2(v(keys::APO));
    d += hexDigit(v(keys::Band) + 2 * v(keys::MrFreqMrCh) + 4 + (v(keys::KeyLock) == 0 ? 8 : 0));
    d += '9';
    d += hexDigit(v(keys::VoxRX) + 2 * v(keys::FMEnable) + 4 * v(keys::EMG) + (v(keys::ExpFreq) == 0 ? 8 : 0));
    d += "FFF0";
    d += hexDigit(v(keys::VoxSQL) + 1);
    d += '0';
    d += hexDigit(v(keys::VoxDelay));
    d += hexDigit(1 + 2 * v(keys::Strip) + 4 * v(keys::DtmfBeep) + 8 * v(keys::AutoAck));
    d += hexDigit(v(keys::Monitor) + 4 * v(keys::AckDecode) + 8 * v(keys::DtmfSide));
    d += hexDigit(7 + 8 * v(keys::DisplayPttId));
    d += hexDigit(v(keys::PttId));
    d += 'F';
    d += hexDigit(v(keys::Group));
    return d;
}

Status decodeFunctionBlock(RadioSettings& settings, std::string_view data)
{
    if (Status s = checkData(data, 16, "block 0C80"); !s)
        return s;
    const unsigned b4 = byteAt(data, 4), b8 = byteAt(data, 8), b9 = byteAt(data, 9), b13 = byteAt(data, 13),
                   b14 = byteAt(data, 14);
    const int voxSql = static_cast<int>(byteAt(data, 11) & 0xF);
    const int voxDelay = static_cast<int>(byteAt(data, 12) & 0xF);
    const int group = static_cast<int>(byteAt(data, 15) & 0xF);

    std::vector<Assignment> values = {
        // Digits 8, 12 and 14 (low nibbles of bytes 3, 5, 6): a hex digit above 9 names no option.
        {keys::Squelch, static_cast<int>(nibble(data[7]))},
        {keys::ScanKind, bit(b4, 1)},
        {keys::VfoMr, bit(b4, 2)},
        {keys::Save, bit(b4, 3)},
        {keys::Beep, bit(b4, 6)},
        {keys::Step, static_cast<int>(nibble(data[11]))},
        {keys::TOT, static_cast<int>(nibble(data[13]))},
        {keys::APO, static_cast<int>(byteAt(data, 7) & 0xF)},
        {keys::Band, bit(b8, 4)},
        {keys::MrFreqMrCh, bit(b8, 5)},
        {keys::KeyLock, 1 - bit(b8, 7)},
        {keys::VoxRX, bit(b9, 4)},
        {keys::FMEnable, bit(b9, 5)},
        {keys::EMG, bit(b9, 6)},
        {keys::ExpFreq, 1 - bit(b9, 7)},
        {keys::VoxSQL, voxSql == 0 ? -1 : (voxSql <= 8 ? voxSql - 1 : 2)},
        {keys::VoxDelay, voxDelay <= 4 ? voxDelay : 2},
        {keys::Monitor, static_cast<int>(b13 & 3)},
        {keys::AckDecode, bit(b13, 2)},
        {keys::DtmfSide, bit(b13, 3)},
        {keys::Strip, bit(b13, 5)},
        {keys::DtmfBeep, bit(b13, 6)},
        {keys::AutoAck, bit(b13, 7)},
        {keys::PttId, static_cast<int>(b14 & 3)},
        {keys::DisplayPttId, bit(b14, 7)},
    };
    if (group <= 7)  // a larger value leaves the group as it is
        values.emplace_back(keys::Group, group);
    assignInFileOrder(settings, values);
    return success();
}

std::string encodeKeyBlock(const RadioSettings& s)
{
    auto v = [&](std::string_view key) { return static_cast<unsigned>(s.value(key)); };
    std::string d = "FFFFF";
    d += hexDigit(v(keys::KeyAssignment2));
    d += 'F';
    d += hexDigit(v(keys::KeyAssignment));
    for (std::string_view key : {keys::DigitTime, keys::DigitSpace, keys::FirstDigit, keys::Pretime, keys::StarHashDelay})
        d += hex2(v(key) / 10);
    d += v(keys::Stun) ? 'F' : '7';
    d += hexDigit(v(keys::StunType));
    d += hex2(v(keys::AutoReset) * 2);
    return d;
}

Status decodeKeyBlock(RadioSettings& settings, std::string_view data)
{
    if (Status s = checkData(data, 11, "block 0C90"); !s)
        return s;
    const unsigned b9 = byteAt(data, 9);
    assignInFileOrder(settings, {
                                    {keys::KeyAssignment2, static_cast<int>(byteAt(data, 2) & 3)},
                                    {keys::KeyAssignment, static_cast<int>(byteAt(data, 3) & 3)},
                                    {keys::DigitTime, static_cast<int>(byteAt(data, 4) * 10)},
                                    {keys::DigitSpace, static_cast<int>(byteAt(data, 5) * 10)},
                                    {keys::FirstDigit, static_cast<int>(byteAt(data, 6) * 10)},
                                    {keys::Pretime, static_cast<int>(byteAt(data, 7) * 10)},
                                    {keys::StarHashDelay, static_cast<int>(byteAt(data, 8) * 10)},
                                    {keys::Stun, bit(b9, 7)},
                                    {keys::StunType, bit(b9, 0)},
                                    {keys::AutoReset, static_cast<int>(byteAt(data, 10) / 2)},
                                });
    return success();
}

Result<BandLimitTexts> decodeBandLimits(std::string_view data)
{
    if (Status s = checkData(data, 16, "block 0CC0"); !s)
        return s.error();
    // Limits at bytes 0-1 (upper) and 2-3 (lower) of each pair of limits; three BCD digits of MHz.
    auto range = [&](std::size_t firstByte) {
        const std::string_view upper = data.substr(2 * firstByte, 3);
        const std::string_view lower = data.substr(2 * firstByte + 4, 3);
        return std::string(lower) + "-" + std::string(upper) + "MHz";
    };
    return BandLimitTexts{range(0), range(4), range(8), range(12)};
}

Status mergeBandLimits(RadioSettings& settings, std::string_view data)
{
    auto texts = decodeBandLimits(data);
    if (!texts)
        return texts.error();
    const BandLimitTexts& t = texts.value();
    if (t.rx == "FFF-FFFMHz")
        return success();
    settings.assignText(keys::BandRx, t.rx);
    settings.assignText(keys::BandTx, t.tx);
    settings.assignText(keys::BandRx1, t.rx1);
    settings.assignText(keys::BandTx1, t.tx1);
    return success();
}

bool isWritable(std::string_view bandData) { return bandData.substr(0, 3) != "FFF"; }

Result<std::string> encodePasswordBlock(const RadioSettings& settings)
{
    std::string password = settings.text(keys::Password);
    if (password.size() != 6)
        password = std::string(kDefaultPassword);
    std::string d;
    for (char c : password) {
        if (!isHexDigit(c) || (c >= 'a' && c <= 'f'))
            return makeError("password character \"" + std::string(1, c) + "\" cannot be sent");
        d += '0';
        d += c;
    }
    return d;
}

Status decodePasswordBlock(RadioSettings& settings, std::string_view data)
{
    if (Status s = checkData(data, 6, "block 0CD0"); !s)
        return s;
    std::string password;
    for (std::size_t k = 0; k < 6; ++k)
        password += data[2 * k + 1];
    settings.assignText(keys::Password, std::move(password));
    return success();
}

Result<std::string> encodeCodePair(const RadioSettings& settings, std::string_view first, std::string_view second)
{
    auto a = encodeDtmfField(settings.text(first));
    if (!a)
        return a.error().withContext(first);
    auto b = encodeDtmfField(settings.text(second));
    if (!b)
        return b.error().withContext(second);
    return a.value() + b.value();
}

Status decodeCodePair(RadioSettings& settings, std::string_view first, std::string_view second, std::string_view data)
{
    if (Status s = checkData(data, 16, "code pair"); !s)
        return s;
    auto a = decodeDtmfField(data.substr(0, kDtmfFieldHexChars));
    if (!a)
        return a.error().withContext(first);
    const std::string_view secondHex = data.substr(kDtmfFieldHexChars, kDtmfFieldHexChars);
    auto b = decodeDtmfField(secondHex);
    if (!b)
        return b.error().withContext(second);
    // Stun Code holds at most 8 digits: a longer length (an erased block says 15) reads as an
    // empty code, so a read-then-write copy of such a radio passes the write check.
    if (second == keys::StunCode && b.value().size() > kStunCodeDigits)
        b = std::string();
    settings.assignText(first, a.value());
    settings.assignText(second, b.value());
    return success();
}

Result<std::string> encodeCallListBlock(const RadioSettings& settings, int i)
{
    return encodeCodePair(settings, keys::call(2 * i), keys::call(2 * i + 1));
}

Status decodeCallListBlock(RadioSettings& settings, int i, std::string_view data)
{
    return decodeCodePair(settings, keys::call(2 * i), keys::call(2 * i + 1), data);
}

std::string clearedBlockData() { return std::string(32, 'F'); }

}  // namespace qx
