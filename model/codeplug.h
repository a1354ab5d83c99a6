#pragma once
// The whole document the editor shows and the link and channel file read and write: settings,
// channel tables, tone list, display words, and the editing position, with the channel operations.

#include <string>
#include <string_view>

#include "model/channel_table.h"
#include "model/display_words.h"
#include "model/radio_settings.h"
#include "model/result.h"
#include "model/tone_list.h"

namespace qx {

class Codeplug {
public:
    Codeplug();

    RadioSettings& settings() { return settings_; }
    const RadioSettings& settings() const { return settings_; }
    ChannelTable& channels() { return channels_; }
    const ChannelTable& channels() const { return channels_; }
    ChannelExtras& extras() { return extras_; }
    const ChannelExtras& extras() const { return extras_; }
    const ToneList& tones() const { return tones_; }
    const DisplayWords& words() const { return words_; }

    // Editing position: row 1..128, column 0..11 (values outside are clamped).
    int currentRow() const { return currentRow_; }
    int currentColumn() const { return currentColumn_; }
    void setCurrentRow(int row);
    void setCurrentColumn(int column);
    void setCurrent(int column, int row);

    // Normalises the frequency text of cell (column, row) in place against the receive range of the
    // band in use and the step setting. Empty or non-numeric text is left as it is.
    void sendcell(int column, int row);
    // Commits the current cell: completes a new channel (RX normalised, TX = RX, defaults),
    // normalises an edited RX/TX frequency, or empties the rest of a channel whose RX was cleared.
    void sendallcell();
    // New-channel values for row; TX = RX.
    void fillDefaults(int row);
    // Empties columns 1-10 and extras 1-6 of every channel row.
    void clearAllChannels();
    // Empties columns 1-10 and extras 1-6 of one row.
    void deleteChannel(int row);
    // Exchanges columns 1-10 and extras 1-6 of row and row + 1 (row 1..127; otherwise nothing).
    void swapChannels(int row);
    // Sets the display words, re-words both tables' recognised words and sets tone entry 0.
    void reword(const DisplayWords& words);

    // Tone code of the decode (writeRxcode) or encode (writeTxcode) tone cell; an error names the
    // channel and the text when the text has no code.
    Result<std::string> writeRxcode(int column, int row) const;
    Result<std::string> writeTxcode(int column, int row) const;
    // Sets tone cell (column 2 or 4) of row and its code cell (extras 4 or 5) from a code read from
    // the radio. Fails, changing nothing, on a bad column, row or code.
    Status sendCTC(int column, int row, std::string_view code);

    // A new document: settings back to their defaults, channels cleared, position column 1 row 1.
    void newDocument();

    // Switch-cell meanings, as every consumer reads them.
    bool isHighPower(int row) const;
    bool isWide(int row) const;
    bool isOn(const std::string& cellText) const { return cellText != words_.off; }
    bool isEmptyChannel(int row) const { return channels_.cell(col::Rx, row).empty(); }

private:
    RadioSettings settings_;
    ChannelTable channels_;
    ChannelExtras extras_;
    ToneList tones_;
    DisplayWords words_;
    int currentRow_ = 1;
    int currentColumn_ = col::Rx;
};

}  // namespace qx
