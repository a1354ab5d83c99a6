#include "ui/interchange_commands.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>

#include "files/atomic_file.h"
#include "interchange/chirp_csv.h"
#include "interchange/clipboard.h"
#include "interchange/csv.h"
#include "interchange/preview.h"
#include "interchange/texts.h"
#include "model/codeplug.h"
#include "ui/channel_grid.h"
#include "ui/main_window.h"
#include "ui/message_dialog.h"
#include "files/command_caption.h"
#include "ui/preview_dialog.h"

namespace qx {

namespace {

namespace str {
inline constexpr int PasteTitle = 175;
inline constexpr int ImportTitle = 176;
inline constexpr int ExportCaption = 184;
inline constexpr int ImportCaption = 185;
inline constexpr int ExportedWithWarnings = 186;
}  // namespace str

}  // namespace

InterchangeCommands::InterchangeCommands(MainWindow& window, ChannelGrid& grid, MessageDialog& messages,
                                         FileChooser chooser)
    : QObject(&window), window_(window), grid_(grid), messages_(messages), chooser_(std::move(chooser))
{
    preview_ = new PreviewDialog(&window_);
    preview_->setLanguageText(languageTextOf(window_.language()));

    const std::pair<const char*, QKeySequence::StandardKey> keys[] = {
        {"Copy1", QKeySequence::Copy}, {"Cut1", QKeySequence::Cut}, {"Paste1", QKeySequence::Paste}};
    for (const auto& [name, key] : keys) {
        QAction* item = window_.findChild<QAction*>(QString::fromLatin1(name));
        Q_ASSERT(item);
        // Shown in the menu; live only where the grid has the focus (the grid is one of the
        // action's widgets, the menu bar never takes the focus).
        item->setShortcut(QKeySequence(key));
        item->setShortcutContext(Qt::WidgetShortcut);
        grid_.grid()->addAction(item);
    }
    const std::pair<const char*, void (InterchangeCommands::*)()> commands[] = {
        {"Copy1", &InterchangeCommands::copy},
        {"Cut1", &InterchangeCommands::cut},
        {"Paste1", &InterchangeCommands::paste},
        {"ImportChirp1", &InterchangeCommands::importChirp},
        {"ExportChirp1", &InterchangeCommands::exportChirp},
    };
    for (const auto& [name, command] : commands) {
        QAction* item = window_.findChild<QAction*>(QString::fromLatin1(name));
        Q_ASSERT(item);
        connect(item, &QAction::triggered, this, command);
    }
}

InterchangeCommands::~InterchangeCommands() = default;

QString InterchangeCommands::text(int number) const
{
    return QString::fromStdString(window_.language().text(number));
}

void InterchangeCommands::commitGrid()
{
    window_.codeplug().sendallcell();
    grid_.hideEditors();
}

void InterchangeCommands::backToGrid()
{
    // The grid had the focus for the shortcut; a dialog over it gives it back there.
    grid_.grid()->setFocus();
}

void InterchangeCommands::tell(int caption, const QString& message)
{
    messages_.ask(text(caption), message, pending::Information);
}

void InterchangeCommands::copy()
{
    commitGrid();
    const std::string lines = formatClipboard(window_.codeplug(), grid_.selectionFirst(), grid_.selectionLast());
    QGuiApplication::clipboard()->setText(QString::fromStdString(lines));
}

void InterchangeCommands::cut()
{
    copy();
    Codeplug& doc = window_.codeplug();
    TableUpdate update(doc.channels(), doc.extras());
    for (int row = grid_.selectionFirst(); row <= grid_.selectionLast(); ++row)
        doc.deleteChannel(row);
}

void InterchangeCommands::paste()
{
    const QString clip = QGuiApplication::clipboard()->text();
    if (clip.isEmpty())
        return;
    commitGrid();
    Codeplug& doc = window_.codeplug();
    const int start = doc.currentRow() >= 1 ? doc.currentRow() : 1;
    const std::string utf8 = clip.toStdString();
    auto preview = previewPaste(utf8, doc, start, window_.language().strings());
    if (preview_->ask(text(str::PasteTitle), std::move(preview)))
        applyPreview(preview_->preview(), doc);
    backToGrid();
}

void InterchangeCommands::importChirp()
{
    commitGrid();
    const QString path = chooser_(FileDialogKind::ImportChirp);
    if (path.isEmpty())
        return;
    // Too large a file is refused before it is read into memory.
    const QFileInfo info(path);
    if (info.exists() && info.size() > qint64(kMaxInterchangeBytes)) {
        tell(str::ImportCaption, text(istr::TooLarge));
        return;
    }
    auto contents = readWholeFile(path.toStdString());
    if (!contents) {
        tell(str::ImportCaption, QString::fromStdString(contents.error().message));
        return;
    }
    Codeplug& doc = window_.codeplug();
    const int start = doc.currentRow() >= 1 ? doc.currentRow() : 1;
    const std::string csv = std::move(contents.value());
    const StringTable& strings = window_.language().strings();
    const auto build = [&doc, &csv, &strings, start](bool byLocation) {
        return previewChirpImport(csv, doc, ChirpImportOptions{start, byLocation}, strings);
    };
    if (preview_->ask(text(str::ImportTitle), build(false), build))
        applyPreview(preview_->preview(), doc);
}

void InterchangeCommands::exportChirp()
{
    commitGrid();
    const QString path = chooser_(FileDialogKind::ExportChirp);
    if (path.isEmpty())
        return;
    const ChirpExport exported = exportChirpCsv(window_.codeplug(), window_.language().strings());
    if (Status saved = writeFileAtomically(path.toStdString(), exported.csv); !saved) {
        tell(str::ExportCaption, QString::fromStdString(saved.error().message));
        return;
    }
    if (exported.warnings.empty())
        return;
    QString message = text(str::ExportedWithWarnings);
    for (const std::string& warning : exported.warnings)
        message += QLatin1Char('\n') + QString::fromStdString(warning);
    tell(str::ExportCaption, message);
}

}  // namespace qx
