#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/fake_radio.h"
#include "link/serial_link.h"
#include "model/codec.h"

namespace qx {
namespace {

using testing::FakeRadio;

std::vector<std::uint8_t> bytesOf(const std::string& hex) { return HexToBytes(hex).value(); }

TEST(Checksum, IsTheXorOfAllBytes)
{
    struct Row { const char* name; const char* hex; const char* check; };
    const Row rows[] = {
        {"read request for 0CC0", "52030CC010", "8D"},
        {"identification request", "020545596C6965", "7B"},
        {"confirmation", "0600", "06"},
        {"end command", "64016F", "0A"},
        {"identification reply carries its own", "06066B456D766172", "26"},
        {"nothing gives 00", "", "00"},
    };
    for (const Row& r : rows) {
        auto sum = checksum(r.hex);
        ASSERT_TRUE(sum) << r.name;
        EXPECT_EQ(sum.value(), r.check) << r.name;
    }
    EXPECT_FALSE(checksum("5G"));
    EXPECT_FALSE(checksum("520"));
}

TEST(SendFrame, WritesCommandAndCheckByteAndResetsTheBuffer)
{
    FakeRadio port;
    ASSERT_TRUE(port.open());
    SerialLink link(port);
    link.receive(bytesOf("0102"));  // left over from before: cleared by the send

    ASSERT_TRUE(link.sendFrame("52030CC010"));
    EXPECT_EQ(port.sent(), std::vector<std::string>{"52030CC0108D"});
    EXPECT_EQ(link.transmitBuffer(), bytesOf("52030CC0108D"));
    EXPECT_EQ(link.echoCount(), 12u);
    EXPECT_EQ(link.receiveBuffer(), "");
}

TEST(SendFrame, RefusesTextThatIsNotHexWithoutTouchingAnything)
{
    FakeRadio port;
    ASSERT_TRUE(port.open());
    SerialLink link(port);
    link.receive(bytesOf("0102"));
    EXPECT_FALSE(link.sendFrame("52030CX010"));
    EXPECT_FALSE(link.sendFrame("520"));
    EXPECT_TRUE(port.sent().empty());
    EXPECT_EQ(link.receiveBuffer(), "0102");
}

TEST(SendFrame, FailsOnAClosedPort)
{
    FakeRadio port;
    SerialLink link(port);
    EXPECT_FALSE(link.sendFrame("0600"));
}

// The identification request is 7 bytes plus its check byte: an echo of 16 characters.
constexpr const char* kEcho = "020545596C69657B";

TEST(Reception, EchoRemoval)
{
    struct Row {
        const char* name;
        bool singleHead;
        std::vector<std::string> receptions;
        std::string buffer;
        std::size_t echoCount;
    };
    const std::string echo = kEcho;
    const Row rows[] = {
        {"echo alone stays until something longer arrives", true, {echo}, echo, 16},
        {"echo then reply leaves exactly the reply", true, {echo, "060006"}, "060006", 0},
        {"echo and reply in one reception leave the reply", true, {echo + "060006"}, "060006", 0},
        {"echo in pieces, then the reply", true, {echo.substr(0, 6), echo.substr(6), "060006"}, "060006", 0},
        {"a piece that just completes the echo is not removed yet", true, {echo.substr(0, 10), echo.substr(10)}, echo, 16},
        {"removed once: later bytes are kept", true, {echo + "06", "0006"}, "060006", 0},
        {"dual head keeps everything", false, {echo, "060006"}, echo + "060006", 16},
    };
    for (const Row& r : rows) {
        FakeRadio port;
        ASSERT_TRUE(port.open());
        SerialLink link(port);
        link.setSingleHead(r.singleHead);
        ASSERT_TRUE(link.sendFrame("020545596C6965"));
        for (const std::string& hex : r.receptions)
            link.receive(bytesOf(hex));
        EXPECT_EQ(link.receiveBuffer(), r.buffer) << r.name;
        EXPECT_EQ(link.echoCount(), r.echoCount) << r.name;
    }
}

TEST(Delay, CollectsWhatArrivesAndLetsTheTimePass)
{
    struct Row { const char* name; FakeRadio::Echo echo; bool singleHead; std::string buffer; };
    const Row rows[] = {
        {"dual head: the reply as sent", FakeRadio::Echo::Off, false, "06066B456D76617226"},
        {"single head, separate echo: the reply", FakeRadio::Echo::Separate, true, "06066B456D76617226"},
        {"single head, merged echo: the reply", FakeRadio::Echo::Merged, true, "06066B456D76617226"},
        {"echoing cable in dual-head mode: echo and reply", FakeRadio::Echo::Separate, false,
         std::string(kEcho) + "06066B456D76617226"},
    };
    for (const Row& r : rows) {
        FakeRadio port;
        port.setEcho(r.echo);
        ASSERT_TRUE(port.open());
        SerialLink link(port);
        link.setSingleHead(r.singleHead);
        ASSERT_TRUE(link.sendFrame("020545596C6965"));
        ASSERT_TRUE(link.delay(70));
        EXPECT_EQ(link.receiveBuffer(), r.buffer) << r.name;
        EXPECT_EQ(port.nowMs(), 70u) << r.name;
    }
}

}  // namespace
}  // namespace qx
