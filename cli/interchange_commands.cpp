#include "cli/interchange_commands.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "files/atomic_file.h"
#include "files/channel_file.h"
#include "interchange/chirp_csv.h"
#include "interchange/csv.h"
#include "interchange/texts.h"
#include "link/write_check.h"

namespace qx::cli {

namespace {

void printLine(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stderr);
}

}  // namespace

int importCommand(Session& s, const Options& o)
{
    if (o.into && !s.open(*o.into))
        return exitcode::FileError;
    // Capped, so /dev/zero or a huge file cannot exhaust memory before the reader refuses it.
    auto bytes = readFileCapped(o.file, kMaxInterchangeBytes);
    if (!bytes) {
        tell(o.file, bytes.error().message);
        return exitcode::FileError;
    }
    if (bytes.value().tooLarge) {
        tell(o.file, s.store.strings().text(istr::TooLarge));
        return exitcode::FileError;
    }
    auto preview = previewChirpImport(bytes.value().bytes, s.doc, ChirpImportOptions{1, o.byLocation}, s.store.strings());
    if (!preview) {
        tell(o.file, preview.error().message);
        return exitcode::FileError;
    }
    const Preview& p = preview.value();
    // In line order, a line's warnings before its refusal.
    std::vector<std::pair<int, std::string>> lines;
    for (const InterchangeWarning& w : p.warnings)
        lines.emplace_back(w.line, "line " + std::to_string(w.line) + ": warning: " + w.text);
    for (const Refusal& r : p.refused)
        lines.emplace_back(r.line, "line " + std::to_string(r.line) + ": " + refusalText(r, s.store.strings()));
    std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, text] : lines)
        printLine(text);
    if (!p.refused.empty() && !o.partial) {
        tell(o.file, fillIn(s.text(istr::NothingWritten), {std::to_string(p.refused.size())}));
        return exitcode::FileError;
    }
    applyPreview(p, s.doc);
    if (Status saved = saveChannelFile(o.output, s.doc); !saved) {
        tell(s.text(msg::ChannelFileCaption), saved.error().message);
        return exitcode::FileError;
    }
    return exitcode::Success;
}

int exportCommand(Session& s, const Options& o)
{
    if (!s.open(o.file))
        return exitcode::FileError;
    const ChirpExport exported = exportChirpCsv(s.doc, s.store.strings());
    for (const std::string& w : exported.warnings)
        printLine("warning: " + w);
    if (Status written = writeFileAtomically(o.output, exported.csv); !written) {
        tell(o.output, written.error().message);
        return exitcode::FileError;
    }
    return exitcode::Success;
}

}  // namespace qx::cli
