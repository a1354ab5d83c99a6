#pragma once
// The editor's channel interchange: Edit > Copy, Cut and Paste through the system clipboard, and
// File > Import / Export > CHIRP CSV. Every paste and import is previewed before anything changes;
// what the text means is the interchange core's (interchange/), this class only shows and applies.

#include <QObject>
#include <QString>

#include <functional>

#include "ui/file_dialogs.h"

class QAction;

namespace qx {

class ChannelGrid;
class MainWindow;
class MessageDialog;
class PreviewDialog;

class InterchangeCommands : public QObject {
    Q_OBJECT
public:
    using FileChooser = std::function<QString(FileDialogKind)>;

    // Takes the window's Copy1, Cut1, Paste1, ImportChirp1 and ExportChirp1 items. The clipboard
    // shortcuts act only while the grid itself has the focus: in an in-place editor or a page's text
    // field the keys stay that field's (where the paste guards block Ctrl+V).
    InterchangeCommands(MainWindow& window, ChannelGrid& grid, MessageDialog& messages, FileChooser chooser);
    ~InterchangeCommands() override;

    PreviewDialog& previewDialog() const { return *preview_; }

    void copy();
    void cut();
    void paste();
    void importChirp();
    void exportChirp();

private:
    QString text(int number) const;
    // The open grid cell is committed, so the command sees the document as shown.
    void commitGrid();
    void backToGrid();
    void tell(int caption, const QString& message);

    MainWindow& window_;
    ChannelGrid& grid_;
    MessageDialog& messages_;
    FileChooser chooser_;
    PreviewDialog* preview_ = nullptr;
};

}  // namespace qx
