#include "link/protocol.h"

#include <cstdio>

#include "model/codec.h"

namespace qx {

namespace {

std::string hex4(std::uint16_t v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%.4X", static_cast<unsigned>(v));
    return buf;
}

std::string hex2(unsigned v)
{
    char buf[4];
    std::snprintf(buf, sizeof buf, "%.2X", v & 0xFFu);
    return buf;
}

// What the radio said, for a message: long replies are cut, the start tells enough.
std::string describe(const std::string& buffer)
{
    if (buffer.empty())
        return "no reply";
    if (buffer.size() > 24)
        return "reply " + buffer.substr(0, 24) + "...";
    return "reply " + buffer;
}

bool startsWith57(const std::string& buffer) { return buffer.compare(0, 2, "57") == 0; }

// A read reply: 57, three header bytes, count data bytes, the XOR of all before it.
bool readReplyIntact(const std::string& buffer, std::uint8_t count)
{
    if (buffer.size() != 8 + 2 * std::size_t{count} + 2)
        return false;
    auto sum = checksum(std::string_view(buffer).substr(0, buffer.size() - 2));
    return sum && sum.value() == buffer.substr(buffer.size() - 2);
}

}  // namespace

std::string readRequest(std::uint16_t address, std::uint8_t count)
{
    return "5203" + hex4(address) + hex2(count);
}

Result<std::string> writeRequest(std::uint16_t address, std::string_view dataHex)
{
    if (dataHex.size() % 2 != 0 || dataHex.size() > 32)
        return makeError("write data of " + std::to_string(dataHex.size()) + " hex digits");
    for (char c : dataHex)
        if (!isHexDigit(c))
            return makeError("write data holds " + std::string(1, c));
    return "57" + hex2(static_cast<unsigned>(2 + dataHex.size() / 2)) + hex4(address) + std::string(dataHex);
}

Error Protocol::fail(Error error)
{
    ok_ = false;
    return error;
}

Status Protocol::exchange(std::string_view frame, int delayMs)
{
    if (lineLost_)
        return makeError("line lost");
    Status s = link_.sendFrame(frame);
    if (s)
        s = link_.delay(delayMs);
    if (!s)
        lineLost_ = true;
    return s;
}

Status Protocol::portReset()
{
    ok_ = false;
    lineLost_ = false;
    retries_ = kRetryCounterStart;
    Port& port = link_.port();
    port.close();
    const ReceiveHandler ignore = [](ByteChunk) {};
    (void)port.wait(waits::kAfterClose, ignore);
    if (Status s = port.open(); !s)
        return fail(s.error());
    if (Status s = link_.delay(waits::kAfterOpen); !s) {
        lineLost_ = true;
        return fail(s.error());
    }
    return success();
}

Status Protocol::handshake()
{
    ok_ = false;
    bool identified = false;
    for (int attempt = 0; attempt < kIdentificationAttempts && !identified; ++attempt) {
        if (Status s = exchange(frames::kIdentification, waits::kHandshake); !s)
            return fail(s.error().withContext("identification"));
        identified = link_.receiveBuffer() == frames::kIdentificationReply;
    }
    if (!identified)
        return fail(makeError("identification: " + describe(link_.receiveBuffer()) + " after " +
                              std::to_string(kIdentificationAttempts) + " requests"));

    for (int sent = 1;; ++sent) {
        if (Status s = exchange(frames::kConfirmation, waits::kHandshake); !s)
            return fail(s.error().withContext("confirmation"));
        if (link_.receiveBuffer() != frames::kWaitReply)
            break;
        if (sent == kMaxRepeats)
            return fail(makeError("confirmation: still waiting after " + std::to_string(kMaxRepeats) + " requests"));
    }
    if (link_.receiveBuffer() != frames::kAcknowledgement)
        return fail(makeError("confirmation: " + describe(link_.receiveBuffer())));
    ok_ = true;
    return success();
}

Result<std::string> Protocol::readBlock(std::uint16_t address, std::uint8_t count, Counting counting)
{
    const std::string request = readRequest(address, count);
    const std::string where = "read " + hex4(address);
    int repeats = 0;  // in a row, for wait replies and damaged replies
    for (;;) {
        if (Status s = exchange(request, waits::kBlock); !s)
            return fail(s.error().withContext(where));
        const std::string& buffer = link_.receiveBuffer();
        if (buffer == frames::kWaitReply || (startsWith57(buffer) && !readReplyIntact(buffer, count))) {
            if (++repeats == kMaxRepeats)
                return fail(makeError(where + ": " + describe(buffer) + ", " + std::to_string(kMaxRepeats) +
                                      " times in a row"));
            continue;
        }
        if (!startsWith57(buffer)) {
            if (counting == Counting::Counted && --retries_ > 0) {
                repeats = 0;
                continue;
            }
            return fail(makeError(where + ": " + describe(buffer)));
        }
        if (counting == Counting::Counted)
            retries_ = kRetryCounterStart;
        return buffer.substr(8, buffer.size() - 10);
    }
}

Status Protocol::writeBlock(std::uint16_t address, std::string_view dataHex, Counting counting)
{
    const std::string where = "write " + hex4(address);
    auto request = writeRequest(address, dataHex);
    if (!request)
        return fail(request.error().withContext(where));
    int repeats = 0;
    for (;;) {
        if (Status s = exchange(request.value(), waits::kBlock); !s)
            return fail(s.error().withContext(where));
        const std::string& buffer = link_.receiveBuffer();
        if (buffer == frames::kAcknowledgement) {
            if (counting == Counting::Counted)
                retries_ = kRetryCounterStart;
            return success();
        }
        if (buffer == frames::kWaitReply) {
            if (++repeats == kMaxRepeats)
                return fail(makeError(where + ": still waiting after " + std::to_string(kMaxRepeats) + " requests"));
            continue;
        }
        if (counting == Counting::Counted && --retries_ > 0) {
            repeats = 0;
            continue;
        }
        return fail(makeError(where + ": " + describe(buffer)));
    }
}

void Protocol::end()
{
    (void)exchange(frames::kEndCommand, waits::kEnd);
}

}  // namespace qx
