#include "files/startup_document.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/config.h"
#include "files/language.h"
#include "model/codeplug.h"
#include "support/temp_dir.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

// Four different lists, so a list that lands on the wrong setting shows.
Configuration configWithBands()
{
    Configuration config;
    config.bandLists[kBand1Rx] = {{"400-470MHz", "430-440MHz"}, 1};
    config.bandLists[kBand1Tx] = {{"400-480MHz"}, 0};
    config.bandLists[kBand2Rx] = {{"136-174MHz", "144-146MHz", "150-160MHz"}, 2};
    config.bandLists[kBand2Tx] = {{"136-175MHz"}, -1};
    return config;
}

struct BandRow {
    std::string_view key;
    BandListId list;
};

const BandRow kBandRows[] = {
    {keys::BandRx, kBand1Rx}, {keys::BandTx, kBand1Tx}, {keys::BandRx1, kBand2Rx}, {keys::BandTx1, kBand2Tx}};

TEST(StartupDocument, BandListsGoToTheirSettingsAndBack)
{
    const Configuration config = configWithBands();
    RadioSettings settings;
    applyBandLists(config, settings);
    for (const BandRow& r : kBandRows) {
        SCOPED_TRACE(std::string(r.key));
        EXPECT_EQ(settings.bandList(r.key), config.bandLists[r.list].entries);
        EXPECT_EQ(settings.bandSelected(r.key), config.bandLists[r.list].selected);
    }
    EXPECT_EQ(settings.text(keys::BandRx1), "150-160MHz");

    // What the run changed is what the configuration saves.
    settings.setBandList(keys::BandTx1, {"136-175MHz", "220-260MHz"}, 1);
    Configuration saved;
    storeBandLists(settings, saved);
    EXPECT_EQ(saved.bandLists[kBand2Tx].entries, (std::vector<std::string>{"136-175MHz", "220-260MHz"}));
    EXPECT_EQ(saved.bandLists[kBand2Tx].selected, 1);
    for (BandListId id : {kBand1Rx, kBand1Tx, kBand2Rx}) {
        EXPECT_EQ(saved.bandLists[id].entries, config.bandLists[id].entries) << id;
        EXPECT_EQ(saved.bandLists[id].selected, config.bandLists[id].selected) << id;
    }
}

TEST(StartupDocument, FirstShowSetsTheCallListCodesAndMoreColumn)
{
    // A document whose first-show values are all somewhere else.
    Codeplug doc;
    RadioSettings& s = doc.settings();
    for (int i = 0; i <= 9; ++i)
        s.assignText(keys::call(i), "9" + std::to_string(i));
    s.assign(keys::PttId, 2);  // both codes editable, so both assignments take
    s.assignText(keys::BOT, "1");
    s.assignText(keys::EOT, "2");
    doc.channels().setCell(col::More, 1, "");
    doc.channels().setCell(col::More, 128, "x");

    setFirstShowValues(doc);
    struct Row {
        std::string_view key;
        std::string_view text;
    };
    const Row kRows[] = {{keys::Call0, "1000"}, {keys::Call1, ""}, {keys::Call8, ""}, {keys::Call9, ""},
                         {keys::BOT, "12345"},  {keys::EOT, "12345"}};
    for (const Row& r : kRows)
        EXPECT_EQ(s.text(r.key), r.text) << r.key;
    for (int row : {1, 64, 128})
        EXPECT_EQ(doc.channels().cell(col::More, row), ">>") << "row " << row;
    EXPECT_EQ(doc.channels().cell(col::More, 0), "更多...") << "the header stays";
}

// A program folder with the given language files.
class ProgramDir : public test::TempDir {
public:
    explicit ProgramDir(std::initializer_list<const char*> files)
    {
        for (const char* name : files)
            fs::copy_file(fs::path(QX_LANG_DIR) / name, path() / name);
    }
};

TEST(StartupDocument, IsTheEditorsDocumentInTheStartupLanguage)
{
    struct Case {
        const char* name;
        Language language;
        bool withFile;
        std::optional<Language> loaded;
        std::string_view off, header, tot3;
    };
    const Case kCases[] = {
        {"English from its file", Language::English, true, Language::English, "OFF", "RX Freq", "3 min"},
        {"English without its file keeps the built-in texts", Language::English, false, std::nullopt, "禁用",
         "接收频率", "3分钟"},
        {"Chinese from its file", Language::Chinese, true, Language::Chinese, "禁用", "接收频率", "3分钟"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        ProgramDir dir = c.withFile ? ProgramDir{"chinese.lng", "english.lng"} : ProgramDir{"chinese.lng"};
        LanguageStore store(dir.path().string());
        Codeplug doc;
        doc.setCurrent(col::Alias, 40);
        startupDocument(doc, configWithBands(), store, c.language);

        EXPECT_EQ(store.loaded(), c.loaded);
        EXPECT_EQ(doc.currentColumn(), col::Rx);
        EXPECT_EQ(doc.currentRow(), 1);
        const RadioSettings& s = doc.settings();
        EXPECT_EQ(s.text(keys::BandRx), "430-440MHz");
        EXPECT_EQ(s.text(keys::Call0), "1000");
        EXPECT_EQ(s.text(keys::BOT), "12345");
        EXPECT_EQ(s.text(keys::EOT), "12345");
        EXPECT_TRUE(s.enabled(keys::BOT));
        EXPECT_FALSE(s.enabled(keys::EOT));
        EXPECT_EQ(doc.words().off, c.off);
        EXPECT_EQ(doc.channels().cell(col::Rx, 0), c.header);
        EXPECT_EQ(s.optionTexts(keys::TOT)[3], c.tot3);
        EXPECT_EQ(s.value(keys::TOT), 3);
    }
}

}  // namespace
}  // namespace qx
