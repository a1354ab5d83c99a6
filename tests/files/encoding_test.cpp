#include "files/encoding.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

struct EncodingCase {
    const char* name;
    std::string utf8;
    std::string gb18030;
};

// Expected bytes are the GBK / GB18030 code points of the characters.
const EncodingCase kEncodingCases[] = {
    {"ascii passes through", "QX-4100 MEMORY CHANNEL | 462.56250", "QX-4100 MEMORY CHANNEL | 462.56250"},
    {"simplified chinese is GBK", "中禁用", "\xD6\xD0\xBD\xFB\xD3\xC3"},
    {"traditional chinese is GBK", "啟用", "\x86\xA2\xD3\xC3"},
    {"euro sign is the GB18030 two-byte form", "€", "\xA2\xE3"},
    {"latin letter outside GBK takes four bytes", "ÿ", "\x81\x30\x8B\x37"},
    {"character beyond the BMP takes four bytes", "😀", "\x94\x39\xFC\x36"},
    {"empty text", "", ""},
};

TEST(Encoding, ConvertsBothWays)
{
    for (const auto& c : kEncodingCases) {
        SCOPED_TRACE(c.name);
        auto gb = utf8ToGb18030(c.utf8);
        ASSERT_TRUE(gb.ok()) << gb.error().message;
        EXPECT_EQ(gb.value(), c.gb18030);
        auto back = gb18030ToUtf8(c.gb18030);
        ASSERT_TRUE(back.ok()) << back.error().message;
        EXPECT_EQ(back.value(), c.utf8);
    }
}

TEST(Encoding, LongTextConvertsWhole)
{
    std::string utf8;
    for (int i = 0; i < 5000; ++i)
        utf8 += "信道A😀";
    auto gb = utf8ToGb18030(utf8);
    ASSERT_TRUE(gb.ok());
    auto back = gb18030ToUtf8(gb.value());
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), utf8);
}

TEST(Encoding, BadInputIsAnErrorNotACrash)
{
    const struct {
        const char* name;
        std::string bytes;
    } badUtf8[] = {
        {"stray continuation byte", "a\x80z"},
        {"byte FF", "\xFF"},
        {"overlong slash", "\xC0\xAF"},
        {"surrogate half", "\xED\xA0\x80"},
        {"cut-off three-byte character", "\xE4\xB8"},
        {"above U+10FFFF", "\xF4\x90\x80\x80"},
    };
    for (const auto& c : badUtf8) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(isValidUtf8(c.bytes));
        EXPECT_FALSE(utf8ToGb18030(c.bytes).ok());
    }
    const struct {
        const char* name;
        std::string bytes;
    } badGb[] = {
        {"cut-off two-byte character", "abc\xD6"},
        {"cut-off four-byte character", "\x81\x30\x8B"},
        {"lead byte before a space", "\xD6 x"},
        {"byte FF", "\xFF\xFF"},
    };
    for (const auto& c : badGb) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(gb18030ToUtf8(c.bytes).ok());
    }
}

TEST(Encoding, Utf8PrefixCutsOnACharacterBoundary)
{
    const std::string text = "ab中文";  // 2 + 3 + 3 bytes
    const struct {
        std::size_t max;
        std::string expected;
    } cases[] = {
        {100, "ab中文"}, {8, "ab中文"}, {7, "ab中"}, {6, "ab中"}, {5, "ab中"}, {4, "ab"}, {2, "ab"}, {0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.max);
        EXPECT_EQ(utf8Prefix(text, c.max), c.expected);
    }
}

}  // namespace
}  // namespace qx
