// The POSIX port on a pseudo-terminal: the test holds the master side as the radio would.
#include "link/posix_port.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <string>

#include "link/serial_link.h"

namespace qx {
namespace {

class Pty {
public:
    Pty()
    {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0)
            device_ = name;
    }
    ~Pty()
    {
        closeMaster();
        if (slave_ >= 0)
            ::close(slave_);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    bool ok() const { return !device_.empty(); }
    const std::string& device() const { return device_; }
    void send(const std::string& bytes) const { ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }
    void closeMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string device_;
};

// Waits (in poll, not a sleep) until the port's device has input queued.
bool inputQueued(const PosixPort& port)
{
    pollfd p{port.fd(), POLLIN, 0};
    return poll(&p, 1, 5000) == 1 && (p.revents & POLLIN);
}

TEST(PosixPort, NoDataIsNoErrorButAHangUpIs)
{
    Pty pty;
    ASSERT_TRUE(pty.ok());
    PosixPort port(pty.device());
    ASSERT_TRUE(port.open()) ;
    int calls = 0;
    const ReceiveHandler count = [&calls](ByteChunk) { ++calls; };
    EXPECT_TRUE(port.readAvailable(count)) << "an empty queue reads 0 bytes with VMIN 0";
    EXPECT_EQ(calls, 0);

    pty.send("\x06");
    ASSERT_TRUE(inputQueued(port));
    EXPECT_TRUE(port.readAvailable(count));
    EXPECT_EQ(calls, 1);

    pty.closeMaster();
    EXPECT_FALSE(port.readAvailable(count));
    EXPECT_FALSE(port.wait(60000, count)) << "a hang-up ends the wait at once";
    EXPECT_FALSE(port.write(std::vector<std::uint8_t>{0x06})) << "a write to a hung-up line fails";
}

// A reply that came after its wait was over stays in the kernel's queue; it must not be read as
// the next request's reply.
TEST(PosixPort, LateReplyIsDiscardedBeforeTheNextRequest)
{
    Pty pty;
    ASSERT_TRUE(pty.ok());
    PosixPort port(pty.device());
    ASSERT_TRUE(port.open());
    SerialLink link(port);
    pty.send("\x06\x00\x06");
    ASSERT_TRUE(inputQueued(port));
    ASSERT_TRUE(link.sendFrame("0600"));
    ASSERT_TRUE(port.readAvailable([&link](ByteChunk b) { link.receive(b); }));
    EXPECT_EQ(link.receiveBuffer(), "");
}

// Root ignores the terminal's exclusive flag; the advisory lock still makes a second
// programmer's open fail, for root and for anyone else.
TEST(PosixPort, SecondOpenIsBusyEvenForRoot)
{
    Pty pty;
    ASSERT_TRUE(pty.ok());
    PosixPort first(pty.device());
    ASSERT_TRUE(first.open());
    PosixPort second(pty.device());
    const Status again = second.open();
    ASSERT_FALSE(again);
    EXPECT_NE(again.error().message.find("busy"), std::string::npos) << again.error().message;
    first.close();
    EXPECT_TRUE(second.open()) << "the lock goes with the first port";
}

// A radio that takes no bytes (flow stopped, a dead adapter) must not hold the transfer for ever:
// the write gives up after its 2 s drain time and says so.
TEST(PosixPort, WriteThatCannotDrainTimesOut)
{
    Pty pty;  // nobody reads the master side, so its queue fills and stays full
    ASSERT_TRUE(pty.ok());
    PosixPort port(pty.device());
    ASSERT_TRUE(port.open());
    const std::vector<std::uint8_t> lots(1 << 20, 0x55);
    const Status written = port.write(lots);
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().message.find("write timed out"), std::string::npos) << written.error().message;
}

}  // namespace
}  // namespace qx
