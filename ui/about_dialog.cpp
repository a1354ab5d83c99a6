#include "ui/about_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/app_icon.h"
#include "ui/shell_texts.h"
#include "ui/window_placement.h"

namespace qx {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutForm"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setModal(true);
  setTitleText(QStringLiteral("关于"));

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("Image1"));
  icon->setPixmap(programPixmap(64));
  icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

  // Component names of the four lines, top to bottom.
  const char* names[4] = {"bsSkinStdLabel3", "bsSkinStdLabel4", "bsSkinStdLabel2", "bsSkinStdLabel1"};
  auto* text = new QVBoxLayout;
  text->setSpacing(6);
  for (size_t i = 0; i < lines_.size(); ++i) {
    lines_[i] = new QLabel(this);
    lines_[i]->setObjectName(QString::fromLatin1(names[i]));
    lines_[i]->setMinimumWidth(240);
    text->addWidget(lines_[i]);
  }
  QFont product = lines_[0]->font();
  product.setBold(true);
  product.setPointSizeF(product.pointSizeF() * 1.2);
  lines_[0]->setFont(product);
  lines_[0]->setText(QStringLiteral("QX-4100D"));
  lines_[3]->setText(QString::fromUtf8(shell::kMakerName));
  text->addStretch();

  auto* top = new QHBoxLayout;
  top->setSpacing(16);
  top->addWidget(icon);
  top->addLayout(text, 1);

  button_ = new QPushButton(QStringLiteral("Ok"), this);
  button_->setObjectName(QStringLiteral("bsSkinButton2"));
  button_->setDefault(true);
  button_->setMinimumWidth(88);
  connect(button_, &QPushButton::clicked, this, &AboutDialog::bsSkinButton1Click);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(button_);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(18, 18, 18, 14);
  outer->setSpacing(14);
  outer->addLayout(top);
  outer->addLayout(buttons);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutDialog::setLine(int line, const QString& text) {
  if (line >= 1 && line <= static_cast<int>(lines_.size())) lines_[static_cast<size_t>(line - 1)]->setText(text);
}

QString AboutDialog::line(int line) const {
  if (line < 1 || line > static_cast<int>(lines_.size())) return {};
  return lines_[static_cast<size_t>(line - 1)]->text();
}

void AboutDialog::setTitleText(const QString& aboutText) { setWindowTitle(aboutText + QStringLiteral("...")); }

void AboutDialog::setButtonText(const QString& text) { button_->setText(text); }

void AboutDialog::showCentred() {
  adjustSize();
  centreOnScreen(*this);
  exec();
}

void AboutDialog::bsSkinButton1Click() { accept(); }

}  // namespace qx
