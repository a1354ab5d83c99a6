#pragma once
// What an import or a paste would do, worked out before anything changes: the channels it
// replaces, the rows it refuses with their reasons, and warnings. Applying writes every accepted
// channel in one step; a preview that is not applied changes nothing.
// Callers commit the open grid cell (Codeplug::sendallcell) before building a preview, so that it
// is checked against the document as shown.

#include <optional>
#include <string>
#include <vector>

#include "files/language.h"
#include "interchange/channel_data.h"
#include "model/codeplug.h"

namespace qx {

struct Refusal {
    int line = 0;        // 1-based line of the input (a header is line 1)
    std::string column;  // the column's name as the input has it; empty when no cell is at fault
    std::string value;   // the cell's text
    std::string reason;  // a phrase in the strings' language

    bool operator==(const Refusal&) const = default;
};

struct InterchangeWarning {
    int line = 0;  // 0: not about one line
    std::string text;

    bool operator==(const InterchangeWarning&) const = default;
};

struct PlacedChannel {
    int channel = 0;  // 1..128
    int line = 0;
    std::optional<ChannelData> data;  // nullopt: the channel is emptied
};

struct Preview {
    std::vector<PlacedChannel> channels;  // in input order, each channel at most once
    std::vector<Refusal> refused;
    std::vector<InterchangeWarning> warnings;

    // How many channels applying replaces.
    int replacedCount() const { return static_cast<int>(channels.size()); }
};

// Writes the placed channels into the document as one bulk change; refused rows change nothing.
void applyPreview(const Preview& preview, Codeplug& doc);

// `Column "value": reason` (string 150), or the reason alone when no cell is named.
std::string refusalText(const Refusal& refusal, const StringTable& strings);

}  // namespace qx
