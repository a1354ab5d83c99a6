#pragma once
// The shared warning and confirmation dialog Tmessage1: a caption, a centred message beside an
// icon, OK and Cancel. The caller sets PendingAction, which says what OK carries out on the
// document after closing the dialog (files/new_document.h); the editors add their own share
// through the hooks.

#include <QDialog>

#include <functional>
#include <map>

#include "files/new_document.h"

class QLabel;
class QPushButton;

namespace qx {

class MessageDialog : public QDialog {
    Q_OBJECT
public:
    explicit MessageDialog(Codeplug& doc, QWidget* parent = nullptr);

    // The editors' share after OK carried out a new document or a clear.
    void setAfter(DialogOutcome outcome, std::function<void()> run);

    // Show(caption, message, action): shows the dialog modally; returns when it has closed and
    // OK's action, if any, has run.
    void ask(const QString& caption, const QString& message, int action);
    void ask(const MessageRequest& request);

    int pendingAction() const { return pending_.value(); }
    QString message() const;
    // OK and Cancel, strings 7 and 8.
    void setButtonTexts(const QString& ok, const QString& cancel);

    void bsSkinButton1Click();  // OK
    void bsSkinButton2Click();  // Cancel

private:
    Codeplug& doc_;
    PendingAction pending_;
    QLabel* cap1_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::map<DialogOutcome, std::function<void()>> after_;
};

}  // namespace qx
