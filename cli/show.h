#pragma once
// The readable form of a document for "qx4100ctl show": the settings, then the filled channels.

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {
class Codeplug;
}

namespace qx::cli {

// Columns a text takes on a terminal: East Asian wide characters take two.
std::size_t displayWidth(std::string_view utf8);

// One "key  value" line per setting of the channel file, in file order (flags as the On and Off
// words, options as their texts), then a table of the filled channels under the grid headers.
std::string formatDocument(const Codeplug& doc);

}  // namespace qx::cli
