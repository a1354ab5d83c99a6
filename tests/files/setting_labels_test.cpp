#include "files/setting_labels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "files/language.h"
#include "link/write_check.h"
#include "model/codeplug.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

StringTable languageFile(const char* name)
{
    auto table = loadStringTable((fs::path(QX_LANG_DIR) / name).string());
    EXPECT_TRUE(table.ok()) << name;
    return table ? table.value() : StringTable{};
}

TEST(SettingLabel, IsThePageLabelInTheLanguage)
{
    struct Row {
        const char* why;
        const char* file;
        std::string_view key;
        std::string_view label;
    };
    const Row kRows[] = {
        {"a code by its label string", "chinese.lng", keys::BOT, "发射开始"},
        {"the same code in English", "english.lng", keys::BOT, "BOT"},
        {"a key unlike its English label", "english.lng", keys::Private, "Own ID"},
        {"a number setting", "taiwan.lng", keys::DigitTime, "DTMF持續時間[毫秒]"},
        {"a call list entry adds its number", "english.lng", keys::Call3, "Auto-dial Number 3"},
        {"the first call list entry", "chinese.lng", keys::Call0, "自动拨号号码 0"},
        {"a band range goes by group and row", "english.lng", keys::BandTx1, "Band 2 TX Range"},
        {"a label no language replaces", "english.lng", keys::VfoMr, "VFO/ MR"},
        {"the password field by the box that unlocks it", "english.lng", keys::Password, "修改密码"},
        {"the side key by the tab's string", "english.lng", keys::KeyAssignment, "Side Key"},
    };
    for (const Row& r : kRows)
        EXPECT_EQ(settingLabel(languageFile(r.file), r.key), r.label) << r.why;
}

TEST(SettingLabel, EverySettingHasOneAndAMissingStringReadsAsBuiltIn)
{
    const StringTable empty;
    for (const SettingSpec& desc : settingSpecs())
        EXPECT_FALSE(settingLabel(empty, desc.key).empty()) << desc.key;
    EXPECT_EQ(settingLabel(StringTable::parse("118=\n"), keys::BOT), "发射开始");
    EXPECT_THROW(settingLabel(empty, "No Such Key"), std::invalid_argument);
}

TEST(SettingLabel, NamesARefusedSettingInTheStoresLanguage)
{
    struct Row {
        Language language;
        std::string_view message;
    };
    const Row kRows[] = {
        {Language::Chinese, "发射开始 无法写入对讲机。"},
        {Language::English, "BOT cannot be written to the radio."},
    };
    LanguageStore store(QX_LANG_DIR);
    Codeplug doc;
    doc.settings().assignText(keys::BOT, "12X45");
    const auto labels = settingLabels(store);
    for (const Row& r : kRows) {
        ASSERT_TRUE(applyLanguage(store, r.language, doc).ok());
        const auto problem = checkBeforeWrite(doc, [&store](int n) { return store.text(n); }, labels);
        ASSERT_TRUE(problem.has_value());
        EXPECT_EQ(problem->key, keys::BOT);
        EXPECT_EQ(problem->message, r.message);
    }
}

}  // namespace
}  // namespace qx
