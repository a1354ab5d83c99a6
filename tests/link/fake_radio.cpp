#include "link/fake_radio.h"

#include <algorithm>

#include "model/codec.h"

namespace qx::testing {

Status FakeRadio::open()
{
    if (failOpen_) {
        failOpen_ = false;
        return makeError("fake port: cannot open");
    }
    open_ = true;
    ++opens_;
    return success();
}

void FakeRadio::close()
{
    open_ = false;
    pending_.clear();
}

int FakeRadio::sentCount(std::string_view prefix) const
{
    return static_cast<int>(std::count_if(sent_.begin(), sent_.end(),
                                          [&](const std::string& s) { return s.starts_with(prefix); }));
}

void FakeRadio::queue(std::vector<std::uint8_t> bytes)
{
    const std::size_t piece = chunkBytes_ == 0 ? bytes.size() : chunkBytes_;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), at + piece));
        pending_.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at), end);
    }
}

Status FakeRadio::write(ByteChunk bytes)
{
    if (!open_)
        return makeError("fake port: not open");
    if (radio_.hungUp())
        return makeError("fake port: line hung up");
    sent_.push_back(BytesToHex(bytes));
    // Each write is one whole frame: nothing half-heard before it counts.
    radio_.dropPartialFrame();
    std::vector<std::uint8_t> echo(bytes.begin(), bytes.end());
    std::vector<std::uint8_t> reply = radio_.receive(bytes);
    if (!canned_.empty()) {
        reply = HexToBytes(canned_.front()).value();
        canned_.pop_front();
    }
    if (echo_ == Echo::Merged) {
        echo.insert(echo.end(), reply.begin(), reply.end());
        queue(std::move(echo));
        return success();
    }
    if (echo_ == Echo::Separate)
        queue(std::move(echo));
    queue(std::move(reply));
    return success();
}

Status FakeRadio::wait(int delayMs, const ReceiveHandler& onReceive)
{
    if (open_ && radio_.hungUp())
        return makeError("fake port: line hung up");
    while (open_ && delayMs > 0 && !pending_.empty()) {
        std::vector<std::uint8_t> chunk = std::move(pending_.front());
        pending_.pop_front();
        if (!chunk.empty())
            onReceive(chunk);
    }
    nowMs_ += static_cast<std::uint64_t>(std::max(delayMs, 0));
    return success();
}

}  // namespace qx::testing
