#include "link/sequences.h"

#include <cstdint>
#include <optional>
#include <string>

#include "link/blocks.h"
#include "link/protocol.h"
#include "link/records.h"
#include "model/codeplug.h"

namespace qx {

void Progress::set(int value)
{
    if (value == value_)
        return;
    value_ = value;
    if (onChange_)
        onChange_(value_);
}

namespace {

// Keeps the first failure of a sequence, which goes on after some failures.
class FirstError {
public:
    // Records a failed step and clears ok: a step that fails here never reached the radio's
    // reply check (bad data or an encoder refusing a text).
    void note(Protocol& protocol, const Error& error)
    {
        protocol.clearOk();
        if (!error_)
            error_ = error;
    }
    void note(const Error& error)
    {
        if (!error_)
            error_ = error;
    }
    Status status() const
    {
        if (error_)
            return *error_;
        return success();
    }

private:
    std::optional<Error> error_;
};

// A block read, then decoded. The protocol clears ok on a failed read; a decode failure clears it
// here. Returns whether both worked.
template <typename Decode>
bool readInto(Protocol& protocol, FirstError& first, std::uint16_t address, std::uint8_t count, Counting counting,
              Decode decode)
{
    auto data = protocol.readBlock(address, count, counting);
    if (!data) {
        first.note(data.error());
        return false;
    }
    if (Status s = decode(data.value()); !s) {
        first.note(protocol, s.error());
        return false;
    }
    return true;
}

// Encodes and writes one block; a text that cannot be encoded fails the block without sending.
bool writeFrom(Protocol& protocol, FirstError& first, std::uint16_t address, const Result<std::string>& data,
               Counting counting)
{
    if (!data) {
        first.note(protocol, data.error());
        return false;
    }
    if (Status s = protocol.writeBlock(address, data.value(), counting); !s) {
        first.note(s.error());
        return false;
    }
    return true;
}

}  // namespace

Status readSequence(Protocol& protocol, Codeplug& doc, Progress& progress, const std::function<void()>& channelsRead)
{
    FirstError first;
    RadioSettings& settings = doc.settings();

    if (!readInto(protocol, first, block::BandLimits, 16, Counting::Uncounted,
                  [&](std::string_view d) { return mergeBandLimits(settings, d); }))
        return first.status();

    for (int row = 1; row <= kChannelCount; ++row) {
        clearRecordCells(doc, row);
        if (!readInto(protocol, first, channelRecordAddress(row), 16, Counting::Counted,
                      [&](std::string_view d) { return decodeChannelRecord(doc, row, d); }))
            break;
        protocol.resetRetryCounter();
        progress.step();
        if (!readInto(protocol, first, aliasRecordAddress(row), 8, Counting::Uncounted,
                      [&](std::string_view d) { return decodeAliasRecord(doc, row, d); }))
            return first.status();
    }
    if (channelsRead)
        channelsRead();
    if (!protocol.ok())
        return first.status();

    if (!readInto(protocol, first, block::Function, 16, Counting::Uncounted,
                  [&](std::string_view d) { return decodeFunctionBlock(settings, d); }))
        return first.status();
    progress.step();
    if (!readInto(protocol, first, block::Key, 16, Counting::Uncounted,
                  [&](std::string_view d) { return decodeKeyBlock(settings, d); }))
        return first.status();
    progress.step();
    for (int i = 0; i < block::CallListBlocks; ++i) {
        if (!readInto(protocol, first, block::callList(i), 16, Counting::Counted,
                      [&](std::string_view d) { return decodeCallListBlock(settings, i, d); }))
            return first.status();
        protocol.resetRetryCounter();
        progress.step();
    }
    if (!readInto(protocol, first, block::BotEot, 16, Counting::Uncounted,
                  [&](std::string_view d) { return decodeCodePair(settings, keys::BOT, keys::EOT, d); }))
        return first.status();
    progress.step();
    if (!readInto(protocol, first, block::Password, 16, Counting::Uncounted,
                  [&](std::string_view d) { return decodePasswordBlock(settings, d); }))
        return first.status();
    progress.step();
    if (!readInto(protocol, first, block::Id, 16, Counting::Uncounted,
                  [&](std::string_view d) { return decodeCodePair(settings, keys::Private, keys::StunCode, d); }))
        return first.status();
    progress.set(kReadProgressDone);
    return success();
}

Status writeSequence(Protocol& protocol, const Codeplug& doc, std::string_view bandCheck, Progress& progress)
{
    FirstError first;
    const RadioSettings& settings = doc.settings();

    auto band = protocol.readBlock(block::BandLimits, 16, Counting::Uncounted);
    if (!band)
        return band.error();
    if (!isWritable(band.value())) {
        protocol.clearOk();
        return makeError("the radio has no band data");
    }

    for (int row = 1; row <= kChannelCount; ++row) {
        if (!writeFrom(protocol, first, channelRecordAddress(row), encodeChannelRecord(doc, row), Counting::Counted))
            break;
        progress.step();
        protocol.resetRetryCounter();
        // A refused alias clears ok but the channels go on; the settings are then not written.
        writeFrom(protocol, first, aliasRecordAddress(row), encodeAliasRecord(doc, row), Counting::Uncounted);
    }

    if (protocol.ok()) {
        writeFrom(protocol, first, block::Function, std::string(encodeFunctionBlock(settings, bandCheck)),
                  Counting::Uncounted);
        progress.step();
    }
    if (protocol.ok()) {
        writeFrom(protocol, first, block::Key, encodeKeyBlock(settings), Counting::Uncounted);
        progress.step();
    }
    if (protocol.ok()) {
        // A refused call-list block does not stop the remaining ones.
        for (int i = 0; i < block::CallListBlocks; ++i) {
            writeFrom(protocol, first, block::callList(i), encodeCallListBlock(settings, i), Counting::Uncounted);
            progress.step();
        }
    }
    if (protocol.ok()) {
        for (int i = 0; i < block::ClearedBlocks; ++i) {
            writeFrom(protocol, first, block::cleared(i), clearedBlockData(), Counting::Uncounted);
            progress.step();
        }
    }
    if (protocol.ok() && settings.value(keys::ChangePassword) == 1) {
        writeFrom(protocol, first, block::Password, encodePasswordBlock(settings), Counting::Uncounted);
        progress.step();
    }
    if (protocol.ok()) {
        writeFrom(protocol, first, block::Id, encodeCodePair(settings, keys::Private, keys::StunCode),
                  Counting::Uncounted);
        progress.step();
    }
    if (protocol.ok()) {
        writeFrom(protocol, first, block::BotEot, encodeCodePair(settings, keys::BOT, keys::EOT), Counting::Uncounted);
        progress.set(kWriteProgressMax);
    }
    return first.status();
}

}  // namespace qx
