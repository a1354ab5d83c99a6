#pragma once
// qx4100ctl import and export: CHIRP CSV channel lists in and out of a channel file.

#include "cli/options.h"
#include "cli/session.h"

namespace qx::cli {

// The rows of options.file into the start-up document (or a copy of options.into), saved to
// options.output. Refused rows go to stderr as "line N: reason", warnings as "line N: warning: ...";
// a refused row writes nothing and gives FileError unless options.partial.
int importCommand(Session& s, const Options& options);

// The filled channels of the channel file options.file as CHIRP CSV into options.output.
int exportCommand(Session& s, const Options& options);

}  // namespace qx::cli
