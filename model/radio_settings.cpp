#include "model/radio_settings.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace qx {

namespace keys {
std::string_view call(int i)
{
    static constexpr std::array<std::string_view, 10> kCalls = {Call0, Call1, Call2, Call3, Call4,
                                                                Call5, Call6, Call7, Call8, Call9};
    return kCalls.at(static_cast<std::size_t>(i));
}
}  // namespace keys

namespace {

SettingSpec band(std::string_view key)
{
    SettingSpec s;
    s.key = key;
    s.kind = SettingKind::Band;
    s.resetByNewDocument = false;
    return s;
}

SettingSpec option(std::string_view key, std::vector<std::string_view> texts, int defaultIndex,
                   std::vector<OptionTextSource> language = {})
{
    SettingSpec s;
    s.key = key;
    s.kind = SettingKind::Option;
    s.options = std::move(texts);
    s.defaultValue = defaultIndex;
    s.languageStrings = std::move(language);
    return s;
}

SettingSpec flag(std::string_view key, int defaultValue)
{
    SettingSpec s;
    s.key = key;
    s.kind = SettingKind::Flag;
    s.defaultValue = defaultValue;
    return s;
}

SettingSpec number(std::string_view key, int min, int max, int step, int digits, int defaultValue)
{
    SettingSpec s;
    s.key = key;
    s.kind = SettingKind::Number;
    s.min = min;
    s.max = max;
    s.step = step;
    s.digits = digits;
    s.defaultValue = defaultValue;
    return s;
}

SettingSpec text(std::string_view key, int maxLength, CharSet chars, std::string_view defaultText)
{
    SettingSpec s;
    s.key = key;
    s.kind = SettingKind::Text;
    s.maxLength = maxLength;
    s.chars = chars;
    s.defaultText = defaultText;
    return s;
}

SettingSpec notInFile(SettingSpec s, bool resetByNewDocument)
{
    s.inFile = false;
    s.resetByNewDocument = resetByNewDocument;
    return s;
}

std::vector<SettingSpec> buildSpecs()
{
    using namespace keys;
    std::vector<SettingSpec> specs;
    specs.push_back(band(BandRx));
    specs.push_back(band(BandTx));
    specs.push_back(band(BandRx1));
    specs.push_back(band(BandTx1));
    specs.push_back(option(APO,
                           {"禁用", " 1H", " 2H", " 3H", " 4H", " 5H", " 6H", " 7H", " 8H", " 9H", "10H", "11H", "12H",
                            "13H", "14H", "15H"},
                           0, {{0, 34, ""}}));
    specs.push_back(option(ScanKind, {"CO", "TO"}, 1));
    specs.push_back(option(Step, {"5kHz", "6.25kHZ", "10kHz", "12.5kHz", "25kHz"}, 4));
    specs.push_back(option(VfoMr, {"MR", "VFO"}, 1));
    specs.push_back(option(MrFreqMrCh, {"MR CH", "MR freq."}, 1));
    specs.push_back(option(Squelch, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, 2));
    specs.push_back(option(TOT, {"OFF", "1分钟", "2分钟", "3分钟", "4分钟", "5分钟", "6分钟", "7分钟"}, 3,
                           {{0, 34, ""}, {1, 48, "1"}, {2, 48, "2"}, {3, 48, "3"}, {4, 48, "4"}, {5, 48, "5"},
                            {6, 48, "6"}, {7, 48, "7"}}));
    specs.push_back(option(Monitor, {"CTC/DCS", "DTMF", "CTC/DCS与DTMF", "CTC/DCS或DTMF"}, 2,
                           {{2, 104, ""}, {3, 105, ""}}));
    specs.push_back(flag(ExpFreq, 0));
    specs.push_back(option(Band, {"频段2", "频段1"}, 1, {{0, 89, ""}, {1, 88, ""}}));
    specs.push_back(flag(Beep, 1));
    specs.push_back(flag(KeyLock, 0));
    specs.push_back(flag(Save, 1));
    specs.push_back(flag(EMG, 1));
    specs.push_back(flag(FMEnable, 1));
    specs.push_back(option(VoxSQL, {"1", "2", "3", "4", "5", "6", "7", "8"}, 2));
    specs.push_back(option(VoxDelay, {"1s", "2s", "3s", "4s"}, 2));
    specs.push_back(flag(VoxRX, 1));
    specs.push_back(number(DigitTime, 50, 200, 10, 3, 100));
    specs.push_back(number(DigitSpace, 50, 200, 10, 3, 100));
    specs.push_back(number(FirstDigit, 0, 500, 50, 3, 0));
    specs.push_back(number(Pretime, 100, 1000, 100, 4, 400));
    specs.push_back(number(StarHashDelay, 0, 400, 50, 3, 0));
    specs.push_back(flag(AckDecode, 1));
    specs.push_back(flag(DtmfSide, 1));
    specs.push_back(flag(DisplayPttId, 1));
    specs.push_back(option(PttId, {"发射开始", "发射结束", "两者"}, 0, {{0, 118, ""}, {1, 119, ""}, {2, 120, ""}}));
    specs.push_back(text(BOT, 15, CharSet::Dtmf, "12345"));
    specs.push_back(text(EOT, 15, CharSet::Dtmf, "12345"));
    for (int i = 0; i < 10; ++i)
        specs.push_back(text(call(i), 15, CharSet::Dtmf, i == 0 ? "1000" : ""));
    specs.push_back(option(Group, {"A", "B", "C", "D", "*", "#"}, 0));
    specs.push_back(text(Private, 15, CharSet::Dtmf, "1000"));
    specs.push_back(number(AutoReset, 3, 120, 1, 3, 10));
    specs.push_back(flag(AutoAck, 1));
    specs.push_back(flag(DtmfBeep, 1));
    specs.push_back(flag(Strip, 1));
    specs.push_back(flag(Stun, 1));
    specs.push_back(text(StunCode, 8, CharSet::Dtmf, ""));
    specs.push_back(option(StunType, {"遥毙", "遥晕"}, 1, {{0, 134, ""}, {1, 135, ""}}));
    specs.push_back(option(KeyAssignment, {"监听", "呼叫键", "现场报警", "发送1750Hz信号"}, 1,
                           {{0, 136, ""}, {1, 137, ""}, {2, 138, ""}, {3, 139, ""}}));
    specs.push_back(notInFile(option(KeyAssignment2, {"呼叫键", "报警开关", "监听"}, 0), false));
    specs.push_back(notInFile(flag(ChangePassword, 0), true));
    specs.push_back(notInFile(text(Password, 6, CharSet::Digits, kDefaultPassword), true));
    return specs;
}

// The order in which a new document assigns its values; the end state does not depend on it,
// but keeping it makes the notifications the same as the pages expect.
constexpr std::string_view kNewDocumentOrder[] = {
    keys::APO,       keys::ScanKind,    keys::VfoMr,        keys::Step,       keys::Squelch,    keys::TOT,
    keys::MrFreqMrCh, keys::VoxSQL,     keys::VoxDelay,     keys::Monitor,    keys::Band,       keys::VoxRX,
    keys::ExpFreq,   keys::Beep,        keys::KeyLock,      keys::Save,       keys::EMG,        keys::FMEnable,
    keys::DigitTime, keys::DigitSpace,  keys::FirstDigit,   keys::Pretime,    keys::StarHashDelay,
    keys::AckDecode, keys::DtmfSide,    keys::DisplayPttId, keys::PttId,      keys::BOT,        keys::EOT,
    keys::Private,   keys::Group,       keys::AutoReset,    keys::AutoAck,    keys::DtmfBeep,   keys::Strip,
    keys::Stun,      keys::StunCode,    keys::StunType,     keys::KeyAssignment, keys::ChangePassword,
    keys::Password,  keys::Call0,       keys::Call1,        keys::Call2,      keys::Call3,      keys::Call4,
    keys::Call5,     keys::Call6,       keys::Call7,        keys::Call8,      keys::Call9};

}  // namespace

std::span<const SettingSpec> settingSpecs()
{
    static const std::vector<SettingSpec> specs = buildSpecs();
    return specs;
}

const SettingSpec* findSetting(std::string_view key)
{
    for (const auto& desc : settingSpecs())
        if (desc.key == key)
            return &desc;
    return nullptr;
}

RadioSettings::RadioSettings()
{
    for (const auto& desc : settingSpecs()) {
        Slot s;
        s.desc = &desc;
        s.value = desc.defaultValue;
        s.text = std::string(desc.defaultText);
        for (auto option : desc.options)
            s.options.emplace_back(option);
        slots_.push_back(std::move(s));
    }
    // Matching the defaults: VFO mode locks the memory display, Exp Freq. off locks Band,
    // PTT ID at start locks EOT, and no password change locks the password.
    for (auto key : {keys::MrFreqMrCh, keys::Band, keys::EOT, keys::Password})
        slot(key).enabled = false;
}

RadioSettings::Slot& RadioSettings::slot(std::string_view key)
{
    return const_cast<Slot&>(static_cast<const RadioSettings&>(*this).slot(key));
}

const RadioSettings::Slot& RadioSettings::slot(std::string_view key) const
{
    for (const auto& s : slots_)
        if (s.desc->key == key)
            return s;
    throw std::invalid_argument("unknown setting \"" + std::string(key) + "\"");
}

int RadioSettings::value(std::string_view key) const
{
    const Slot& s = slot(key);
    switch (s.desc->kind) {
    case SettingKind::Band: return s.selected;
    case SettingKind::Text: return 0;
    default: return s.value;
    }
}

void RadioSettings::assign(std::string_view key, int value)
{
    Slot& s = slot(key);
    const SettingSpec& desc = *s.desc;
    switch (desc.kind) {
    case SettingKind::Option: {
        if (value < 0 || value >= static_cast<int>(s.options.size()))
            value = desc.defaultValue;
        // R1: in VFO mode the memory display stays at "MR freq.".
        if (desc.key == keys::MrFreqMrCh && this->value(keys::VfoMr) == 1)
            value = 1;
        if (value == s.value)
            return;
        s.value = value;
        notifyValue(desc.key);
        if (desc.key == keys::VfoMr) {
            if (value == 1) {
                assign(keys::MrFreqMrCh, 1);
                setEnabled(keys::MrFreqMrCh, false);
            } else {
                setEnabled(keys::MrFreqMrCh, true);
            }
        } else if (desc.key == keys::PttId) {
            setEnabled(keys::BOT, value == 0 || value == 2);
            setEnabled(keys::EOT, value == 1 || value == 2);
        }
        return;
    }
    case SettingKind::Flag: {
        s.value = value != 0 ? 1 : 0;
        const bool on = s.value == 1;
        notifyValue(desc.key);
        // Flag rules act on every assignment, also when the value stays.
        if (desc.key == keys::ExpFreq) {
            setEnabled(keys::Band, on);
            if (!on)
                assign(keys::Band, 1);
        } else if (desc.key == keys::Stun) {
            setEnabled(keys::StunCode, on);
            setEnabled(keys::StunType, on);
        } else if (desc.key == keys::ChangePassword) {
            setEnabled(keys::Password, on);
        }
        return;
    }
    case SettingKind::Number: {
        const int clamped = std::clamp(value, desc.min, desc.max);
        const bool changed = clamped != s.value;
        s.value = clamped;
        // A clamped assignment is announced too, so an editor showing the typed value resyncs.
        if (changed || clamped != value)
            notifyValue(desc.key);
        return;
    }
    case SettingKind::Band: {
        const int selected = (value >= 0 && value < static_cast<int>(s.bands.size())) ? value : -1;
        const std::string before = text(key);
        s.selected = selected;
        if (text(key) != before)
            notifyValue(desc.key);
        return;
    }
    case SettingKind::Text:
        return;
    }
}

std::string RadioSettings::text(std::string_view key) const
{
    const Slot& s = slot(key);
    switch (s.desc->kind) {
    case SettingKind::Text: return s.text;
    case SettingKind::Band:
        return s.selected >= 0 ? s.bands[static_cast<std::size_t>(s.selected)] : std::string();
    case SettingKind::Option:
        return (s.value >= 0 && s.value < static_cast<int>(s.options.size()))
                   ? s.options[static_cast<std::size_t>(s.value)]
                   : std::string();
    default: return std::to_string(s.value);
    }
}

void RadioSettings::assignText(std::string_view key, std::string text)
{
    Slot& s = slot(key);
    if (s.desc->kind == SettingKind::Text) {
        if (s.text == text)
            return;
        s.text = std::move(text);
        notifyValue(s.desc->key);
        return;
    }
    if (s.desc->kind != SettingKind::Band)
        return;
    const auto found = std::find(s.bands.begin(), s.bands.end(), text);
    if (found != s.bands.end()) {
        assign(key, static_cast<int>(found - s.bands.begin()));
        return;
    }
    s.bands.push_back(std::move(text));
    for (auto* o : std::vector<SettingsObserver*>(observers_))
        o->bandListChanged(s.desc->key);
    assign(key, static_cast<int>(s.bands.size()) - 1);
}

bool RadioSettings::enabled(std::string_view key) const { return slot(key).enabled; }

const std::vector<std::string>& RadioSettings::optionTexts(std::string_view key) const { return slot(key).options; }

void RadioSettings::setOptionText(std::string_view key, int item, std::string text)
{
    Slot& s = slot(key);
    if (item < 0 || item >= static_cast<int>(s.options.size()) || s.options[static_cast<std::size_t>(item)] == text)
        return;
    s.options[static_cast<std::size_t>(item)] = std::move(text);
    for (auto* o : std::vector<SettingsObserver*>(observers_))
        o->optionTextsChanged(s.desc->key);
}

void RadioSettings::setOptionTexts(std::string_view key, std::vector<std::string> texts)
{
    Slot& s = slot(key);
    // The list keeps its length: indexes are the values.
    texts.resize(s.options.size());
    if (texts == s.options)
        return;
    s.options = std::move(texts);
    for (auto* o : std::vector<SettingsObserver*>(observers_))
        o->optionTextsChanged(s.desc->key);
}

void RadioSettings::applyLanguage(const std::function<std::optional<std::string>(int)>& lookup)
{
    for (const auto& s : slots_) {
        if (s.desc->languageStrings.empty())
            continue;
        std::vector<std::string> texts = s.options;
        for (const auto& source : s.desc->languageStrings)
            if (auto word = lookup(source.string))
                texts[static_cast<std::size_t>(source.item)] = std::string(source.prefix) + *word;
        setOptionTexts(s.desc->key, std::move(texts));
    }
}

const std::vector<std::string>& RadioSettings::bandList(std::string_view key) const { return slot(key).bands; }

int RadioSettings::bandSelected(std::string_view key) const { return slot(key).selected; }

void RadioSettings::setBandList(std::string_view key, std::vector<std::string> list, int selected)
{
    Slot& s = slot(key);
    if (s.desc->kind != SettingKind::Band)
        return;
    const std::string before = text(key);
    s.bands = std::move(list);
    s.selected = (selected >= 0 && selected < static_cast<int>(s.bands.size())) ? selected : -1;
    for (auto* o : std::vector<SettingsObserver*>(observers_))
        o->bandListChanged(s.desc->key);
    if (text(key) != before)
        notifyValue(s.desc->key);
}

const std::string& RadioSettings::activeRxRange() const
{
    static const std::string none;
    const Slot& s = slot(value(keys::Band) == 1 ? keys::BandRx : keys::BandRx1);
    return s.selected >= 0 ? s.bands[static_cast<std::size_t>(s.selected)] : none;
}

std::optional<std::pair<int, int>> RadioSettings::activeRxLimits() const { return bandLimits(activeRxRange()); }

void RadioSettings::resetToDefaults()
{
    for (auto key : kNewDocumentOrder) {
        const SettingSpec& desc = *slot(key).desc;
        if (desc.kind == SettingKind::Text)
            assignText(key, std::string(desc.defaultText));
        else
            assign(key, desc.defaultValue);
    }
}

void RadioSettings::leavePasswordField() { assignText(keys::Password, ruleP(text(keys::Password))); }

void RadioSettings::addObserver(SettingsObserver* observer)
{
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void RadioSettings::removeObserver(SettingsObserver* observer) { std::erase(observers_, observer); }

void RadioSettings::setEnabled(std::string_view key, bool on)
{
    Slot& s = slot(key);
    if (s.enabled == on)
        return;
    s.enabled = on;
    for (auto* o : std::vector<SettingsObserver*>(observers_))
        o->enabledChanged(s.desc->key, on);
}

void RadioSettings::notifyValue(std::string_view key)
{
    for (auto* o : std::vector<SettingsObserver*>(observers_))
        o->valueChanged(key);
}

std::optional<std::pair<int, int>> bandLimits(std::string_view rangeText)
{
    auto threeDigits = [&](std::size_t at) -> std::optional<int> {
        if (rangeText.size() < at + 3)
            return std::nullopt;
        int v = 0;
        for (std::size_t i = at; i < at + 3; ++i) {
            if (rangeText[i] < '0' || rangeText[i] > '9')
                return std::nullopt;
            v = v * 10 + (rangeText[i] - '0');
        }
        return v;
    };
    const auto low = threeDigits(0);
    const auto high = threeDigits(4);
    if (!low || !high)
        return std::nullopt;
    return std::pair{*low, *high};
}

std::string ruleP(std::string_view text)
{
    const bool sixDigits = text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    return sixDigits ? std::string(text) : std::string(kDefaultPassword);
}

std::optional<char> filterDtmfChar(char c)
{
    if (c >= 'a' && c <= 'd')
        return static_cast<char>(c - 'a' + 'A');
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'D') || c == '*' || c == '#')
        return c;
    return std::nullopt;
}

std::optional<char> filterDigitChar(char c)
{
    if (c >= '0' && c <= '9')
        return c;
    return std::nullopt;
}

std::optional<char> filterTypedChar(CharSet set, char c)
{
    switch (set) {
    case CharSet::Dtmf: return filterDtmfChar(c);
    case CharSet::Digits: return filterDigitChar(c);
    case CharSet::Any: return c;
    }
    return std::nullopt;
}

}  // namespace qx
