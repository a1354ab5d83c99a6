// The ini reader and the configuration on arbitrary bytes. Beyond "no crash": the ini text
// rewrites to the same bytes after two passes, and a configuration loaded from the input, saved into
// the input and loaded again is the same configuration.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "files/config.h"
#include "files/ini_file.h"

namespace {

bool sameConfiguration(const qx::Configuration& a, const qx::Configuration& b)
{
    if (a.com != b.com || a.commode != b.commode || a.skin != b.skin || a.portDevices != b.portDevices)
        return false;
    for (std::size_t i = 0; i < a.bandLists.size(); ++i)
        if (a.bandLists[i].entries != b.bandLists[i].entries || a.bandLists[i].selected != b.bandLists[i].selected)
            return false;
    return true;
}

// One file per process, removed at exit. In memory where the system offers it (/dev/shm): the
// save syncs the file, and on a disk that would cost most of the time.
struct ScratchFile {
    std::string path;
    ScratchFile()
    {
        std::error_code ec;
        const std::filesystem::path shm("/dev/shm");
        const auto folder = std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
        path = (folder / ("qx-fuzz-config-" + std::to_string(::getpid()) + ".ini")).string();
    }
    ~ScratchFile()
    {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
};

const std::string& scratchPath()
{
    static const ScratchFile file;
    return file.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // Lines that do not decode are kept byte for byte, the rest re-encoded.
    // The reader skips one byte-order mark; a second is text and loses its mark at the next
    // rewrite, so the check starts after the marks.
    std::string_view text = input;
    while (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    // The line-end style is taken from the lines, and a last line ending in stray CRs can tip it
    // once more at the second rewrite; from then on a rewrite changes nothing.
    const std::string once = qx::IniFile::fromGb18030(text).toGb18030();
    const std::string twice = qx::IniFile::fromGb18030(once).toGb18030();
    if (qx::IniFile::fromGb18030(twice).toGb18030() != twice)
        std::abort();

    {
        std::ofstream out(scratchPath(), std::ios::binary | std::ios::trunc);
        out.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    const qx::Configuration loaded = qx::loadConfiguration(scratchPath());
    if (!qx::saveConfiguration(scratchPath(), loaded))
        return 0;  // an unreadable (for example oversized) file is not replaced
    if (!sameConfiguration(qx::loadConfiguration(scratchPath()), loaded))
        std::abort();
    return 0;
}
