#include "link/records.h"

#include <algorithm>
#include <cstdio>

#include "model/codec.h"
#include "model/codeplug.h"

namespace qx {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

char hexDigit(unsigned v) { return "0123456789ABCDEF"[v & 0xFu]; }

// The value of one hex digit; the callers have checked it.
unsigned nibble(char c)
{
    if (isDigit(c))
        return static_cast<unsigned>(c - '0');
    return static_cast<unsigned>(c - 'A' + 10);
}

unsigned byteAt(std::string_view hex, std::size_t k) { return nibble(hex[2 * k]) * 16 + nibble(hex[2 * k + 1]); }

bool isUpperHex(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c) || (c >= 'A' && c <= 'F'); });
}

// A record frequency in units of 10 Hz, for comparing RX with TX.
long long tenHertz(std::string_view text)
{
    long long v = 0;
    for (char c : text)
        if (isDigit(c))
            v = v * 10 + (c - '0');
    return v;
}

std::string trimSpaces(std::string text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

Error channelError(int row, const Error& error)
{
    return error.withContext("channel " + channelNumberText(row));
}

}  // namespace

bool isRecordFrequency(std::string_view text)
{
    if (text.size() != 9 || text[3] != '.')
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != 3 && !isDigit(text[i]))
            return false;
    return true;
}

Result<std::string> WriteFre(std::string_view cellText)
{
    if (cellText.empty())
        return std::string("FFFFFFFF");
    if (!isRecordFrequency(cellText))
        return makeError("frequency \"" + std::string(cellText) + "\" is not of the form 000.00000");
    std::string field;
    field.append(cellText.substr(0, 3));
    field.append(cellText.substr(4, 3));
    // Units of 62.5 Hz: dd × 10 Hz / 62.5 Hz = dd × 0.16, rounded half up. Every text a read of
    // 00..0F produces maps back to its byte.
    const unsigned dd = static_cast<unsigned>((cellText[7] - '0') * 10 + (cellText[8] - '0'));
    const unsigned fraction = std::min((dd * 16 + 50) / 100, 0xFu);
    field += hexDigit(fraction >> 4);
    field += hexDigit(fraction);
    return field;
}

std::string ReadFre(std::string_view field8)
{
    std::string text;
    text.append(field8.substr(0, 3));
    text += '.';
    text.append(field8.substr(3, 3));
    // v × 6.25 cut down, as v × 625 / 100.
    const unsigned v = byteAt(field8, 3);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.2u", v * 625 / 100);
    text += buf;
    return text;
}

Result<std::string> encodeChannelRecord(const Codeplug& doc, int row)
{
    const ChannelTable& t = doc.channels();
    const ChannelExtras& x = doc.extras();
    const DisplayWords& w = doc.words();
    const std::string& rx = t.cell(col::Rx, row);
    if (rx.empty())
        return std::string(32, 'F');
    const std::string& tx = t.cell(col::Tx, row);

    auto rxField = WriteFre(rx);
    if (!rxField)
        return channelError(row, rxField.error());
    auto txField = WriteFre(tx);
    if (!txField)
        return channelError(row, txField.error());
    auto rxTone = doc.writeRxcode(col::RxTone, row);
    if (!rxTone)
        return rxTone.error();
    auto txTone = doc.writeTxcode(col::TxTone, row);
    if (!txTone)
        return txTone.error();

    unsigned high14 = 2;
    if (t.cell(col::Power, row) == w.high)
        high14 += 8;
    if (t.cell(col::Bandwidth, row) == w.wide)
        high14 += 4;
    if (x.cell(xcol::BusyLock, row) == w.off)
        high14 += 1;

    unsigned low14 = 2;
    const std::string& tail = x.cell(xcol::TailElim, row);
    if (tail == w.on || tail.empty())
        low14 += 1;
    const std::string& voice = x.cell(xcol::VoiceMode, row);
    if (voice == w.off)
        low14 += 12;
    else if (voice == w.scrambler)
        low14 += 8;
    else if (voice == w.compander)
        low14 += 4;

    unsigned high15 = 0;
    if (t.cell(col::ScanAdd, row) == w.off)
        high15 += 8;
    if (x.cell(xcol::Vox, row) == w.off)
        high15 += 4;
    if (t.cell(col::Dtmf, row) == w.off)
        high15 += 2;
    if (t.cell(col::PttId, row) == w.off)
        high15 += 1;

    // No TX means no offset: the radio must not shift towards FFF.FFF.
    char direction = '0';
    if (!tx.empty()) {
        const long long r = tenHertz(rx), s = tenHertz(tx);
        direction = r == s ? '0' : (r < s ? '1' : '2');
    }

    std::string record = rxField.value() + txField.value() + rxTone.value() + txTone.value() + "FFFF";
    record += hexDigit(high14);
    record += hexDigit(low14);
    record += hexDigit(high15);
    record += direction;
    return record;
}

Result<std::string> encodeAliasRecord(const Codeplug& doc, int row)
{
    std::string codes = StrToHEX(doc.channels().cell(col::Alias, row));
    if (codes.size() != kAliasHexChars)
        return channelError(row, makeError("alias \"" + doc.channels().cell(col::Alias, row) +
                                           "\" is longer than six characters"));
    return codes + "FFFF";
}

void clearRecordCells(Codeplug& doc, int row)
{
    TableUpdate update(doc.channels(), doc.extras());
    for (int c = col::Rx; c <= col::Alias; ++c)
        doc.channels().setCell(c, row, {});
    for (int c = xcol::TailElim; c <= xcol::TxCode; ++c)
        doc.extras().setCell(c, row, {});
}

Status decodeChannelRecord(Codeplug& doc, int row, std::string_view data)
{
    if (row < 1 || row > kChannelCount)
        return makeError("no channel " + std::to_string(row));
    if (data.size() != 2 * kChannelRecordBytes || !isUpperHex(data))
        return channelError(row, makeError("channel record \"" + std::string(data) + "\" is not 16 bytes of hex"));
    TableUpdate update(doc.channels(), doc.extras());
    clearRecordCells(doc, row);
    if (byteAt(data, 0) == 0xFF)
        return success();

    ChannelTable& t = doc.channels();
    ChannelExtras& x = doc.extras();
    const DisplayWords& w = doc.words();
    t.setCell(col::Rx, row, ReadFre(data.substr(0, 8)));
    // An empty TX cell is written as FF FF FF FF; it reads back as empty, not as FFF.FFF1593.
    const std::string_view txField = data.substr(8, 8);
    if (txField != "FFFFFFFF")
        t.setCell(col::Tx, row, ReadFre(txField));
    if (Status s = doc.sendCTC(col::RxTone, row, data.substr(16, 4)); !s)
        return channelError(row, s.error());
    if (Status s = doc.sendCTC(col::TxTone, row, data.substr(20, 4)); !s)
        return channelError(row, s.error());

    const unsigned b14 = byteAt(data, 14);
    t.setCell(col::Power, row, (b14 & 0x80) ? w.high : w.low);
    t.setCell(col::Bandwidth, row, (b14 & 0x40) ? w.wide : w.narrow);
    x.setCell(xcol::BusyLock, row, (b14 & 0x10) ? w.off : w.on);
    x.setCell(xcol::TailElim, row, (b14 & 0x01) ? w.on : w.off);
    switch ((b14 >> 2) & 3) {
    case 3: x.setCell(xcol::VoiceMode, row, w.off); break;
    case 2: x.setCell(xcol::VoiceMode, row, w.scrambler); break;
    case 1: x.setCell(xcol::VoiceMode, row, w.compander); break;
    default: break;  // 0 leaves the voice mode as it was
    }

    const unsigned b15 = byteAt(data, 15);
    t.setCell(col::ScanAdd, row, (b15 & 0x80) ? w.off : w.on);
    x.setCell(xcol::Vox, row, (b15 & 0x40) ? w.off : w.on);
    t.setCell(col::Dtmf, row, (b15 & 0x20) ? w.off : w.on);
    t.setCell(col::PttId, row, (b15 & 0x10) ? w.off : w.on);
    return success();
}

Status decodeAliasRecord(Codeplug& doc, int row, std::string_view data)
{
    if (row < 1 || row > kChannelCount)
        return makeError("no channel " + std::to_string(row));
    if (data.size() < kAliasHexChars)
        return channelError(row, makeError("alias record \"" + std::string(data) + "\" is too short"));
    auto alias = HexToStr(data.substr(0, kAliasHexChars));
    if (!alias)
        return channelError(row, alias.error());
    doc.channels().setCell(col::Alias, row, trimSpaces(alias.value()));
    return success();
}

}  // namespace qx
