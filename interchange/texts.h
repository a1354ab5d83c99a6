#pragma once
// Language strings of channel interchange (CHIRP CSV import and export, the clipboard text).
// Reasons are short phrases; refusalText() puts column, value and reason together.

namespace qx::istr {

inline constexpr int Refusal = 150;          // %1 column, %2 value, %3 reason
inline constexpr int NotANumber = 151;
inline constexpr int NotInToneList = 152;
inline constexpr int ModeNotFm = 153;
inline constexpr int OutsideBand = 154;      // %1 frequency (MHz), %2 band range text
inline constexpr int OffRaster = 155;        // %1 frequency (MHz)
inline constexpr int LocationRange = 156;
inline constexpr int NoChannelLeft = 157;
inline constexpr int LocationTaken = 158;    // %1 channel, %2 line that took it
inline constexpr int UnknownValue = 159;
inline constexpr int AliasChanged = 160;     // %1 the text given, %2 the alias kept
inline constexpr int CommentDropped = 161;   // %1 the comment
inline constexpr int NonStandardTone = 162;  // %1 channel numbers, %2 tone
inline constexpr int ChannelNotExported = 163;  // %1 channel, %2 column header, %3 cell text
inline constexpr int TooLarge = 164;
inline constexpr int OpenQuote = 165;        // %1 line
inline constexpr int NotUtf8 = 166;          // %1 line
inline constexpr int MissingColumn = 167;    // %1 column name
inline constexpr int UnknownColumn = 168;    // %1 column header
inline constexpr int NothingWritten = 169;   // %1 number of refused rows

}  // namespace qx::istr
