#pragma once
// Whole-file reads and replacing writes. A replacing write never leaves a half-written file: the
// new contents go to a temporary file in the target's folder, which is then renamed over the target.

#include <string>
#include <string_view>

#include "model/result.h"

namespace qx {

// The bytes of a file. The error text is the system's ("No such file or directory", ...).
Result<std::string> readWholeFile(const std::string& path);

// Whether something (file, folder, link) exists under path; a dangling link counts.
bool pathExists(const std::string& path);

// Replaces the file at path with contents. A symbolic link at path is followed, so the file it
// names is replaced and the link stays. An existing target keeps its permission bits; a new file
// gets the usual ones (0666 less the umask). On failure the previous file is untouched, no
// temporary file is left behind, and the error text is the system's.
Status writeFileAtomically(const std::string& path, std::string_view contents);

}  // namespace qx
