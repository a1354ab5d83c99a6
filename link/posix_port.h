#pragma once
// A serial device on a POSIX system: 9600 bit/s, 8 data bits, no parity, 1 stop bit, raw, no flow
// control, opened for exclusive use: the terminal's exclusive flag and an advisory lock, since
// root ignores the flag and two programmers sharing a port break both transfers. Waits block in poll(); nothing here busy-waits.

#include <string>

#include "link/port.h"

namespace qx {

class PosixPort : public Port {
public:
  explicit PosixPort(std::string devicePath);
  ~PosixPort() override;
  PosixPort(const PosixPort&) = delete;
  PosixPort& operator=(const PosixPort&) = delete;

  const std::string& devicePath() const { return path_; }

  Status open() override;
  void close() override;
  bool isOpen() const override { return fd_ >= 0; }
  Status write(ByteChunk bytes) override;
  Status wait(int delayMs, const ReceiveHandler& onReceive) override;
  void discardInput() override;

  /// The open device's descriptor (-1 when closed), for a wait strategy of an event loop that
  /// watches it and calls readAvailable() whenever it is readable.
  int fd() const { return fd_; }

  /// One reception: reads what is there now (without blocking) and hands it to onReceive.
  /// Nothing there (a read of 0 bytes with VMIN 0) is no error; hang-up (POLLHUP, EIO) and I/O
  /// errors are.
  Status readAvailable(const ReceiveHandler& onReceive);

private:
  Status lineLost(const std::string& what) const;

  std::string path_;
  int fd_ = -1;
};

/// The probe: whether the device can be opened for reading and writing; it is closed at once.
Status probePort(const std::string& devicePath);

}  // namespace qx
