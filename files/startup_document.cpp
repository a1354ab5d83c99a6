#include "files/startup_document.h"

#include <array>
#include <string_view>

#include "files/config.h"
#include "files/language.h"
#include "model/codeplug.h"

namespace qx {

namespace {

// The setting of each band list, indexed by BandListId.
constexpr std::array<std::string_view, 4> kBandListKeys{keys::BandRx, keys::BandTx, keys::BandRx1, keys::BandTx1};

}  // namespace

void applyBandLists(const Configuration& config, RadioSettings& settings)
{
    for (std::size_t i = 0; i < kBandListKeys.size(); ++i)
        settings.setBandList(kBandListKeys[i], config.bandLists[i].entries, config.bandLists[i].selected);
}

void storeBandLists(const RadioSettings& settings, Configuration& config)
{
    for (std::size_t i = 0; i < kBandListKeys.size(); ++i) {
        config.bandLists[i].entries = settings.bandList(kBandListKeys[i]);
        config.bandLists[i].selected = settings.bandSelected(kBandListKeys[i]);
    }
}

void setFirstShowValues(Codeplug& doc)
{
    RadioSettings& settings = doc.settings();
    settings.assignText(keys::call(0), "1000");
    for (int i = 1; i <= 9; ++i)
        settings.assignText(keys::call(i), "");
    settings.assignText(keys::BOT, "12345");
    settings.assignText(keys::EOT, "12345");

    ChannelTable& channels = doc.channels();
    TableUpdate update(channels);
    for (int row = 1; row <= kChannelCount; ++row)
        channels.setCell(col::More, row, ">>");
}

void startupDocument(Codeplug& doc, const Configuration& config, LanguageStore& store, Language language)
{
    doc.setCurrent(col::Rx, 1);
    applyBandLists(config, doc.settings());
    setFirstShowValues(doc);
    // A missing language file is no failure of the start-up: the built-in texts stay.
    (void)applyLanguage(store, language, doc);
}

}  // namespace qx
