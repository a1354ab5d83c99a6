#include "ui/message_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "files/language.h"

namespace qx {

MessageDialog::MessageDialog(Codeplug& doc, QWidget* parent) : QDialog(parent), doc_(doc)
{
    setObjectName("Tmessage1");
    setWindowTitle(QStringLiteral("警告"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName("Image1");
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(48, 48));
    icon->setFixedSize(48, 48);

    cap1_ = new QLabel(this);
    cap1_->setObjectName("cap1");
    cap1_->setAlignment(Qt::AlignCenter);
    // Messages carry paths and values from files: never read them as markup.
    cap1_->setTextFormat(Qt::PlainText);
    cap1_->setWordWrap(true);
    cap1_->setMinimumWidth(260);

    const StringTable& builtIn = StringTable::builtIn();
    ok_ = new QPushButton(QString::fromStdString(builtIn.text(7)), this);
    ok_->setObjectName("bsSkinButton1");
    ok_->setDefault(true);
    cancel_ = new QPushButton(QString::fromStdString(builtIn.text(8)), this);
    cancel_->setObjectName("bsSkinButton2");
    connect(ok_, &QPushButton::clicked, this, &MessageDialog::bsSkinButton1Click);
    connect(cancel_, &QPushButton::clicked, this, &MessageDialog::bsSkinButton2Click);

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(cap1_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MessageDialog::setAfter(DialogOutcome outcome, std::function<void()> run) { after_[outcome] = std::move(run); }

void MessageDialog::ask(const QString& caption, const QString& message, int action)
{
    setWindowTitle(caption);
    cap1_->setText(message);
    pending_.set(action);
    adjustSize();
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ok_->setFocus();
    exec();
}

void MessageDialog::ask(const MessageRequest& request)
{
    ask(QString::fromStdString(request.caption), QString::fromStdString(request.text), request.action);
}

QString MessageDialog::message() const { return cap1_->text(); }

void MessageDialog::setButtonTexts(const QString& ok, const QString& cancel)
{
    ok_->setText(ok);
    cancel_->setText(cancel);
}

void MessageDialog::bsSkinButton1Click()
{
    accept();
    const DialogOutcome outcome = pending_.ok(doc_);
    auto it = after_.find(outcome);
    if (it != after_.end() && it->second)
        it->second();
}

void MessageDialog::bsSkinButton2Click() { reject(); }

}  // namespace qx
