#pragma once
// Whole-file reads and replacing writes. A replacing write never leaves a half-written file: the
// new contents go to a temporary file in the target's folder, which is then renamed over the target.

#include <string>
#include <string_view>

#include "model/result.h"

namespace qx {

// The bytes of a file. The error text is the system's ("No such file or directory", ...).
Result<std::string> readWholeFile(const std::string& path);

// A file read with a size cap, so an endless or huge input (/dev/zero) cannot exhaust memory.
struct CappedRead {
    std::string bytes;      // empty when tooLarge
    bool tooLarge = false;  // the file holds more than maxBytes
};
// The cap for every file this program reads: a channel file is about 9 KB, myini.ini and a
// language file a few KB.
inline constexpr std::size_t kMaxInputFileBytes = 1024 * 1024;
Result<CappedRead> readFileCapped(const std::string& path, std::size_t maxBytes);

// Whether something (file, folder, link) exists under path; a dangling link counts.
bool pathExists(const std::string& path);

// Replaces the file at path with contents. A symbolic link at path is followed, so the file it
// names is replaced and the link stays. An existing target keeps its permission bits; a new file
// gets the usual ones (0666 less the umask). An existing target this user may not write (a
// write-protected master file) is refused with the system's "Permission denied". The temporary
// file has a short name of its own pattern beside the target; such files older than ten minutes
// (left by a killed save) are removed at the next save in that folder. On failure the previous file is untouched, no
// temporary file is left behind, and the error text is the system's.
Status writeFileAtomically(const std::string& path, std::string_view contents);

}  // namespace qx
