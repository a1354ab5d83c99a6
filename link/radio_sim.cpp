#include "link/radio_sim.h"

#include <charconv>
#include <string>

#include <algorithm>

namespace qx {

namespace {

// Frames are: code, n, n bytes, the XOR of all before it. No frame carries more than 20 bytes
// before its check byte, so a larger n means the input is out of step.
constexpr std::size_t kMaxFollowing = 18;

const std::vector<std::uint8_t> kIdentificationReply = {0x06, 0x06, 0x6B, 0x45, 0x6D, 0x76, 0x61, 0x72, 0x26};
const std::vector<std::uint8_t> kAcknowledgement = {0x06, 0x00, 0x06};
const std::vector<std::uint8_t> kWaitReply = {0x09, 0x00, 0x09};
const std::vector<std::uint8_t> kRefusal = {0x15, 0x00, 0x15};
const std::vector<std::uint8_t> kIdentificationPayload = {0x45, 0x59, 0x6C, 0x69, 0x65};

std::uint8_t xorOf(const std::uint8_t* begin, const std::uint8_t* end)
{
    std::uint8_t x = 0;
    for (const std::uint8_t* p = begin; p != end; ++p)
        x ^= *p;
    return x;
}

std::optional<int> parseNumber(std::string_view text, int base)
{
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

Result<RadioFault> parseFault(std::string_view text)
{
    const std::string whole(text);
    auto bad = [&](const std::string& why) { return makeError("fault \"" + whole + "\": " + why); };

    RadioFault fault;
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return bad("expected KIND:REQUEST");
    const std::string_view kind = text.substr(0, colon);
    if (kind == "none") fault.kind = FaultKind::NoReply;
    else if (kind == "wait") fault.kind = FaultKind::WaitReply;
    else if (kind == "badcheck") fault.kind = FaultKind::BadCheck;
    else if (kind == "refuse") fault.kind = FaultKind::Refuse;
    else if (kind == "hangup") fault.kind = FaultKind::HangUp;
    else return bad("unknown kind " + std::string(kind));

    std::string_view rest = text.substr(colon + 1);
    const auto comma = rest.find(',');
    std::string_view target = rest.substr(0, comma);
    std::string_view options = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);

    const auto at = target.find('@');
    const std::string_view request = target.substr(0, at);
    if (request == "ident") fault.request = RadioRequest::Identification;
    else if (request == "confirm") fault.request = RadioRequest::Confirmation;
    else if (request == "read") fault.request = RadioRequest::Read;
    else if (request == "write") fault.request = RadioRequest::Write;
    else if (request == "end") fault.request = RadioRequest::End;
    else return bad("unknown request " + std::string(request));
    if (at != std::string_view::npos) {
        auto address = parseNumber(target.substr(at + 1), 16);
        if (!address || *address >= static_cast<int>(kRadioMemorySize))
            return bad("address is not hexadecimal 0000 to 0FFF");
        fault.address = static_cast<std::uint16_t>(*address);
    }

    while (!options.empty()) {
        const auto next = options.find(',');
        const std::string_view option = options.substr(0, next);
        options = next == std::string_view::npos ? std::string_view() : options.substr(next + 1);
        if (option == "times=all") {
            fault.times = -1;
            continue;
        }
        const auto eq = option.find('=');
        auto value = eq == std::string_view::npos ? std::nullopt : parseNumber(option.substr(eq + 1), 10);
        if (!value || *value < 0)
            return bad("option " + std::string(option));
        if (option.substr(0, eq) == "skip") fault.skip = *value;
        else if (option.substr(0, eq) == "times") fault.times = *value;
        else return bad("option " + std::string(option));
    }
    return fault;
}

void SimulatedRadio::eraseBandData()
{
    for (std::size_t a = 0x0CC0; a < 0x0CD0; ++a)
        memory_[a] = 0xFF;
}

std::optional<FaultKind> SimulatedRadio::faultFor(RadioRequest request, std::optional<std::uint16_t> address)
{
    std::optional<FaultKind> chosen;
    for (RadioFault& f : faults_) {
        if (f.request != request || (f.address && f.address != address))
            continue;
        ++f.seen;
        const bool active = f.seen > f.skip && (f.times < 0 || f.seen <= f.skip + f.times);
        if (active && !chosen)
            chosen = f.kind;
    }
    return chosen;
}

std::vector<std::uint8_t> SimulatedRadio::receive(ByteChunk bytes)
{
    std::vector<std::uint8_t> out;
    if (hungUp_)
        return out;
    input_.insert(input_.end(), bytes.begin(), bytes.end());
    while (input_.size() >= 2 && !hungUp_) {
        const std::size_t following = input_[1];
        if (following > kMaxFollowing) {
            input_.erase(input_.begin());
            continue;
        }
        const std::size_t total = following + 3;
        if (input_.size() < total)
            break;
        std::vector<std::uint8_t> frame(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(total));
        input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(total));
        if (xorOf(frame.data(), frame.data() + total - 1) != frame.back())
            continue;  // a damaged frame gets no answer
        std::vector<std::uint8_t> reply = answer(frame);
        out.insert(out.end(), reply.begin(), reply.end());
    }
    return out;
}

std::vector<std::uint8_t> SimulatedRadio::answer(const std::vector<std::uint8_t>& frame)
{
    const std::uint8_t code = frame[0];
    const std::size_t following = frame[1];
    const std::uint8_t* body = frame.data() + 2;

    RadioRequest request;
    std::optional<std::uint16_t> address;
    if (code == 0x02 && std::vector<std::uint8_t>(body, body + following) == kIdentificationPayload)
        request = RadioRequest::Identification;
    else if (code == 0x06 && following == 0)
        request = RadioRequest::Confirmation;
    else if (code == 0x52 && following == 3)
        request = RadioRequest::Read;
    else if (code == 0x57 && following >= 2)
        request = RadioRequest::Write;
    else if (code == 0x64 && following == 1 && body[0] == 0x6F)
        request = RadioRequest::End;
    else
        return {};
    if (request == RadioRequest::Read || request == RadioRequest::Write)
        address = static_cast<std::uint16_t>(body[0] << 8 | body[1]);
    ++counts_[static_cast<std::size_t>(request)];

    const std::optional<FaultKind> fault = faultFor(request, address);
    if (fault == FaultKind::HangUp) {
        hungUp_ = true;
        return {};
    }
    if (fault == FaultKind::NoReply)
        return {};
    if (fault == FaultKind::WaitReply)
        return kWaitReply;
    if (fault == FaultKind::Refuse)
        return kRefusal;

    std::vector<std::uint8_t> reply;
    switch (request) {
    case RadioRequest::Identification:
        state_ = State::Identified;
        reply = kIdentificationReply;
        break;
    case RadioRequest::Confirmation:
        if (state_ == State::Idle)
            return {};
        if (fault != FaultKind::BadCheck)
            state_ = State::Programming;
        reply = kAcknowledgement;
        break;
    case RadioRequest::Read: {
        const std::size_t count = body[2];
        if (state_ != State::Programming || *address + count > kRadioMemorySize)
            return {};
        reply = {0x57, static_cast<std::uint8_t>(count + 2), body[0], body[1]};
        reply.insert(reply.end(), memory_.begin() + *address, memory_.begin() + *address + count);
        reply.push_back(xorOf(reply.data(), reply.data() + reply.size()));
        break;
    }
    case RadioRequest::Write: {
        const std::size_t count = following - 2;
        if (state_ != State::Programming || *address + count > kRadioMemorySize)
            return {};
        if (fault != FaultKind::BadCheck)
            std::copy(body + 2, body + 2 + count, memory_.begin() + *address);
        reply = kAcknowledgement;
        break;
    }
    case RadioRequest::End:
        state_ = State::Idle;
        return {};
    }
    if (fault == FaultKind::BadCheck)
        reply.back() ^= 0xFF;
    return reply;
}

}  // namespace qx
