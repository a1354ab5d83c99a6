#pragma once
// A document, a fake radio with a small codeplug in its memory, and the link between them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/fake_radio.h"
#include "link/protocol.h"
#include "link/radio_sim.h"
#include "link/sequences.h"
#include "link/serial_link.h"
#include "model/codec.h"
#include "model/codeplug.h"

namespace qx::testing {

// HexText written into the radio's memory at address.
inline void poke(SimulatedRadio& radio, std::uint16_t address, std::string_view hex)
{
    auto bytes = HexToBytes(hex);
    for (std::size_t i = 0; i < bytes.value().size(); ++i)
        radio.memory()[address + i] = bytes.value()[i];
}

inline std::string peek(const SimulatedRadio& radio, std::uint16_t address, std::size_t count)
{
    return BytesToHex(std::span<const std::uint8_t>(radio.memory().data() + address, count));
}

inline RadioFault fault(std::string_view text) { return parseFault(text).value(); }

// Band 400-470 MHz, channels 1 (with alias "AB"), 2 and 128, and settings away from the defaults.
inline void loadDemo(SimulatedRadio& radio)
{
    poke(radio, 0x0CC0, "47004000470040004700400047004000");
    poke(radio, 0x0010, "4381250043812500FF00FF00FFFFFF70");
    poke(radio, 0x0810, "10110F0F0F0FFFFF");
    poke(radio, 0x0020, "4460060444500108028202E3FFFFA6A2");
    poke(radio, 0x0818, "0F0F0F0F0F0FFFFF");
    poke(radio, 0x0800, "4699750046997500338218C3FFFFEA00");
    poke(radio, 0x0C08, "12170A010F0FFFFF");
    poke(radio, 0x0C80, "01800205B101070F490FFF08001172F5");
    poke(radio, 0x0C90, "FFFFF2F3140532642870F0FFFFFFFFFF");
    poke(radio, 0x0CD0, "010203040506FFFFFFFFFFFFFFFFFFFF");
    poke(radio, 0x0D80, "1AAAFFFFFFFFFFF4123FFFFFFFFFFFF3");
    for (std::uint16_t a = 0x0D90; a <= 0x0DC0; a += 0x10)
        poke(radio, a, "FFFFFFFFFFFFFFF0FFFFFFFFFFFFFFF0");
    poke(radio, 0x0E00, "9AFFFFFFFFFFFFF2BCFFFFFFFFFFFFF2");
    poke(radio, 0x0E80, "12345FFFFFFFFFF5ABFFFFFFFFFFFFF2");
}

struct Rig {
    FakeRadio port;
    SerialLink link{port};
    Protocol protocol{link};
    Codeplug doc;
    std::vector<int> progressValues;
    Progress progress{[this](int v) { progressValues.push_back(v); }};

    Rig()
    {
        doc.settings().setBandList(keys::BandRx, {"400-470MHz"}, 0);
        doc.settings().setBandList(keys::BandTx, {"400-470MHz"}, 0);
        doc.settings().setBandList(keys::BandRx1, {"400-470MHz"}, 0);
        doc.settings().setBandList(keys::BandTx1, {"400-470MHz"}, 0);
    }

    SimulatedRadio& radio() { return port.radio(); }

    // Port reset and handshake, as the start button runs them before a sequence.
    bool connect() { return protocol.portReset().ok() && protocol.handshake().ok(); }

    // Requests sent after the handshake, as HexText without the check byte.
    std::vector<std::string> requests() const
    {
        std::vector<std::string> out;
        for (const std::string& s : port.sent())
            if (s.starts_with("52") || s.starts_with("57"))
                out.push_back(s.substr(0, s.size() - 2));
        return out;
    }
    int readsOf(std::uint16_t address, std::uint8_t count) const { return port.sentCount(readRequest(address, count)); }
    // Write requests to address, repetitions included.
    int writesTo(std::uint16_t address) const
    {
        const std::string at = readRequest(address, 0).substr(4, 4);
        int n = 0;
        for (const std::string& s : port.sent())
            n += s.starts_with("57") && s.compare(4, 4, at) == 0;
        return n;
    }
};

}  // namespace qx::testing
