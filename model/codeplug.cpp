#include "model/codeplug.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "model/frequency.h"

namespace qx {
namespace {

bool isChannelRow(int row) { return row >= 1 && row <= kChannelCount; }

// Replaces a cell holding a form of one of `words` (any language's, or the previous language's
// word) by the current language's word.
void rewordCell(TextTable& table, int column, int row, std::initializer_list<Word> words,
                const DisplayWords& previous, const DisplayWords& current)
{
    const std::string& text = table.cell(column, row);
    if (text.empty())
        return;
    for (Word w : words) {
        if (isRecognisedForm(w, text) || text == previous.get(w)) {
            table.setCell(column, row, current.get(w));
            return;
        }
    }
}

}  // namespace

Codeplug::Codeplug() : tones_(DisplayWords::simplifiedChinese().off), words_(DisplayWords::simplifiedChinese()) {}

void Codeplug::setCurrentRow(int row) { currentRow_ = std::clamp(row, 1, kChannelCount); }

void Codeplug::setCurrentColumn(int column) { currentColumn_ = std::clamp(column, 0, col::Count - 1); }

void Codeplug::setCurrent(int column, int row)
{
    setCurrentColumn(column);
    setCurrentRow(row);
}

void Codeplug::sendcell(int column, int row)
{
    if (!isChannelRow(row))
        return;
    const auto normalised =
        normaliseFrequency(channels_.cell(column, row), settings_.activeRxRange(), settings_.value(keys::Step));
    if (normalised)
        channels_.setCell(column, row, *normalised);
}

void Codeplug::sendallcell()
{
    const int r = currentRow_;
    const int c = currentColumn_;
    if (!isChannelRow(r))
        return;
    if (!channels_.cell(col::Rx, r).empty() && channels_.cell(col::RxTone, r).empty()) {
        // A new channel. Its RX is normalised whichever field was left, so TX copies a clean value.
        sendcell(col::Rx, r);
        fillDefaults(r);
        return;
    }
    if ((c == col::Rx || c == col::Tx) && !channels_.cell(c, r).empty()) {
        sendcell(c, r);
        return;
    }
    if (channels_.cell(col::Rx, r).empty())
        deleteChannel(r);
}

void Codeplug::fillDefaults(int row)
{
    if (!isChannelRow(row))
        return;
    TableUpdate update(channels_, extras_);
    channels_.setCell(col::RxTone, row, words_.off);
    channels_.setCell(col::Tx, row, channels_.cell(col::Rx, row));
    channels_.setCell(col::TxTone, row, words_.off);
    channels_.setCell(col::Power, row, words_.high);
    channels_.setCell(col::Bandwidth, row, words_.wide);
    channels_.setCell(col::ScanAdd, row, words_.on);
    channels_.setCell(col::Dtmf, row, words_.off);
    channels_.setCell(col::PttId, row, words_.off);
    channels_.setCell(col::Alias, row, "");
    extras_.setCell(xcol::TailElim, row, words_.on);
    extras_.setCell(xcol::Vox, row, words_.off);
    extras_.setCell(xcol::BusyLock, row, words_.off);
    extras_.setCell(xcol::RxCode, row, "0");
    extras_.setCell(xcol::TxCode, row, "0");
    extras_.setCell(xcol::VoiceMode, row, words_.off);
}

void Codeplug::clearAllChannels()
{
    TableUpdate update(channels_, extras_);
    for (int row = 1; row <= kChannelCount; ++row)
        deleteChannel(row);
}

void Codeplug::deleteChannel(int row)
{
    if (!isChannelRow(row))
        return;
    TableUpdate update(channels_, extras_);
    for (int c = col::Rx; c <= col::Alias; ++c)
        channels_.setCell(c, row, "");
    for (int c = xcol::TailElim; c <= xcol::VoiceMode; ++c)
        extras_.setCell(c, row, "");
}

void Codeplug::swapChannels(int row)
{
    if (row < 1 || row >= kChannelCount)
        return;
    TableUpdate update(channels_, extras_);
    for (int c = col::Rx; c <= col::Alias; ++c) {
        std::string upper = channels_.cell(c, row);
        channels_.setCell(c, row, channels_.cell(c, row + 1));
        channels_.setCell(c, row + 1, std::move(upper));
    }
    for (int c = xcol::TailElim; c <= xcol::VoiceMode; ++c) {
        std::string upper = extras_.cell(c, row);
        extras_.setCell(c, row, extras_.cell(c, row + 1));
        extras_.setCell(c, row + 1, std::move(upper));
    }
}

void Codeplug::reword(const DisplayWords& words)
{
    const DisplayWords previous = std::exchange(words_, words);
    tones_.setOffWord(words_.off);
    TableUpdate update(channels_, extras_);
    for (int row = 1; row <= kChannelCount; ++row) {
        rewordCell(channels_, col::RxTone, row, {Word::Off}, previous, words_);
        rewordCell(channels_, col::TxTone, row, {Word::Off}, previous, words_);
        rewordCell(channels_, col::Power, row, {Word::High, Word::Low}, previous, words_);
        rewordCell(channels_, col::Bandwidth, row, {Word::Narrow, Word::Wide}, previous, words_);
        for (int c : {col::ScanAdd, col::Dtmf, col::PttId})
            rewordCell(channels_, c, row, {Word::Off, Word::On}, previous, words_);
        for (int c : {xcol::TailElim, xcol::Vox, xcol::BusyLock})
            rewordCell(extras_, c, row, {Word::Off, Word::On}, previous, words_);
        rewordCell(extras_, xcol::VoiceMode, row, {Word::Off, Word::Compander, Word::Scrambler}, previous, words_);
    }
}

Result<std::string> Codeplug::writeRxcode(int column, int row) const
{
    return toneCode(channels_.cell(column, row), words_.off, ToneSide::Decode)
        .withContext("channel " + channelNumberText(row));
}

Result<std::string> Codeplug::writeTxcode(int column, int row) const
{
    return toneCode(channels_.cell(column, row), words_.off, ToneSide::Encode)
        .withContext("channel " + channelNumberText(row));
}

Status Codeplug::sendCTC(int column, int row, std::string_view code)
{
    if (column != col::RxTone && column != col::TxTone)
        return makeError("column " + std::to_string(column) + " holds no tone");
    if (!isChannelRow(row))
        return makeError("row " + std::to_string(row) + " is no channel");
    auto reading = readToneCode(code, tones_);
    if (!reading.ok())
        return reading.error().withContext("channel " + channelNumberText(row));
    TableUpdate update(channels_, extras_);
    channels_.setCell(column, row, reading.value().text);
    extras_.setCell(column == col::RxTone ? xcol::RxCode : xcol::TxCode, row, std::to_string(reading.value().index));
    return success();
}

void Codeplug::newDocument()
{
    settings_.resetToDefaults();
    clearAllChannels();
    setCurrent(col::Rx, 1);
}

bool Codeplug::isHighPower(int row) const { return channels_.cell(col::Power, row) == words_.high; }

bool Codeplug::isWide(int row) const { return channels_.cell(col::Bandwidth, row) == words_.wide; }

}  // namespace qx
