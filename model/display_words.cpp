#include "model/display_words.h"

#include <algorithm>

namespace qx {
namespace {

constexpr std::string_view kOffForms[] = {"禁用", "OFF"};
constexpr std::string_view kOnForms[] = {"启用", "ON", "啟用"};
constexpr std::string_view kHighForms[] = {"高功率", "High"};
constexpr std::string_view kLowForms[] = {"低功率", "Low"};
constexpr std::string_view kWideForms[] = {"宽带", "Wide", "寬帶"};
constexpr std::string_view kNarrowForms[] = {"窄带", "Narrow", "窄帶"};
constexpr std::string_view kCompanderForms[] = {"压扩", "Comp", "壓擴"};
constexpr std::string_view kScramblerForms[] = {"扰频", "scrambler", "擾頻"};

}  // namespace

DisplayWords DisplayWords::simplifiedChinese()
{
    return DisplayWords{"禁用", "启用", "高功率", "低功率", "宽带", "窄带", "压扩", "扰频"};
}

const std::string& DisplayWords::get(Word w) const
{
    switch (w) {
    case Word::Off: return off;
    case Word::On: return on;
    case Word::High: return high;
    case Word::Low: return low;
    case Word::Wide: return wide;
    case Word::Narrow: return narrow;
    case Word::Compander: return compander;
    case Word::Scrambler: return scrambler;
    }
    return off;
}

void DisplayWords::set(Word w, std::string text)
{
    const_cast<std::string&>(get(w)) = std::move(text);
}

int languageStringOf(Word w)
{
    switch (w) {
    case Word::Off: return 34;
    case Word::On: return 35;
    case Word::High: return 36;
    case Word::Low: return 37;
    case Word::Wide: return 74;
    case Word::Narrow: return 75;
    case Word::Compander: return 78;
    case Word::Scrambler: return 79;
    }
    return 0;
}

std::span<const std::string_view> recognisedForms(Word w)
{
    switch (w) {
    case Word::Off: return kOffForms;
    case Word::On: return kOnForms;
    case Word::High: return kHighForms;
    case Word::Low: return kLowForms;
    case Word::Wide: return kWideForms;
    case Word::Narrow: return kNarrowForms;
    case Word::Compander: return kCompanderForms;
    case Word::Scrambler: return kScramblerForms;
    }
    return {};
}

bool isRecognisedForm(Word w, std::string_view text)
{
    const auto forms = recognisedForms(w);
    return std::find(forms.begin(), forms.end(), text) != forms.end();
}

}  // namespace qx
