#pragma once
// The label each setting is shown with on its page, in the current language: what a message names
// a setting by ("%1 cannot be written to the radio").

#include <functional>
#include <string>
#include <string_view>

namespace qx {

class LanguageStore;
class StringTable;

// The page label of a setting in the language of strings: the language's string where the label
// has one (a string the table lacks reads as its built-in text), else the label that is the same in
// every language. A call list entry adds its number ("自动拨号号码 3"), a band range its group
// ("频段1 接收范围"). An unknown key throws std::invalid_argument: keys are programming constants.
std::string settingLabel(const StringTable& strings, std::string_view key);

// settingLabel over the store's current strings, read at each call.
std::function<std::string(std::string_view key)> settingLabels(const LanguageStore& store);

}  // namespace qx
