// Language files on arbitrary bytes. Beyond "no crash": a table written back as "number=text"
// lines parses to the same table, and applying it to a document keeps the document savable.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/channel_file.h"
#include "files/encoding.h"
#include "files/language.h"
#include "model/codeplug.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (!qx::isValidUtf8(input))
        return 0;  // the loader refuses such a file before parsing
    const qx::StringTable table = qx::StringTable::parse(input);

    std::string written;
    for (int n : table.numbers()) {
        // A text holding a line break could not have come from one line.
        const std::string& text = table.text(n);
        if (text.find('\n') != std::string::npos)
            std::abort();
        written += std::to_string(n) + "=" + text + "\r\n";
    }
    // Compared through text(), the lookup every caller uses.
    const qx::StringTable reread = qx::StringTable::parse(written);
    if (reread.numbers() != table.numbers())
        std::abort();
    for (int n : table.numbers())
        if (reread.text(n) != table.text(n))
            std::abort();

    qx::Codeplug doc;
    qx::applyLanguage(table, doc);
    if (!qx::encodeChannelFile(doc))
        std::abort();
    return 0;
}
