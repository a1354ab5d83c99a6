// The link's reply handling and the block and record decoders, fed by a scripted radio.
//
// Input: one byte of cable options (bit 0 single-head with echo, bits 1-4 the largest piece a
// reception is cut into, 0 whole), then up to 4096 bytes of radio memory (the rest stays FF), then
// a script of text lines: a radio fault ("none:read@0050,times=2", the simulator's own syntax) or
// "=N:HEX", the reply to the N-th frame replaced by those bytes.
//
// Beyond "no crash": without a script the read must succeed, and writing the document read into a
// radio holding the same memory and reading it back must give the same document.
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "files/channel_file.h"
#include "files/language.h"
#include "link/blocks.h"
#include "link/port.h"
#include "link/protocol.h"
#include "link/radio_sim.h"
#include "link/sequences.h"
#include "link/serial_link.h"
#include "link/transfer.h"
#include "link/write_check.h"
#include "model/codec.h"
#include "model/codeplug.h"

namespace {

// A radio behind a port on a virtual clock; what it answers arrives during the next wait.
class ScriptedRadio : public qx::Port {
public:
    qx::SimulatedRadio radio;
    bool echo = false;
    std::size_t piece = 0;
    std::map<int, std::vector<std::uint8_t>> replies;  // by frame number, from 0

    qx::Status open() override
    {
        open_ = true;
        return qx::success();
    }
    void close() override
    {
        open_ = false;
        pending_.clear();
    }
    bool isOpen() const override { return open_; }
    void discardInput() override { pending_.clear(); }
    qx::Status write(qx::ByteChunk bytes) override
    {
        if (!open_ || radio.hungUp())
            return qx::makeError("line gone");
        radio.dropPartialFrame();
        std::vector<std::uint8_t> reply = radio.receive(bytes);
        if (auto it = replies.find(frames_++); it != replies.end())
            reply = it->second;
        if (echo)
            queue(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        queue(std::move(reply));
        return qx::success();
    }
    qx::Status wait(int delayMs, const qx::ReceiveHandler& onReceive) override
    {
        if (open_ && radio.hungUp())
            return qx::makeError("line gone");
        while (open_ && delayMs > 0 && !pending_.empty()) {
            std::vector<std::uint8_t> chunk = std::move(pending_.front());
            pending_.pop_front();
            if (!chunk.empty())
                onReceive(chunk);
        }
        return qx::success();
    }

private:
    void queue(std::vector<std::uint8_t> bytes)
    {
        const std::size_t n = piece == 0 ? bytes.size() : piece;
        for (std::size_t at = 0; at < bytes.size(); at += n)
            pending_.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                  bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), at + n)));
    }
    bool open_ = false;
    int frames_ = 0;
    std::deque<std::vector<std::uint8_t>> pending_;
};

qx::Codeplug newDocument()
{
    qx::Codeplug doc;
    for (auto key : {qx::keys::BandRx, qx::keys::BandTx, qx::keys::BandRx1, qx::keys::BandTx1})
        doc.settings().setBandList(key, {"400-470MHz"}, 0);
    return doc;
}

std::string text(int number) { return qx::StringTable::builtIn().text(number); }

// Port reset, handshake, the sequence, the end command: what the start button runs.
bool readRadio(ScriptedRadio& port, qx::Codeplug& doc)
{
    qx::SerialLink link(port);
    link.setSingleHead(port.echo);
    qx::Protocol protocol(link);
    qx::Progress progress;
    bool ok = protocol.portReset().ok() && protocol.handshake().ok();
    if (ok)
        ok = qx::readSequence(protocol, doc, progress).ok() && protocol.ok();
    protocol.end();
    return ok;
}

bool writeRadio(ScriptedRadio& port, const qx::Codeplug& doc, std::string_view bandCheck)
{
    qx::SerialLink link(port);
    link.setSingleHead(port.echo);
    qx::Protocol protocol(link);
    qx::Progress progress;
    bool ok = protocol.portReset().ok() && protocol.handshake().ok();
    if (ok)
        ok = qx::writeSequence(protocol, doc, bandCheck, progress).ok() && protocol.ok();
    protocol.end();
    return ok;
}

std::vector<std::string> document(const qx::Codeplug& doc) { return qx::formatChannelFile(doc); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    ScriptedRadio port;
    port.echo = (data[0] & 1) != 0;
    port.piece = (data[0] >> 1) & 0x0F;
    const std::size_t image = std::min(size - 1, qx::kRadioMemorySize);
    std::copy(data + 1, data + 1 + image, port.radio.memory().begin());
    const qx::RadioMemory memory = port.radio.memory();

    bool scripted = false;
    std::string_view script(reinterpret_cast<const char*>(data) + 1 + image, size - 1 - image);
    while (!script.empty()) {
        const std::size_t nl = script.find('\n');
        const std::string_view line = script.substr(0, nl);
        script = nl == std::string_view::npos ? std::string_view() : script.substr(nl + 1);
        if (line.starts_with("=")) {
            const std::size_t colon = line.find(':');
            int frame = 0;
            for (char c : line.substr(1, colon == std::string_view::npos ? 0 : colon - 1))
                frame = (c >= '0' && c <= '9' && frame < 100000) ? frame * 10 + (c - '0') : frame;
            auto bytes = qx::HexToBytes(colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1));
            if (bytes) {
                port.replies[frame] = bytes.value();
                scripted = true;
            }
        } else if (auto fault = qx::parseFault(line)) {
            port.radio.addFault(fault.value());
            scripted = true;
        }
    }

    qx::Codeplug doc = newDocument();
    const bool read = readRadio(port, doc);
    // Whatever was decoded before a failure must still make a savable document.
    if (!qx::encodeChannelFile(doc))
        std::abort();
    if (scripted)
        return 0;
    if (!read)
        std::abort();  // a radio that answers every request was not read

    // A refusal names what cannot be written; such a document is not sent at all. Every document
    // read from a radio should pass (an erased stun code field reads as empty); with
    // QX_FUZZ_STRICT_WRITE_CHECK=1 in the environment a refusal counts as a finding.
    if (qx::checkBeforeWrite(doc, text)) {
        static const bool strict = std::getenv("QX_FUZZ_STRICT_WRITE_CHECK") != nullptr;
        if (strict)
            std::abort();
        return 0;
    }
    const std::string check = qx::bandCheck(doc);
    ScriptedRadio copy;
    copy.echo = port.echo;
    copy.piece = port.piece;
    copy.radio.memory() = memory;
    if (!qx::isWritable(qx::BytesToHex(std::span<const std::uint8_t>(memory.data() + 0x0CC0, 16)))) {
        if (writeRadio(copy, doc, check))
            std::abort();  // a radio without band data must not be written
        return 0;
    }
    if (!writeRadio(copy, doc, check))
        std::abort();
    qx::Codeplug back = newDocument();
    if (!readRadio(copy, back))
        std::abort();
    if (document(back) != document(doc))
        std::abort();  // the radio does not hold what was written
    return 0;
}
