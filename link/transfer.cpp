#include "link/transfer.h"

#include <charconv>
#include <cstdio>

#include "link/blocks.h"
#include "link/protocol.h"
#include "model/codeplug.h"

namespace qx {

namespace {

// The RX text as MHz; nullopt for a text that is no number.
std::optional<double> megahertz(const std::string& text)
{
    double f = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, f);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return f;
}

}  // namespace

std::string bandCheck(Codeplug& doc)
{
    RadioSettings& settings = doc.settings();
    if (const auto limits = settings.activeRxLimits()) {
        const auto [lo, hi] = *limits;
        for (int row = 1; row <= kChannelCount; ++row) {
            if (doc.isEmptyChannel(row))
                continue;
            const auto f = megahertz(doc.channels().cell(col::Rx, row));
            if (f && lo <= *f && *f < hi) {
                char buf[4];
                std::snprintf(buf, sizeof buf, "%.2x", static_cast<unsigned>(row));
                return buf;
            }
        }
    }
    settings.assign(keys::VfoMr, 1);
    settings.assign(keys::MrFreqMrCh, 1);
    return std::string(kNoChannelInBand);
}

Transfer::Transfer(Codeplug& doc, Protocol& protocol, TextLookup text)
    : doc_(doc), protocol_(protocol), text_(std::move(text))
{
}

void Transfer::setProgressObserver(Progress::Observer observer)
{
    const int value = progress_.value();
    progress_ = Progress(std::move(observer));
    progress_.set(value);
}

TransferReport Transfer::report(Outcome outcome, int messageString, std::string detail) const
{
    TransferReport r;
    r.outcome = outcome;
    r.detail = std::move(detail);
    if (outcome != Outcome::Success) {
        r.caption = text_(kTransferCaptionString);
        if (messageString != 0)
            r.message = text_(messageString);
    }
    return r;
}

TransferReport Transfer::prepare(TransferMode mode, const std::function<Status()>& probe)
{
    if (Status s = probe(); !s)
        return report(Outcome::PortError, kPortErrorString, s.error().message);
    mode_ = mode;
    progressMax_ = mode == TransferMode::Read ? kReadProgressMax : kWriteProgressMax;
    progress_.set(0);
    Port& port = protocol_.link().port();
    if (!port.isOpen())
        if (Status s = port.open(); !s)
            return report(Outcome::PortError, kPortErrorString, s.error().message);
    return report(Outcome::Success, 0, {});
}

const std::string& Transfer::showBandCheck()
{
    bandCheck_ = bandCheck(doc_);
    return bandCheck_;
}

TransferReport Transfer::start()
{
    if (running_)
        return report(Outcome::CommunicationFailure, kCommunicationFailureString, "a transfer is running");
    if (mode_ == TransferMode::Write) {
        if (auto problem = checkBeforeWrite(doc_, text_, label_)) {
            TransferReport r = report(Outcome::Refused, 0, problem->message);
            r.message = problem->message;
            r.problem = std::move(problem);
            return r;
        }
    }

    running_ = true;
    progress_.set(0);
    Status status = protocol_.portReset();
    if (status)
        status = protocol_.handshake();
    if (status) {
        if (mode_ == TransferMode::Read)
            status = readSequence(protocol_, doc_, progress_, channelsRead_);
        else
            status = writeSequence(protocol_, doc_, bandCheck_, progress_);
    }
    protocol_.end();
    running_ = false;

    if (!protocol_.ok())
        return report(Outcome::CommunicationFailure, kCommunicationFailureString,
                      status ? std::string("transfer failed") : status.error().message);
    return report(Outcome::Success, 0, {});
}

bool Transfer::close()
{
    if (running_)
        return false;
    protocol_.link().port().close();
    return true;
}

}  // namespace qx
