#include "link/records.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/codeplug.h"

namespace qx {
namespace {

// The words of a row, written with single letters so the tables stay readable.
enum W { Off, On, High, Low, Wide, Narrow, Comp, Scr, Empty, Other };

std::string word(const Codeplug& doc, W w)
{
    const DisplayWords& d = doc.words();
    switch (w) {
    case Off: return d.off;
    case On: return d.on;
    case High: return d.high;
    case Low: return d.low;
    case Wide: return d.wide;
    case Narrow: return d.narrow;
    case Comp: return d.compander;
    case Scr: return d.scrambler;
    case Empty: return "";
    case Other: return "?";
    }
    return "";
}

struct Row {
    std::string rx, rxTone, tx, txTone;
    W power, bandwidth, scan, dtmf, ptt;
    std::string alias;
    W tail, vox, busy, voice;
};

// The example channel: both tones off, high, wide, scan on, DTMF and PTT ID off, tail on, VOX and
// busy lock off, voice off.
Row example()
{
    return {"438.12500", "OFF", "438.12500", "OFF", High, Wide, On, Off, Off, "", On, Off, Off, Off};
}

void put(Codeplug& doc, int r, const Row& row)
{
    auto tone = [&](const std::string& t) { return t == "OFF" ? doc.words().off : t; };
    ChannelTable& t = doc.channels();
    ChannelExtras& x = doc.extras();
    t.setCell(col::Rx, r, row.rx);
    t.setCell(col::RxTone, r, tone(row.rxTone));
    t.setCell(col::Tx, r, row.tx);
    t.setCell(col::TxTone, r, tone(row.txTone));
    t.setCell(col::Power, r, word(doc, row.power));
    t.setCell(col::Bandwidth, r, word(doc, row.bandwidth));
    t.setCell(col::ScanAdd, r, word(doc, row.scan));
    t.setCell(col::Dtmf, r, word(doc, row.dtmf));
    t.setCell(col::PttId, r, word(doc, row.ptt));
    t.setCell(col::Alias, r, row.alias);
    x.setCell(xcol::TailElim, r, word(doc, row.tail));
    x.setCell(xcol::Vox, r, word(doc, row.vox));
    x.setCell(xcol::BusyLock, r, word(doc, row.busy));
    x.setCell(xcol::VoiceMode, r, word(doc, row.voice));
}

TEST(RecordAddress, FirstAndLastChannel)
{
    EXPECT_EQ(channelRecordAddress(1), 0x0010);
    EXPECT_EQ(aliasRecordAddress(1), 0x0810);
    EXPECT_EQ(channelRecordAddress(128), 0x0800);
    EXPECT_EQ(aliasRecordAddress(128), 0x0C08);
}

struct FreqCase {
    const char* name;
    const char* text;
    const char* field;  // nullptr: refused
};

const FreqCase kFreqCases[] = {
    {"whole kHz", "438.12500", "43812500"},
    {"6.25 kHz raster", "446.00625", "44600604"},
    {"fraction 50", "438.12550", "43812508"},
    {"fraction 75", "438.12575", "4381250C"},
    {"fraction 06 rounds to 01", "438.12506", "43812501"},
    {"fraction 99 stays at 0F", "438.12599", "4381250F"},
    {"empty cell", "", "FFFFFFFF"},
    {"too few digits", "438.125", nullptr},
    {"four digits before the point", "4381.2500", nullptr},
    {"comma for point", "438,12500", nullptr},
    {"leading blank", " 438.1250", nullptr},
    {"letter", "43A.12500", nullptr},
};

TEST(FrequencyField, Write)
{
    for (const FreqCase& c : kFreqCases) {
        auto field = WriteFre(c.text);
        if (c.field == nullptr) {
            EXPECT_FALSE(field.ok()) << c.name;
        } else {
            ASSERT_TRUE(field.ok()) << c.name;
            EXPECT_EQ(field.value(), c.field) << c.name;
        }
    }
}

TEST(FrequencyField, Read)
{
    EXPECT_EQ(ReadFre("4381250C"), "438.12575");
    EXPECT_EQ(ReadFre("44600604"), "446.00625");
    EXPECT_EQ(ReadFre("43812500"), "438.12500");
    EXPECT_EQ(ReadFre("FFFFFFFF"), "FFF.FFF1593");
}

TEST(FrequencyField, EveryFractionByteReadWritesBackItself)
{
    for (unsigned v = 0; v <= 0xF; ++v) {
        char field[9];
        std::snprintf(field, sizeof field, "438125%.2X", v);
        const std::string text = ReadFre(field);
        auto back = WriteFre(text);
        ASSERT_TRUE(back.ok()) << text;
        EXPECT_EQ(back.value(), field) << text;
    }
}

TEST(FrequencyField, FractionByteOf10ReadsOutsideTheForm)
{
    EXPECT_FALSE(isRecordFrequency(ReadFre("43812510")));
}

struct EncodeCase {
    const char* name;
    Row row;
    const char* record;  // nullptr: refused
};

Row with(Row r, void (*edit)(Row&))
{
    edit(r);
    return r;
}

const EncodeCase kEncodeCases[] = {
    {"example channel", example(), "4381250043812500FF00FF00FFFFFF70"},
    {"RX above TX", with(example(), [](Row& r) { r.tx = "433.12500"; }), "4381250043312500FF00FF00FFFFFF72"},
    {"RX below TX", with(example(), [](Row& r) { r.tx = "443.12500"; }), "4381250044312500FF00FF00FFFFFF71"},
    {"empty TX: FF and no offset", with(example(), [](Row& r) { r.tx = ""; }), "43812500FFFFFFFFFF00FF00FFFFFF70"},
    {"empty RX: all FF whatever else", with(example(), [](Row& r) { r.rx = ""; r.tx = "bad"; r.rxTone = "bad"; }),
     "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
    {"tones and every switch on", {"446.00625", "67.0", "446.00625", "D023I", Low, Narrow, On, On, On, "", Off, On, On, Comp},
     "4460060444600604028202E3FFFF2600"},
    {"scrambler, empty tail counts as on", {"446.00625", "100.0", "446.00625", "D754N", High, Narrow, Off, On, Off, "", Empty, Off, On, Scr},
     "44600604446006040E826BC3FFFFABD0"},
    {"voice text of no word writes 0", with(example(), [](Row& r) { r.voice = Other; }), "4381250043812500FF00FF00FFFFF370"},
    {"power and bandwidth of no word: low, narrow", with(example(), [](Row& r) { r.power = Other; r.bandwidth = Empty; }),
     "4381250043812500FF00FF00FFFF3F70"},
    {"tone outside the list", with(example(), [](Row& r) { r.txTone = "67.5x"; }), nullptr},
    {"RX outside the form", with(example(), [](Row& r) { r.rx = "438.125"; }), nullptr},
    {"TX outside the form", with(example(), [](Row& r) { r.tx = "FFF.FFF1593"; }), nullptr},
};

TEST(ChannelRecord, Encode)
{
    for (const EncodeCase& c : kEncodeCases) {
        Codeplug doc;
        put(doc, 7, c.row);
        auto record = encodeChannelRecord(doc, 7);
        if (c.record == nullptr) {
            ASSERT_FALSE(record.ok()) << c.name;
            EXPECT_NE(record.error().message.find("007"), std::string::npos) << c.name << ": " << record.error().message;
        } else {
            ASSERT_TRUE(record.ok()) << c.name << ": " << record.error().message;
            EXPECT_EQ(record.value(), c.record) << c.name;
        }
    }
}

TEST(ChannelRecord, DecodedRowEncodesToTheSameRecord)
{
    const char* records[] = {
        "4381250043812500FF00FF00FFFFFF70", "4460060444600604028202E3FFFF2600", "44600604446006040E826BC3FFFFABD0",
        "4460060644500108338241E3FFFFFE92",
    };
    for (const char* r : records) {
        Codeplug doc;
        ASSERT_TRUE(decodeChannelRecord(doc, 3, r).ok()) << r;
        auto back = encodeChannelRecord(doc, 3);
        ASSERT_TRUE(back.ok()) << r << ": " << back.error().message;
        EXPECT_EQ(back.value(), r);
    }
}

struct DecodeCase {
    const char* name;
    const char* record;
    std::vector<std::pair<int, W>> cells;   // ChannelTable column, word
    std::vector<std::pair<int, W>> extras;  // ChannelExtras column, word
};

const DecodeCase kDecodeCases[] = {
    {"byte 14 A2: high, narrow, busy on, tail off, voice kept", "4381250043812500FF00FF00FFFFA200",
     {{col::Power, High}, {col::Bandwidth, Narrow}},
     {{xcol::BusyLock, On}, {xcol::TailElim, Off}, {xcol::VoiceMode, Other}}},
    {"byte 14 7F: low, wide, busy off, tail on, voice off", "4381250043812500FF00FF00FFFF7F00",
     {{col::Power, Low}, {col::Bandwidth, Wide}}, {{xcol::BusyLock, Off}, {xcol::TailElim, On}, {xcol::VoiceMode, Off}}},
    {"voice 2 scrambler", "4381250043812500FF00FF00FFFF2A00", {}, {{xcol::VoiceMode, Scr}}},
    {"voice 1 compander", "4381250043812500FF00FF00FFFF2600", {}, {{xcol::VoiceMode, Comp}}},
    {"byte 15 F0: four switches off", "4381250043812500FF00FF00FFFFFFF0",
     {{col::ScanAdd, Off}, {col::Dtmf, Off}, {col::PttId, Off}}, {{xcol::Vox, Off}}},
    {"byte 15 00: four switches on", "4381250043812500FF00FF00FFFFFF00",
     {{col::ScanAdd, On}, {col::Dtmf, On}, {col::PttId, On}}, {{xcol::Vox, On}}},
    {"byte 15 A0: scan and DTMF off", "4381250043812500FF00FF00FFFFFFA0",
     {{col::ScanAdd, Off}, {col::Dtmf, Off}, {col::PttId, On}}, {{xcol::Vox, On}}},
};

TEST(ChannelRecord, DecodeSwitchBytes)
{
    for (const DecodeCase& c : kDecodeCases) {
        Codeplug doc;
        doc.extras().setCell(xcol::VoiceMode, 9, "?");
        ASSERT_TRUE(decodeChannelRecord(doc, 9, c.record).ok()) << c.name;
        for (auto [column, w] : c.cells)
            EXPECT_EQ(doc.channels().cell(column, 9), word(doc, w)) << c.name << " column " << column;
        for (auto [column, w] : c.extras)
            EXPECT_EQ(doc.extras().cell(column, 9), word(doc, w)) << c.name << " extras " << column;
    }
}

TEST(ChannelRecord, DecodeFrequenciesAndTones)
{
    Codeplug doc;
    ASSERT_TRUE(decodeChannelRecord(doc, 2, "438125004331250C028202E3FFFFFF70").ok());
    EXPECT_EQ(doc.channels().cell(col::Rx, 2), "438.12500");
    EXPECT_EQ(doc.channels().cell(col::Tx, 2), "433.12575");
    EXPECT_EQ(doc.channels().cell(col::RxTone, 2), "67.0");
    EXPECT_EQ(doc.extras().cell(xcol::RxCode, 2), "2");
    EXPECT_EQ(doc.channels().cell(col::TxTone, 2), "D023I");
    EXPECT_EQ(doc.extras().cell(xcol::TxCode, 2), "160");
}

TEST(ChannelRecord, FilledRecordWithoutTxReadsEmptyTx)
{
    Codeplug doc;
    doc.channels().setCell(col::Tx, 4, "old");
    ASSERT_TRUE(decodeChannelRecord(doc, 4, "43812500FFFFFFFFFF00FF00FFFFFF70").ok());
    EXPECT_EQ(doc.channels().cell(col::Rx, 4), "438.12500");
    EXPECT_EQ(doc.channels().cell(col::Tx, 4), "");
}

TEST(ChannelRecord, EmptyRecordEmptiesTheRowButKeepsVoiceMode)
{
    Codeplug doc;
    put(doc, 5, {"438.12500", "67.0", "438.12500", "OFF", High, Wide, On, Off, Off, "AB", On, Off, Off, Comp});
    doc.extras().setCell(xcol::RxCode, 5, "2");
    ASSERT_TRUE(decodeChannelRecord(doc, 5, std::string(32, 'F')).ok());
    for (int c = col::Rx; c <= col::Alias; ++c)
        EXPECT_EQ(doc.channels().cell(c, 5), "") << "column " << c;
    for (int c = xcol::TailElim; c <= xcol::TxCode; ++c)
        EXPECT_EQ(doc.extras().cell(c, 5), "") << "extras " << c;
    EXPECT_EQ(doc.extras().cell(xcol::VoiceMode, 5), doc.words().compander);
    EXPECT_EQ(doc.channels().cell(col::Number, 5), "005");
}

TEST(ChannelRecord, MalformedDataChangesNothing)
{
    for (const char* data : {"4381250043812500FF00FF00FFFFFF7", "4381250043812500FF00FF00FFFFFF7G"}) {
        Codeplug doc;
        doc.channels().setCell(col::Rx, 1, "400.00000");
        EXPECT_FALSE(decodeChannelRecord(doc, 1, data).ok()) << data;
        EXPECT_EQ(doc.channels().cell(col::Rx, 1), "400.00000") << data;
    }
}

TEST(AliasRecord, EncodeAndDecode)
{
    struct Case {
        const char* name;
        const char* alias;
        const char* record;  // nullptr: refused
        const char* readBack;
    } cases[] = {
        {"two letters padded with spaces", "AB", "10110F0F0F0FFFFF", "AB"},
        {"empty alias: six space codes", "", "0F0F0F0F0F0FFFFF", ""},
        {"six characters, no fill", "CH-1/*", "12170A010D2AFFFF", "CH-1/*"},
        {"inner space kept, outer trimmed", " A B", "0F100F110F0FFFFF", "A B"},
        {"seven characters refused", "ABCDEFG", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        Codeplug doc;
        doc.channels().setCell(col::Alias, 12, c.alias);
        auto record = encodeAliasRecord(doc, 12);
        if (c.record == nullptr) {
            EXPECT_FALSE(record.ok()) << c.name;
            continue;
        }
        ASSERT_TRUE(record.ok()) << c.name;
        EXPECT_EQ(record.value(), c.record) << c.name;
        Codeplug back;
        ASSERT_TRUE(decodeAliasRecord(back, 12, record.value()).ok()) << c.name;
        EXPECT_EQ(back.channels().cell(col::Alias, 12), c.readBack) << c.name;
    }
}

TEST(AliasRecord, ErasedAliasReadsEmpty)
{
    Codeplug doc;
    doc.channels().setCell(col::Alias, 1, "OLD");
    ASSERT_TRUE(decodeAliasRecord(doc, 1, "FFFFFFFFFFFFFFFF").ok());
    EXPECT_EQ(doc.channels().cell(col::Alias, 1), "");
}

}  // namespace
}  // namespace qx
