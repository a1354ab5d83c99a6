#include "link/sequences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/blocks.h"
#include "link/records.h"
#include "transfer_rig.h"

namespace qx {
namespace {

using testing::fault;
using testing::loadDemo;
using testing::peek;
using testing::poke;
using testing::Rig;

// A marker row that a read must leave alone.
void markRow(Codeplug& doc, int row)
{
    doc.channels().setCell(col::Rx, row, "450.00000");
    doc.channels().setCell(col::Alias, row, "OLD");
    doc.extras().setCell(xcol::VoiceMode, row, "KEEP");
}

bool rowMarked(const Codeplug& doc, int row)
{
    return doc.channels().cell(col::Rx, row) == "450.00000" && doc.channels().cell(col::Alias, row) == "OLD";
}

// ---- read ----

TEST(ReadSequence, FullRead)
{
    Rig rig;
    loadDemo(rig.radio());
    for (int row = 1; row <= kChannelCount; ++row)
        markRow(rig.doc, row);
    int refreshes = 0;
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(readSequence(rig.protocol, rig.doc, rig.progress, [&] { ++refreshes; }).ok());
    EXPECT_TRUE(rig.protocol.ok());
    EXPECT_EQ(refreshes, 1);

    const ChannelTable& t = rig.doc.channels();
    EXPECT_EQ(t.cell(col::Rx, 1), "438.12500");
    EXPECT_EQ(t.cell(col::Alias, 1), "AB");
    EXPECT_EQ(t.cell(col::Tx, 2), "445.00150");
    EXPECT_EQ(rig.doc.extras().cell(xcol::VoiceMode, 2), rig.doc.words().compander);
    EXPECT_EQ(t.cell(col::TxTone, 128), "D131N");
    EXPECT_EQ(t.cell(col::Alias, 128), "CH-1");
    // An empty channel: cells empty, its voice mode kept.
    EXPECT_EQ(t.cell(col::Rx, 64), "");
    EXPECT_EQ(t.cell(col::Alias, 64), "");
    EXPECT_EQ(rig.doc.extras().cell(xcol::VoiceMode, 64), "KEEP");

    const RadioSettings& s = rig.doc.settings();
    EXPECT_EQ(s.value(keys::Squelch), 5);
    EXPECT_EQ(s.value(keys::Band), 0);
    EXPECT_EQ(s.value(keys::Pretime), 1000);
    EXPECT_EQ(s.text(keys::call(0)), "1000");
    EXPECT_EQ(s.text(keys::call(1)), "123");
    EXPECT_EQ(s.text(keys::call(2)), "");
    EXPECT_EQ(s.text(keys::BOT), "12345");
    EXPECT_EQ(s.text(keys::EOT), "0*");
    EXPECT_EQ(s.text(keys::Password), "123456");
    EXPECT_EQ(s.text(keys::Private), "90");
    EXPECT_EQ(s.text(keys::StunCode), "*#");

    // 128 channels, 0C80, 0C90, five call-list blocks, 0E80, 0CD0: 137 steps, then full.
    ASSERT_EQ(rig.progressValues.size(), 138u);
    EXPECT_EQ(rig.progressValues[136], 137);
    EXPECT_EQ(rig.progressValues.back(), kReadProgressDone);

    const std::vector<std::string> r = rig.requests();
    ASSERT_EQ(r.size(), 1u + 256 + 10);
    EXPECT_EQ(r[0], "52030CC010");
    EXPECT_EQ(r[1], "5203001010");
    EXPECT_EQ(r[2], "5203081008");
    EXPECT_EQ(r[256], "52030C0808");
    const std::vector<std::string> tail(r.end() - 10, r.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"52030C8010", "52030C9010", "52030D8010", "52030D9010", "52030DA010",
                                              "52030DB010", "52030DC010", "52030E8010", "52030CD010", "52030E0010"}));
}

TEST(ReadSequence, AllChannelsEmptyStillReadsAliases)
{
    Rig rig;
    loadDemo(rig.radio());
    for (std::uint16_t a = 0x10; a <= 0x800; a += 0x10)
        poke(rig.radio(), a, std::string(32, 'F'));
    markRow(rig.doc, 1);
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(readSequence(rig.protocol, rig.doc, rig.progress).ok());
    EXPECT_EQ(rig.doc.channels().cell(col::Rx, 1), "");
    EXPECT_EQ(rig.doc.channels().cell(col::Alias, 1), "AB");
    EXPECT_EQ(rig.doc.extras().cell(xcol::VoiceMode, 1), "KEEP");
    EXPECT_EQ(rig.doc.channels().cell(col::Alias, 128), "CH-1");
}

TEST(ReadSequence, ChannelAnsweredOnceWithNothingIsAskedAgain)
{
    Rig rig;
    loadDemo(rig.radio());
    poke(rig.radio(), 0x0050, "4381250043812500FF00FF00FFFFFF70");
    rig.radio().addFault(fault("none:read@0050,times=1"));
    rig.radio().addFault(fault("none:read@0060,times=1"));
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(readSequence(rig.protocol, rig.doc, rig.progress).ok());
    EXPECT_EQ(rig.doc.channels().cell(col::Rx, 5), "438.12500");
    // Channel 6 had its own two attempts again: the counter was back at 2.
    EXPECT_EQ(rig.readsOf(0x0050, 16), 2);
    EXPECT_EQ(rig.readsOf(0x0060, 16), 2);
}

TEST(ReadSequence, DamagedAliasReplyIsAskedAgain)
{
    Rig rig;
    loadDemo(rig.radio());
    rig.radio().addFault(fault("badcheck:read@0810,times=1"));
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(readSequence(rig.protocol, rig.doc, rig.progress).ok());
    EXPECT_EQ(rig.readsOf(0x0810, 8), 2);
    EXPECT_EQ(rig.doc.channels().cell(col::Alias, 1), "AB");
}

struct ReadFailure {
    const char* name;
    const char* fault;
    int progress;      // last progress value
    bool refreshed;    // the single-channel page hook ran
    int dataRows;      // rows 1..n hold the radio's data
    int emptiedRow;    // the row whose record failed: emptied, voice mode kept (0: none)
    int untouchedFrom; // first row that keeps its old contents (0: none)
    int settingsRead;  // blocks decoded after the channels: 1 0C80, 2 0C90, 3-7 call list, 8 0E80, ...
};

const ReadFailure kReadFailures[] = {
    {"band block silent: nothing changes", "none:read@0CC0", 0, false, 0, 0, 1, 0},
    {"channel 5 silent twice", "none:read@0050,times=2", 4, true, 4, 5, 6, 0},
    {"channel 5 refused twice", "refuse:read@0050,times=2", 4, true, 4, 5, 6, 0},
    {"alias 5 silent: record kept, alias empty, no refresh", "none:read@0830", 5, false, 5, 0, 6, 0},
    {"function block silent", "none:read@0C80", 128, true, 128, 0, 0, 0},
    {"key block silent", "none:read@0C90", 129, true, 128, 0, 0, 1},
    {"second call-list block silent twice", "none:read@0D90,times=2", 131, true, 128, 0, 0, 3},
    {"BOT/EOT silent", "none:read@0E80", 135, true, 128, 0, 0, 7},
    {"own ID silent", "none:read@0E00", 137, true, 128, 0, 0, 9},
    {"function block waits 50 times", "wait:read@0C80,times=50", 128, true, 128, 0, 0, 0},
    {"function block damaged 50 times", "badcheck:read@0C80,times=50", 128, true, 128, 0, 0, 0},
    {"line hangs up at channel 3", "hangup:read@0030", 2, true, 2, 3, 4, 0},
};

TEST(ReadSequence, WhatSurvivesEachFailure)
{
    for (const ReadFailure& c : kReadFailures) {
        Rig rig;
        loadDemo(rig.radio());
        rig.radio().addFault(fault(c.fault));
        for (int row = 1; row <= kChannelCount; ++row)
            markRow(rig.doc, row);
        rig.doc.settings().assign(keys::Squelch, 7);
        rig.doc.settings().assignText(keys::call(2), "999");
        rig.doc.settings().assignText(keys::BOT, "777");
        rig.doc.settings().assignText(keys::Private, "888");
        int refreshes = 0;
        ASSERT_TRUE(rig.connect()) << c.name;
        EXPECT_FALSE(readSequence(rig.protocol, rig.doc, rig.progress, [&] { ++refreshes; }).ok()) << c.name;
        EXPECT_FALSE(rig.protocol.ok()) << c.name;
        EXPECT_EQ(rig.progress.value(), c.progress) << c.name;
        EXPECT_EQ(refreshes, c.refreshed ? 1 : 0) << c.name;

        const Codeplug& d = rig.doc;
        if (c.dataRows >= 1) {
            EXPECT_EQ(d.channels().cell(col::Rx, 1), "438.12500") << c.name;
        }
        for (int row = 1; row <= c.dataRows; ++row)
            EXPECT_FALSE(rowMarked(d, row)) << c.name << " row " << row;
        if (c.emptiedRow != 0) {
            EXPECT_EQ(d.channels().cell(col::Rx, c.emptiedRow), "") << c.name;
            EXPECT_EQ(d.channels().cell(col::Alias, c.emptiedRow), "") << c.name;
            EXPECT_EQ(d.extras().cell(xcol::VoiceMode, c.emptiedRow), "KEEP") << c.name;
        }
        for (int row = c.untouchedFrom; c.untouchedFrom != 0 && row <= kChannelCount; ++row)
            EXPECT_TRUE(rowMarked(d, row)) << c.name << " row " << row;

        EXPECT_EQ(d.settings().value(keys::Squelch), c.settingsRead >= 1 ? 5 : 7) << c.name;
        EXPECT_EQ(d.settings().text(keys::call(2)), c.settingsRead >= 4 ? "" : "999") << c.name;
        EXPECT_EQ(d.settings().text(keys::BOT), c.settingsRead >= 8 ? "12345" : "777") << c.name;
        EXPECT_EQ(d.settings().text(keys::Private), "888") << c.name;
    }
}

TEST(ReadSequence, BandLimitsMergedFirst)
{
    Rig rig;
    loadDemo(rig.radio());
    poke(rig.radio(), 0x0CC0, "52004900480040005200490048004000");
    rig.radio().addFault(fault("none:read@0010,times=2"));
    ASSERT_TRUE(rig.connect());
    EXPECT_FALSE(readSequence(rig.protocol, rig.doc, rig.progress).ok());
    EXPECT_EQ(rig.doc.settings().text(keys::BandRx), "490-520MHz");
    EXPECT_EQ(rig.doc.settings().text(keys::BandTx), "400-480MHz");
    EXPECT_EQ(rig.doc.settings().bandList(keys::BandRx).size(), 2u);
}

// ---- write ----

// Only channel 1 filled, every setting at its default.
void channelOneOnly(Codeplug& doc)
{
    doc.channels().setCell(col::Rx, 1, "438.12500");
    doc.setCurrent(col::Rx, 1);
    doc.sendallcell();
    doc.channels().setCell(col::Alias, 1, "AB");
}

void prepareRadio(Rig& rig)
{
    loadDemo(rig.radio());
    poke(rig.radio(), 0x0D30, std::string(32, '0'));  // a cleared block that held something
}

TEST(WriteSequence, FullWriteOfOneChannel)
{
    Rig rig;
    prepareRadio(rig);
    channelOneOnly(rig.doc);
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(writeSequence(rig.protocol, rig.doc, "01", rig.progress).ok());
    EXPECT_TRUE(rig.protocol.ok());

    const auto& radio = rig.radio();
    EXPECT_EQ(peek(radio, 0x0010, 16), "4381250043812500FF00FF00FFFFFF70");
    EXPECT_EQ(peek(radio, 0x0810, 8), "10110F0F0F0FFFFF");
    EXPECT_EQ(peek(radio, 0x0020, 16), std::string(32, 'F'));
    EXPECT_EQ(peek(radio, 0x0800, 16), std::string(32, 'F'));
    EXPECT_EQ(peek(radio, 0x0818, 8), "0F0F0F0F0F0FFFFF");
    EXPECT_EQ(peek(radio, 0x0C08, 8), "0F0F0F0F0F0FFFFF");
    EXPECT_EQ(peek(radio, 0x0C80, 16), "01800202FF040300F9FFFF0302FEF0F0");
    EXPECT_EQ(peek(radio, 0x0C90, 16), "FFFFF0F10A0A002800F114FFFFFFFFFF");  // 11 bytes written
    EXPECT_EQ(peek(radio, 0x0D80, 16), "1AAAFFFFFFFFFFF4FFFFFFFFFFFFFFF0");
    EXPECT_EQ(peek(radio, 0x0D30, 16), std::string(32, 'F'));
    EXPECT_EQ(peek(radio, 0x0CD0, 6), "010203040506");  // password not written
    EXPECT_EQ(peek(radio, 0x0E80, 16), "12345FFFFFFFFFF512345FFFFFFFFFF5");

    // 128 + 0C80 + 0C90 + 5 + 8 + 0E00 = 144 steps, then the maximum.
    ASSERT_EQ(rig.progressValues.size(), 145u);
    EXPECT_EQ(rig.progressValues[143], 144);
    EXPECT_EQ(rig.progressValues.back(), kWriteProgressMax);

    const std::vector<std::string> r = rig.requests();
    ASSERT_EQ(r.size(), 1u + 256 + 2 + 5 + 8 + 2);
    EXPECT_EQ(r[0], "52030CC010");
    EXPECT_EQ(r[1].substr(0, 8), "57120010");
    EXPECT_EQ(r[2].substr(0, 8), "570A0810");
    EXPECT_EQ(r[257].substr(0, 8), "57120C80");
    EXPECT_EQ(r[258].substr(0, 8), "570D0C90");
    EXPECT_EQ(r.back().substr(0, 8), "57120E80");
    EXPECT_EQ(r[r.size() - 2].substr(0, 8), "57120E00");
}

TEST(WriteSequence, PasswordWrittenWhenItIsToBeChanged)
{
    Rig rig;
    prepareRadio(rig);
    channelOneOnly(rig.doc);
    rig.doc.settings().assign(keys::ChangePassword, 1);
    rig.doc.settings().assignText(keys::Password, "135790");
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(writeSequence(rig.protocol, rig.doc, "01", rig.progress).ok());
    EXPECT_EQ(peek(rig.radio(), 0x0CD0, 6), "010305070900");
    EXPECT_EQ(rig.writesTo(0x0CD0), 1);
    ASSERT_EQ(rig.progressValues.size(), 146u);
    EXPECT_EQ(rig.progressValues[144], 145);
}

TEST(WriteSequence, RadioWithoutBandDataIsNotWritten)
{
    Rig rig;
    prepareRadio(rig);
    rig.radio().eraseBandData();
    channelOneOnly(rig.doc);
    ASSERT_TRUE(rig.connect());
    EXPECT_FALSE(writeSequence(rig.protocol, rig.doc, "01", rig.progress).ok());
    EXPECT_FALSE(rig.protocol.ok());
    EXPECT_EQ(rig.requests().size(), 1u);
    EXPECT_EQ(rig.progress.value(), 0);
}

TEST(WriteSequence, ChannelRecordWaitedThreeTimes)
{
    Rig rig;
    prepareRadio(rig);
    channelOneOnly(rig.doc);
    rig.radio().addFault(fault("wait:write@0010,times=3"));
    ASSERT_TRUE(rig.connect());
    ASSERT_TRUE(writeSequence(rig.protocol, rig.doc, "01", rig.progress).ok());
    EXPECT_EQ(rig.writesTo(0x0010), 4);
    EXPECT_EQ(rig.writesTo(0x0810), 1);
}

struct WriteFailure {
    const char* name;
    const char* fault;
    int channelsSent;  // channel records 1..n sent at least once
    int aliasesSent;   // alias records 1..n sent at least once
    std::vector<std::uint16_t> written;     // settings blocks sent
    std::vector<std::uint16_t> notWritten;  // settings blocks never sent
};

const WriteFailure kWriteFailures[] = {
    {"channel 5 silent twice", "none:write@0050,times=2", 5, 4, {}, {0x0C80}},
    {"channel 5 refused twice", "refuse:write@0050,times=2", 5, 4, {}, {0x0C80}},
    {"alias 3 refused: channels go on, settings do not", "refuse:write@0820", 128, 128, {}, {0x0C80, 0x0C90, 0x0E80}},
    {"alias 3 waits 50 times: the same", "wait:write@0820,times=50", 128, 128, {}, {0x0C80}},
    {"function block refused", "refuse:write@0C80", 128, 128, {0x0C80}, {0x0C90, 0x0D80, 0x0D00, 0x0E00, 0x0E80}},
    {"key block refused", "refuse:write@0C90", 128, 128, {0x0C80, 0x0C90}, {0x0D80, 0x0E80}},
    {"call-list block refused: the rest of the list goes on", "refuse:write@0D90", 128, 128,
     {0x0D80, 0x0D90, 0x0DA0, 0x0DB0, 0x0DC0}, {0x0D00, 0x0E00, 0x0E80}},
    {"cleared block refused: the rest of the area goes on", "refuse:write@0D30", 128, 128,
     {0x0D20, 0x0D30, 0x0D40, 0x0D70}, {0x0E00, 0x0E80}},
    {"own ID refused", "refuse:write@0E00", 128, 128, {0x0D70, 0x0E00}, {0x0E80}},
    {"band block silent: nothing is written", "none:read@0CC0", 0, 0, {}, {0x0C80}},
    {"band block refused: nothing is written", "refuse:read@0CC0", 0, 0, {}, {0x0C80}},
};

TEST(WriteSequence, WhatSurvivesEachFailure)
{
    for (const WriteFailure& c : kWriteFailures) {
        Rig rig;
        prepareRadio(rig);
        channelOneOnly(rig.doc);
        rig.radio().addFault(fault(c.fault));
        ASSERT_TRUE(rig.connect()) << c.name;
        EXPECT_FALSE(writeSequence(rig.protocol, rig.doc, "01", rig.progress).ok()) << c.name;
        EXPECT_FALSE(rig.protocol.ok()) << c.name;
        for (int row = 1; row <= kChannelCount; ++row) {
            EXPECT_EQ(rig.writesTo(channelRecordAddress(row)) > 0, row <= c.channelsSent) << c.name << " channel " << row;
            EXPECT_EQ(rig.writesTo(aliasRecordAddress(row)) > 0, row <= c.aliasesSent) << c.name << " alias " << row;
        }
        for (std::uint16_t a : c.written)
            EXPECT_GT(rig.writesTo(a), 0) << c.name << " block " << std::hex << a;
        for (std::uint16_t a : c.notWritten)
            EXPECT_EQ(rig.writesTo(a), 0) << c.name << " block " << std::hex << a;
        EXPECT_LT(rig.progress.value(), kWriteProgressMax) << c.name;
    }
}

TEST(WriteSequence, TextWithoutEncodingIsNeverSent)
{
    Rig rig;
    prepareRadio(rig);
    channelOneOnly(rig.doc);
    rig.doc.settings().assignText(keys::BOT, "12E");
    ASSERT_TRUE(rig.connect());
    EXPECT_FALSE(writeSequence(rig.protocol, rig.doc, "01", rig.progress).ok());
    EXPECT_FALSE(rig.protocol.ok());
    EXPECT_EQ(rig.writesTo(0x0E80), 0);
    EXPECT_EQ(peek(rig.radio(), 0x0E80, 16), "12345FFFFFFFFFF5ABFFFFFFFFFFFFF2");
}

}  // namespace
}  // namespace qx
