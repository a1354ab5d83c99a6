#include "model/tone_list.h"

#include <gtest/gtest.h>

#include <set>

namespace qx {
namespace {

TEST(ToneList, HoldsOffCtcssAndBothDcsPolarities)
{
    const ToneList tones;
    ASSERT_EQ(tones.size(), 266);
    EXPECT_EQ(tones.text(0), "禁用");
    EXPECT_EQ(tones.text(1), "63.0");
    EXPECT_EQ(tones.text(2), "67.0");
    EXPECT_EQ(tones.text(14), "100.0");
    EXPECT_EQ(tones.text(51), "254.1");
    EXPECT_EQ(tones.text(52), "D017N");
    EXPECT_EQ(tones.text(53), "D023N");
    EXPECT_EQ(tones.text(158), "D754N");
    EXPECT_EQ(tones.text(159), "D017I");
    EXPECT_EQ(tones.text(160), "D023I");
    EXPECT_EQ(tones.text(265), "D754I");
    EXPECT_EQ(tones.text(266), "");
    EXPECT_EQ(tones.text(-1), "");
    const std::set<std::string> distinct(tones.texts().begin(), tones.texts().end());
    EXPECT_EQ(distinct.size(), 266u);
}

TEST(ToneList, IndexOfFindsEntriesAndFollowsTheOffWord)
{
    ToneList tones;
    EXPECT_EQ(tones.indexOf("D023I"), 160);
    EXPECT_EQ(tones.indexOf("67.5"), -1);
    tones.setOffWord("OFF");
    EXPECT_EQ(tones.text(0), "OFF");
    EXPECT_EQ(tones.indexOf("OFF"), 0);
    EXPECT_EQ(tones.indexOf("禁用"), -1);
}

TEST(CalCtc, KeysByWholeHertz)
{
    struct Case {
        int key;
        const char* code;
    } cases[] = {{63, "01"}, {67, "02"}, {69, "03"}, {71, "04"}, {100, "0E"}, {254, "33"}, {68, ""}, {0, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(CAL_ctc(c.key), c.code) << c.key;
}

TEST(CalDcs, KeysByTheThreeDigitsReadAsDecimal)
{
    struct Case {
        int key;
        const char* code;
    } cases[] = {{17, "01"}, {23, "02"}, {754, "6B"}, {114, "13"}, {24, ""}, {0, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(CAL_dcs(c.key), c.code) << c.key;
}

TEST(CalCodes, EveryListEntryHasItsGroupPosition)
{
    const ToneList tones;
    for (int i = 1; i <= 51; ++i) {
        auto code = toneCode(tones.text(i), "禁用", ToneSide::Decode);
        ASSERT_TRUE(code.ok()) << tones.text(i);
        EXPECT_EQ(std::stoi(code.value().substr(0, 2), nullptr, 16), i) << tones.text(i);
    }
    for (int i = 52; i <= 265; ++i) {
        auto code = toneCode(tones.text(i), "禁用", ToneSide::Encode);
        ASSERT_TRUE(code.ok()) << tones.text(i);
        EXPECT_EQ(std::stoi(code.value().substr(0, 2), nullptr, 16), (i - 52) % 107 + 1) << tones.text(i);
    }
}

struct EncodeCase {
    const char* name;
    const char* text;
    const char* offWord;
    ToneSide side;
    const char* code;
};

TEST(ToneCode, EncodesCellTexts)
{
    const EncodeCase cases[] = {
        {"CTCSS decode", "67.0", "禁用", ToneSide::Decode, "0282"},
        {"CTCSS encode with three-digit key", "100.0", "禁用", ToneSide::Encode, "0E81"},
        {"fraction is never looked at", "69.3", "禁用", ToneSide::Decode, "0382"},
        {"fraction is never looked at 71.9", "71.9", "禁用", ToneSide::Decode, "0482"},
        {"DCS normal decode", "D023N", "禁用", ToneSide::Decode, "02C4"},
        {"DCS normal encode", "D023N", "禁用", ToneSide::Encode, "02C3"},
        {"DCS inverted decode", "D023I", "禁用", ToneSide::Decode, "02E4"},
        {"DCS inverted encode", "D754I", "禁用", ToneSide::Encode, "6BE3"},
        {"surrounding spaces are trimmed", " 67.0 ", "禁用", ToneSide::Decode, "0282"},
        {"empty cell is no tone", "", "禁用", ToneSide::Decode, "FF00"},
        {"current Off word is no tone", "Off", "Off", ToneSide::Encode, "FF00"},
        {"Chinese Off under another language", "禁用", "OFF", ToneSide::Decode, "FF00"},
        {"English OFF under Chinese", "OFF", "禁用", ToneSide::Encode, "FF00"},
    };
    for (const auto& c : cases) {
        auto r = toneCode(c.text, c.offWord, c.side);
        ASSERT_TRUE(r.ok()) << c.name << ": " << r.error().message;
        EXPECT_EQ(r.value(), c.code) << c.name;
    }
}

TEST(ToneCode, TextWithoutCodeIsAnErrorNamingIt)
{
    for (const char* text : {"67.5", "68.0", "D024N", "D023", "abc", "1", "Off"}) {
        auto r = toneCode(text, "禁用", ToneSide::Decode);
        ASSERT_FALSE(r.ok()) << text;
        EXPECT_NE(r.error().message.find(text), std::string::npos) << r.error().message;
    }
}

struct DecodeCase {
    const char* name;
    const char* code;
    const char* text;
    int index;
};

TEST(ReadToneCode, DecodesCodesFromTheRadio)
{
    ToneList tones;
    tones.setOffWord("OFF");
    const DecodeCase cases[] = {
        {"no tone", "FF00", "OFF", 0},
        {"type digit 0 is no tone", "0100", "OFF", 0},
        {"CTCSS", "0282", "67.0", 2},
        {"CTCSS encode type reads the same", "0281", "67.0", 2},
        {"last CTCSS", "3382", "254.1", 51},
        {"DCS normal", "02C4", "D023N", 53},
        {"DCS inverted", "02E3", "D023I", 160},
        {"last DCS inverted", "6BE4", "D754I", 265},
        {"lower-case hex", "02c4", "D023N", 53},
        {"CTCSS position 0 is outside its group", "0082", "OFF", 0},
        {"CTCSS position 52 is outside its group", "3482", "OFF", 0},
        {"DCS position 108 is outside its group", "6CC4", "OFF", 0},
        {"unknown type digit", "0292", "OFF", 0},
    };
    for (const auto& c : cases) {
        auto r = readToneCode(c.code, tones);
        ASSERT_TRUE(r.ok()) << c.name;
        EXPECT_EQ(r.value().text, c.text) << c.name;
        EXPECT_EQ(r.value().index, c.index) << c.name;
    }
}

TEST(ReadToneCode, RejectsUnreadableCodes)
{
    const ToneList tones;
    for (const char* bad : {"", "028", "02822", "G282", "02X2", "028 "})
        EXPECT_FALSE(readToneCode(bad, tones).ok()) << bad;
}

TEST(ReadToneCode, RoundTripsEveryEntry)
{
    const ToneList tones;
    for (int i = 0; i < tones.size(); ++i) {
        for (auto side : {ToneSide::Decode, ToneSide::Encode}) {
            auto code = toneCode(tones.text(i), tones.text(0), side);
            ASSERT_TRUE(code.ok());
            auto back = readToneCode(code.value(), tones);
            ASSERT_TRUE(back.ok());
            EXPECT_EQ(back.value().index, i) << tones.text(i);
        }
    }
}

}  // namespace
}  // namespace qx
