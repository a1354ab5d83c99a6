// The CHIRP CSV and clipboard readers on arbitrary text. Beyond "no crash": what an import
// accepted exports, and that export imported into a new document exports the same text again,
// so a list passed between tools settles after one trip.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/language.h"
#include "interchange/chirp_csv.h"
#include "interchange/clipboard.h"
#include "model/codeplug.h"

namespace {

qx::Codeplug newDocument()
{
    qx::Codeplug doc;
    for (auto key : {qx::keys::BandRx, qx::keys::BandTx, qx::keys::BandRx1, qx::keys::BandTx1})
        doc.settings().setBandList(key, {"400-470MHz"}, 0);
    return doc;
}

// Imports csv into a new document and exports it; aborts when an exported list is refused.
std::string importThenExport(std::string_view csv, const qx::StringTable& strings, bool mustAccept)
{
    qx::Codeplug doc = newDocument();
    auto preview = qx::previewChirpImport(csv, doc, {}, strings);
    if (!preview) {
        if (mustAccept)
            std::abort();
        return {};
    }
    if (mustAccept && !preview.value().refused.empty())
        std::abort();  // our own export must import whole
    qx::applyPreview(preview.value(), doc);
    return qx::exportChirpCsv(doc, strings).csv;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const qx::StringTable& strings = qx::StringTable::builtIn();

    const std::string first = importThenExport(input, strings, false);
    if (!first.empty()) {
        const std::string second = importThenExport(first, strings, true);
        if (second != first)
            std::abort();
    }

    // The same text pasted: a preview never changes the document, applying it never fails.
    qx::Codeplug doc = newDocument();
    if (auto pasted = qx::previewPaste(input, doc, 5, strings))
        qx::applyPreview(pasted.value(), doc);
    return 0;
}
