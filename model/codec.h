#pragma once
// Conversions between the editor's texts and the radio's hexadecimal forms.
// HexText: upper-case hexadecimal, two digits per byte, first byte first, no separators.
// All functions are pure. A character that cannot be read is reported as an Error naming it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"

namespace qx {

inline constexpr std::size_t kAliasBytes = 6;        // an alias occupies six bytes in the radio
inline constexpr std::size_t kAliasHexChars = 12;
inline constexpr std::size_t kDtmfFieldHexChars = 16; // 15 digit nibbles + 1 length nibble
inline constexpr std::size_t kDtmfMaxDigits = 15;

bool isHexDigit(char c);

// Alias text -> HexText, one radio character code per character. Characters without a code are
// dropped; the result is filled with "0F" (space) pairs up to 12 characters, never shortened.
std::string StrToHEX(std::string_view alias);

// HexText of alias codes -> alias text. "FFFFFFFFFFFF" gives the empty text; codes above 2A
// contribute nothing. Spaces are kept (the caller trims). Fails on odd length or a non-hex digit.
Result<std::string> HexToStr(std::string_view hex);

// The first `count` DTMF characters of `text` -> one hex digit each ("0"->"A", "*"->"B", "#"->"C",
// "A"-"D" -> "D","E","F","0"; lower-case a-d like upper case). Fails on any other character or
// when count exceeds the text.
Result<std::string> DTMFToHex(std::string_view text, std::size_t count);

// The first `count` hex digits of `hex` -> one DTMF digit each. Fails on a non-hex digit or when
// count exceeds the text.
Result<std::string> HexToDTMF(std::string_view hex, std::size_t count);

// Bytes -> HexText ("05AB").
std::string BytesToHex(std::span<const std::uint8_t> bytes);

// HexText -> bytes. Fails on odd length or a non-hex digit.
Result<std::vector<std::uint8_t>> HexToBytes(std::string_view hex);

// Value of a hexadecimal text without prefix ("1F" -> 31). Fails on an empty text, a non-hex
// digit, or more than 16 digits.
Result<std::uint64_t> hextoint(std::string_view hex);

// A DTMF code field: the digit nibbles, "F" up to 15 nibbles, then the length (0-F).
// "123" -> "123FFFFFFFFFFFF3", "" -> "FFFFFFFFFFFFFFF0". Fails on more than 15 digits or a
// character outside the DTMF set.
Result<std::string> encodeDtmfField(std::string_view text);

// 16 hex characters -> DTMF text of the length in the last nibble (an erased field of sixteen "F"
// reads as fifteen "C"). Fails on a wrong length or a non-hex digit.
Result<std::string> decodeDtmfField(std::string_view hex16);

}  // namespace qx
