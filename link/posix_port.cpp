#include "link/posix_port.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace qx {

namespace {

using Clock = std::chrono::steady_clock;

// A write that cannot get its bytes out in this time has a dead line behind it: 16 bytes take
// 17 ms at 9600 bit/s.
constexpr int kWriteTimeoutMs = 2000;

std::string errnoText() { return std::strerror(errno); }

int remainingMs(Clock::time_point deadline)
{
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

Status configureLine(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return makeError("not a serial device (" + errnoText() + ")");
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(PARENB | CSTOPB | CSIZE | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, B9600) != 0 || cfsetospeed(&tio, B9600) != 0)
        return makeError("cannot set 9600 bit/s (" + errnoText() + ")");
    if (tcsetattr(fd, TCSANOW, &tio) != 0)
        return makeError("cannot set the line settings (" + errnoText() + ")");
    // Bytes left over from an earlier session must not pass for a reply.
    tcflush(fd, TCIOFLUSH);
    return success();
}

}  // namespace

PosixPort::PosixPort(std::string devicePath) : path_(std::move(devicePath)) {}

PosixPort::~PosixPort() { close(); }

Status PosixPort::open()
{
    if (fd_ >= 0)
        return success();
    int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return makeError("cannot open " + path_ + " (" + errnoText() + ")");
    if (ioctl(fd, TIOCEXCL) != 0) {
        Error e = makeError("cannot get exclusive use of " + path_ + " (" + errnoText() + ")");
        ::close(fd);
        return e;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        Error e = makeError("cannot get exclusive use of " + path_ + " (" +
                            (errno == EWOULDBLOCK ? std::string(std::strerror(EBUSY)) : errnoText()) + ")");
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        return e;
    }
    if (Status s = configureLine(fd); !s) {
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        return std::move(s).withContext(path_);
    }
    fd_ = fd;
    return success();
}

void PosixPort::close()
{
    if (fd_ < 0)
        return;
    // The exclusive flag belongs to the terminal, not to this descriptor: left set, it would make
    // the next open fail while another process still holds the device.
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

Status PosixPort::lineLost(const std::string& what) const
{
    return makeError(path_ + ": " + what);
}

Status PosixPort::write(ByteChunk bytes)
{
    if (fd_ < 0)
        return lineLost("port is not open");
    std::size_t done = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    while (done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return lineLost("write failed (" + errnoText() + ")");
        pollfd p{fd_, POLLOUT, 0};
        int left = remainingMs(deadline);
        if (left == 0)
            return lineLost("write timed out");
        int r = poll(&p, 1, left);
        if (r < 0 && errno != EINTR)
            return lineLost("poll failed (" + errnoText() + ")");
        if (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)))
            return lineLost("line hung up");
    }
    return success();
}

Status PosixPort::readAvailable(const ReceiveHandler& onReceive)
{
    if (fd_ < 0)
        return lineLost("port is not open");
    std::uint8_t buf[512];
    for (;;) {
        ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            onReceive(ByteChunk(buf, static_cast<std::size_t>(n)));
            return success();
        }
        if (n == 0) {
            // With VMIN 0 an empty queue reads 0 bytes too; only poll tells a hang-up apart.
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)))
                return lineLost("line hung up");
            return success();
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return success();
        if (errno == EIO)
            return lineLost("line hung up");
        return lineLost("read failed (" + errnoText() + ")");
    }
}

Status PosixPort::wait(int delayMs, const ReceiveHandler& onReceive)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(delayMs);
    for (int left = remainingMs(deadline); left > 0; left = remainingMs(deadline)) {
        if (fd_ < 0) {
            poll(nullptr, 0, left);
            continue;
        }
        pollfd p{fd_, POLLIN, 0};
        int r = poll(&p, 1, left);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return lineLost("poll failed (" + errnoText() + ")");
        }
        if (r == 0)
            continue;
        // Data first: a reply may sit in front of the hang-up.
        if (p.revents & POLLIN) {
            if (Status s = readAvailable(onReceive); !s)
                return s;
        }
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
            return lineLost("line hung up");
    }
    return success();
}

void PosixPort::discardInput()
{
    if (fd_ < 0)
        return;
    tcflush(fd_, TCIFLUSH);
    // Whatever the driver still passes up after the flush goes too.
    std::uint8_t buf[512];
    while (::read(fd_, buf, sizeof buf) > 0) {
    }
}

Status probePort(const std::string& devicePath)
{
    int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return makeError("cannot open " + devicePath + " (" + errnoText() + ")");
    ::close(fd);
    return success();
}

}  // namespace qx
