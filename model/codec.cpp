#include "model/codec.h"

#include <array>

namespace qx {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Radio alias code -> character, codes 00..2A.
constexpr std::string_view kAliasChars = "0123456789-+_/. ABCDEFGHIJKLMNOPQRSTUVWXYZ*";

// DTMF digit of each nibble value.
constexpr std::string_view kDtmfOfNibble = "D1234567890*#ABC";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

Error badHexDigit(char c, std::size_t position)
{
    std::string shown = (static_cast<unsigned char>(c) < 0x20) ? "\\x" + std::string{kHexDigits[(c >> 4) & 0xF], kHexDigits[c & 0xF]}
                                                                 : std::string(1, c);
    return makeError("'" + shown + "' at position " + std::to_string(position + 1) + " is not a hexadecimal digit");
}

// Nibble of a DTMF character, or -1.
int dtmfNibble(char c)
{
    if (c >= 'a' && c <= 'd')
        c = static_cast<char>(c - 'a' + 'A');
    const auto at = kDtmfOfNibble.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

bool isHexDigit(char c) { return hexValue(c) >= 0; }

std::string StrToHEX(std::string_view alias)
{
    std::string hex;
    for (char c : alias) {
        const auto code = kAliasChars.find(c);
        if (code == std::string_view::npos)
            continue;  // the radio has no code for it
        hex += kHexDigits[code >> 4];
        hex += kHexDigits[code & 0xF];
    }
    while (hex.size() < kAliasHexChars)
        hex += "0F";
    return hex;
}

Result<std::string> HexToStr(std::string_view hex)
{
    if (hex == "FFFFFFFFFFFF")
        return std::string();
    auto bytes = HexToBytes(hex);
    if (!bytes.ok())
        return bytes.error();
    std::string text;
    for (std::uint8_t code : bytes.value())
        if (code < kAliasChars.size())
            text += kAliasChars[code];
    return text;
}

Result<std::string> DTMFToHex(std::string_view text, std::size_t count)
{
    if (count > text.size())
        return makeError("DTMF text \"" + std::string(text) + "\" is shorter than " + std::to_string(count) + " characters");
    std::string hex;
    for (std::size_t i = 0; i < count; ++i) {
        const int nibble = dtmfNibble(text[i]);
        if (nibble < 0)
            return makeError("'" + std::string(1, text[i]) + "' in \"" + std::string(text) + "\" is not a DTMF character");
        hex += kHexDigits[nibble];
    }
    return hex;
}

Result<std::string> HexToDTMF(std::string_view hex, std::size_t count)
{
    if (count > hex.size())
        return makeError("hex text \"" + std::string(hex) + "\" is shorter than " + std::to_string(count) + " digits");
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        const int nibble = hexValue(hex[i]);
        if (nibble < 0)
            return badHexDigit(hex[i], i);
        text += kDtmfOfNibble[static_cast<std::size_t>(nibble)];
    }
    return text;
}

std::string BytesToHex(std::span<const std::uint8_t> bytes)
{
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        hex += kHexDigits[b >> 4];
        hex += kHexDigits[b & 0xF];
    }
    return hex;
}

Result<std::vector<std::uint8_t>> HexToBytes(std::string_view hex)
{
    if (hex.size() % 2 != 0)
        return makeError("hex text of odd length " + std::to_string(hex.size()));
    std::vector<std::uint8_t> bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = hexValue(hex[i]);
        if (hi < 0)
            return badHexDigit(hex[i], i);
        const int lo = hexValue(hex[i + 1]);
        if (lo < 0)
            return badHexDigit(hex[i + 1], i + 1);
        bytes.push_back(static_cast<std::uint8_t>(hi << 4 | lo));
    }
    return bytes;
}

Result<std::uint64_t> hextoint(std::string_view hex)
{
    if (hex.empty())
        return makeError("empty hex text");
    if (hex.size() > 16)
        return makeError("hex text \"" + std::string(hex) + "\" is too long for a number");
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < hex.size(); ++i) {
        const int digit = hexValue(hex[i]);
        if (digit < 0)
            return badHexDigit(hex[i], i);
        value = value << 4 | static_cast<std::uint64_t>(digit);
    }
    return value;
}

Result<std::string> encodeDtmfField(std::string_view text)
{
    if (text.size() > kDtmfMaxDigits)
        return makeError("DTMF code \"" + std::string(text) + "\" is longer than 15 digits");
    auto digits = DTMFToHex(text, text.size());
    if (!digits.ok())
        return digits.error();
    std::string field = std::move(digits).value();
    field.resize(kDtmfMaxDigits, 'F');
    field += kHexDigits[text.size()];
    return field;
}

Result<std::string> decodeDtmfField(std::string_view hex16)
{
    if (hex16.size() != kDtmfFieldHexChars)
        return makeError("DTMF field \"" + std::string(hex16) + "\" is not 16 hex digits");
    const int length = hexValue(hex16[kDtmfFieldHexChars - 1]);
    if (length < 0)
        return badHexDigit(hex16[kDtmfFieldHexChars - 1], kDtmfFieldHexChars - 1);
    // A length of F (an erased field) names all fifteen digit nibbles.
    auto text = HexToDTMF(hex16, static_cast<std::size_t>(length));
    if (!text.ok())
        return text.error();
    return text;
}

}  // namespace qx
