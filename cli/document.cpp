#include "cli/document.h"

#include <filesystem>
#include <system_error>

namespace qx::cli {

std::string programDirectory(const char* argv0)
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path())
        return exe.parent_path().string();
    const std::filesystem::path given = argv0 ? argv0 : "";
    const auto dir = std::filesystem::absolute(given, ec).parent_path();
    return ec ? std::string(".") : dir.string();
}

}  // namespace qx::cli
