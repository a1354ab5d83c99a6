#pragma once
// The shared warning and confirmation dialog Tmessage1: a caption, a centred message beside an
// icon, OK and Cancel. The caller sets PendingAction, which says what OK carries out after closing
// the dialog: nothing (1), a new document (2) or clearing the channels (3).

#include <QDialog>

#include <functional>
#include <map>

class QLabel;
class QPushButton;

namespace qx {

namespace PendingAction {
inline constexpr int Nothing = 1;
inline constexpr int NewDocument = 2;
inline constexpr int ClearChannels = 3;
}  // namespace PendingAction

class MessageDialog : public QDialog {
    Q_OBJECT
public:
    explicit MessageDialog(QWidget* parent = nullptr);

    // What OK carries out for an action number (2 and 3); OK sets PendingAction to 1 afterwards.
    void setAction(int action, std::function<void()> run);

    // Show(caption, message, action): shows the dialog modally; returns when it has closed and
    // OK's action, if any, has run.
    void ask(const QString& caption, const QString& message, int action);

    int pendingAction() const { return pendingAction_; }
    QString message() const;
    void setButtonTexts(const QString& ok, const QString& cancel);

    void bsSkinButton1Click();  // OK
    void bsSkinButton2Click();  // Cancel

private:
    QLabel* cap1_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    int pendingAction_ = 0;
    std::map<int, std::function<void()>> actions_;
};

}  // namespace qx
