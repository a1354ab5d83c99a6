// qx4100-bench: one full read and one full write against qx4100-sim at 9600 bit/s through the real
// POSIX serial backend. Shows the wall time beside the protocol's own waits (the time a transfer
// cannot go below), the line time of the bytes each way, and the CPU time the transfer used.

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "files/language.h"
#include "link/posix_port.h"
#include "link/protocol.h"
#include "link/serial_link.h"
#include "link/transfer.h"
#include "model/codeplug.h"
#include "tests/support/sim_process.h"

namespace {

using namespace qx;

// Ten bits a byte at 9600 bit/s.
constexpr double kByteMs = 10.0 / 9.6;

// The POSIX port, counting what crosses it and the waits asked for.
class MeasuringPort : public Port {
public:
    explicit MeasuringPort(Port& inner) : inner_(inner) {}

    Status open() override { return inner_.open(); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    void discardInput() override { inner_.discardInput(); }
    Status write(ByteChunk bytes) override
    {
        sent += bytes.size();
        return inner_.write(bytes);
    }
    Status wait(int delayMs, const ReceiveHandler& onReceive) override
    {
        waitedMs += delayMs;
        return inner_.wait(delayMs, [&](ByteChunk bytes) {
            received += bytes.size();
            onReceive(bytes);
        });
    }

    void reset() { sent = received = 0, waitedMs = 0; }

    std::size_t sent = 0;
    std::size_t received = 0;
    long waitedMs = 0;

private:
    Port& inner_;
};

double cpuMs(int who)
{
    rusage u{};
    getrusage(who, &u);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

struct Row {
    std::string name;
    bool ok = false;
    double wallMs = 0;
    long waitsMs = 0;
    std::size_t sent = 0;
    std::size_t received = 0;
    double cpuMs = 0;
};

Row measure(const char* name, TransferMode mode, Codeplug& doc, const std::string& device, bool singleHead)
{
    PosixPort posix(device);
    MeasuringPort port(posix);
    SerialLink link(port);
    link.setSingleHead(singleHead);
    Protocol protocol(link);
    Transfer transfer(doc, protocol, [](int number) { return StringTable::builtIn().text(number); });

    Row row;
    row.name = name;
    if (!transfer.prepare(mode, [&] { return probePort(device); }).ok())
        return row;
    transfer.showBandCheck();
    port.reset();
    const double cpuBefore = cpuMs(RUSAGE_SELF);
    const auto start = std::chrono::steady_clock::now();
    const TransferReport report = transfer.start();
    row.wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    row.cpuMs = cpuMs(RUSAGE_SELF) - cpuBefore;
    transfer.close();
    row.ok = report.ok();
    row.waitsMs = port.waitedMs;
    row.sent = port.sent;
    row.received = port.received;
    if (!row.ok)
        std::fprintf(stderr, "qx4100-bench: %s failed: %s\n", name, report.detail.c_str());
    return row;
}

void print(const Row& r)
{
    std::printf("%-22s %-4s %9.2f %9.2f %7zu %7zu %9.2f %9.2f %9.1f\n", r.name.c_str(), r.ok ? "ok" : "FAIL",
                r.wallMs / 1000, r.waitsMs / 1000.0, r.sent, r.received, r.sent * kByteMs / 1000,
                r.received * kByteMs / 1000, r.cpuMs);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<bool> modes;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--dual-head")
            modes.push_back(false);
        else if (a == "--single-head")
            modes.push_back(true);
        else {
            std::fprintf(stderr, "usage: qx4100-bench [--dual-head] [--single-head]  (default: both)\n");
            return 2;
        }
    }
    if (modes.empty())
        modes = {false, true};

    const std::string sim = (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "qx4100-sim").string();
    std::printf("Full transfers with qx4100-sim at 9600 bit/s (times in s, CPU in ms of this process)\n");
    std::printf("%-22s %-4s %9s %9s %7s %7s %9s %9s %9s\n", "transfer", "", "wall", "waits", "out B", "in B",
                "wire out", "wire in", "CPU ms");
    bool allOk = true;
    for (bool singleHead : modes) {
        test::SimProcess radio(sim, singleHead ? std::vector<std::string>{"--echo"} : std::vector<std::string>{});
        if (radio.device().empty()) {
            std::fprintf(stderr, "qx4100-bench: cannot start %s\n", sim.c_str());
            return 1;
        }
        Codeplug doc;
        const std::string cable = singleHead ? "single-head" : "dual-head";
        const Row read = measure(("read, " + cable).c_str(), TransferMode::Read, doc, radio.device(), singleHead);
        print(read);
        // Writes back what was read, so the document is one the radio holds.
        const Row write = measure(("write, " + cable).c_str(), TransferMode::Write, doc, radio.device(), singleHead);
        print(write);
        allOk = allOk && read.ok && write.ok;
    }
    std::printf("simulator CPU, all runs: %.1f ms\n", cpuMs(RUSAGE_CHILDREN));
    return allOk ? 0 : 1;
}
