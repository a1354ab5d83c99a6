#pragma once
// Where qx4100ctl finds its program folder (configuration, installer log, language files).
// The document it works on is the editor's after start-up: files/startup_document.h.

#include <string>

namespace qx::cli {

// The folder that holds the running executable (myini.ini, UNWISE.INI and the language files lie
// there); argv0's folder when the system cannot say.
std::string programDirectory(const char* argv0);

}  // namespace qx::cli
