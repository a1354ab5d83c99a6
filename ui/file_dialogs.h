#pragma once
// The channel file's open and save dialogs: fixed titles "打开" and "保存", the one filter, and
// their own texts in the language the configuration's "language" names (not the interface's).

#include <QString>

class QFileDialog;
class QWidget;

namespace qx {

struct FileDialogTexts;

// Open and Save are the channel file's; the CHIRP kinds choose a CSV channel list to import from or
// export to.
enum class FileDialogKind { Open, Save, ImportChirp, ExportChirp };

inline constexpr const char* kChannelFileFilter = "KTR-644  文件 (*.kt6)";

// The title and filter of a CHIRP dialog, in the interface's language; the channel file's are fixed.
struct ChirpDialogTexts {
    QString title;
    QString filter;
};

// Sets up a dialog of the kind: title, filter, texts; open and import accept only an existing file,
// save and export neither ask before replacing nor add an extension.
void setUpChannelFileDialog(QFileDialog& dialog, FileDialogKind kind, const FileDialogTexts& texts,
                            const ChirpDialogTexts& chirp = {});

// Shows the dialog with the texts of `language` (1..3; others leave them empty); the chosen path,
// or an empty text when cancelled.
QString askChannelFile(FileDialogKind kind, int language, QWidget* parent, const ChirpDialogTexts& chirp = {});

}  // namespace qx
