// qx4100-sim: a QX-4100 radio on a pseudo-terminal. The first line of standard output is the
// device to program it through.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <iterator>
#include <poll.h>
#include <stdlib.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

#include "link/radio_sim.h"
#include "sim/demo_image.h"

namespace {

using qx::RadioMemory;
using qx::SimulatedRadio;

constexpr const char* kUsage =
    "usage: qx4100-sim [--echo] [--image FILE] [--no-band] [--no-pacing] [--fault RULE]...\n"
    "  --echo        repeat every received byte first, as a single-head cable does\n"
    "  --image FILE  load the memory (4096 bytes, 0000-0FFF) from FILE and save it there on exit;\n"
    "                a missing FILE starts from the demo radio\n"
    "  --no-band     a radio without band data\n"
    "  --no-pacing   answer at once instead of at 9600 bit/s\n"
    "  --fault RULE  KIND:REQUEST[@ADDR][,skip=N][,times=N|all]\n"
    "                KIND none|wait|badcheck|refuse|hangup, REQUEST ident|confirm|read|write|end\n"
    "                e.g. none:read@0050,times=2  wait:confirm,times=3  refuse:write@0C80\n";

// A byte at 9600 bit/s, 8N1: ten bits.
constexpr long kByteNs = 1'041'667;
// A frame that stops arriving half way is forgotten after this pause.
constexpr int kPartialFrameMs = 100;

volatile std::sig_atomic_t stopSignal = 0;
void onSignal(int signal) { stopSignal = signal; }

struct Options {
    bool echo = false;
    bool noBand = false;
    bool pacing = true;
    std::string image;
    std::vector<qx::RadioFault> faults;
};

bool parseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--echo") o.echo = true;
        else if (a == "--no-band") o.noBand = true;
        else if (a == "--no-pacing") o.pacing = false;
        else if (a == "--image" && i + 1 < argc) o.image = argv[++i];
        else if (a == "--fault" && i + 1 < argc) {
            auto f = qx::parseFault(argv[++i]);
            if (!f) {
                std::cerr << "qx4100-sim: " << f.error().message << "\n";
                return false;
            }
            o.faults.push_back(f.value());
        } else {
            std::cerr << "qx4100-sim: unknown or incomplete option " << a << "\n";
            return false;
        }
    }
    return true;
}

bool loadImage(const std::string& path, RadioMemory& memory, bool& found)
{
    std::ifstream in(path, std::ios::binary);
    found = static_cast<bool>(in);
    if (!found)
        return true;
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() != memory.size()) {
        std::cerr << "qx4100-sim: " << path << " holds " << bytes.size() << " bytes, not " << memory.size() << "\n";
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char*>(memory.data()));
    return true;
}

// Through a temporary file, so an interrupted save never leaves half an image.
bool saveImage(const std::string& path, const RadioMemory& memory)
{
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(memory.data()), static_cast<std::streamsize>(memory.size()));
        if (!out.flush()) {
            std::cerr << "qx4100-sim: cannot write " << tmp << "\n";
            return false;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::cerr << "qx4100-sim: cannot replace " << path << ": " << std::strerror(errno) << "\n";
        return false;
    }
    return true;
}

void makeRaw(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
}

// Writes bytes to the line; when pacing, each byte leaves no earlier than the line allows.
class Line {
public:
    Line(int fd, bool pacing) : fd_(fd), pacing_(pacing) {}

    void send(const std::vector<std::uint8_t>& bytes)
    {
        if (bytes.empty())
            return;
        if (!pacing_) {
            writeAll(bytes.data(), bytes.size());
            return;
        }
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (before(free_, now))
            free_ = now;
        for (std::uint8_t b : bytes) {
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &free_, nullptr);
            writeAll(&b, 1);
            free_.tv_nsec += kByteNs;
            if (free_.tv_nsec >= 1'000'000'000L) {
                free_.tv_nsec -= 1'000'000'000L;
                ++free_.tv_sec;
            }
        }
    }

private:
    static bool before(const timespec& a, const timespec& b)
    {
        return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
    }

    void writeAll(const std::uint8_t* p, std::size_t n)
    {
        while (n > 0) {
            ssize_t w = ::write(fd_, p, n);
            if (w > 0) {
                p += w;
                n -= static_cast<std::size_t>(w);
            } else if (w < 0 && errno == EAGAIN) {
                pollfd pf{fd_, POLLOUT, 0};
                poll(&pf, 1, 100);
            } else if (!(w < 0 && errno == EINTR)) {
                return;  // nobody listens: the bytes are lost, as on a cable with no radio end
            }
        }
    }

    int fd_;
    bool pacing_;
    timespec free_{};
};

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::cerr << kUsage;
        return 2;
    }

    SimulatedRadio radio;
    bool imageFound = false;
    if (!options.image.empty() && !loadImage(options.image, radio.memory(), imageFound))
        return 2;
    if (!imageFound) {
        auto demo = qx::sim::demoImage();
        if (!demo) {
            std::cerr << "qx4100-sim: " << demo.error().message << "\n";
            return 1;
        }
        radio.memory() = demo.value();
    }
    if (options.noBand)
        radio.eraseBandData();
    for (const auto& f : options.faults)
        radio.addFault(f);

    int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::cerr << "qx4100-sim: cannot create a pseudo-terminal: " << std::strerror(errno) << "\n";
        return 1;
    }
    const char* slaveName = ptsname(master);
    if (!slaveName) {
        std::cerr << "qx4100-sim: no pseudo-terminal name\n";
        return 1;
    }
    const std::string slavePath = slaveName;
    // Held open for the whole run: the programmer closes and reopens its end at the start of each
    // transfer, and the master would report a hang-up whenever no one holds the other side.
    int hold = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (hold < 0) {
        std::cerr << "qx4100-sim: cannot open " << slavePath << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    makeRaw(hold);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    // Signals are only let in while waiting, so a stop request is never missed between a check
    // and the wait.
    sigset_t stopSet, waitMask;
    sigemptyset(&stopSet);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&stopSet, s);
    sigprocmask(SIG_BLOCK, &stopSet, &waitMask);
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    for (int s : {SIGTERM, SIGINT, SIGHUP})
        sigaction(s, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::cout << slavePath << std::endl;

    Line line(master, options.pacing);
    std::uint8_t buf[512];
    while (!stopSignal && !radio.hungUp()) {
        pollfd p{master, POLLIN, 0};
        timespec partial{0, kPartialFrameMs * 1'000'000L};
        int r = ppoll(&p, 1, radio.hasPartialFrame() ? &partial : nullptr, &waitMask);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            std::cerr << "qx4100-sim: " << std::strerror(errno) << "\n";
            break;
        }
        if (r == 0) {
            radio.dropPartialFrame();
            continue;
        }
        ssize_t n = ::read(master, buf, sizeof buf);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            break;
        }
        const std::vector<std::uint8_t> received(buf, buf + n);
        if (options.echo)
            line.send(received);
        line.send(radio.receive(received));
    }

    close(master);
    close(hold);
    if (!options.image.empty() && !saveImage(options.image, radio.memory()))
        return 1;
    return 0;
}
