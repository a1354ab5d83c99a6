#pragma once
// What every qx4100ctl command starts from: the configuration and language of the program folder
// and the document as the editor holds it after start-up. Messages go to stderr.

#include <string>

#include "cli/options.h"
#include "files/config.h"
#include "files/language.h"
#include "model/codeplug.h"

namespace qx::cli {

// "qx4100ctl: caption: message", then the detail on a line of its own when it says more.
void tell(const std::string& caption, const std::string& message, const std::string& detail = {});

struct Session {
    std::string programDir;
    Configuration config;
    LanguageStore store;
    Codeplug doc;

    Session(const Options& o, const std::string& dir);

    const std::string& text(int number) const { return store.text(number); }

    // Opens the channel file into the document; false after reporting why.
    bool open(const std::string& path);
};

}  // namespace qx::cli
