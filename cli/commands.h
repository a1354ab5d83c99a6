#pragma once
// The three commands of qx4100ctl. Each returns the exit status; messages go to stderr in the
// chosen language, the document of "show" to stdout.

#include <string>

#include "cli/options.h"

namespace qx::cli {

// Runs a parsed command with the program's folder (configuration, installer log, languages).
int run(const Options& options, const std::string& programDir);

}  // namespace qx::cli
