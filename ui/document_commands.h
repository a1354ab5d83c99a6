#pragma once
// The document commands of the main window: New, Open, Save, Read and Write, with the channel grid
// on page 1, the message dialog and the read/write dialog. The window only routes its menu items
// and toolbar buttons here.

#include <QObject>
#include <QString>

#include <functional>

#include "ui/file_dialogs.h"

namespace qx {

class ChannelGrid;
class InterchangeCommands;
class MainWindow;
class MessageDialog;
class RwDialog;

// Page 1's contents: the channel grid over the window's codeplug, following the language.
QWidget* makeChannelGrid(MainWindow& window);

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    // The window's page 1 must hold the channel grid (makeChannelGrid).
    DocumentCommands(MainWindow& window, MessageDialog& messages, RwDialog& rw);

    // Copy, Cut, Paste and the CHIRP CSV import and export, which choose files through the same
    // chooser.
    InterchangeCommands& interchange() const { return *interchange_; }

    // Where Open, Save, Import and Export get their file name; the file dialogs by default. An empty
    // name cancels.
    using FileChooser = std::function<QString(FileDialogKind)>;
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    void fsef1Click();  // New
    void rsgg1Click();  // Open
    void segs1Click();  // Save
    void gs1Click();    // Read
    void N2Click();     // Write

private:
    QString text(int number) const;
    void retext();
    void hideCallEditor();
    void prepareForFile();
    void transfer(bool write);

    MainWindow& window_;
    ChannelGrid& grid_;
    MessageDialog& messages_;
    RwDialog& rw_;
    FileChooser chooser_;
    InterchangeCommands* interchange_ = nullptr;
};

}  // namespace qx
