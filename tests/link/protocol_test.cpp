#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/fake_radio.h"
#include "link/protocol.h"
#include "model/codec.h"

namespace qx {
namespace {

using testing::FakeRadio;

RadioFault fault(const char* text)
{
    auto f = parseFault(text);
    EXPECT_TRUE(f) << text;
    return f ? f.value() : RadioFault{};
}

// A radio on a fake line, with the link and protocol in front of it.
struct Bench {
    FakeRadio port;
    SerialLink link{port};
    Protocol protocol{link};

    explicit Bench(std::vector<const char*> faults = {}, FakeRadio::Echo echo = FakeRadio::Echo::Off)
    {
        for (const char* f : faults)
            port.radio().addFault(fault(f));
        port.setEcho(echo);
        link.setSingleHead(echo != FakeRadio::Echo::Off);
        for (std::size_t a = 0; a < kRadioMemorySize; ++a)
            port.radio().memory()[a] = static_cast<std::uint8_t>(a * 7 + 3);
    }

    bool connect() { return protocol.portReset().ok() && protocol.handshake().ok(); }
    std::string memoryHex(std::uint16_t address, std::size_t count)
    {
        return BytesToHex(std::span<const std::uint8_t>(port.radio().memory().data() + address, count));
    }
};

const std::string kEndFrame = "64016F0A";

TEST(Frames, RequestsAreBuiltAsTheRadioExpects)
{
    EXPECT_EQ(readRequest(0x0CC0, 16), "52030CC010");
    EXPECT_EQ(readRequest(0x0010, 16), "5203001010");
    EXPECT_EQ(readRequest(0x0810, 8), "5203081008");

    struct Row { const char* name; std::uint16_t address; std::size_t dataBytes; const char* prefix; };
    const Row rows[] = {
        {"16 data bytes: length 12", 0x0C80, 16, "57120C80"},
        {"11 data bytes: length 0D", 0x0C90, 11, "570D0C90"},
        {"8 data bytes: length 0A", 0x0810, 8, "570A0810"},
        {"6 data bytes: length 08", 0x0CD0, 6, "57080CD0"},
        {"channel 128", 0x0800, 16, "57120800"},
    };
    for (const Row& r : rows) {
        const std::string data(2 * r.dataBytes, 'A');
        auto request = writeRequest(r.address, data);
        ASSERT_TRUE(request) << r.name;
        EXPECT_EQ(request.value(), r.prefix + data) << r.name;
    }
    EXPECT_FALSE(writeRequest(0x0C80, std::string(34, 'F'))) << "more than 16 bytes";
    EXPECT_FALSE(writeRequest(0x0C80, "FFF")) << "odd length";
    EXPECT_FALSE(writeRequest(0x0C80, "FG")) << "not hex";
}

TEST(PortReset, ClosesWaitsOpensWaits)
{
    Bench b;
    ASSERT_TRUE(b.port.open());
    ASSERT_TRUE(b.protocol.portReset());
    EXPECT_TRUE(b.port.isOpen());
    EXPECT_EQ(b.port.opens(), 2);
    EXPECT_EQ(b.port.nowMs(), 300u);
    EXPECT_EQ(b.protocol.retryCounter(), 2);
    EXPECT_FALSE(b.protocol.ok());
}

TEST(PortReset, AnOpenThatFailsEndsTheTransferBeforeAnythingIsSent)
{
    Bench b;
    b.port.failNextOpen();
    EXPECT_FALSE(b.protocol.portReset());
    EXPECT_FALSE(b.protocol.ok());
    EXPECT_TRUE(b.port.sent().empty());
}

TEST(Handshake, Cases)
{
    struct Row {
        const char* name;
        std::vector<const char*> faults;
        FakeRadio::Echo echo;
        bool ok;
        int identifications;
        int confirmations;
    };
    const Row rows[] = {
        {"answered at once: one identification", {}, FakeRadio::Echo::Off, true, 1, 1},
        {"identified at the sixth request", {"none:ident,times=5"}, FakeRadio::Echo::Off, true, 6, 1},
        {"never identified: six requests, no confirmation", {"none:ident,times=all"}, FakeRadio::Echo::Off, false, 6, 0},
        {"damaged identification reply counts as none", {"badcheck:ident,times=all"}, FakeRadio::Echo::Off, false, 6, 0},
        {"two waits then the acknowledgement: three confirmations", {"wait:confirm,times=2"}, FakeRadio::Echo::Off, true, 1, 3},
        {"49 waits are still waited out", {"wait:confirm,times=49"}, FakeRadio::Echo::Off, true, 1, 50},
        {"the 50th confirmation answered with a wait fails", {"wait:confirm,times=all"}, FakeRadio::Echo::Off, false, 1, 50},
        {"unanswered confirmation fails", {"none:confirm"}, FakeRadio::Echo::Off, false, 1, 1},
        {"refused confirmation fails", {"refuse:confirm"}, FakeRadio::Echo::Off, false, 1, 1},
        {"single head, echo apart from the reply", {}, FakeRadio::Echo::Separate, true, 1, 1},
        {"single head, echo and reply together", {}, FakeRadio::Echo::Merged, true, 1, 1},
        {"single head, unanswered: the echo alone is no reply", {"none:ident,times=all"}, FakeRadio::Echo::Separate, false, 6, 0},
    };
    for (const Row& r : rows) {
        Bench b(r.faults, r.echo);
        ASSERT_TRUE(b.protocol.portReset()) << r.name;
        EXPECT_EQ(b.protocol.handshake().ok(), r.ok) << r.name;
        EXPECT_EQ(b.protocol.ok(), r.ok) << r.name;
        EXPECT_EQ(b.port.sentCount("020545596C69657B"), r.identifications) << r.name;
        EXPECT_EQ(b.port.sentCount("060006"), r.confirmations) << r.name;
        b.protocol.end();
        EXPECT_EQ(b.port.sent().back(), kEndFrame) << r.name << ": the end command is always sent";
    }
}

TEST(Handshake, TakesTheTimeOfItsWaits)
{
    Bench b({"none:ident,times=2", "wait:confirm,times=1"});
    ASSERT_TRUE(b.connect());
    b.protocol.end();
    // port reset 150 + 150, three identifications and two confirmations at 70, end 70
    EXPECT_EQ(b.port.nowMs(), 300u + 5 * 70 + 70);
}

// One row of the block-transfer tables: the radio's faults and what the block then gives.
struct BlockCase {
    const char* name;
    std::vector<const char*> faults;
    Counting counting;
    bool ok;
    int requests;
    int retryCounterAfter;
};

TEST(ReadBlock, Cases)
{
    using Row = BlockCase;
    const Row rows[] = {
        {"clean read", {}, Counting::Counted, true, 1, 2},
        {"counted: once unanswered, then good: counter back at 2", {"none:read@0050"}, Counting::Counted, true, 2, 2},
        {"counted: twice unanswered fails", {"none:read@0050,times=2"}, Counting::Counted, false, 2, 0},
        {"counted: twice refused fails", {"refuse:read@0050,times=all"}, Counting::Counted, false, 2, 0},
        {"uncounted: once unanswered fails", {"none:read@0050"}, Counting::Uncounted, false, 1, 2},
        {"wrong check bytes repeat the request, counter untouched",
         {"none:read@0050", "badcheck:read@0050,skip=1,times=3"}, Counting::Counted, true, 5, 2},
        {"49 wait replies are waited out", {"wait:read@0050,times=49"}, Counting::Uncounted, true, 50, 2},
        {"the 50th wait reply fails the block", {"wait:read@0050,times=50"}, Counting::Counted, false, 50, 2},
        {"50 wait replies and wrong check bytes in a row fail",
         {"wait:read@0050,times=25", "badcheck:read@0050,skip=25,times=25"}, Counting::Uncounted, false, 50, 2},
        {"a counted retry starts a new row of repetitions",
         {"wait:read@0050,times=40", "none:read@0050,skip=40", "wait:read@0050,skip=41,times=40"},
         Counting::Counted, true, 82, 2},
        {"faults at other addresses do not matter", {"none:read@0060,times=all"}, Counting::Uncounted, true, 1, 2},
    };
    for (const Row& r : rows) {
        Bench b(r.faults);
        ASSERT_TRUE(b.connect()) << r.name;
        auto data = b.protocol.readBlock(0x0050, 16, r.counting);
        EXPECT_EQ(data.ok(), r.ok) << r.name;
        EXPECT_EQ(b.protocol.ok(), r.ok) << r.name;
        if (data) {
            EXPECT_EQ(data.value(), b.memoryHex(0x0050, 16)) << r.name;
        }
        EXPECT_EQ(b.port.sentCount("5203005010"), r.requests) << r.name;
        EXPECT_EQ(b.protocol.retryCounter(), r.retryCounterAfter) << r.name;
    }
}

TEST(ReadBlock, TheWireBytesOfABandRead)
{
    Bench b;
    ASSERT_TRUE(b.connect());
    auto data = b.protocol.readBlock(0x0CC0, 16, Counting::Uncounted);
    ASSERT_TRUE(data);
    EXPECT_EQ(b.port.sent().back(), "52030CC0108D");
}

TEST(ReadBlock, AliasReadsEightBytesAndSingleHeadStripsTheEcho)
{
    for (auto echo : {FakeRadio::Echo::Off, FakeRadio::Echo::Separate, FakeRadio::Echo::Merged}) {
        Bench b({}, echo);
        ASSERT_TRUE(b.connect());
        auto data = b.protocol.readBlock(0x0810, 8, Counting::Uncounted);
        ASSERT_TRUE(data);
        EXPECT_EQ(data.value(), b.memoryHex(0x0810, 8));
    }
}

TEST(ReadBlock, RepliesThatAreNotWholeAreRequestedAgain)
{
    // Each reply begins with 57 and ends in the right XOR, but holds the wrong number of bytes:
    // a short one must not reach the decoders.
    struct Row { const char* name; const char* reply; };
    const Row rows[] = {
        {"no data", "5703005004"},
        {"eight bytes instead of sixteen", "570A0050" "0102030405060708" "05"},
        {"a byte too many", "57120050" "0000000000000000000000000000000000" "15"},
    };
    for (const Row& r : rows) {
        auto whole = checksum(std::string(r.reply).substr(0, std::string(r.reply).size() - 2));
        ASSERT_EQ(whole.value(), std::string(r.reply).substr(std::string(r.reply).size() - 2)) << r.name;
        Bench b;
        ASSERT_TRUE(b.connect()) << r.name;
        b.port.answerNextWith(r.reply);
        auto data = b.protocol.readBlock(0x0050, 16, Counting::Uncounted);
        ASSERT_TRUE(data) << r.name;
        EXPECT_EQ(data.value(), b.memoryHex(0x0050, 16)) << r.name;
        EXPECT_EQ(b.port.sentCount("5203005010"), 2) << r.name;
    }
}

TEST(WriteBlock, Cases)
{
    using Row = BlockCase;
    const Row rows[] = {
        {"acknowledged", {}, Counting::Counted, true, 1, 2},
        {"three waits then acknowledged: sent four times", {"wait:write@0050,times=3"}, Counting::Counted, true, 4, 2},
        {"counted: refused once, then acknowledged", {"refuse:write@0050"}, Counting::Counted, true, 2, 2},
        {"counted: twice unanswered fails", {"none:write@0050,times=2"}, Counting::Counted, false, 2, 0},
        {"counted: a damaged acknowledgement is no acknowledgement", {"badcheck:write@0050,times=2"}, Counting::Counted, false, 2, 0},
        {"uncounted: refused fails at once", {"refuse:write@0050"}, Counting::Uncounted, false, 1, 2},
        {"49 waits are waited out", {"wait:write@0050,times=49"}, Counting::Uncounted, true, 50, 2},
        {"the 50th wait reply fails the block", {"wait:write@0050,times=all"}, Counting::Uncounted, false, 50, 2},
    };
    const std::string data = "43812500438125 00FF00FF00FFFFFF70";
    std::string record;
    for (char c : data)
        if (c != ' ')
            record += c;
    for (const Row& r : rows) {
        Bench b(r.faults);
        ASSERT_TRUE(b.connect()) << r.name;
        const std::string before = b.memoryHex(0x0050, 16);
        EXPECT_EQ(b.protocol.writeBlock(0x0050, record, r.counting).ok(), r.ok) << r.name;
        EXPECT_EQ(b.protocol.ok(), r.ok) << r.name;
        EXPECT_EQ(b.memoryHex(0x0050, 16), r.ok ? record : before) << r.name;
        EXPECT_EQ(b.port.sentCount("5712005043"), r.requests) << r.name;
        EXPECT_EQ(b.protocol.retryCounter(), r.retryCounterAfter) << r.name;
    }
}

TEST(WriteBlock, RefusesDataThatIsNoBlockWithoutSending)
{
    Bench b;
    ASSERT_TRUE(b.connect());
    const std::size_t sent = b.port.sent().size();
    EXPECT_FALSE(b.protocol.writeBlock(0x0C80, std::string(34, 'F'), Counting::Uncounted));
    EXPECT_EQ(b.port.sent().size(), sent);
    EXPECT_FALSE(b.protocol.ok());
}

TEST(LineLoss, EndsTheTransferAndNothingTouchesThePortAfterwards)
{
    Bench b({"hangup:read@0100"});
    ASSERT_TRUE(b.connect());
    ASSERT_TRUE(b.protocol.readBlock(0x00F0, 16, Counting::Counted));
    EXPECT_FALSE(b.protocol.readBlock(0x0100, 16, Counting::Counted));
    EXPECT_TRUE(b.protocol.lineLost());
    EXPECT_FALSE(b.protocol.ok());
    const std::size_t sent = b.port.sent().size();
    EXPECT_FALSE(b.protocol.writeBlock(0x0810, "0F0F0F0F0F0FFFFF", Counting::Uncounted));
    b.protocol.end();
    EXPECT_EQ(b.port.sent().size(), sent);
}

TEST(Transfer, AWholeMemoryPassRunsOnTheVirtualClock)
{
    for (auto echo : {FakeRadio::Echo::Off, FakeRadio::Echo::Merged}) {
        Bench b({}, echo);
        ASSERT_TRUE(b.connect());
        for (int row = 1; row <= 128; ++row) {
            const auto address = static_cast<std::uint16_t>(row * 0x10);
            auto record = b.protocol.readBlock(address, 16, Counting::Counted);
            ASSERT_TRUE(record) << row;
            std::string changed = record.value();
            changed[0] = changed[0] == '0' ? '1' : '0';
            ASSERT_TRUE(b.protocol.writeBlock(address, changed, Counting::Counted)) << row;
            auto back = b.protocol.readBlock(address, 16, Counting::Counted);
            ASSERT_TRUE(back) << row;
            EXPECT_EQ(back.value(), changed) << row;
        }
        b.protocol.end();
        EXPECT_TRUE(b.protocol.ok());
        EXPECT_FALSE(b.port.radio().programming()) << "the end command ends programming mode";
        EXPECT_EQ(b.port.nowMs(), 300u + 2 * 70 + 3 * 128 * 80 + 70);
    }
}

}  // namespace
}  // namespace qx
