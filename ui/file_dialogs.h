#pragma once
// The channel file's open and save dialogs: fixed titles "打开" and "保存", the one filter, and
// their own texts in the language the configuration's "language" names (not the interface's).

#include <QString>

class QFileDialog;
class QWidget;

namespace qx {

struct FileDialogTexts;

enum class FileDialogKind { Open, Save };

inline constexpr const char* kChannelFileFilter = "KTR-644  文件 (*.kt6)";

// Sets up a dialog of the kind: title, filter, texts; open accepts only an existing file, save
// neither asks before replacing nor adds an extension.
void setUpChannelFileDialog(QFileDialog& dialog, FileDialogKind kind, const FileDialogTexts& texts);

// Shows the dialog with the texts of `language` (1..3; others leave them empty); the chosen path,
// or an empty text when cancelled.
QString askChannelFile(FileDialogKind kind, int language, QWidget* parent);

}  // namespace qx
