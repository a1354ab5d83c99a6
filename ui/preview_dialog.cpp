#include "ui/preview_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "files/language.h"
#include "link/write_check.h"

namespace qx {

namespace {

namespace str {
inline constexpr int Ok = 7;
inline constexpr int Cancel = 8;
inline constexpr int Replaced = 177;  // %1 channels
inline constexpr int Refused = 178;   // %1 rows
inline constexpr int Warnings = 179;  // %1 warnings
inline constexpr int Line = 180;
inline constexpr int Column = 181;
inline constexpr int Value = 182;
inline constexpr int Reason = 183;
inline constexpr int WarningLine = 187;  // %1 line, %2 text
inline constexpr int ByLocation = 189;
}  // namespace str

QString utf8(const std::string& text) { return QString::fromStdString(text); }

QTableWidgetItem* readOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

PreviewDialog::PreviewDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("PreviewDialog");
    setModal(true);
    text_ = [](int number) { return utf8(StringTable::builtIn().text(number)); };

    count_ = new QLabel(this);
    count_->setObjectName("countLabel");
    count_->setTextFormat(Qt::PlainText);
    count_->setWordWrap(true);
    byLocation_ = new QCheckBox(this);
    byLocation_->setObjectName("byLocationBox");
    refusedCaption_ = new QLabel(this);
    refusedCaption_->setObjectName("refusedLabel");
    refused_ = new QTableWidget(0, 4, this);
    refused_->setObjectName("refusedTable");
    refused_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    refused_->verticalHeader()->hide();
    refused_->horizontalHeader()->setStretchLastSection(true);
    refused_->setWordWrap(false);
    warningsCaption_ = new QLabel(this);
    warningsCaption_->setObjectName("warningsLabel");
    warnings_ = new QListWidget(this);
    warnings_->setObjectName("warningList");
    ok_ = new QPushButton(this);
    ok_->setObjectName("okButton");
    ok_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName("cancelButton");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(count_);
    layout->addWidget(byLocation_);
    layout->addWidget(refusedCaption_);
    layout->addWidget(refused_, 3);
    layout->addWidget(warningsCaption_);
    layout->addWidget(warnings_, 1);
    layout->addLayout(buttons);
    resize(620, 420);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(byLocation_, &QCheckBox::toggled, this, &PreviewDialog::placementToggled);
}

void PreviewDialog::retext()
{
    ok_->setText(text_(str::Ok));
    cancel_->setText(text_(str::Cancel));
    byLocation_->setText(text_(str::ByLocation));
    refused_->setHorizontalHeaderLabels(
        {text_(str::Line), text_(str::Column), text_(str::Value), text_(str::Reason)});
}

bool PreviewDialog::ask(const QString& title, Result<Preview> preview, Rebuild rebuild)
{
    setWindowTitle(title);
    retext();
    rebuild_ = std::move(rebuild);
    byLocation_->blockSignals(true);
    byLocation_->setChecked(false);
    byLocation_->blockSignals(false);
    byLocation_->setVisible(bool(rebuild_));
    showPreview(preview);
    const bool accepted = exec() == QDialog::Accepted;
    rebuild_ = {};
    return accepted && ok_->isEnabled();
}

void PreviewDialog::placementToggled(bool byLocation)
{
    if (rebuild_)
        showPreview(rebuild_(byLocation));
}

void PreviewDialog::showPreview(const Result<Preview>& preview)
{
    refused_->setRowCount(0);
    warnings_->clear();
    const auto filled = [this](int number, int count) {
        return utf8(fillIn(text_(number).toStdString(), {std::to_string(count)}));
    };
    if (!preview) {
        // Nothing of the input can be placed (a header without its columns, too large a text).
        preview_ = Preview{};
        count_->setText(utf8(preview.error().message));
        refusedCaption_->setText(filled(str::Refused, 0));
        warningsCaption_->setText(filled(str::Warnings, 0));
        ok_->setEnabled(false);
        return;
    }
    preview_ = preview.value();
    count_->setText(filled(str::Replaced, preview_.replacedCount()));
    refusedCaption_->setText(filled(str::Refused, int(preview_.refused.size())));
    refused_->setRowCount(int(preview_.refused.size()));
    for (int i = 0; i < int(preview_.refused.size()); ++i) {
        const Refusal& r = preview_.refused[size_t(i)];
        refused_->setItem(i, 0, readOnlyItem(r.line > 0 ? QString::number(r.line) : QString()));
        refused_->setItem(i, 1, readOnlyItem(utf8(r.column)));
        refused_->setItem(i, 2, readOnlyItem(utf8(r.value)));
        refused_->setItem(i, 3, readOnlyItem(utf8(r.reason)));
    }
    refused_->resizeColumnsToContents();
    warningsCaption_->setText(filled(str::Warnings, int(preview_.warnings.size())));
    for (const InterchangeWarning& w : preview_.warnings) {
        const std::string line =
            w.line > 0 ? fillIn(text_(str::WarningLine).toStdString(), {std::to_string(w.line), w.text}) : w.text;
        warnings_->addItem(utf8(line));
    }
    ok_->setEnabled(true);
}

}  // namespace qx
