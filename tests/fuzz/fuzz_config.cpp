// The ini reader and the configuration on arbitrary bytes. Beyond "no crash": the ini text
// rewrites to the same bytes after one pass, and a configuration loaded from the input, saved into
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

// One file per process, in the temporary folder, removed at exit.
const std::string& scratchPath()
{
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / ("qx-fuzz-config-" + std::to_string(::getpid()) + ".ini");
        std::atexit([] { std::filesystem::remove(scratchPath()); });
        return p.string();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    // Lines that do not decode are kept byte for byte, the rest re-encoded: one pass normalises
    // line ends, a second changes nothing.
    const std::string once = qx::IniFile::fromGb18030(input).toGb18030();
    if (qx::IniFile::fromGb18030(once).toGb18030() != once)
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
