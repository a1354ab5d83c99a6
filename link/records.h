#pragma once
// The radio's per-channel records: the 16-byte channel record and the 8-byte alias record, between
// the rows of the channel tables and HexText.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/result.h"

namespace qx {

class Codeplug;

inline constexpr std::size_t kChannelRecordBytes = 16;
inline constexpr std::size_t kAliasRecordBytes = 8;

// Channel 1 at 0010 .. channel 128 at 0800.
constexpr std::uint16_t channelRecordAddress(int row) { return static_cast<std::uint16_t>(row * 0x10); }
// Channel 1 at 0810 .. channel 128 at 0C08.
constexpr std::uint16_t aliasRecordAddress(int row) { return static_cast<std::uint16_t>(0x808 + row * 8); }

// True for the form the records carry: three digits, ".", five digits ("438.12500").
bool isRecordFrequency(std::string_view text);

// Frequency field, 8 HexText characters: six packed BCD digits (three before the point, three
// after) and the part below 1 kHz in units of 62.5 Hz, from the last two digits:
// round(dd × 0.16), at most 0F. An empty text gives "FFFFFFFF". Fails on a text outside the form.
Result<std::string> WriteFre(std::string_view cellText);
// The text of a frequency field: digits 1-3, ".", digits 4-6, then the fraction byte × 6.25 cut
// to a whole number with at least two digits (43 81 25 0C -> "438.12575").
std::string ReadFre(std::string_view field8);

// 32 characters: the channel record of row (1..128), 32 "F" for an empty channel. Fails, naming
// the channel, on a frequency or tone that has no encoding.
Result<std::string> encodeChannelRecord(const Codeplug& doc, int row);
// 16 characters: six alias codes padded with the space code, then "FFFF". Fails on an alias that
// gives more than six codes.
Result<std::string> encodeAliasRecord(const Codeplug& doc, int row);

// Empties columns 1-10 and extras 1-5 of row (extras 6, the voice mode, keeps its text): what a
// read does before it asks for the row's record.
void clearRecordCells(Codeplug& doc, int row);
// Writes the cells of row from 32 characters of record data. Byte 0 FF is an empty channel; a
// filled record whose TX bytes are FF FF FF FF has an empty TX cell. Fails, changing nothing, on
// data of the wrong length or with a non-hex digit.
Status decodeChannelRecord(Codeplug& doc, int row, std::string_view data);
// Column 10 from the first 12 characters of alias record data, leading and trailing spaces removed.
Status decodeAliasRecord(Codeplug& doc, int row, std::string_view data);

}  // namespace qx
