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

struct HeaderSource {
    int column;
    bool extras;
    int string;  // 0: the header is the same in every language
};

constexpr HeaderSource kHeaders[] = {
    {col::Number, false, 25}, {col::Rx, false, 26},    {col::RxTone, false, 27}, {col::Tx, false, 28},
    {col::TxTone, false, 29}, {col::Power, false, 30}, {col::Bandwidth, false, 73},
    {col::ScanAdd, false, 31}, {col::Alias, false, 101}, {col::More, false, 102},
    {xcol::TailElim, true, 76}, {xcol::BusyLock, true, 32}, {xcol::VoiceMode, true, 77},
};

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

void applyColumnHeaders(Codeplug& doc, const StringTable& strings)
{
    for (const HeaderSource& h : kHeaders) {
        const std::string& text = strings.text(h.string);
        if (text.empty())
            continue;
        if (h.extras)
            doc.extras().setCell(h.column, 0, text);
        else
            doc.channels().setCell(h.column, 0, text);
    }
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
    applyColumnHeaders(doc, store.strings());
}

}  // namespace qx::cli
