#pragma once
// The read/write dialog TR_and_W: one transfer with the radio per start press, over the link's
// transfer code. The read and write commands prepare it (probe and open the port, title, start
// text, progress range) and show it modally; showing it runs the band check; closing is refused
// while a transfer runs and closes the port.

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "link/transfer.h"
#include "ui/language_text.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace qx {

class Codeplug;
class MessageDialog;

// What a read or write command hands the dialog.
struct TransferRequest {
    TransferMode mode = TransferMode::Read;
    std::string device;      // the device of the selected COM port
    bool singleHead = false; // the cable echoes what is sent
    QString title;           // the menu item's caption
    QString startText;       // the toolbar button's caption
};

class RwDialog : public QDialog {
    Q_OBJECT
public:
    RwDialog(Codeplug& doc, MessageDialog& messages, QWidget* parent = nullptr);
    ~RwDialog() override;

    void setLanguageText(LanguageText text) { text_ = std::move(text); }
    // The labels a refused setting is named by (string 147).
    void setSettingLabels(LabelLookup labels) { labels_ = std::move(labels); }
    // Close button (string 2) and status line (five spaces and string 61).
    void retext();
    // After the channel loop of a read (the single-channel page refreshes).
    void setChannelsReadHook(std::function<void()> hook) { channelsRead_ = std::move(hook); }
    // When the dialog is shown, after the band check (the DTMF page hides its call-list editor).
    void setShownHook(std::function<void()> hook) { shown_ = std::move(hook); }

    // Probes the port; if it cannot be opened shows the port error and returns false. Otherwise
    // prepares, opens the port and shows the dialog modally; returns when it has been closed.
    bool run(const TransferRequest& request);

    // Start: one transfer, then the failure message if it failed.
    void bsSkinButton1Click();
    // Close (refused while a transfer runs).
    void bsSkinButton2Click();

    bool transferRunning() const;
    int mode() const;
    std::string bandCheckResult() const;
    QProgressBar* gauge() const { return gauge_; }
    QPushButton* startButton() const { return start_; }

signals:
    // A transfer has begun (the start button is disabled) or ended.
    void transferStarted();
    void transferFinished(bool ok);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    struct Session;
    bool closeAllowed();
    void fitSize();

    Codeplug& doc_;
    MessageDialog& messages_;
    LanguageText text_;
    LabelLookup labels_;
    std::function<void()> channelsRead_;
    std::function<void()> shown_;
    std::unique_ptr<Session> session_;
    QProgressBar* gauge_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace qx
