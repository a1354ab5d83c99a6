#pragma once
// The serial port as the link sees it: open, close, write bytes, and let time pass while
// collecting what arrives. Backends: link/posix_port.h (a real device), the scripted fake
// radio of the tests, and later a Qt port that waits in a nested event loop.

#include <cstdint>
#include <functional>
#include <span>

#include "model/result.h"

namespace qx {

using ByteChunk = std::span<const std::uint8_t>;

/// Called once per reception event with the bytes of that event, in arrival order.
using ReceiveHandler = std::function<void(ByteChunk)>;

class Port {
public:
  virtual ~Port() = default;

  virtual Status open() = 0;
  /// Closing a closed port does nothing.
  virtual void close() = 0;
  virtual bool isOpen() const = 0;

  /// Writes all bytes or fails; a failure means the line is gone.
  virtual Status write(ByteChunk bytes) = 0;

  /// Lets at least delayMs milliseconds pass and hands each reception that arrives meanwhile to
  /// onReceive as it arrives. On a closed port it only lets the time pass. A failure (hang-up,
  /// device gone, I/O error) ends the wait at once. A delay of 0 returns at once.
  virtual Status wait(int delayMs, const ReceiveHandler& onReceive) = 0;
  /// Throws away what has arrived and not yet been handed on, the operating system's queue
  /// included, so a late reply to an earlier request cannot pass for the next one's.
  /// Pure, so a port that wraps another cannot silently skip the flush.
  virtual void discardInput() = 0;
};

}  // namespace qx
