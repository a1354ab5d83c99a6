#pragma once
// The link's own side of the serial line: the receive buffer (all received bytes as HexText), the
// echo count and its removal in single-head mode, sending a frame with its check byte, and the
// delay during which replies are collected.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/port.h"
#include "model/result.h"

namespace qx {

/// The check byte of a frame given as HexText: the XOR of its bytes, as two upper-case digits.
Result<std::string> checksum(std::string_view hex);

class SerialLink {
public:
    explicit SerialLink(Port& port) : port_(port) {}

    Port& port() { return port_; }

    /// Single-head cables echo every sent byte; the echo is then removed from the buffer.
    void setSingleHead(bool on) { singleHead_ = on; }
    bool singleHead() const { return singleHead_; }

    /// Sends a command given as HexText without its check byte: builds the frame with the check
    /// byte, sets the echo count, clears the receive buffer, writes. A text that is no HexText is
    /// refused before anything changes; a write failure means the line is gone.
    Status sendFrame(std::string_view commandHex);

    /// Waits delayMs while receptions fill the buffer.
    Status delay(int delayMs);

    /// The reception handler: appends the bytes and removes a pending echo in single-head mode
    /// once the buffer is strictly longer than it.
    void receive(ByteChunk bytes);

    const std::string& receiveBuffer() const { return buffer_; }
    /// HexText characters of the last frame (check byte included) still expected as echo; 0 none.
    std::size_t echoCount() const { return echoCount_; }
    /// The bytes of the last frame built, check byte last.
    const std::vector<std::uint8_t>& transmitBuffer() const { return transmit_; }

private:
    Port& port_;
    bool singleHead_ = false;
    std::string buffer_;
    std::size_t echoCount_ = 0;
    std::vector<std::uint8_t> transmit_;
};

}  // namespace qx
