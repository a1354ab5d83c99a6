#include "ui/rw_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "files/language.h"
#include "files/new_document.h"
#include "link/blocks.h"
#include "link/posix_port.h"
#include "link/protocol.h"
#include "link/serial_link.h"
#include "ui/message_dialog.h"
#include "ui/qt_serial_port.h"
#include "ui/shell_texts.h"

namespace qx {

namespace {
constexpr int kClientWidth = 332;
constexpr int kClientHeight = 220;
constexpr int kCloseString = 2;
}  // namespace

// The link objects of one opening of the dialog; the port stays open until the dialog closes.
struct RwDialog::Session {
    Session(Codeplug& doc, const TransferRequest& request, TextLookup text)
        : port(request.device), link(port), protocol(link), transfer(doc, protocol, std::move(text))
    {
        link.setSingleHead(request.singleHead);
    }

    QtSerialPort port;
    SerialLink link;
    Protocol protocol;
    Transfer transfer;
};

RwDialog::RwDialog(Codeplug& doc, MessageDialog& messages, QWidget* parent)
    : QDialog(parent), doc_(doc), messages_(messages)
{
    setObjectName("R_and_W");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    text_ = [](int number) { return QString::fromStdString(StringTable::builtIn().text(number)); };

    gauge_ = new QProgressBar(this);
    gauge_->setObjectName("bsSkinGauge1");
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    gauge_->setTextVisible(true);

    start_ = new QPushButton(this);
    start_->setObjectName("bsSkinButton1");
    start_->setAutoDefault(false);
    start_->setMinimumWidth(96);
    close_ = new QPushButton(this);
    close_->setObjectName("bsSkinButton2");
    close_->setAutoDefault(false);
    close_->setMinimumWidth(96);
    connect(start_, &QPushButton::clicked, this, &RwDialog::bsSkinButton1Click);
    connect(close_, &QPushButton::clicked, this, &RwDialog::bsSkinButton2Click);

    status_ = new QLabel(this);
    status_->setObjectName("bsSkinStatusPanel1");
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setFrameShadow(QFrame::Sunken);
    status_->setMargin(3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(start_);
    buttons->addSpacing(24);
    buttons->addWidget(close_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 8, 18, 8);
    layout->setSpacing(18);
    // Bar and buttons sit in the middle of the space above the status line.
    layout->addStretch(1);
    layout->addWidget(gauge_);
    layout->addLayout(buttons);
    layout->addStretch(1);
    layout->addWidget(status_);

    retext();
}

RwDialog::~RwDialog() = default;

void RwDialog::retext()
{
    const QString closeText = text_(kCloseString);
    close_->setText(closeText.isEmpty() ? QStringLiteral("关闭") : closeText);
    status_->setText(QString::fromUtf8(shell::kStatusIndent) + text_(shell::kStatusString));
    fitSize();
}

void RwDialog::fitSize()
{
    // The designed size, wider only when a language's texts would not fit.
    setFixedSize(std::max(kClientWidth, minimumSizeHint().width()), kClientHeight);
}

bool RwDialog::run(const TransferRequest& request)
{
    auto lookup = [this](int number) { return text_(number).toStdString(); };
    auto session = std::make_unique<Session>(doc_, request, lookup);
    session->transfer.setLabelLookup(labels_);
    // A read ends above the maximum to show a full bar; QProgressBar ignores values out of range.
    session->transfer.setProgressObserver(
        [this](int value) { gauge_->setValue(std::clamp(value, gauge_->minimum(), gauge_->maximum())); });
    session->transfer.setChannelsReadHook([this] {
        if (channelsRead_)
            channelsRead_();
    });
    const TransferReport prepared =
        session->transfer.prepare(request.mode, [&request] { return probePort(request.device); });
    if (!prepared.ok()) {
        messages_.ask(QString::fromStdString(prepared.caption), QString::fromStdString(prepared.message),
                      pending::Information);
        return false;
    }
    session_ = std::move(session);

    setWindowTitle(request.title);
    start_->setEnabled(true);
    start_->setText(request.startText);
    gauge_->setRange(0, session_->transfer.progressMax());
    gauge_->setValue(0);
    fitSize();
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
    return true;
}

void RwDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A restore from minimise is a spontaneous show: the band check belongs to opening only.
    if (event->spontaneous())
        return;
    if (session_)
        session_->transfer.showBandCheck();
    start_->setFocus();
    if (shown_)
        shown_();
}

void RwDialog::bsSkinButton1Click()
{
    if (!session_ || session_->transfer.running())
        return;
    start_->setEnabled(false);
    emit transferStarted();
    const TransferReport report = session_->transfer.start();
    start_->setEnabled(true);
    emit transferFinished(report.ok());
    if (!report.ok())
        messages_.ask(QString::fromStdString(report.caption), QString::fromStdString(report.message),
                      pending::Information);
}

void RwDialog::bsSkinButton2Click() { close(); }

bool RwDialog::closeAllowed()
{
    if (!session_)
        return true;
    return session_->transfer.close();
}

void RwDialog::done(int result)
{
    // Every way of closing ends here: the close button, the close box, Escape.
    if (!closeAllowed())
        return;
    QDialog::done(result);
}

bool RwDialog::transferRunning() const { return session_ && session_->transfer.running(); }

int RwDialog::mode() const { return session_ ? int(session_->transfer.mode()) : 0; }

std::string RwDialog::bandCheckResult() const
{
    return session_ ? session_->transfer.bandCheckResult() : std::string(kNoChannelInBand);
}

}  // namespace qx
