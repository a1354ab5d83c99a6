#include "files/setting_labels.h"

#include <stdexcept>

#include "files/language.h"
#include "model/radio_settings.h"

namespace qx {

namespace {

struct LabelRow {
    std::string_view key;
    int string;             // the label's language string; 0: the fixed text
    std::string_view fixed; // the label where no string replaces it
    int group;              // a group title put before the label, 0: none
};

// Every setting but the call list entries, in channel-file order.
constexpr LabelRow kLabels[] = {
    {keys::BandRx, 90, {}, 88},
    {keys::BandTx, 91, {}, 88},
    {keys::BandRx1, 90, {}, 89},
    {keys::BandTx1, 91, {}, 89},
    {keys::APO, 81, {}, 0},
    {keys::ScanKind, 43, {}, 0},
    {keys::Step, 83, {}, 0},
    {keys::VfoMr, 0, "VFO/ MR", 0},
    {keys::MrFreqMrCh, 0, "MR freq./ MR CH", 0},
    {keys::Squelch, 38, {}, 0},
    {keys::TOT, 40, {}, 0},
    {keys::Monitor, 103, {}, 0},
    {keys::ExpFreq, 84, {}, 0},
    {keys::Band, 85, {}, 0},
    {keys::Beep, 41, {}, 0},
    {keys::KeyLock, 82, {}, 0},
    {keys::Save, 39, {}, 0},
    {keys::EMG, 42, {}, 0},
    {keys::FMEnable, 87, {}, 0},
    {keys::VoxSQL, 45, {}, 0},
    {keys::VoxDelay, 46, {}, 0},
    {keys::VoxRX, 47, {}, 0},
    {keys::DigitTime, 108, {}, 0},
    {keys::DigitSpace, 109, {}, 0},
    {keys::FirstDigit, 110, {}, 0},
    {keys::Pretime, 112, {}, 0},
    {keys::StarHashDelay, 113, {}, 0},
    {keys::AckDecode, 114, {}, 0},
    {keys::DtmfSide, 115, {}, 0},
    {keys::DisplayPttId, 116, {}, 0},
    {keys::PttId, 117, {}, 0},
    {keys::BOT, 118, {}, 0},
    {keys::EOT, 119, {}, 0},
    {keys::Group, 125, {}, 0},
    {keys::Private, 126, {}, 0},
    {keys::AutoReset, 127, {}, 0},
    {keys::AutoAck, 128, {}, 0},
    {keys::DtmfBeep, 129, {}, 0},
    {keys::Strip, 130, {}, 0},
    {keys::Stun, 131, {}, 0},
    {keys::StunCode, 132, {}, 0},
    {keys::StunType, 133, {}, 0},
    {keys::KeyAssignment, 100, {}, 0},
    // The hidden second side-key group's caption.
    {keys::KeyAssignment2, 0, "键设定", 0},
    {keys::ChangePassword, 0, "修改密码", 0},
    // The password field has no label of its own; the box beside it names it.
    {keys::Password, 0, "修改密码", 0},
};

// The column header of the call list entries.
constexpr int kCallListHeaderString = 123;

std::string textOf(const StringTable& strings, int number)
{
    const std::string& text = strings.text(number);
    return text.empty() ? StringTable::builtIn().text(number) : text;
}

}  // namespace

std::string settingLabel(const StringTable& strings, std::string_view key)
{
    for (int i = 0; i < 10; ++i)
        if (key == keys::call(i))
            return textOf(strings, kCallListHeaderString) + " " + std::to_string(i);
    for (const LabelRow& row : kLabels) {
        if (row.key != key)
            continue;
        std::string label = row.group != 0 ? textOf(strings, row.group) + " " : std::string();
        label += row.string != 0 ? textOf(strings, row.string) : std::string(row.fixed);
        return label;
    }
    throw std::invalid_argument("no such setting: " + std::string(key));
}

std::function<std::string(std::string_view key)> settingLabels(const LanguageStore& store)
{
    return [&store](std::string_view key) { return settingLabel(store.strings(), key); };
}

}  // namespace qx
