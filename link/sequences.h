#pragma once
// The read and write sequences: the order of the blocks, which are counted, the progress steps,
// and where each failure stops. They run after a successful handshake; the caller sends the end
// command. The outcome is the protocol's ok flag; the returned Status carries the first failure.

#include <functional>
#include <string_view>
#include <utility>

#include "model/result.h"

namespace qx {

class Codeplug;
class Protocol;

inline constexpr int kReadProgressMax = 138;
inline constexpr int kWriteProgressMax = 148;
// A complete read ends above the maximum, so the bar shows full.
inline constexpr int kReadProgressDone = 208;

// The progress value of one transfer; every change is announced to the dialog or the CLI.
class Progress {
public:
    using Observer = std::function<void(int value)>;

    explicit Progress(Observer onChange = {}) : onChange_(std::move(onChange)) {}

    int value() const { return value_; }
    void set(int value);
    void step() { set(value_ + 1); }

private:
    Observer onChange_;
    int value_ = 0;
};

// Reads the whole radio into doc, block by block with no staging copy: what was decoded before a
// failure stays. channelsRead is called after the channel loop, whether it completed or stopped on
// a channel record (the single-channel page refreshes from the tables); not when an alias failed.
Status readSequence(Protocol& protocol, Codeplug& doc, Progress& progress,
                    const std::function<void()>& channelsRead = {});

// Writes doc into the radio. The band block is read first and a radio without band data is not
// written at all. bandCheck ("FF" or the first channel in the band, two hex digits) becomes byte 0
// of 0C80. The password block is written only when Change Password is set.
Status writeSequence(Protocol& protocol, const Codeplug& doc, std::string_view bandCheck, Progress& progress);

}  // namespace qx
