#include "link/serial_link.h"

#include "model/codec.h"

namespace qx {

namespace {

std::uint8_t xorOf(const std::vector<std::uint8_t>& bytes)
{
    std::uint8_t x = 0;
    for (std::uint8_t b : bytes)
        x ^= b;
    return x;
}

}  // namespace

Result<std::string> checksum(std::string_view hex)
{
    auto bytes = HexToBytes(hex);
    if (!bytes)
        return bytes.error();
    const std::uint8_t x = xorOf(bytes.value());
    return BytesToHex(std::span<const std::uint8_t>(&x, 1));
}

Status SerialLink::sendFrame(std::string_view commandHex)
{
    auto bytes = HexToBytes(commandHex);
    if (!bytes)
        return bytes.error().withContext("frame " + std::string(commandHex));
    std::vector<std::uint8_t> frame = std::move(bytes).value();
    frame.push_back(xorOf(frame));
    transmit_ = std::move(frame);
    echoCount_ = 2 * transmit_.size();
    buffer_.clear();
    port_.discardInput();
    return port_.write(transmit_);
}

Status SerialLink::delay(int delayMs)
{
    return port_.wait(delayMs, [this](ByteChunk bytes) { receive(bytes); });
}

void SerialLink::receive(ByteChunk bytes)
{
    buffer_ += BytesToHex(bytes);
    if (echoCount_ != 0 && singleHead_ && buffer_.size() > echoCount_) {
        buffer_.erase(0, echoCount_);
        echoCount_ = 0;
    }
}

}  // namespace qx
