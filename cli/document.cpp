#include "cli/document.h"

#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "model/codeplug.h"

namespace qx::cli {

namespace {

// Band list sections in configuration order, and the setting each fills.
constexpr std::array<std::string_view, 4> kBandListKeys{keys::BandRx, keys::BandTx, keys::BandRx1, keys::BandTx1};

}  // namespace

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

void startupDocument(Codeplug& doc, const Configuration& config, LanguageStore& store, Language language)
{
    doc.setCurrent(col::Rx, 1);
    RadioSettings& settings = doc.settings();
    for (std::size_t i = 0; i < kBandListKeys.size(); ++i)
        settings.setBandList(kBandListKeys[i], config.bandLists[i].entries, config.bandLists[i].selected);
    settings.assignText(keys::call(0), "1000");
    for (int i = 1; i <= 9; ++i)
        settings.assignText(keys::call(i), "");
    settings.assignText(keys::BOT, "12345");
    settings.assignText(keys::EOT, "12345");
    // Without its file a language leaves the built-in texts, as in the editor.
    (void)applyLanguage(store, language, doc);
}

}  // namespace qx::cli
