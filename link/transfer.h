#pragma once
// One read or write with the radio, as the editor's read/write dialog and the command-line tool
// both run it: prepare (probe and open the port), the band check when the dialog is shown, the
// start button's transfer, and the outcome with its message.

#include <functional>
#include <optional>
#include <string>

#include "link/sequences.h"
#include "link/write_check.h"
#include "model/result.h"

namespace qx {

class Codeplug;
class Protocol;

enum class TransferMode { Read = 1, Write = 2 };

// Language strings of the transfer messages.
inline constexpr int kTransferCaptionString = 58;
inline constexpr int kPortErrorString = 59;
inline constexpr int kCommunicationFailureString = 60;

enum class Outcome {
    Success,               // no message
    PortError,             // the port cannot be opened: 58 / 59
    CommunicationFailure,  // the transfer failed: 58 / 60
    Refused,               // the document cannot be written: 58 / 146 or 147, nothing was sent
};

struct TransferReport {
    Outcome outcome = Outcome::Success;
    std::string caption;   // empty on success
    std::string message;   // empty on success
    std::string detail;    // what failed, in the link's own words (for logs and the CLI)
    std::optional<WriteProblem> problem;  // Refused only

    bool ok() const { return outcome == Outcome::Success; }
};

// The band check: the first filled channel whose RX frequency f lies in the selected band's
// receive range (lo <= f < hi), as two hex digits ("01".."80"); "FF" when there is none, and then
// VFO/MR := VFO and MR freq./MR CH := MR freq. A range text without limits holds no channel.
std::string bandCheck(Codeplug& doc);

class Transfer {
public:
    // protocol's link decides the cable mode; text gives the current language strings.
    Transfer(Codeplug& doc, Protocol& protocol, TextLookup text);

    // The setting labels named by a refusal (string 147); the key when not set.
    void setLabelLookup(LabelLookup label) { label_ = std::move(label); }
    // Called with every progress value.
    void setProgressObserver(Progress::Observer observer);
    // Called after the channel loop of a read (the single-channel page refreshes).
    void setChannelsReadHook(std::function<void()> hook) { channelsRead_ = std::move(hook); }

    // The read or write command: probe, then mode, progress 0 of 138 or 148, then open the port.
    // A failed probe or open gives PortError and changes nothing else.
    TransferReport prepare(TransferMode mode, const std::function<Status()>& probe);

    // When the dialog is shown: runs the band check and keeps its result for a write.
    const std::string& showBandCheck();
    const std::string& bandCheckResult() const { return bandCheck_; }

    // The start button: for a write the document check first (a refusal sends nothing); then the
    // port reset (an open failing here is a communication failure), handshake, the sequence of the
    // mode, the end command always.
    TransferReport start();

    // Closing the dialog: refused while a transfer runs; closes the port.
    bool close();
    bool running() const { return running_; }

    TransferMode mode() const { return mode_; }
    int progressMax() const { return progressMax_; }
    const Progress& progress() const { return progress_; }

private:
    TransferReport report(Outcome outcome, int messageString, std::string detail) const;

    Codeplug& doc_;
    Protocol& protocol_;
    TextLookup text_;
    LabelLookup label_;
    std::function<void()> channelsRead_;
    Progress progress_;
    TransferMode mode_ = TransferMode::Read;
    int progressMax_ = 100;
    std::string bandCheck_ = "FF";
    bool running_ = false;
};

}  // namespace qx
