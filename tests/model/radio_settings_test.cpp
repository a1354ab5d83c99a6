#include "model/radio_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace qx {
namespace {

// Records what the settings announce.
struct Recorder : SettingsObserver {
    std::vector<std::string> values;
    std::vector<std::pair<std::string, bool>> enabled;
    std::vector<std::string> texts;
    std::vector<std::string> bands;
    void valueChanged(std::string_view key) override { values.emplace_back(key); }
    void enabledChanged(std::string_view key, bool on) override { enabled.emplace_back(key, on); }
    void optionTextsChanged(std::string_view key) override { texts.emplace_back(key); }
    void bandListChanged(std::string_view key) override { bands.emplace_back(key); }
    int count(std::string_view key) const
    {
        int n = 0;
        for (const auto& v : values)
            n += v == key;
        return n;
    }
};

TEST(SettingSpecs, DescribeEveryKeyOnceInFileOrder)
{
    const auto specs = settingSpecs();
    std::set<std::string_view> keys;
    for (const auto& s : specs)
        EXPECT_TRUE(keys.insert(s.key).second) << s.key;
    EXPECT_EQ(specs.size(), 56u);
    EXPECT_EQ(specs.front().key, keys::BandRx);
    EXPECT_EQ(specs[4].key, keys::APO);
    EXPECT_EQ(specs[52].key, keys::KeyAssignment) << "the last setting of the file";
    int inFile = 0;
    for (const auto& s : specs)
        inFile += s.inFile;
    EXPECT_EQ(inFile, 53) << "every setting but Key Assignment 2, Change Password and Password";
    EXPECT_FALSE(findSetting(keys::KeyAssignment2)->resetByNewDocument);
    EXPECT_FALSE(findSetting(keys::BandTx1)->resetByNewDocument);
    EXPECT_EQ(findSetting("nonsense"), nullptr);
}

TEST(RadioSettings, StartsAtTheDefaults)
{
    const RadioSettings s;
    const std::map<std::string_view, int> values = {
        {keys::APO, 0},         {keys::ScanKind, 1},   {keys::Step, 4},       {keys::VfoMr, 1},
        {keys::MrFreqMrCh, 1},  {keys::Squelch, 2},    {keys::TOT, 3},        {keys::Monitor, 2},
        {keys::ExpFreq, 0},     {keys::Band, 1},       {keys::Beep, 1},       {keys::KeyLock, 0},
        {keys::Save, 1},        {keys::EMG, 1},        {keys::FMEnable, 1},   {keys::VoxSQL, 2},
        {keys::VoxDelay, 2},    {keys::VoxRX, 1},      {keys::DigitTime, 100}, {keys::DigitSpace, 100},
        {keys::FirstDigit, 0},  {keys::Pretime, 400},  {keys::StarHashDelay, 0}, {keys::AckDecode, 1},
        {keys::DtmfSide, 1},    {keys::DisplayPttId, 1}, {keys::PttId, 0},    {keys::Group, 0},
        {keys::AutoReset, 10},  {keys::AutoAck, 1},    {keys::DtmfBeep, 1},   {keys::Strip, 1},
        {keys::Stun, 1},        {keys::StunType, 1},   {keys::KeyAssignment, 1}, {keys::KeyAssignment2, 0},
        {keys::ChangePassword, 0}, {keys::BandRx, -1},
    };
    for (const auto& [key, v] : values)
        EXPECT_EQ(s.value(key), v) << key;
    EXPECT_EQ(s.text(keys::BOT), "12345");
    EXPECT_EQ(s.text(keys::EOT), "12345");
    EXPECT_EQ(s.text(keys::Call0), "1000");
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ(s.text(keys::call(i)), "") << i;
    EXPECT_EQ(s.text(keys::Private), "1000");
    EXPECT_EQ(s.text(keys::StunCode), "");
    EXPECT_EQ(s.text(keys::Password), "246810");
    EXPECT_EQ(s.text(keys::BandRx), "");
    for (const auto& desc : settingSpecs()) {
        const bool locked = desc.key == keys::MrFreqMrCh || desc.key == keys::Band || desc.key == keys::EOT ||
                            desc.key == keys::Password;
        EXPECT_EQ(s.enabled(desc.key), !locked) << desc.key;
    }
}

TEST(RadioSettings, OptionTextsAsBuiltIn)
{
    const RadioSettings s;
    const auto& apo = s.optionTexts(keys::APO);
    ASSERT_EQ(apo.size(), 16u);
    EXPECT_EQ(apo[0], "禁用");
    EXPECT_EQ(apo[9], " 9H");
    EXPECT_EQ(apo[10], "10H");
    EXPECT_EQ(apo[15], "15H");
    EXPECT_EQ(s.optionTexts(keys::Step)[1], "6.25kHZ");
    EXPECT_EQ(s.text(keys::TOT), "3分钟");
    EXPECT_EQ(s.text(keys::Monitor), "CTC/DCS与DTMF");
    EXPECT_EQ(s.text(keys::KeyAssignment2), "呼叫键");
    EXPECT_EQ(s.text(keys::DigitTime), "100");
    EXPECT_EQ(s.text(keys::Beep), "1");
}

TEST(RadioSettings, UnknownKeyIsAProgrammingError)
{
    RadioSettings s;
    EXPECT_THROW(s.value("APO "), std::invalid_argument);
    EXPECT_THROW(s.assign("nonsense", 1), std::invalid_argument);
}

TEST(RadioSettings, NumbersAreClampedIntoTheirRange)
{
    struct Case {
        std::string_view key;
        int assigned;
        int stored;
    } cases[] = {
        {keys::DigitTime, 37, 50},    {keys::DigitTime, 250, 200}, {keys::DigitTime, 130, 130},
        {keys::Pretime, 1500, 1000},  {keys::Pretime, 0, 100},     {keys::FirstDigit, -5, 0},
        {keys::StarHashDelay, 401, 400}, {keys::AutoReset, 2, 3}, {keys::AutoReset, 121, 120},
    };
    for (const auto& c : cases) {
        RadioSettings s;
        s.assign(c.key, c.assigned);
        EXPECT_EQ(s.value(c.key), c.stored) << c.key << " " << c.assigned;
    }
}

TEST(RadioSettings, OptionIndexOutsideItsListGivesTheDefault)
{
    struct Case {
        std::string_view key;
        int assigned;
        int stored;
    } cases[] = {
        {keys::Step, 7, 4},   {keys::VoxSQL, -1, 2}, {keys::VoxDelay, 4, 2},      {keys::Group, 6, 0},
        {keys::PttId, 3, 0},  {keys::APO, 16, 0},    {keys::KeyAssignment2, 3, 0}, {keys::APO, 15, 15},
    };
    for (const auto& c : cases) {
        RadioSettings s;
        s.assign(c.key, c.key == keys::Group ? 3 : 1);
        s.assign(c.key, c.assigned);
        EXPECT_EQ(s.value(c.key), c.stored) << c.key << " " << c.assigned;
    }
}

TEST(RadioSettings, FlagsStoreZeroOrOne)
{
    RadioSettings s;
    s.assign(keys::KeyLock, 7);
    EXPECT_EQ(s.value(keys::KeyLock), 1);
    s.assign(keys::KeyLock, 0);
    EXPECT_EQ(s.value(keys::KeyLock), 0);
}

TEST(RadioSettingsNotifications, OptionOnlyOnChangeFlagOnEveryAssignment)
{
    RadioSettings s;
    Recorder r;
    s.addObserver(&r);
    s.assign(keys::Squelch, 2);
    s.assign(keys::Squelch, 5);
    s.assign(keys::Squelch, 5);
    EXPECT_EQ(r.count(keys::Squelch), 1);
    s.assign(keys::Beep, 1);
    s.assign(keys::Beep, 1);
    EXPECT_EQ(r.count(keys::Beep), 2);
    s.assign(keys::DigitTime, 100);
    EXPECT_EQ(r.count(keys::DigitTime), 0) << "unchanged number";
    s.assign(keys::DigitTime, 300);
    s.assign(keys::DigitTime, 300);
    EXPECT_EQ(r.count(keys::DigitTime), 2) << "a clamped assignment resyncs its editor";
    s.assignText(keys::BOT, "12345");
    s.assignText(keys::BOT, "9");
    EXPECT_EQ(r.count(keys::BOT), 1);
    s.removeObserver(&r);
    s.assign(keys::Squelch, 1);
    EXPECT_EQ(r.count(keys::Squelch), 1);
}

// R1 to R5, each in both orders of assignment.
TEST(RuleR1, VfoLocksMemoryDisplayAtMrFreq)
{
    RadioSettings s;
    s.assign(keys::VfoMr, 0);
    EXPECT_TRUE(s.enabled(keys::MrFreqMrCh));
    s.assign(keys::MrFreqMrCh, 0);
    EXPECT_EQ(s.value(keys::MrFreqMrCh), 0);
    s.assign(keys::VfoMr, 1);
    EXPECT_EQ(s.value(keys::MrFreqMrCh), 1);
    EXPECT_FALSE(s.enabled(keys::MrFreqMrCh));
    s.assign(keys::VfoMr, 0);
    EXPECT_EQ(s.value(keys::MrFreqMrCh), 1) << "MR keeps the value";
    EXPECT_TRUE(s.enabled(keys::MrFreqMrCh));
}

TEST(RuleR1, MemoryDisplayAssignedAfterVfoStaysAtOne)
{
    RadioSettings s;
    s.assign(keys::VfoMr, 1);
    s.assign(keys::MrFreqMrCh, 0);
    EXPECT_EQ(s.value(keys::MrFreqMrCh), 1);
    EXPECT_FALSE(s.enabled(keys::MrFreqMrCh));
    s.assign(keys::VfoMr, 0);
    s.assign(keys::MrFreqMrCh, 0);
    EXPECT_EQ(s.value(keys::MrFreqMrCh), 0);
}

TEST(RuleR2, ExpFreqOffForcesBandOneAndLocksIt)
{
    RadioSettings s;
    Recorder r;
    s.addObserver(&r);
    s.assign(keys::ExpFreq, 1);
    EXPECT_TRUE(s.enabled(keys::Band));
    s.assign(keys::Band, 0);
    s.assign(keys::ExpFreq, 0);
    EXPECT_EQ(s.value(keys::Band), 1);
    EXPECT_FALSE(s.enabled(keys::Band));
    s.assign(keys::Band, 0);
    EXPECT_EQ(s.value(keys::Band), 0) << "Band assigned after Exp Freq. stands";
    EXPECT_FALSE(s.enabled(keys::Band));
    s.assign(keys::ExpFreq, 0);
    EXPECT_EQ(s.value(keys::Band), 1) << "a repeated 0 still forces Band";
    EXPECT_EQ(r.count(keys::ExpFreq), 3);
}

TEST(RuleR2, BandAssignedBeforeExpFreqOffIsOverridden)
{
    RadioSettings s;
    s.assign(keys::Band, 0);
    s.assign(keys::ExpFreq, 0);
    EXPECT_EQ(s.value(keys::Band), 1);
    s.assign(keys::Band, 0);
    s.assign(keys::ExpFreq, 1);
    EXPECT_EQ(s.value(keys::Band), 0);
    EXPECT_TRUE(s.enabled(keys::Band));
}

TEST(RuleR3, StunLocksCodeAndTypeKeepingValues)
{
    RadioSettings s;
    Recorder r;
    s.addObserver(&r);
    s.assignText(keys::StunCode, "1234");
    s.assign(keys::StunType, 0);
    s.assign(keys::Stun, 0);
    EXPECT_FALSE(s.enabled(keys::StunCode));
    EXPECT_FALSE(s.enabled(keys::StunType));
    EXPECT_EQ(s.text(keys::StunCode), "1234");
    EXPECT_EQ(s.value(keys::StunType), 0);
    s.assign(keys::StunType, 1);  // as a file may, after Stun
    EXPECT_EQ(s.value(keys::StunType), 1);
    s.assign(keys::Stun, 1);
    EXPECT_TRUE(s.enabled(keys::StunCode));
    EXPECT_TRUE(s.enabled(keys::StunType));
    const std::vector<std::pair<std::string, bool>> expected = {
        {"Stun Code", false}, {"Stun Type", false}, {"Stun Code", true}, {"Stun Type", true}};
    EXPECT_EQ(r.enabled, expected);
}

TEST(RuleR4, ChangePasswordUnlocksPassword)
{
    RadioSettings s;
    s.assignText(keys::Password, "123456");
    s.assign(keys::ChangePassword, 1);
    EXPECT_TRUE(s.enabled(keys::Password));
    s.assign(keys::ChangePassword, 0);
    EXPECT_FALSE(s.enabled(keys::Password));
    EXPECT_EQ(s.text(keys::Password), "123456");
}

TEST(RuleR5, PttIdChoosesEditableCodes)
{
    struct Case {
        int pttId;
        bool bot, eot;
    } cases[] = {{1, false, true}, {2, true, true}, {0, true, false}, {2, true, true}, {1, false, true}};
    RadioSettings s;
    s.assignText(keys::EOT, "777");
    for (const auto& c : cases) {
        s.assign(keys::PttId, c.pttId);
        EXPECT_EQ(s.enabled(keys::BOT), c.bot) << c.pttId;
        EXPECT_EQ(s.enabled(keys::EOT), c.eot) << c.pttId;
    }
    EXPECT_EQ(s.text(keys::EOT), "777");
    EXPECT_EQ(s.text(keys::BOT), "12345");
}

TEST(RadioSettings, ResetToDefaultsRestoresEverythingButBandsAndKeyAssignment2)
{
    RadioSettings fresh;
    RadioSettings s;
    s.setBandList(keys::BandRx, {"400-470MHz", "136-174MHz"}, 1);
    for (const auto& desc : settingSpecs()) {
        switch (desc.kind) {
        case SettingKind::Option: s.assign(desc.key, desc.defaultValue == 0 ? static_cast<int>(desc.options.size()) - 1 : 0); break;
        case SettingKind::Flag: s.assign(desc.key, 1 - desc.defaultValue); break;
        case SettingKind::Number: s.assign(desc.key, desc.max == desc.defaultValue ? desc.min : desc.max); break;
        case SettingKind::Text: s.assignText(desc.key, "9"); break;
        case SettingKind::Band: break;
        }
    }
    s.assign(keys::ExpFreq, 1);
    s.assign(keys::Band, 0);
    s.assign(keys::KeyAssignment2, 2);
    s.resetToDefaults();
    for (const auto& desc : settingSpecs()) {
        if (desc.key == keys::KeyAssignment2 || desc.kind == SettingKind::Band)
            continue;
        EXPECT_EQ(s.value(desc.key), fresh.value(desc.key)) << desc.key;
        EXPECT_EQ(s.text(desc.key), fresh.text(desc.key)) << desc.key;
        EXPECT_EQ(s.enabled(desc.key), fresh.enabled(desc.key)) << desc.key;
    }
    EXPECT_EQ(s.value(keys::KeyAssignment2), 2);
    EXPECT_EQ(s.text(keys::BandRx), "136-174MHz");
}

TEST(RuleP, PasswordMustBeSixDigits)
{
    struct Case {
        const char* typed;
        const char* kept;
    } cases[] = {{"12", "246810"}, {"", "246810"}, {"000000", "000000"}, {"1234567", "246810"}, {"12345a", "246810"},
                 {"135790", "135790"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ruleP(c.typed), c.kept) << c.typed;
        RadioSettings s;
        s.assignText(keys::Password, c.typed);
        s.leavePasswordField();
        EXPECT_EQ(s.text(keys::Password), c.kept) << c.typed;
    }
}

TEST(TypedCharacters, DtmfAndDigitFilters)
{
    EXPECT_EQ(filterDtmfChar('a'), 'A');
    EXPECT_EQ(filterDtmfChar('d'), 'D');
    EXPECT_EQ(filterDtmfChar('*'), '*');
    EXPECT_EQ(filterDtmfChar('#'), '#');
    EXPECT_EQ(filterDtmfChar('7'), '7');
    for (char refused : {'E', 'e', 'f', ' ', '-', 'Z'})
        EXPECT_FALSE(filterDtmfChar(refused).has_value()) << refused;
    EXPECT_EQ(filterDigitChar('0'), '0');
    EXPECT_FALSE(filterDigitChar('a').has_value());
    EXPECT_EQ(filterTypedChar(findSetting(keys::BOT)->chars, 'a'), 'A');
    EXPECT_FALSE(filterTypedChar(findSetting(keys::Password)->chars, '*').has_value());
}

TEST(BandRanges, ListSelectionAndMerge)
{
    RadioSettings s;
    Recorder r;
    s.addObserver(&r);
    s.setBandList(keys::BandRx, {"400-470MHz", "430-440MHz"}, 0);
    EXPECT_EQ(s.text(keys::BandRx), "400-470MHz");
    EXPECT_EQ(r.count(keys::BandRx), 1);
    s.assignText(keys::BandRx, "430-440MHz");
    EXPECT_EQ(s.bandSelected(keys::BandRx), 1);
    EXPECT_EQ(s.bandList(keys::BandRx).size(), 2u) << "an existing text is selected, not added";
    s.assignText(keys::BandRx, "136-174MHz");
    EXPECT_EQ(s.bandList(keys::BandRx).back(), "136-174MHz");
    EXPECT_EQ(s.bandSelected(keys::BandRx), 2);
    EXPECT_EQ(s.text(keys::BandRx), "136-174MHz");
    EXPECT_EQ(r.count(keys::BandRx), 3);
    s.setBandList(keys::BandTx, {"400-470MHz"}, 4);
    EXPECT_EQ(s.bandSelected(keys::BandTx), -1) << "a stored position past the list selects nothing";
    EXPECT_EQ(s.text(keys::BandTx), "");
    s.assign(keys::BandTx, 0);
    EXPECT_EQ(s.text(keys::BandTx), "400-470MHz");
}

TEST(BandRanges, ActiveReceiveRangeFollowsBand)
{
    RadioSettings s;
    s.setBandList(keys::BandRx, {"400-470MHz"}, 0);
    s.setBandList(keys::BandRx1, {"136-174MHz"}, 0);
    EXPECT_EQ(s.activeRxRange(), "400-470MHz");
    s.assign(keys::ExpFreq, 1);
    s.assign(keys::Band, 0);
    EXPECT_EQ(s.activeRxRange(), "136-174MHz");
    EXPECT_EQ(s.activeRxLimits(), (std::pair{136, 174}));
}

TEST(BandLimits, ReadsCharactersOneToThreeAndFiveToSeven)
{
    EXPECT_EQ(bandLimits("400-470MHz"), (std::pair{400, 470}));
    EXPECT_EQ(bandLimits("136-174"), (std::pair{136, 174}));
    for (const char* none : {"", "FFF-FFFMHz", "40-470MHz", "400-47", "4a0-470MHz"})
        EXPECT_FALSE(bandLimits(none).has_value()) << none;
}

TEST(Language, ReplacesTheListedItemsKeepingIndexes)
{
    RadioSettings s;
    Recorder r;
    s.addObserver(&r);
    s.assign(keys::TOT, 5);
    r.values.clear();
    const std::map<int, std::string> english = {{34, "OFF"}, {48, "min"}, {88, "Band1"}, {89, "Band2"},
                                                {104, "CTC/DCS and DTMF"}, {105, "CTC/DCS or DTMF"}};
    s.applyLanguage([&](int n) -> std::optional<std::string> {
        auto it = english.find(n);
        if (it == english.end())
            return std::nullopt;
        return it->second;
    });
    EXPECT_EQ(s.value(keys::TOT), 5);
    EXPECT_EQ(s.text(keys::TOT), "5min");
    EXPECT_EQ(s.optionTexts(keys::TOT)[0], "OFF");
    EXPECT_EQ(s.optionTexts(keys::APO)[0], "OFF");
    EXPECT_EQ(s.optionTexts(keys::APO)[1], " 1H");
    EXPECT_EQ(s.optionTexts(keys::Band)[0], "Band2");
    EXPECT_EQ(s.optionTexts(keys::Monitor)[1], "DTMF");
    EXPECT_EQ(s.optionTexts(keys::Monitor)[3], "CTC/DCS or DTMF");
    EXPECT_EQ(s.optionTexts(keys::PttId)[0], "发射开始") << "strings the language lacks keep their text";
    const std::set<std::string> changed(r.texts.begin(), r.texts.end());
    EXPECT_EQ(changed, (std::set<std::string>{"TOT", "APO", "Band", "Monitor"}));
    EXPECT_TRUE(r.values.empty()) << "a language change keeps every value";
}

TEST(RadioSettings, CopiesCarryValuesNotObservers)
{
    RadioSettings s;
    Recorder r;
    s.addObserver(&r);
    RadioSettings copy = s;
    copy.assign(keys::Squelch, 7);
    EXPECT_TRUE(r.values.empty());
    EXPECT_EQ(copy.value(keys::Squelch), 7);
    EXPECT_EQ(s.value(keys::Squelch), 2);
}

}  // namespace
}  // namespace qx
