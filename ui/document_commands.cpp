#include "ui/document_commands.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

#include "files/channel_file.h"
#include "files/command_caption.h"
#include "files/config.h"
#include "files/new_document.h"
#include "files/setting_labels.h"
#include "link/write_check.h"
#include "model/codeplug.h"
#include "ui/channel_grid.h"
#include "ui/interchange_commands.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "ui/rw_dialog.h"

namespace qx {

namespace {

ChannelGrid& gridOf(MainWindow& window)
{
    auto* grid = qobject_cast<ChannelGrid*>(window.pageContents(page::Channels));
    Q_ASSERT(grid);
    return *grid;
}

}  // namespace

QWidget* makeChannelGrid(MainWindow& window)
{
    auto* grid = new ChannelGrid(window.codeplug());
    grid->setLanguageText(languageTextOf(window.language()));
    QObject::connect(&window, &MainWindow::languageApplied, grid, &ChannelGrid::retext);
    return grid;
}

DocumentCommands::DocumentCommands(MainWindow& window, MessageDialog& messages, RwDialog& rw)
    : window_(window), grid_(gridOf(window)), messages_(messages), rw_(rw)
{
    chooser_ = [this](FileDialogKind kind) {
        ChirpDialogTexts chirp;
        if (kind == FileDialogKind::ImportChirp || kind == FileDialogKind::ExportChirp) {
            chirp.title = text(kind == FileDialogKind::ImportChirp ? 185 : 184);
            chirp.filter = text(188);
        }
        return askChannelFile(kind, fileDialogLanguage(window_.configFile().toStdString()), &window_, chirp);
    };
    interchange_ = new InterchangeCommands(window_, grid_, messages_,
                                           [this](FileDialogKind kind) { return chooser_(kind); });
    grid_.setMessageDialog(&messages_);
    rw_.setLanguageText(languageTextOf(window_.language()));
    rw_.setSettingLabels(settingLabels(window_.language()));
    rw_.setShownHook([this] { hideCallEditor(); });
    messages_.setAfter(DialogOutcome::NewDocument, [this] {
        grid_.clearFrequencyEditorText();
        grid_.selectCell(col::Rx, 1);  // the single-channel page follows to channel 1
    });

    connect(&window_, &MainWindow::newRequested, this, &DocumentCommands::fsef1Click);
    connect(&window_, &MainWindow::openRequested, this, &DocumentCommands::rsgg1Click);
    connect(&window_, &MainWindow::saveRequested, this, &DocumentCommands::segs1Click);
    connect(&window_, &MainWindow::readRequested, this, &DocumentCommands::gs1Click);
    connect(&window_, &MainWindow::writeRequested, this, &DocumentCommands::N2Click);
    connect(&window_, &MainWindow::languageApplied, this, &DocumentCommands::retext);
    retext();
}

QString DocumentCommands::text(int number) const { return QString::fromStdString(window_.language().text(number)); }

void DocumentCommands::retext()
{
    messages_.setButtonTexts(text(7), text(8));
    rw_.retext();
}

void DocumentCommands::hideCallEditor()
{
    if (auto* editor = window_.findChild<QLineEdit*>(QStringLiteral("bsSkinEdit14")))
        editor->hide();
}

void DocumentCommands::fsef1Click()
{
    hideCallEditor();
    grid_.toneSelector()->hide();
    messages_.ask(newDocumentRequest(window_.language()));
}

void DocumentCommands::prepareForFile()
{
    // The open cell is committed before the page switch, whichever page is shown.
    if (!grid_.frequencyEditor()->isHidden())
        window_.codeplug().sendallcell();
    grid_.frequencyEditor()->hide();
    window_.showPage(page::Channels);
}

void DocumentCommands::rsgg1Click()
{
    prepareForFile();
    const QString path = chooser_(FileDialogKind::Open);
    if (path.isEmpty())
        return;
    auto opened = openChannelFile(path.toStdString(), window_.codeplug(), window_.language().strings());
    grid_.frequencyEditor()->hide();
    if (!opened) {
        messages_.ask(text(msg::ChannelFileCaption), QString::fromStdString(opened.error().message),
                      pending::Information);
        return;
    }
    window_.setWindowTitle(QString::fromStdString(opened.value().windowTitle));
}

void DocumentCommands::segs1Click()
{
    prepareForFile();
    const QString path = chooser_(FileDialogKind::Save);
    if (path.isEmpty())
        return;
    if (Status saved = saveChannelFile(path.toStdString(), window_.codeplug()); !saved)
        messages_.ask(text(msg::ChannelFileCaption), QString::fromStdString(saved.error().message),
                      pending::Information);
}

void DocumentCommands::gs1Click() { transfer(false); }
void DocumentCommands::N2Click() { transfer(true); }

void DocumentCommands::transfer(bool write)
{
    // The open cell is committed before the page switch, whichever page is shown.
    grid_.commitAndHideEditors();
    window_.showPage(page::Channels);

    auto lookup = [this](int number) { return window_.language().text(number); };
    if (write) {
        // A document that cannot be encoded is refused before the port is even looked at.
        if (auto problem = checkBeforeWrite(window_.codeplug(), lookup, settingLabels(window_.language()))) {
            messages_.ask(QString::fromStdString(writeCommandCaption(lookup)),
                          QString::fromStdString(problem->message), pending::Information);
            return;
        }
    }
    auto* item = window_.findChild<QAction*>(QString::fromLatin1(write ? "N2" : "gs1"));
    auto* button = window_.findChild<QToolButton*>(QString::fromLatin1(write ? "bsSkinSpeedButton5" : "bsSkinSpeedButton4"));
    TransferRequest request;
    request.mode = write ? TransferMode::Write : TransferMode::Read;
    request.device = window_.portDevice().toStdString();
    request.singleHead = window_.commMode() == kSingleHeadMode;
    request.title = item ? item->text() : QString();
    request.startText = button ? button->text() : QString();
    rw_.run(request);
}

}  // namespace qx
