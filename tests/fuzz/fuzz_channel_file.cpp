// The channel-file reader on arbitrary bytes. Beyond "no crash": a file that opens is saved, and
// the saved file opens to the same document, so its second save gives the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/channel_file.h"
#include "model/codeplug.h"

namespace {

// What a save of the staged file writes, starting from a new document.
std::string savedBytes(const qx::StagedChannelFile& staged)
{
    qx::Codeplug doc;
    qx::applyChannelFile(staged, doc);
    auto bytes = qx::encodeChannelFile(doc);
    if (!bytes)
        std::abort();  // a document the reader built must always be savable
    if (qx::formatChannelFile(doc).size() != static_cast<std::size_t>(qx::kChannelFileLineCount))
        std::abort();
    return bytes.value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const qx::StringTable& strings = qx::StringTable::builtIn();
    auto staged = qx::parseChannelFile(input, strings);
    if (!staged)
        return 0;
    const std::string first = savedBytes(staged.value());
    auto again = qx::parseChannelFile(first, strings);
    if (!again)
        std::abort();  // our own file refused
    if (savedBytes(again.value()) != first)
        std::abort();  // the document changed on its way through a file
    return 0;
}
