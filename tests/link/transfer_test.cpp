#include "link/transfer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/records.h"
#include "transfer_rig.h"

namespace qx {
namespace {

using testing::FakeRadio;
using testing::fault;
using testing::loadDemo;
using testing::peek;
using testing::Rig;

std::string lang(int number) { return "#" + std::to_string(number); }

Status probeOk() { return success(); }
Status probeFails() { return makeError("no such device"); }

struct TransferRig : Rig {
    Transfer transfer{doc, protocol, lang};
};

// ---- band check ----

struct BandCase {
    const char* name;
    int band;                  // 1: band 1 (BAND_Rx), 0: band 2 (BAND_Rx1)
    const char* range;
    std::vector<std::pair<int, const char*>> channels;
    const char* result;
};

const BandCase kBandCases[] = {
    {"first channel inside the band", 1, "400-470MHz", {{2, "145.50000"}, {3, "438.50000"}, {4, "440.00000"}}, "03"},
    {"lower edge is inside", 1, "400-470MHz", {{7, "400.00000"}}, "07"},
    {"upper edge is outside", 1, "400-470MHz", {{7, "470.00000"}}, "FF"},
    {"channel 128 in hex", 1, "400-470MHz", {{128, "450.00000"}}, "80"},
    {"band 2 uses BAND_Rx1", 0, "136-174MHz", {{1, "438.50000"}, {10, "145.50000"}}, "0a"},
    {"range without limits holds no channel", 1, "", {{1, "438.50000"}}, "FF"},
    {"RX that is no number is skipped", 1, "400-470MHz", {{1, "FFF.FFF1593"}, {2, "401.00000"}}, "02"},
    {"no channel at all", 1, "400-470MHz", {}, "FF"},
};

TEST(BandCheck, FirstChannelInTheSelectedBand)
{
    for (const BandCase& c : kBandCases) {
        Codeplug doc;
        RadioSettings& s = doc.settings();
        s.assign(keys::ExpFreq, 1);
        s.setBandList(c.band == 1 ? keys::BandRx : keys::BandRx1, {c.range}, 0);
        s.setBandList(c.band == 1 ? keys::BandRx1 : keys::BandRx, {"400-470MHz"}, 0);
        s.assign(keys::Band, c.band);
        s.assign(keys::VfoMr, 0);
        s.assign(keys::MrFreqMrCh, 0);
        for (auto [row, rx] : c.channels)
            doc.channels().setCell(col::Rx, row, rx);
        EXPECT_EQ(bandCheck(doc), c.result) << c.name;
        const bool none = std::string(c.result) == "FF";
        EXPECT_EQ(s.value(keys::VfoMr), none ? 1 : 0) << c.name;
        EXPECT_EQ(s.value(keys::MrFreqMrCh), none ? 1 : 0) << c.name;
    }
}

TEST(BandCheck, NoChannelInBandSendsFFInTheFunctionBlock)
{
    TransferRig rig;
    loadDemo(rig.radio());
    rig.doc.channels().setCell(col::Rx, 1, "438.50000");
    rig.doc.setCurrent(col::Rx, 1);
    rig.doc.sendallcell();
    rig.doc.settings().setBandList(keys::BandRx, {"136-174MHz"}, 0);
    ASSERT_TRUE(rig.transfer.prepare(TransferMode::Write, probeOk).ok());
    EXPECT_EQ(rig.transfer.showBandCheck(), "FF");
    ASSERT_TRUE(rig.transfer.start().ok());
    EXPECT_EQ(peek(rig.radio(), 0x0C80, 1), "FF");
}

// ---- prepare and start ----

TEST(Transfer, FailedProbeIsAPortErrorAndNothingElse)
{
    TransferRig rig;
    const TransferReport r = rig.transfer.prepare(TransferMode::Write, probeFails);
    EXPECT_EQ(r.outcome, Outcome::PortError);
    EXPECT_EQ(r.caption, "#58");
    EXPECT_EQ(r.message, "#59");
    EXPECT_EQ(rig.port.opens(), 0);
    EXPECT_EQ(rig.transfer.mode(), TransferMode::Read);
}

TEST(Transfer, OpenFailingWhilePreparingIsAPortError)
{
    TransferRig rig;
    rig.port.failNextOpen();
    const TransferReport r = rig.transfer.prepare(TransferMode::Read, probeOk);
    EXPECT_EQ(r.outcome, Outcome::PortError);
    EXPECT_EQ(r.message, "#59");
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_TRUE(rig.port.sent().empty());
}

TEST(Transfer, OpenFailingAtThePortResetIsACommunicationFailure)
{
    TransferRig rig;
    loadDemo(rig.radio());
    ASSERT_TRUE(rig.transfer.prepare(TransferMode::Read, probeOk).ok());
    rig.port.failNextOpen();
    const TransferReport r = rig.transfer.start();
    EXPECT_EQ(r.outcome, Outcome::CommunicationFailure);
    EXPECT_EQ(r.caption, "#58");
    EXPECT_EQ(r.message, "#60");
    EXPECT_FALSE(rig.transfer.running());
}

TEST(Transfer, PrepareSetsModeAndProgressRange)
{
    TransferRig rig;
    ASSERT_TRUE(rig.transfer.prepare(TransferMode::Read, probeOk).ok());
    EXPECT_EQ(rig.transfer.progressMax(), kReadProgressMax);
    EXPECT_TRUE(rig.port.isOpen());
    ASSERT_TRUE(rig.transfer.prepare(TransferMode::Write, probeOk).ok());
    EXPECT_EQ(rig.transfer.progressMax(), kWriteProgressMax);
    EXPECT_EQ(rig.transfer.progress().value(), 0);
}

TEST(Transfer, RefusedWriteSendsNothing)
{
    TransferRig rig;
    loadDemo(rig.radio());
    rig.doc.channels().setCell(col::Rx, 5, "438.125");
    ASSERT_TRUE(rig.transfer.prepare(TransferMode::Write, probeOk).ok());
    rig.transfer.showBandCheck();
    const TransferReport r = rig.transfer.start();
    EXPECT_EQ(r.outcome, Outcome::Refused);
    EXPECT_EQ(r.message, "#146");  // the test's language has no placeholders
    ASSERT_TRUE(r.problem.has_value());
    EXPECT_EQ(r.problem->channel, 5);
    EXPECT_TRUE(rig.port.sent().empty());
}

TEST(Transfer, HandshakeFailureStillSendsTheEndCommand)
{
    TransferRig rig;
    loadDemo(rig.radio());
    rig.radio().addFault(fault("none:confirm"));
    ASSERT_TRUE(rig.transfer.prepare(TransferMode::Read, probeOk).ok());
    const TransferReport r = rig.transfer.start();
    EXPECT_EQ(r.outcome, Outcome::CommunicationFailure);
    EXPECT_EQ(rig.port.sentCount("52"), 0);
    EXPECT_EQ(rig.port.sent().back(), "64016F0A");
}

TEST(Transfer, CannotCloseWhileRunning)
{
    TransferRig rig;
    loadDemo(rig.radio());
    std::vector<bool> closes;
    rig.transfer.setProgressObserver([&](int) { closes.push_back(rig.transfer.close()); });
    ASSERT_TRUE(rig.transfer.prepare(TransferMode::Read, probeOk).ok());
    ASSERT_TRUE(rig.transfer.start().ok());
    ASSERT_FALSE(closes.empty());
    EXPECT_EQ(std::count(closes.begin(), closes.end(), true), 0);
    EXPECT_TRUE(rig.port.isOpen());
    EXPECT_TRUE(rig.transfer.close());
    EXPECT_FALSE(rig.port.isOpen());
}

// ---- a whole read and write, both cable modes ----

void expectSameDocument(const Codeplug& a, const Codeplug& b)
{
    for (int row = 1; row <= kChannelCount; ++row) {
        for (int c = col::Rx; c <= col::Alias; ++c)
            ASSERT_EQ(a.channels().cell(c, row), b.channels().cell(c, row)) << "row " << row << " column " << c;
        for (int c = xcol::TailElim; c <= xcol::VoiceMode; ++c)
            ASSERT_EQ(a.extras().cell(c, row), b.extras().cell(c, row)) << "row " << row << " extras " << c;
    }
    for (const SettingSpec& desc : settingSpecs()) {
        if (desc.key != keys::Password) {
            EXPECT_EQ(a.settings().text(desc.key), b.settings().text(desc.key)) << desc.key;
        }
    }
}

TEST(Transfer, ReadWriteReadGivesTheSameDocument)
{
    for (FakeRadio::Echo echo : {FakeRadio::Echo::Off, FakeRadio::Echo::Separate, FakeRadio::Echo::Merged}) {
        const bool singleHead = echo != FakeRadio::Echo::Off;
        TransferRig first;
        first.port.setEcho(echo);
        first.link.setSingleHead(singleHead);
        loadDemo(first.radio());
        ASSERT_TRUE(first.transfer.prepare(TransferMode::Read, probeOk).ok());
        first.transfer.showBandCheck();
        ASSERT_TRUE(first.transfer.start().ok());
        EXPECT_EQ(first.transfer.progress().value(), kReadProgressDone);
        // A whole read in virtual time: the waits alone, no real time passes.
        EXPECT_EQ(first.port.nowMs(), 300u + 2 * 70 + 267 * 80 + 70);

        TransferRig second;
        second.port.setEcho(echo);
        second.link.setSingleHead(singleHead);
        testing::poke(second.radio(), 0x0CC0, "47004000470040004700400047004000");
        second.doc = first.doc;
        ASSERT_TRUE(second.transfer.prepare(TransferMode::Write, probeOk).ok());
        EXPECT_EQ(second.transfer.showBandCheck(), "01");
        const TransferReport w = second.transfer.start();
        ASSERT_TRUE(w.ok()) << w.detail;
        EXPECT_EQ(second.transfer.progress().value(), kWriteProgressMax);

        TransferRig third;
        third.port.setEcho(echo);
        third.link.setSingleHead(singleHead);
        third.radio().memory() = second.radio().memory();
        ASSERT_TRUE(third.transfer.prepare(TransferMode::Read, probeOk).ok());
        third.transfer.showBandCheck();
        ASSERT_TRUE(third.transfer.start().ok());
        expectSameDocument(first.doc, third.doc);
        // Change Password was not set: the password block stayed erased.
        EXPECT_EQ(third.doc.settings().text(keys::Password), "FFFFFF");
        EXPECT_EQ(peek(second.radio(), 0x0010, 16), peek(first.radio(), 0x0010, 16));
    }
}

}  // namespace
}  // namespace qx
