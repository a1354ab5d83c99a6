#pragma once
// The radio's side of the link, for the simulator and the tests' fake radio: it takes the bytes
// that reach the radio, finds the frames in them, and gives back the bytes the radio answers.
// It holds the 4096-byte memory (addresses 0000 to 0FFF) and can misbehave on chosen requests.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "link/port.h"
#include "model/result.h"

namespace qx {

inline constexpr std::size_t kRadioMemorySize = 4096;
using RadioMemory = std::array<std::uint8_t, kRadioMemorySize>;

enum class RadioRequest { Identification, Confirmation, Read, Write, End };

enum class FaultKind {
    NoReply,    // silence
    WaitReply,  // 09 00 09
    BadCheck,   // the normal reply with a damaged check byte; a write is not stored
    Refuse,     // 15 00 15: neither acknowledgement, wait reply nor read reply
    HangUp,     // the line goes dead
};

struct RadioFault {
    FaultKind kind = FaultKind::NoReply;
    RadioRequest request = RadioRequest::Read;
    std::optional<std::uint16_t> address;  // reads and writes only; none matches every address
    int skip = 0;                          // matching requests answered normally first
    int times = 1;                         // then this many answered with the fault; < 0: all
    int seen = 0;                          // matching requests so far
};

/// "KIND:REQUEST[@ADDR][,skip=N][,times=N|all]", for example "none:read@0050,times=2".
/// KIND: none wait badcheck refuse hangup; REQUEST: ident confirm read write end; ADDR: hex.
Result<RadioFault> parseFault(std::string_view text);

class SimulatedRadio {
public:
    SimulatedRadio() { memory_.fill(0xFF); }

    RadioMemory& memory() { return memory_; }
    const RadioMemory& memory() const { return memory_; }

    void addFault(const RadioFault& fault) { faults_.push_back(fault); }
    /// Erases the band block, as in a radio that has never been given its band data.
    void eraseBandData();

    /// Bytes that reached the radio; returns what it sends back (often nothing).
    std::vector<std::uint8_t> receive(ByteChunk bytes);

    /// Part of a frame is waiting for the rest.
    bool hasPartialFrame() const { return !input_.empty(); }
    /// Forgets a partial frame, as the radio does after a pause on the line.
    void dropPartialFrame() { input_.clear(); }

    /// Between an acknowledged confirmation and the end command.
    bool programming() const { return state_ == State::Programming; }
    bool hungUp() const { return hungUp_; }

    /// Requests handled so far, by kind (faulty answers included).
    int requestCount(RadioRequest request) const { return counts_[static_cast<std::size_t>(request)]; }

private:
    enum class State { Idle, Identified, Programming };

    std::vector<std::uint8_t> answer(const std::vector<std::uint8_t>& frame);
    std::optional<FaultKind> faultFor(RadioRequest request, std::optional<std::uint16_t> address);

    RadioMemory memory_{};
    std::vector<std::uint8_t> input_;
    std::vector<RadioFault> faults_;
    std::array<int, 5> counts_{};
    State state_ = State::Idle;
    bool hungUp_ = false;
};

}  // namespace qx
