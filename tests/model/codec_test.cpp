#include "model/codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qx {
namespace {

struct AliasCase {
    const char* name;
    const char* alias;
    const char* hex;
};

TEST(StrToHEX, EncodesAliasesInTheRadioCharacterCode)
{
    const AliasCase cases[] = {
        {"two letters filled with spaces", "AB", "10110F0F0F0F"},
        {"letters, dash and digit", "CH-1", "12170A010F0F"},
        {"character without code is dropped", "A#B", "10110F0F0F0F"},
        {"empty alias is all fill", "", "0F0F0F0F0F0F"},
        {"six table characters need no fill", "Z*/._+", "292A0D0E0C0B"},
        {"digits are their own codes", "09", "00090F0F0F0F"},
        {"lower case has no code", "ab", "0F0F0F0F0F0F"},
        {"seven characters are not shortened", "ABCDEFG", "10111213141516"},
        {"non-ASCII bytes are dropped", "A\xE4\xB8\xAD", "100F0F0F0F0F"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToHEX(c.alias), c.hex) << c.name;
}

TEST(HexToStr, DecodesAliasCodes)
{
    const AliasCase cases[] = {
        {"erased alias is empty", "", "FFFFFFFFFFFF"},
        {"fill stays as spaces for the caller to trim", "AB    ", "10110F0F0F0F"},
        {"codes above 2A contribute nothing", "A", "10FFFFFFFFFF"},
        {"every table character", "Z*/._+", "292A0D0E0C0B"},
        {"lower-case hex digits are read", "AB    ", "10110f0f0f0f"},
    };
    for (const auto& c : cases) {
        auto r = HexToStr(c.hex);
        ASSERT_TRUE(r.ok()) << c.name << ": " << r.error().message;
        EXPECT_EQ(r.value(), c.alias) << c.name;
    }
}

TEST(HexToStr, RoundTripsEveryAliasCharacter)
{
    const std::string all = "0123456789-+_/. ABCDEFGHIJKLMNOPQRSTUVWXYZ*";
    for (std::size_t i = 0; i < all.size(); i += 6) {
        const std::string alias = all.substr(i, 6);
        auto r = HexToStr(StrToHEX(alias));
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.value().substr(0, alias.size()), alias);
    }
}

TEST(HexToStr, ReportsUnreadableText)
{
    for (const char* bad : {"1G110F0F0F0F", "10110F0F0F0", "10 10F0F0F0F"}) {
        auto r = HexToStr(bad);
        EXPECT_FALSE(r.ok()) << bad;
    }
    EXPECT_NE(HexToStr("1G110F0F0F0F").error().message.find("'G'"), std::string::npos);
}

TEST(DTMFToHex, MapsDigitsByTheTableReadBackwards)
{
    struct Case {
        const char* name;
        const char* text;
        std::size_t count;
        const char* hex;
    } cases[] = {
        {"digit 0 is A, * is B, # is C, A is D", "0*#A", 4, "ABCD"},
        {"digits 1 to 9 are themselves", "123456789", 9, "123456789"},
        {"B, C, D wrap to E, F, 0", "BCD", 3, "EF0"},
        {"lower-case a to d convert like upper case", "abcd", 4, "DEF0"},
        {"only the first count characters", "12345", 2, "12"},
        {"count 0 gives nothing", "12", 0, ""},
    };
    for (const auto& c : cases) {
        auto r = DTMFToHex(c.text, c.count);
        ASSERT_TRUE(r.ok()) << c.name << ": " << r.error().message;
        EXPECT_EQ(r.value(), c.hex) << c.name;
    }
}

TEST(DTMFToHex, ReportsCharactersOutsideTheDtmfSet)
{
    for (const char* bad : {"E", "F", "e", "f", "1x", " ", "12-3"}) {
        auto r = DTMFToHex(bad, std::string(bad).size());
        EXPECT_FALSE(r.ok()) << bad;
    }
    EXPECT_FALSE(DTMFToHex("12", 3).ok()) << "count beyond the text";
}

TEST(HexToDTMF, MapsNibblesToDigits)
{
    struct Case {
        const char* name;
        const char* hex;
        std::size_t count;
        const char* text;
    } cases[] = {
        {"A is digit 0", "A", 1, "0"},
        {"0 is digit D", "0", 1, "D"},
        {"the whole table", "0123456789ABCDEF", 16, "D1234567890*#ABC"},
        {"only the first count digits", "123FFF", 3, "123"},
    };
    for (const auto& c : cases) {
        auto r = HexToDTMF(c.hex, c.count);
        ASSERT_TRUE(r.ok()) << c.name;
        EXPECT_EQ(r.value(), c.text) << c.name;
    }
    EXPECT_FALSE(HexToDTMF("1Z", 2).ok());
    EXPECT_FALSE(HexToDTMF("12", 3).ok());
}

TEST(BytesToHex, WritesTwoUpperCaseDigitsPerByte)
{
    const std::vector<std::uint8_t> bytes = {0x05, 0xAB, 0x00, 0xFF, 0x0A};
    EXPECT_EQ(BytesToHex(bytes), "05AB00FF0A");
    EXPECT_EQ(BytesToHex({}), "");
}

TEST(HexToBytes, ReadsHexTextBack)
{
    auto r = HexToBytes("05AB00FF0a");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(), (std::vector<std::uint8_t>{0x05, 0xAB, 0x00, 0xFF, 0x0A}));
    EXPECT_FALSE(HexToBytes("05A").ok()) << "odd length";
    EXPECT_FALSE(HexToBytes("0G").ok()) << "non-hex digit";
}

TEST(hextoint, ReadsHexWithoutPrefix)
{
    struct Case {
        const char* hex;
        std::uint64_t value;
    } cases[] = {{"1F", 31}, {"0", 0}, {"FF", 255}, {"6B", 107}, {"ffff", 65535}, {"FFFFFFFFFFFFFFFF", UINT64_MAX}};
    for (const auto& c : cases) {
        auto r = hextoint(c.hex);
        ASSERT_TRUE(r.ok()) << c.hex;
        EXPECT_EQ(r.value(), c.value) << c.hex;
    }
    for (const char* bad : {"", "0x1F", "1G", "-1", "10000000000000000"})
        EXPECT_FALSE(hextoint(bad).ok()) << bad;
}

TEST(DtmfField, EncodesDigitsFillAndLength)
{
    struct Case {
        const char* name;
        const char* text;
        const char* field;
    } cases[] = {
        {"three digits", "123", "123FFFFFFFFFFFF3"},
        {"empty string", "", "FFFFFFFFFFFFFFF0"},
        {"special digits", "0*#A", "ABCDFFFFFFFFFFF4"},
        {"fifteen digits fill the field", "123456789012345", "123456789A12345F"},
    };
    for (const auto& c : cases) {
        auto enc = encodeDtmfField(c.text);
        ASSERT_TRUE(enc.ok()) << c.name;
        EXPECT_EQ(enc.value(), c.field) << c.name;
        auto dec = decodeDtmfField(c.field);
        ASSERT_TRUE(dec.ok()) << c.name;
        EXPECT_EQ(dec.value(), c.text) << c.name;
    }
}

TEST(DtmfField, ErasedFieldReadsAsFifteenC)
{
    auto r = decodeDtmfField("FFFFFFFFFFFFFFFF");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(), std::string(15, 'C'));
}

TEST(DtmfField, ReportsBadInput)
{
    EXPECT_FALSE(encodeDtmfField("1234567890123456").ok()) << "sixteen digits";
    EXPECT_FALSE(encodeDtmfField("12E").ok()) << "E is no DTMF digit";
    EXPECT_FALSE(decodeDtmfField("123").ok()) << "short field";
    EXPECT_FALSE(decodeDtmfField("123FFFFFFFFFFFFX").ok()) << "bad length nibble";
    EXPECT_FALSE(decodeDtmfField("1G3FFFFFFFFFFFF3").ok()) << "bad digit within the length";
}

}  // namespace
}  // namespace qx
