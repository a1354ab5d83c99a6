#pragma once
// The channel file: one whole document (settings and 128 channels) as 187 lines of GB18030 text
// ending in CR LF, read back by position. Formatting, parsing and applying are pure functions on
// text; openChannelFile and saveChannelFile add the file I/O.
//
// Callers commit the open grid cell (Codeplug::sendallcell) before saving or opening, and show
// every error of these functions in the message dialog under caption msg::ChannelFileCaption
// (language string 144); the error's message is the exact text to show.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/language.h"
#include "model/codeplug.h"
#include "model/radio_settings.h"
#include "model/result.h"

namespace qx {

inline constexpr std::string_view kChannelFileHeader = "QX-4100 MEMORY CHANNEL";
inline constexpr int kChannelFileLineCount = 187;
inline constexpr int kFirstChannelLine = 60;    // 1-based line of channel 1
inline constexpr int kChannelFieldCount = 16;   // table columns 1-10, then extras columns 1-6

// One setting line as read: a band, option, flag or number value, or a text.
struct StagedSetting {
    std::string_view key;
    SettingKind kind = SettingKind::Flag;
    int value = 0;     // option index, flag 0/1, number (rounded, not yet clamped)
    std::string text;  // text setting, or the band range text
};

using ChannelFields = std::array<std::string, kChannelFieldCount>;

// A whole file checked and ready to apply; nothing in it can fail any more.
struct StagedChannelFile {
    std::vector<StagedSetting> settings;  // lines 4 to 57 in file order, empty lines left out
    // Channel rows 1.. in file order (at most 128). nullopt: the RX field is empty, so the row
    // stays empty and its extras row keeps what it held.
    std::vector<std::optional<ChannelFields>> channels;
};

struct OpenedChannelFile {
    std::string windowTitle;  // "QX-4100D    [" + BAND_Rx + "]"
};

// The 187 lines of a document, UTF-8, without line ends.
std::vector<std::string> formatChannelFile(const Codeplug& doc);
// The file's bytes: every line in GB18030 followed by CR LF.
Result<std::string> encodeChannelFile(const Codeplug& doc);

// Checks a whole file's bytes: the exact header (else the strings' msg::NotChannelFile), GB18030 text, an
// index on every option line and a number on every number line. Lines past the 187th are not
// looked at.
Result<StagedChannelFile> parseChannelFile(std::string_view bytes, const StringTable& strings);

// Puts a checked file into the document: band ranges (an unknown range joins its list), then
// every setting in file order through the normal assignment so the dependency rules act as the
// values arrive, then the channels; finally re-words the cells into the current language.
// Returns the window title.
std::string applyChannelFile(const StagedChannelFile& staged, Codeplug& doc);

std::string channelFileWindowTitle(std::string_view bandRx);

// One channel line cut into its sixteen fields, or nullopt when its RX field is empty.
std::optional<ChannelFields> parseChannelLine(std::string_view line);
std::string formatChannelLine(const Codeplug& doc, int row);

// Reads, checks and applies the file at path. Any error leaves the document unchanged.
Result<OpenedChannelFile> openChannelFile(const std::string& path, Codeplug& doc,
                                          const StringTable& strings);
// Writes the document to path through a temporary file renamed over it, so a failed save leaves
// the previous file intact. A symbolic link is written through; permissions are kept.
Status saveChannelFile(const std::string& path, const Codeplug& doc);

}  // namespace qx
