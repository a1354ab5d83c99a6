#include "ui/file_dialogs.h"

#include <QAbstractButton>
#include <QFileDialog>

#include "files/language.h"

namespace qx {

namespace {

QString utf8(const std::string& text) { return QString::fromStdString(text); }

void setHint(QFileDialog& dialog, const char* buttonName, const std::string& hint)
{
    if (auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(buttonName)))
        button->setToolTip(utf8(hint));
}

}  // namespace

void setUpChannelFileDialog(QFileDialog& dialog, FileDialogKind kind, const FileDialogTexts& texts,
                            const ChirpDialogTexts& chirp)
{
    const bool open = kind == FileDialogKind::Open || kind == FileDialogKind::ImportChirp;
    const bool channelFile = kind == FileDialogKind::Open || kind == FileDialogKind::Save;
    // Qt's own dialog, so every text below is ours on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (channelFile) {
        dialog.setWindowTitle(open ? QStringLiteral("打开") : QStringLiteral("保存"));
        dialog.setNameFilter(QString::fromUtf8(kChannelFileFilter));
    } else {
        dialog.setWindowTitle(chirp.title);
        dialog.setNameFilter(chirp.filter);
    }
    if (open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(QString());
    }
    dialog.setLabelText(QFileDialog::LookIn, utf8(texts.lookIn));
    dialog.setLabelText(QFileDialog::FileName, utf8(texts.fileName));
    dialog.setLabelText(QFileDialog::FileType, utf8(texts.fileType));
    dialog.setLabelText(QFileDialog::Accept, utf8(open ? texts.open : texts.save));
    dialog.setLabelText(QFileDialog::Reject, utf8(texts.cancel));
    setHint(dialog, "backButton", texts.backHint);
    setHint(dialog, "toParentButton", texts.upHint);
    setHint(dialog, "newFolderButton", texts.newFolderHint);
    setHint(dialog, "listModeButton", texts.list);
    setHint(dialog, "detailModeButton", texts.details);
}

QString askChannelFile(FileDialogKind kind, int language, QWidget* parent, const ChirpDialogTexts& chirp)
{
    QFileDialog dialog(parent);
    setUpChannelFileDialog(dialog, kind, fileDialogTexts(language), chirp);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

}  // namespace qx
