#pragma once
// The document side of the shared message dialog: the action its OK button carries out
// (`PendingAction`), a new document and clearing the channels, and the caption and text each
// caller shows. The dialog window and the editors' own share (hiding editors, the grid selection
// on screen, the single-channel number) live in the UI.

#include <string>

namespace qx {

class Codeplug;
class LanguageStore;

// Values of `PendingAction`.
namespace pending {
inline constexpr int Information = 1;    // OK only closes
inline constexpr int NewDocument = 2;
inline constexpr int ClearChannels = 3;
}  // namespace pending

// What OK did, so the UI can do its share.
enum class DialogOutcome { Nothing, NewDocument, ClearChannels };

// The one number every caller sets before showing the dialog; 0 until the first caller sets it.
class PendingAction {
public:
    int value() const { return value_; }
    void set(int value) { value_ = value; }

    // OK: carries out action 2 or 3 on the document and then sets the value to 1; any other
    // value does nothing. Cancel needs no call: it only closes and the value stays.
    DialogOutcome ok(Codeplug& codeplug);

private:
    int value_ = 0;
};

// A new document: every setting but the band ranges and Key Assignment 2 back to its default
// through the normal assignment (so the dependency rules act), all channels cleared, the editing
// position at column 1 of row 1. Column 0, column 11, the headers and the band lists stay.
void newDocument(Codeplug& codeplug);

// Clears all channels and puts the editing position at column 1 of row 1; settings stay.
void clearChannels(Codeplug& codeplug);

// What a caller puts into the dialog.
struct MessageRequest {
    std::string caption;
    std::string text;
    int action = pending::Information;
};

MessageRequest newDocumentRequest(const LanguageStore& strings);    // 62, 64, action 2
MessageRequest clearChannelsRequest(const LanguageStore& strings);  // 62, 64, action 3
MessageRequest portErrorRequest(const LanguageStore& strings);      // 58, 59, action 1
MessageRequest transferFailedRequest(const LanguageStore& strings); // 58, 60, action 1

}  // namespace qx
