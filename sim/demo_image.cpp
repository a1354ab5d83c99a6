#include "sim/demo_image.h"

#include <algorithm>
#include <string>

#include "link/blocks.h"
#include "link/records.h"
#include "model/codec.h"
#include "model/codeplug.h"

namespace qx::sim {

namespace {

struct DemoChannel {
    const char* rx;
    const char* tx;  // empty: receive only
    const char* rxTone;
    const char* txTone;
    bool high, wide, scan;
    const char* alias;
};

const DemoChannel kChannels[] = {
    {"462.56250", "462.56250", "67.0", "67.0", true, false, true, "FRS1"},
    {"462.58750", "462.58750", "", "", true, false, true, "FRS2"},
    {"446.00625", "446.00625", "88.5", "88.5", false, false, true, "PMR1"},
    {"446.01875", "446.01875", "D023N", "D023N", false, false, true, "PMR2"},
    {"438.50000", "431.10000", "", "123.0", true, true, true, "RPT-1"},
    {"439.12500", "431.52500", "100.0", "100.0", true, true, false, "RPT-2"},
    {"433.50000", "433.50000", "", "", false, true, true, "SIMPLX"},
    {"451.75000", "456.75000", "D754I", "D754I", true, false, true, "SITE.A"},
    {"455.02500", "", "", "", false, false, true, "LISTEN"},
    {"409.75000", "409.75000", "254.1", "63.0", false, true, false, "CH+10"},
    {"415.37500", "415.37500", "D047N", "D047I", true, true, true, "GATE_2"},
    {"468.97500", "468.97500", "151.4", "151.4", true, false, true, "DEPOT*"},
};

void fillChannel(Codeplug& doc, int row, const DemoChannel& c)
{
    const DisplayWords& w = doc.words();
    ChannelTable& t = doc.channels();
    ChannelExtras& x = doc.extras();
    t.setCell(col::Rx, row, c.rx);
    doc.fillDefaults(row);
    t.setCell(col::Tx, row, c.tx);
    const std::string rxTone = *c.rxTone ? c.rxTone : w.off;
    const std::string txTone = *c.txTone ? c.txTone : w.off;
    t.setCell(col::RxTone, row, rxTone);
    t.setCell(col::TxTone, row, txTone);
    x.setCell(xcol::RxCode, row, std::to_string(doc.tones().indexOf(rxTone)));
    x.setCell(xcol::TxCode, row, std::to_string(doc.tones().indexOf(txTone)));
    t.setCell(col::Power, row, c.high ? w.high : w.low);
    t.setCell(col::Bandwidth, row, c.wide ? w.wide : w.narrow);
    t.setCell(col::ScanAdd, row, c.scan ? w.on : w.off);
    t.setCell(col::Alias, row, c.alias);
}

Status put(RadioMemory& m, std::uint16_t address, const Result<std::string>& hex)
{
    if (!hex)
        return hex.error();
    auto bytes = HexToBytes(hex.value());
    if (!bytes)
        return bytes.error();
    if (address + bytes.value().size() > m.size())
        return makeError("demo block beyond the memory");
    std::copy(bytes.value().begin(), bytes.value().end(), m.begin() + address);
    return success();
}

}  // namespace

Result<RadioMemory> demoImage()
{
    Codeplug doc;
    int row = 1;
    for (const DemoChannel& c : kChannels)
        fillChannel(doc, row++, c);

    RadioMemory m;
    m.fill(0xFF);
    Status s;
    for (int r = 1; r <= kChannelCount && s; ++r) {
        s = put(m, channelRecordAddress(r), encodeChannelRecord(doc, r));
        if (s)
            s = put(m, aliasRecordAddress(r), encodeAliasRecord(doc, r));
    }
    const RadioSettings& settings = doc.settings();
    // Channel 1 lies in the band, so the radio starts on it.
    if (s) s = put(m, block::Function, encodeFunctionBlock(settings, "01"));
    if (s) s = put(m, block::Key, encodeKeyBlock(settings));
    // Upper then lower limit, for band 1 receive and transmit, then band 2 the same.
    if (s) s = put(m, block::BandLimits, std::string("4700400047004000") + "4700400047004000");
    if (s) s = put(m, block::Password, encodePasswordBlock(settings));
    for (int i = 0; i < block::CallListBlocks && s; ++i)
        s = put(m, block::callList(i), encodeCallListBlock(settings, i));
    if (s) s = put(m, block::Id, encodeCodePair(settings, keys::Private, keys::StunCode));
    if (s) s = put(m, block::BotEot, encodeCodePair(settings, keys::BOT, keys::EOT));
    if (!s)
        return s.error().withContext("demo radio");
    return m;
}

}  // namespace qx::sim
