#pragma once
// The POSIX serial device with waits that keep the editor alive: a wait runs a nested Qt event
// loop for its milliseconds, so windows repaint and the progress bar moves, while a socket
// notifier on the device hands each reception to the link as it arrives. One thread, no polling.

#include "link/posix_port.h"

namespace qx {

class QtSerialPort : public PosixPort {
public:
    using PosixPort::PosixPort;

    Status wait(int delayMs, const ReceiveHandler& onReceive) override;
};

}  // namespace qx
