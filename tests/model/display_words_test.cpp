#include "model/display_words.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(DisplayWords, SimplifiedChineseBeforeAnyLanguage)
{
    const auto w = DisplayWords::simplifiedChinese();
    EXPECT_EQ(w.off, "禁用");
    EXPECT_EQ(w.on, "启用");
    EXPECT_EQ(w.high, "高功率");
    EXPECT_EQ(w.low, "低功率");
    EXPECT_EQ(w.wide, "宽带");
    EXPECT_EQ(w.narrow, "窄带");
    EXPECT_EQ(w.compander, "压扩");
    EXPECT_EQ(w.scrambler, "扰频");
}

TEST(DisplayWords, GetAndSetByWordAndLanguageStrings)
{
    DisplayWords w;
    const int strings[] = {34, 35, 36, 37, 74, 75, 78, 79};
    int i = 0;
    for (Word word : kAllWords) {
        w.set(word, std::to_string(i));
        EXPECT_EQ(languageStringOf(word), strings[i]);
        ++i;
    }
    EXPECT_EQ(w.off, "0");
    EXPECT_EQ(w.scrambler, "7");
    EXPECT_EQ(w.get(Word::Narrow), "5");
}

TEST(DisplayWords, RecognisedFormsOfEveryLanguage)
{
    struct Case {
        Word word;
        const char* text;
        bool recognised;
    } cases[] = {
        {Word::Off, "禁用", true},        {Word::Off, "OFF", true},        {Word::Off, "Off", false},
        {Word::On, "啟用", true},         {Word::On, "ON", true},          {Word::High, "High", true},
        {Word::Low, "低功率", true},      {Word::Wide, "寬帶", true},      {Word::Narrow, "窄帶", true},
        {Word::Compander, "Comp", true},  {Word::Compander, "壓擴", true}, {Word::Scrambler, "scrambler", true},
        {Word::Scrambler, "Scrambler", false}, {Word::On, "禁用", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isRecognisedForm(c.word, c.text), c.recognised) << c.text;
}

}  // namespace
}  // namespace qx
