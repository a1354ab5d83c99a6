#pragma once
// A scripted radio behind a Port, on a virtual clock: waits take no real time. What the link
// writes goes to a SimulatedRadio; its answer (and the cable's echo) arrives during the next wait.

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "link/port.h"
#include "link/radio_sim.h"

namespace qx::testing {

class FakeRadio : public Port {
public:
    enum class Echo {
        Off,       // dual-head cable
        Separate,  // single-head: the echo arrives as one reception, the answer as the next
        Merged,    // single-head: echo and answer in one reception
    };

    SimulatedRadio& radio() { return radio_; }
    void setEcho(Echo echo) { echo_ = echo; }
    /// Splits every reception into pieces of at most this many bytes (0: whole).
    void setChunkBytes(std::size_t bytes) { chunkBytes_ = bytes; }
    /// The next open fails (a port that vanished after the probe).
    void failNextOpen() { failOpen_ = true; }
    /// The next frame written is answered with these bytes (HexText) instead of the radio's answer.
    void answerNextWith(std::string hex) { canned_.push_back(std::move(hex)); }

    Status open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    Status write(ByteChunk bytes) override;
    Status wait(int delayMs, const ReceiveHandler& onReceive) override;
    void discardInput() override { pending_.clear(); }

    /// Virtual milliseconds passed in waits.
    std::uint64_t nowMs() const { return nowMs_; }
    /// Every frame written, as HexText, in order.
    const std::vector<std::string>& sent() const { return sent_; }
    /// Frames written that begin with the given HexText.
    int sentCount(std::string_view prefix) const;
    int opens() const { return opens_; }

private:
    void queue(std::vector<std::uint8_t> bytes);

    SimulatedRadio radio_;
    Echo echo_ = Echo::Off;
    std::size_t chunkBytes_ = 0;
    bool open_ = false;
    bool failOpen_ = false;
    int opens_ = 0;
    std::uint64_t nowMs_ = 0;
    std::vector<std::string> sent_;
    std::deque<std::vector<std::uint8_t>> pending_;
    std::deque<std::string> canned_;
};

}  // namespace qx::testing
