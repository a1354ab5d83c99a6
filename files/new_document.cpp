#include "files/new_document.h"

#include "files/language.h"
#include "model/codeplug.h"

namespace qx {

DialogOutcome PendingAction::ok(Codeplug& codeplug)
{
    switch (value_) {
    case pending::NewDocument:
        newDocument(codeplug);
        value_ = pending::Information;
        return DialogOutcome::NewDocument;
    case pending::ClearChannels:
        clearChannels(codeplug);
        value_ = pending::Information;
        return DialogOutcome::ClearChannels;
    default:
        return DialogOutcome::Nothing;
    }
}

void newDocument(Codeplug& codeplug)
{
    // The model holds the defaults and their order once; the channel file and the CLI share them.
    codeplug.newDocument();
}

void clearChannels(Codeplug& codeplug)
{
    codeplug.clearAllChannels();
    codeplug.setCurrent(col::Rx, 1);
}

MessageRequest newDocumentRequest(const LanguageStore& strings)
{
    return {strings.text(msg::ConfirmCaption), strings.text(msg::ConfirmText), pending::NewDocument};
}

MessageRequest clearChannelsRequest(const LanguageStore& strings)
{
    return {strings.text(msg::ConfirmCaption), strings.text(msg::ConfirmText), pending::ClearChannels};
}

MessageRequest portErrorRequest(const LanguageStore& strings)
{
    return {strings.text(msg::PortCaption), strings.text(msg::PortError), pending::Information};
}

MessageRequest transferFailedRequest(const LanguageStore& strings)
{
    return {strings.text(msg::PortCaption), strings.text(msg::TransferFailed), pending::Information};
}

}  // namespace qx
