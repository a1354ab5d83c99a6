#pragma once
// What qx4100ctl works on: the program's folder, its configuration and language, and the document
// as the editor holds it after start-up.

#include <string>

#include "files/config.h"
#include "files/language.h"

namespace qx {
class Codeplug;
}

namespace qx::cli {

// The folder that holds the running executable (myini.ini, UNWISE.INI and the language files lie
// there); argv0's folder when the system cannot say.
std::string programDirectory(const char* argv0);

// The editor's document after start-up: every setting at its default, the band lists and their
// selections from the configuration, the call list "1000" and nine empty entries, BOT and EOT
// "12345", then the language applied (a missing language file keeps the built-in texts) and the
// channel headers in that language.
void startupDocument(Codeplug& doc, const Configuration& config, LanguageStore& store, Language language);

}  // namespace qx::cli
