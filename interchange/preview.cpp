#include "interchange/preview.h"

#include "interchange/texts.h"
#include "link/write_check.h"

namespace qx {

void applyPreview(const Preview& preview, Codeplug& doc)
{
    TableUpdate update(doc.channels(), doc.extras());
    for (const PlacedChannel& placed : preview.channels) {
        if (placed.data)
            writeChannel(doc, placed.channel, *placed.data);
        else
            doc.deleteChannel(placed.channel);
    }
}

std::string refusalText(const Refusal& refusal, const StringTable& strings)
{
    if (refusal.column.empty())
        return refusal.reason;
    return fillIn(strings.text(istr::Refusal), {refusal.column, refusal.value, refusal.reason});
}

}  // namespace qx
