#pragma once
// The radio-wide settings blocks between RadioSettings and HexText: function settings (0C80), key,
// DTMF timing and stun (0C90), band limits (0CC0, read only), password (0CD0), call list
// (0D80-0DC0), cleared area (0D00-0D70), own ID and stun code (0E00), BOT and EOT (0E80).
// Decoders assign through RadioSettings' normal assignment, in channel-file order, so the
// dependency rules act as when a file is opened.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/result.h"

namespace qx {

class RadioSettings;

namespace block {
inline constexpr std::uint16_t Function = 0x0C80;
inline constexpr std::uint16_t Key = 0x0C90;
inline constexpr std::uint16_t BandLimits = 0x0CC0;
inline constexpr std::uint16_t Password = 0x0CD0;
inline constexpr std::uint16_t Id = 0x0E00;
inline constexpr std::uint16_t BotEot = 0x0E80;
inline constexpr int CallListBlocks = 5;  // two codes each
inline constexpr int ClearedBlocks = 8;
constexpr std::uint16_t callList(int i) { return static_cast<std::uint16_t>(0x0D80 + i * 0x10); }
constexpr std::uint16_t cleared(int i) { return static_cast<std::uint16_t>(0x0D00 + i * 0x10); }
}  // namespace block

// The band check result that byte 0 of 0C80 carries when no channel lies in the band.
inline constexpr std::string_view kNoChannelInBand = "FF";

// 0C80, 32 characters. bandCheck: "FF" or the first channel in the band as two hex digits.
std::string encodeFunctionBlock(const RadioSettings& settings, std::string_view bandCheck);
// Squelch, step and TOT digits that are no decimal digit count as their hex value, which names no
// option, so those settings take their defaults.
Status decodeFunctionBlock(RadioSettings& settings, std::string_view data);

// 0C90, 22 characters (11 bytes written; the radio holds 16).
std::string encodeKeyBlock(const RadioSettings& settings);
Status decodeKeyBlock(RadioSettings& settings, std::string_view data);

// The four band range texts of 0CC0 ("400-470MHz"; a radio without band data gives "FFF-FFFMHz").
struct BandLimitTexts {
    std::string rx, tx, rx1, tx1;
};
Result<BandLimitTexts> decodeBandLimits(std::string_view data);
// Selects each text in its band list, appending it when missing. A band 1 receive text of
// "FFF-FFFMHz" changes nothing.
Status mergeBandLimits(RadioSettings& settings, std::string_view data);
// A radio can be written unless its band block begins with "FFF".
bool isWritable(std::string_view bandData);

// 0CD0, 12 characters: "0" and each password character; a password that is not six characters
// long writes the default password. Fails on a character that is no hex digit.
Result<std::string> encodePasswordBlock(const RadioSettings& settings);
// Password := the low nibbles of bytes 0-5.
Status decodePasswordBlock(RadioSettings& settings, std::string_view data);

// 32 characters: two DTMF code fields, of keys first and second (call list, 0E00, 0E80).
Result<std::string> encodeCodePair(const RadioSettings& settings, std::string_view first, std::string_view second);
Status decodeCodePair(RadioSettings& settings, std::string_view first, std::string_view second,
                      std::string_view data);

// Call list block i (0..4) holds Call 2i and Call 2i+1.
Result<std::string> encodeCallListBlock(const RadioSettings& settings, int i);
Status decodeCallListBlock(RadioSettings& settings, int i, std::string_view data);

// Sixteen FF bytes.
std::string clearedBlockData();

}  // namespace qx
