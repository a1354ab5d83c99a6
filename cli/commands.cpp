#include "cli/commands.h"

#include <cstdio>
#include <unistd.h>

#include "cli/document.h"
#include "cli/interchange_commands.h"
#include "cli/progress_bar.h"
#include "cli/session.h"
#include "cli/show.h"
#include "files/channel_file.h"
#include "files/command_caption.h"
#include "files/config.h"
#include "files/language.h"
#include "files/setting_labels.h"
#include "files/startup_document.h"
#include "link/posix_port.h"
#include "link/protocol.h"
#include "link/serial_link.h"
#include "link/transfer.h"
#include "link/write_check.h"
#include "model/codeplug.h"

namespace qx::cli {

namespace {

int exitStatus(const TransferReport& report)
{
    switch (report.outcome) {
    case Outcome::Success:
        return exitcode::Success;
    case Outcome::PortError:
        return exitcode::PortError;
    case Outcome::CommunicationFailure:
        return exitcode::CommunicationFailure;
    case Outcome::Refused:
        return exitcode::FileError;
    }
    return exitcode::CommunicationFailure;
}

// The read or write command as the editor's dialog runs it: prepare (probe, open), the band
// check of the dialog's showing, the start button's transfer, closing.
int transfer(Session& s, const Options& o, TransferMode mode)
{
    const std::string device = portDevicePath(s.config, o.port);
    PosixPort port(device);
    SerialLink link(port);
    link.setSingleHead(o.singleHead.value_or(s.config.commode == kSingleHeadMode));
    Protocol protocol(link);
    Transfer t(s.doc, protocol, [&s](int number) { return s.text(number); });
    t.setLabelLookup(settingLabels(s.store));

    TransferReport report = t.prepare(mode, [&device] { return probePort(device); });
    if (report.ok()) {
        t.showBandCheck();
        ProgressBar bar(stderr, isatty(STDERR_FILENO) == 1);
        t.setProgressObserver([&bar, &t](int value) { bar.update(value, t.progressMax()); });
        report = t.start();
        t.close();
    }
    if (!report.ok())
        tell(report.caption, report.message, report.detail);
    return exitStatus(report);
}

int readCommand(Session& s, const Options& o)
{
    if (const int status = transfer(s, o, TransferMode::Read); status != exitcode::Success)
        return status;
    // Only a complete read is saved; the save replaces the file in one step.
    if (Status saved = saveChannelFile(o.file, s.doc); !saved) {
        tell(s.text(msg::ChannelFileCaption), saved.error().message);
        return exitcode::FileError;
    }
    return exitcode::Success;
}

int writeCommand(Session& s, const Options& o)
{
    if (!s.open(o.file))
        return exitcode::FileError;
    RadioSettings& settings = s.doc.settings();
    settings.assign(keys::ChangePassword, o.password ? 1 : 0);
    if (o.password)
        settings.assignText(keys::Password, *o.password);
    // As in the editor, a document that cannot be written is refused before the port is looked at.
    const auto text = [&s](int number) { return s.text(number); };
    if (auto problem = checkBeforeWrite(s.doc, text, settingLabels(s.store))) {
        tell(writeCommandCaption(text), problem->message);
        return exitcode::FileError;
    }
    return transfer(s, o, TransferMode::Write);
}

int showCommand(Session& s, const Options& o)
{
    if (!s.open(o.file))
        return exitcode::FileError;
    const std::string text = formatDocument(s.doc);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? exitcode::Success : exitcode::FileError;
}

}  // namespace

int run(const Options& options, const std::string& programDir)
{
    if (options.command == Command::Help) {
        std::fputs(kUsage, stdout);
        return exitcode::Success;
    }
    Session session(options, programDir);
    switch (options.command) {
    case Command::Read:
        return readCommand(session, options);
    case Command::Write:
        return writeCommand(session, options);
    case Command::Show:
        return showCommand(session, options);
    case Command::Import:
        return importCommand(session, options);
    case Command::Export:
        return exportCommand(session, options);
    case Command::Help:
        break;
    }
    return exitcode::Success;
}

}  // namespace qx::cli
