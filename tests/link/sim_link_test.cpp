// The real POSIX serial backend against the radio simulator over a pseudo-terminal.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "link/posix_port.h"
#include "link/protocol.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace qx {
namespace {

using Simulator = test::SimProcess;

// A port that pulls the cable (kills the simulator) just before its n-th write.
class CablePuller : public Port {
public:
    CablePuller(Port& inner, Simulator& sim, int writesBeforePull) : inner_(inner), sim_(sim), left_(writesBeforePull) {}
    Status open() override { return inner_.open(); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    Status write(ByteChunk bytes) override
    {
        if (left_-- == 0)
            sim_.stop(SIGKILL);
        return inner_.write(bytes);
    }
    Status wait(int delayMs, const ReceiveHandler& onReceive) override { return inner_.wait(delayMs, onReceive); }
    void discardInput() override { inner_.discardInput(); }

private:
    Port& inner_;
    Simulator& sim_;
    int left_;
};

// The programmer's side of one session with the simulator, through the real backend.
struct Programmer {
    explicit Programmer(const std::string& device) : port(device), link(port), protocol(link) {}
    // Port reset and handshake, as every transfer begins.
    bool begin() { return protocol.portReset().ok() && protocol.handshake().ok(); }
    PosixPort port;
    SerialLink link;
    Protocol protocol;
};

struct Mode {
    const char* name;
    bool echo;
    bool pacing;
};

class SimLink : public ::testing::TestWithParam<Mode> {};

TEST_P(SimLink, HandshakeReadWriteAndEnd)
{
    const Mode mode = GetParam();
    std::vector<std::string> args;
    if (mode.echo)
        args.push_back("--echo");
    if (!mode.pacing)
        args.push_back("--no-pacing");
    Simulator sim(args);
    ASSERT_FALSE(sim.device().empty());
    ASSERT_TRUE(probePort(sim.device()));

    PosixPort port(sim.device());
    SerialLink link(port);
    link.setSingleHead(mode.echo);
    Protocol protocol(link);
    ASSERT_TRUE(protocol.portReset());
    Status hs = protocol.handshake();
    ASSERT_TRUE(hs) << hs.error().message;

    auto band = protocol.readBlock(0x0CC0, 16, Counting::Uncounted);
    ASSERT_TRUE(band) << band.error().message;
    EXPECT_EQ(band.value(), "47004000470040004700400047004000");

    const std::string record = "43812500438125 00FF00FF00FFFFFF70";
    std::string data;
    for (char c : record)
        if (c != ' ')
            data += c;
    Status w = protocol.writeBlock(0x0800, data, Counting::Counted);
    ASSERT_TRUE(w) << w.error().message;
    auto back = protocol.readBlock(0x0800, 16, Counting::Counted);
    ASSERT_TRUE(back) << back.error().message;
    EXPECT_EQ(back.value(), data);
    auto alias = protocol.readBlock(0x0810, 8, Counting::Uncounted);
    ASSERT_TRUE(alias);
    EXPECT_EQ(alias.value(), "152122010F0FFFFF") << "the demo's first alias, FRS1";

    protocol.end();
    EXPECT_TRUE(protocol.ok());
    EXPECT_FALSE(protocol.lineLost());
}

INSTANTIATE_TEST_SUITE_P(CableModes, SimLink,
                         ::testing::Values(Mode{"DualHead", false, false}, Mode{"SingleHead", true, false},
                                           Mode{"SingleHeadAt9600", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SimFaults, FailuresReachTheProtocol)
{
    struct Row {
        const char* name;
        std::vector<std::string> args;
        bool handshake;
        std::uint16_t address;
        bool write;
        bool blockOk;
    };
    const Row rows[] = {
        {"a radio that never identifies", {"--fault", "none:ident,times=all"}, false, 0, false, false},
        {"wait replies to the confirmation are waited out", {"--fault", "wait:confirm,times=3"}, true, 0x0CC0, false, true},
        {"counted read: one lost reply is retried", {"--fault", "none:read@0050"}, true, 0x0050, false, true},
        {"wrong check bytes are requested again", {"--fault", "badcheck:read@0050,times=2"}, true, 0x0050, false, true},
        {"a refused write fails", {"--fault", "refuse:write@0C80,times=all"}, true, 0x0C80, true, false},
    };
    for (const Row& r : rows) {
        std::vector<std::string> args = r.args;
        args.push_back("--no-pacing");
        Simulator sim(args);
        ASSERT_FALSE(sim.device().empty()) << r.name;
        PosixPort port(sim.device());
        SerialLink link(port);
        Protocol protocol(link);
        ASSERT_TRUE(protocol.portReset()) << r.name;
        EXPECT_EQ(protocol.handshake().ok(), r.handshake) << r.name;
        if (r.handshake) {
            const bool ok = r.write ? protocol.writeBlock(r.address, std::string(32, 'F'), Counting::Counted).ok()
                                    : protocol.readBlock(r.address, 16, Counting::Counted).ok();
            EXPECT_EQ(ok, r.blockOk) << r.name;
        }
        protocol.end();
        EXPECT_FALSE(protocol.lineLost()) << r.name;
    }
}

TEST(SimFaults, RadioWithoutBandData)
{
    Simulator sim({"--no-band", "--no-pacing"});
    Programmer p(sim.device());
    ASSERT_TRUE(p.begin());
    auto band = p.protocol.readBlock(0x0CC0, 16, Counting::Uncounted);
    ASSERT_TRUE(band);
    EXPECT_EQ(band.value(), std::string(32, 'F'));
    p.protocol.end();
}

TEST(Disconnect, PullingTheCableMidTransferEndsItWithoutHanging)
{
    struct Row { const char* name; std::vector<std::string> args; int writesBeforePull; };
    const Row rows[] = {
        {"simulator killed during the channel reads", {"--no-pacing"}, 10},
        {"simulator killed while answering at 9600 bit/s", {"--echo"}, 12},
        {"radio hangs up at a chosen address", {"--no-pacing", "--fault", "hangup:read@0100"}, -1},
    };
    for (const Row& r : rows) {
        Simulator sim(r.args);
        ASSERT_FALSE(sim.device().empty()) << r.name;
        PosixPort real(sim.device());
        CablePuller port(real, sim, r.writesBeforePull);
        SerialLink link(port);
        link.setSingleHead(r.args[0] == "--echo");
        Protocol protocol(link);
        ASSERT_TRUE(protocol.portReset()) << r.name;
        ASSERT_TRUE(protocol.handshake()) << r.name;
        int read = 0;
        for (int row = 1; row <= 128 && protocol.ok(); ++row)
            if (protocol.readBlock(static_cast<std::uint16_t>(row * 0x10), 16, Counting::Counted))
                ++read;
        protocol.end();
        EXPECT_FALSE(protocol.ok()) << r.name;
        EXPECT_TRUE(protocol.lineLost()) << r.name;
        EXPECT_LT(read, 128) << r.name;
    }
}

TEST(Image, WrittenBlocksAreSavedOnExit)
{
    const test::TempDir dir;
    const std::string path = dir.file("radio.bin");  // missing: the radio starts as the demo
    {
        Simulator sim({"--image", path, "--no-pacing"});
        Programmer p(sim.device());
        ASSERT_TRUE(p.begin());
        ASSERT_TRUE(p.protocol.writeBlock(0x0E00, "1AAAFFFFFFFFFFF4FFFFFFFFFFFFFFF0", Counting::Uncounted));
        p.protocol.end();
        p.port.close();
        EXPECT_EQ(sim.stop(SIGTERM), 0);
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(image.size(), 4096u);
    EXPECT_EQ(image[0x0E00], 0x1A);
    EXPECT_EQ(image[0x0E07], 0xF4);
    EXPECT_EQ(image[0x0CC0], 0x47) << "the rest is the demo radio";

    {
        // Loaded again, the radio holds what was written.
        Simulator sim({"--image", path, "--no-pacing"});
        Programmer p(sim.device());
        ASSERT_TRUE(p.begin());
        auto id = p.protocol.readBlock(0x0E00, 16, Counting::Uncounted);
        ASSERT_TRUE(id);
        EXPECT_EQ(id.value(), "1AAAFFFFFFFFFFF4FFFFFFFFFFFFFFF0");
        p.protocol.end();
    }
}

// Whether an ordinary user can open the device, tried in a child that gives up root (the
// exclusive flag does not stop root).
bool otherUserCanOpen(const std::string& device)
{
    pid_t pid = fork();
    if (pid == 0) {
        if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        _exit(fd >= 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(PosixPort, HoldsTheDeviceExclusivelyUntilClosed)
{
    Simulator sim({"--no-pacing"});
    ASSERT_FALSE(sim.device().empty());
    chmod(sim.device().c_str(), 0666);
    if (!otherUserCanOpen(sim.device()))
        GTEST_SKIP() << "no second user can open the pseudo-terminal here";
    PosixPort port(sim.device());
    ASSERT_TRUE(port.open());
    EXPECT_FALSE(otherUserCanOpen(sim.device()));
    port.close();
    EXPECT_TRUE(otherUserCanOpen(sim.device())) << "closing gives the device back";
    ASSERT_TRUE(port.open()) << "and it opens again, as at the start of every transfer";
}

TEST(PosixPort, RefusesWhatIsNoSerialDevice)
{
    EXPECT_FALSE(probePort("/nonexistent/tty"));
    PosixPort missing("/nonexistent/tty");
    EXPECT_FALSE(missing.open());
    PosixPort notATty("/dev/null");
    EXPECT_TRUE(probePort("/dev/null")) << "the probe only opens";
    EXPECT_FALSE(notATty.open());
    EXPECT_FALSE(notATty.isOpen());
}

}  // namespace
}  // namespace qx
