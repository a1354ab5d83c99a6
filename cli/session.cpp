#include "cli/session.h"

#include <cstdio>

#include "files/channel_file.h"
#include "files/startup_document.h"

namespace qx::cli {

void tell(const std::string& caption, const std::string& message, const std::string& detail)
{
    std::string line = "qx4100ctl: ";
    if (!caption.empty())
        line += caption + ": ";
    line += message + "\n";
    if (!detail.empty() && detail != message)
        line += "qx4100ctl: " + detail + "\n";
    std::fputs(line.c_str(), stderr);
}

Session::Session(const Options& o, const std::string& dir)
    : programDir(dir), config(loadConfiguration(configPath(dir))), store(dir)
{
    startupDocument(doc, config, store, o.language.value_or(startupLanguage(dir)));
}

bool Session::open(const std::string& path)
{
    auto opened = openChannelFile(path, doc, store.strings());
    if (opened)
        return true;
    tell(text(msg::ChannelFileCaption), opened.error().message);
    return false;
}

}  // namespace qx::cli
