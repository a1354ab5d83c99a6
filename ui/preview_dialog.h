#pragma once
// The preview of a paste or an import, shown before anything changes: how many channels applying
// replaces, every refused row with its line, column, value and reason, and every warning. OK
// accepts; Cancel (or closing the dialog) leaves the document as it is. The caller applies.

#include <QDialog>

#include <functional>

#include "interchange/preview.h"
#include "model/result.h"
#include "ui/language_text.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace qx {

class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreviewDialog(QWidget* parent = nullptr);

    void setLanguageText(LanguageText text) { text_ = std::move(text); }

    // An import's placement option: the preview for rows placed by their Location column or not.
    using Rebuild = std::function<Result<Preview>(bool byLocation)>;

    // Shows `preview` under `title` modally; true when the user accepted it. With a rebuild the
    // dialog offers the placement option and shows the preview it gives, which is then the one
    // accepted (preview()). A preview that failed as a whole shows its error and cannot be accepted.
    bool ask(const QString& title, Result<Preview> preview, Rebuild rebuild = {});

    // The preview shown when the dialog closed.
    const Preview& preview() const { return preview_; }

private:
    void retext();
    void showPreview(const Result<Preview>& preview);
    void placementToggled(bool byLocation);

    LanguageText text_;
    Rebuild rebuild_;
    Preview preview_;
    QLabel* count_ = nullptr;
    QLabel* refusedCaption_ = nullptr;
    QTableWidget* refused_ = nullptr;
    QLabel* warningsCaption_ = nullptr;
    QListWidget* warnings_ = nullptr;
    QCheckBox* byLocation_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace qx
