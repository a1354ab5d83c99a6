#pragma once
// The radio-wide settings: a self-describing table of every setting, one assignment path that
// runs the dependency rules, and observers for the pages.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx {

// Setting keys, as the channel file names them (the last three are not in the file).
namespace keys {
inline constexpr std::string_view BandRx = "BAND_Rx";
inline constexpr std::string_view BandTx = "BAND_Tx";
inline constexpr std::string_view BandRx1 = "BAND_Rx1";
inline constexpr std::string_view BandTx1 = "BAND_Tx1";
inline constexpr std::string_view APO = "APO";
inline constexpr std::string_view ScanKind = "scankind";
inline constexpr std::string_view Step = "step";
inline constexpr std::string_view VfoMr = "VFO/MR";
inline constexpr std::string_view MrFreqMrCh = "MR freq./MR CH";
inline constexpr std::string_view Squelch = "Squelch";
inline constexpr std::string_view TOT = "TOT";
inline constexpr std::string_view Monitor = "Monitor";
inline constexpr std::string_view ExpFreq = "Exp Freq.";
inline constexpr std::string_view Band = "Band";
inline constexpr std::string_view Beep = "Beep";
inline constexpr std::string_view KeyLock = "Key Lock";
inline constexpr std::string_view Save = "Save";
inline constexpr std::string_view EMG = "EMG";
inline constexpr std::string_view FMEnable = "FM Enable";
inline constexpr std::string_view VoxSQL = "VoxSQL";
inline constexpr std::string_view VoxDelay = "VoxDelay";
inline constexpr std::string_view VoxRX = "VoxRX";
inline constexpr std::string_view DigitTime = "Digit Time";
inline constexpr std::string_view DigitSpace = "Digit Space";
inline constexpr std::string_view FirstDigit = "First Digit";
inline constexpr std::string_view Pretime = "Pretime";
inline constexpr std::string_view StarHashDelay = "*&#Delay";
inline constexpr std::string_view AckDecode = "ACK Decode";
inline constexpr std::string_view DtmfSide = "DTMF Side";
inline constexpr std::string_view DisplayPttId = "Display PTT ID";
inline constexpr std::string_view PttId = "PTT ID";
inline constexpr std::string_view BOT = "BOT";
inline constexpr std::string_view EOT = "EOT";
inline constexpr std::string_view Call0 = "Call0";
inline constexpr std::string_view Call1 = "Call1";
inline constexpr std::string_view Call2 = "Call2";
inline constexpr std::string_view Call3 = "Call3";
inline constexpr std::string_view Call4 = "Call4";
inline constexpr std::string_view Call5 = "Call5";
inline constexpr std::string_view Call6 = "Call6";
inline constexpr std::string_view Call7 = "Call7";
inline constexpr std::string_view Call8 = "Call8";
inline constexpr std::string_view Call9 = "Call9";
inline constexpr std::string_view Group = "Group";
inline constexpr std::string_view Private = "Private";
inline constexpr std::string_view AutoReset = "Auto Reset";
inline constexpr std::string_view AutoAck = "Auto ACK";
inline constexpr std::string_view DtmfBeep = "DTMF Beep";
inline constexpr std::string_view Strip = "Strip";
inline constexpr std::string_view Stun = "Stun";
inline constexpr std::string_view StunCode = "Stun Code";
inline constexpr std::string_view StunType = "Stun Type";
inline constexpr std::string_view KeyAssignment = "Key Assignment";
inline constexpr std::string_view KeyAssignment2 = "Key Assignment 2";
inline constexpr std::string_view ChangePassword = "Change Password";
inline constexpr std::string_view Password = "Password";
// Call list entry i (0..9).
std::string_view call(int i);
}  // namespace keys

enum class SettingKind { Option, Flag, Number, Text, Band };

// Characters a text setting admits as typed.
enum class CharSet { Any, Dtmf, Digits };

// Where a language replaces an option text: item `item` becomes `prefix` + language string `string`.
struct OptionTextSource {
    int item = 0;
    int string = 0;
    std::string_view prefix;  // TOT's "1".."7" before string 48, empty elsewhere
};

// One setting, described once; pages, the channel file, the link and the CLI all read this.
struct SettingSpec {
    std::string_view key;
    SettingKind kind = SettingKind::Flag;
    std::vector<std::string_view> options;   // Option: built-in (Simplified Chinese) texts
    int defaultValue = 0;                    // Option index, Flag 0/1, Number value
    std::string_view defaultText;            // Text default
    int min = 0, max = 0, step = 1, digits = 0;  // Number
    int maxLength = 0;                       // Text
    CharSet chars = CharSet::Any;            // Text
    bool inFile = true;                      // written to / read from the channel file
    bool resetByNewDocument = true;          // a new document assigns the default
    std::vector<OptionTextSource> languageStrings;  // Option items the language replaces
};

// Every setting, in channel-file order; Key Assignment 2, Change Password and Password last.
std::span<const SettingSpec> settingSpecs();
// The desc of a key, or nullptr.
const SettingSpec* findSetting(std::string_view key);

// Interested parties implement what they need. Semantics: valueChanged for an option, number,
// text or band when its value changes, for a flag on every assignment; enabledChanged when the
// enabled state flips; optionTextsChanged after a language re-texts a list; bandListChanged when a
// band range list is replaced or grows.
class SettingsObserver {
public:
    virtual ~SettingsObserver() = default;
    virtual void valueChanged(std::string_view /*key*/) {}
    virtual void enabledChanged(std::string_view /*key*/, bool /*enabled*/) {}
    virtual void optionTextsChanged(std::string_view /*key*/) {}
    virtual void bandListChanged(std::string_view /*key*/) {}
};

class RadioSettings {
public:
    RadioSettings();

    // Generic access by key. Unknown keys throw std::invalid_argument (a programming error).
    // Option: index; Flag: 0/1; Number: value; Band: selected list position or -1; Text: 0.
    int value(std::string_view key) const;
    // Option: an index outside the list gives the default. Flag: non-zero is 1. Number: clamped
    // into its range. Band: selects that position (outside the list: nothing selected).
    // Text: ignored. Runs the dependency rules and notifies.
    void assign(std::string_view key, int value);

    // Text or band: the value. Option: the current display text. Flag, number: decimal text.
    std::string text(std::string_view key) const;
    // Text: stored exactly. Band: the first equal list entry is selected, else the text is
    // appended and selected. Other kinds: ignored.
    void assignText(std::string_view key, std::string text);

    bool enabled(std::string_view key) const;

    // Option texts in the current language.
    const std::vector<std::string>& optionTexts(std::string_view key) const;
    void setOptionText(std::string_view key, int item, std::string text);
    void setOptionTexts(std::string_view key, std::vector<std::string> texts);
    // Re-texts every list from the language strings of its desc; indexes are kept. `lookup`
    // returns the language string of a number, or nullopt to keep the current text.
    void applyLanguage(const std::function<std::optional<std::string>(int)>& lookup);

    // Band ranges.
    const std::vector<std::string>& bandList(std::string_view key) const;
    int bandSelected(std::string_view key) const;  // -1 when nothing is selected
    // Replaces the list (configuration load); a position outside the list selects nothing.
    void setBandList(std::string_view key, std::vector<std::string> list, int selected);
    // Limits (low, high) in MHz of the receive range of the band in use: BAND_Rx when Band is 1,
    // otherwise BAND_Rx1; nullopt when its text carries none.
    std::optional<std::pair<int, int>> activeRxLimits() const;
    const std::string& activeRxRange() const;

    // A new document: every setting that the new document resets, in its order, through assign.
    void resetToDefaults();

    // Rule P, on leaving the password field.
    void leavePasswordField();

    void addObserver(SettingsObserver* observer);  // not owned
    void removeObserver(SettingsObserver* observer);

private:
    struct Slot {
        const SettingSpec* desc = nullptr;
        int value = 0;                   // option, flag, number
        std::string text;                // text
        std::vector<std::string> options;  // option texts, current language
        std::vector<std::string> bands;    // band range list
        int selected = -1;                 // band list position
        bool enabled = true;
    };
    Slot& slot(std::string_view key);
    const Slot& slot(std::string_view key) const;
    void setEnabled(std::string_view key, bool on);
    void notifyValue(std::string_view key);

    std::vector<Slot> slots_;
    std::vector<SettingsObserver*> observers_;

public:
    // Copies carry the values, not the observers.
    RadioSettings(const RadioSettings& other) : slots_(other.slots_) {}
    RadioSettings& operator=(const RadioSettings& other)
    {
        slots_ = other.slots_;
        return *this;
    }
};

// Low and high limit (MHz) of a band range text: characters 1-3 and 5-7 as three decimal digits
// each ("400-470MHz" -> 400, 470); nullopt when either is not three digits.
std::optional<std::pair<int, int>> bandLimits(std::string_view rangeText);

// Rule P: a password of exactly six decimal digits stays, anything else becomes "246810".
std::string ruleP(std::string_view text);
inline constexpr std::string_view kDefaultPassword = "246810";

// Typed-character filters of the text editors: the character to insert, or nullopt to refuse it.
// DTMF: "0"-"9", "A"-"D", "*", "#"; "a"-"d" are upcased. Digits: "0"-"9".
std::optional<char> filterDtmfChar(char c);
std::optional<char> filterDigitChar(char c);
std::optional<char> filterTypedChar(CharSet set, char c);

}  // namespace qx
