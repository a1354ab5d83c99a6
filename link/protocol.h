#pragma once
// The conversation with the radio: frames, handshake, block reads and writes with their
// repetitions, and the end command. Every step is one exchange (send a frame, wait, then judge the
// whole receive buffer).

#include <cstdint>
#include <string>
#include <string_view>

#include "link/serial_link.h"
#include "model/result.h"

namespace qx {

namespace frames {
// Commands, without their check byte (sendFrame appends it).
inline constexpr std::string_view kIdentification = "020545596C6965";
inline constexpr std::string_view kConfirmation = "0600";
inline constexpr std::string_view kEndCommand = "64016F";
// Replies, as the whole receive buffer holds them.
inline constexpr std::string_view kIdentificationReply = "06066B456D76617226";  // 06 06 "kEmvar"
inline constexpr std::string_view kAcknowledgement = "060006";
inline constexpr std::string_view kWaitReply = "090009";
}  // namespace frames

namespace waits {  // milliseconds
inline constexpr int kAfterClose = 150;
inline constexpr int kAfterOpen = 150;
inline constexpr int kHandshake = 70;  // after each identification request and confirmation
inline constexpr int kBlock = 80;      // after each read or write request
inline constexpr int kEnd = 70;
}  // namespace waits

inline constexpr int kIdentificationAttempts = 6;
inline constexpr int kRetryCounterStart = 2;
/// A request answered with wait replies or wrong check bytes is sent at most this often in a row.
inline constexpr int kMaxRepeats = 50;

/// Read request: 52 03, address high, address low, count ("52030CC010").
std::string readRequest(std::uint16_t address, std::uint8_t count);
/// Write request: 57, 2 + data length, address high, address low, data. At most 16 data bytes.
Result<std::string> writeRequest(std::uint16_t address, std::string_view dataHex);

/// Counted blocks share the transfer's retry counter: two replies of the wrong kind fail them.
/// Uncounted blocks fail on the first.
enum class Counting { Uncounted, Counted };

class Protocol {
public:
    explicit Protocol(SerialLink& link) : link_(link) {}

    SerialLink& link() { return link_; }

    /// Starts a transfer (retry counter 2, ok cleared, line assumed good), then closes the port,
    /// waits 150 ms, opens it and waits 150 ms. Fails when the port cannot be opened.
    Status portReset();

    /// Identification (up to 6 times), then the confirmation, repeated on wait replies, which must
    /// be acknowledged. Sets ok on success, clears it on failure.
    Status handshake();

    /// Reads count bytes at address; the data as HexText (2 × count characters).
    Result<std::string> readBlock(std::uint16_t address, std::uint8_t count, Counting counting);

    /// Writes the data (HexText, at most 16 bytes) at address; acknowledged or failed.
    Status writeBlock(std::uint16_t address, std::string_view dataHex, Counting counting);

    /// Sends the end command and waits 70 ms; the reply is ignored. Skipped only when the line is
    /// already known to be gone.
    void end();

    /// The transfer's outcome flag: set by the handshake, cleared by every failed step.
    bool ok() const { return ok_; }
    void clearOk() { ok_ = false; }

    int retryCounter() const { return retries_; }
    void resetRetryCounter() { retries_ = kRetryCounterStart; }

    /// True once a write or wait of the port failed (cable pulled, device gone): every later step
    /// fails at once without touching the port.
    bool lineLost() const { return lineLost_; }

private:
    Status exchange(std::string_view frame, int delayMs);
    Error fail(Error error);

    SerialLink& link_;
    bool ok_ = false;
    int retries_ = kRetryCounterStart;
    bool lineLost_ = false;
};

}  // namespace qx
