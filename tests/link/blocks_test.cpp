#include "link/blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/radio_settings.h"

namespace qx {
namespace {

using Values = std::vector<std::pair<std::string_view, int>>;

void assignAll(RadioSettings& s, const Values& values)
{
    for (auto [key, v] : values)
        s.assign(key, v);
}

TEST(FunctionBlock, DefaultsWithNoChannelInBand)
{
    RadioSettings s;
    EXPECT_EQ(encodeFunctionBlock(s, kNoChannelInBand), "FF800202FF040300F9FFFF0302FEF0F0");
}

TEST(FunctionBlock, BandCheckResultIsByteZero)
{
    RadioSettings s;
    EXPECT_EQ(encodeFunctionBlock(s, "80").substr(0, 8), "80800202");
}

// Every field away from its default, so a swapped bit or nibble shows.
const Values kFunctionValues = {
    {keys::ExpFreq, 1},  {keys::VfoMr, 0},   {keys::MrFreqMrCh, 0}, {keys::Squelch, 9},   {keys::ScanKind, 0},
    {keys::Save, 0},     {keys::Beep, 0},    {keys::Step, 1},       {keys::TOT, 7},       {keys::APO, 15},
    {keys::Band, 0},     {keys::KeyLock, 1}, {keys::VoxRX, 0},      {keys::FMEnable, 0},  {keys::EMG, 0},
    {keys::VoxSQL, 7},   {keys::VoxDelay, 0}, {keys::Monitor, 1},   {keys::AckDecode, 0}, {keys::DtmfSide, 0},
    {keys::Strip, 0},    {keys::DtmfBeep, 0}, {keys::AutoAck, 0},   {keys::PttId, 2},     {keys::DisplayPttId, 0},
    {keys::Group, 5},
};

TEST(FunctionBlock, EveryFieldAwayFromDefaultRoundTrips)
{
    RadioSettings s;
    assignAll(s, kFunctionValues);
    const std::string data = encodeFunctionBlock(s, "01");
    EXPECT_EQ(data, "01800209B101070F490FFF08001172F5");
    RadioSettings back;
    ASSERT_TRUE(decodeFunctionBlock(back, data).ok());
    for (auto [key, v] : kFunctionValues)
        EXPECT_EQ(back.value(key), v) << key;
}

TEST(FunctionBlock, DecodeByte8)
{
    struct Case {
        const char* name;
        const char* byte8;
        int band, mr, keyLock;
    } cases[] = {
        {"69: band 2, MR freq., locked", "69", 0, 1, 1},
        {"99: band 1, MR CH, unlocked", "99", 1, 0, 0},
    };
    for (const Case& c : cases) {
        RadioSettings s;
        // VFO/MR 0 (byte 4 = B1) so MR CH can stand; Exp Freq. 0 (byte 9 = FF).
        std::string data = "FF800202B1040300" + std::string(c.byte8) + "FFFF0302FEF0F0";
        ASSERT_TRUE(decodeFunctionBlock(s, data).ok()) << c.name;
        EXPECT_EQ(s.value(keys::Band), c.band) << c.name;
        EXPECT_EQ(s.value(keys::MrFreqMrCh), c.mr) << c.name;
        EXPECT_EQ(s.value(keys::KeyLock), c.keyLock) << c.name;
    }
}

TEST(FunctionBlock, RadioBandSurvivesExpFreqOff)
{
    // Exp Freq. off forces Band 1 when assigned; the radio's Band 0 is assigned after it.
    RadioSettings s;
    ASSERT_TRUE(decodeFunctionBlock(s, "FF800202FF040300E9FFFF0302FEF0F0").ok());
    EXPECT_EQ(s.value(keys::ExpFreq), 0);
    EXPECT_EQ(s.value(keys::Band), 0);
}

TEST(FunctionBlock, RadioMrChSurvivesWhenVfoMrTurnsToMr)
{
    // The defaults hold VFO/MR 1, which pins MR freq./MR CH to 1 until VFO/MR is 0.
    RadioSettings s;
    ASSERT_TRUE(decodeFunctionBlock(s, "FF800202FB040300D9FFFF0302FEF0F0").ok());
    EXPECT_EQ(s.value(keys::VfoMr), 0);
    EXPECT_EQ(s.value(keys::MrFreqMrCh), 0);
}

TEST(FunctionBlock, OutOfListDigitsAndNibbles)
{
    struct Case {
        const char* name;
        const char* data;
        std::string_view key;
        int expected;
    } cases[] = {
        {"squelch digit A takes the default", "FF80020AFF040300F9FFFF0302FEF0F0", keys::Squelch, 2},
        {"step digit B takes the default", "FF800202FF0B0300F9FFFF0302FEF0F0", keys::Step, 4},
        {"TOT digit F takes the default", "FF800202FF040F00F9FFFF0302FEF0F0", keys::TOT, 3},
        {"APO uses the low nibble only", "FF800202FF0403A5F9FFFF0302FEF0F0", keys::APO, 5},
        {"VoxSQL 0 takes the default", "FF800202FF040300F9FFFF0002FEF0F0", keys::VoxSQL, 2},
        {"VoxSQL 9 gives index 2", "FF800202FF040300F9FFFF0902FEF0F0", keys::VoxSQL, 2},
        {"VoxSQL 1 gives index 0", "FF800202FF040300F9FFFF0102FEF0F0", keys::VoxSQL, 0},
        {"VoxDelay 5 gives index 2", "FF800202FF040300F9FFFF0305FEF0F0", keys::VoxDelay, 2},
        {"VoxDelay 4 takes the default", "FF800202FF040300F9FFFF0304FEF0F0", keys::VoxDelay, 2},
        {"PTT ID 3 takes the default", "FF800202FF040300F9FFFF0302FEF3F0", keys::PttId, 0},
        {"Group 7 takes the default", "FF800202FF040300F9FFFF0302FEF0F7", keys::Group, 0},
        {"Group 8 leaves the group as it was", "FF800202FF040300F9FFFF0302FEF0F8", keys::Group, 3},
    };
    for (const Case& c : cases) {
        RadioSettings s;
        assignAll(s, {{keys::Squelch, 5}, {keys::Step, 0}, {keys::TOT, 1}, {keys::VoxSQL, 6}, {keys::VoxDelay, 0},
                      {keys::PttId, 1}, {keys::Group, 3}});
        ASSERT_TRUE(decodeFunctionBlock(s, c.data).ok()) << c.name;
        EXPECT_EQ(s.value(c.key), c.expected) << c.name;
    }
}

TEST(FunctionBlock, ShortOrNonHexDataChangesNothing)
{
    for (const char* data : {"FF800209", "FF800209FF040300F9FFFF0302FEF0FZ"}) {
        RadioSettings s;
        EXPECT_FALSE(decodeFunctionBlock(s, data).ok()) << data;
        EXPECT_EQ(s.value(keys::Squelch), 2) << data;
    }
}

TEST(KeyBlock, Defaults)
{
    RadioSettings s;
    EXPECT_EQ(encodeKeyBlock(s), "FFFFF0F10A0A002800F114");
}

TEST(KeyBlock, RoundTripAwayFromDefaults)
{
    const Values values = {{keys::KeyAssignment2, 2}, {keys::KeyAssignment, 3}, {keys::DigitTime, 200},
                           {keys::DigitSpace, 50},    {keys::FirstDigit, 500},  {keys::Pretime, 1000},
                           {keys::StarHashDelay, 400}, {keys::Stun, 0},         {keys::StunType, 0},
                           {keys::AutoReset, 120}};
    RadioSettings s;
    assignAll(s, values);
    const std::string data = encodeKeyBlock(s);
    EXPECT_EQ(data, "FFFFF2F3140532642870F0");
    RadioSettings back;
    ASSERT_TRUE(decodeKeyBlock(back, data + "FFFFFFFFFF").ok());
    for (auto [key, v] : values)
        EXPECT_EQ(back.value(key), v) << key;
}

TEST(KeyBlock, DecodeClampsThroughTheSetting)
{
    RadioSettings s;
    // Pretime byte FF (2550 ms) and Auto Reset 01 (0 s) are clamped by the settings' ranges.
    ASSERT_TRUE(decodeKeyBlock(s, "FFFFF0F10A0A00FF00F101FFFFFFFFFF").ok());
    EXPECT_EQ(s.value(keys::Pretime), 1000);
    EXPECT_EQ(s.value(keys::AutoReset), 3);
}

TEST(BandBlock, MergesIntoTheLists)
{
    RadioSettings s;
    s.setBandList(keys::BandRx, {"136-174MHz", "400-470MHz"}, 0);
    s.setBandList(keys::BandTx, {"400-470MHz"}, 0);
    ASSERT_TRUE(mergeBandLimits(s, "47004000480040005200490052004900").ok());
    EXPECT_EQ(s.text(keys::BandRx), "400-470MHz");
    EXPECT_EQ(s.bandList(keys::BandRx).size(), 2u);
    EXPECT_EQ(s.text(keys::BandTx), "400-480MHz");
    EXPECT_EQ(s.bandList(keys::BandTx).size(), 2u);
    EXPECT_EQ(s.text(keys::BandRx1), "490-520MHz");
    EXPECT_EQ(s.text(keys::BandTx1), "490-520MHz");
}

TEST(BandBlock, RadioWithoutBandData)
{
    const std::string erased(32, 'F');
    RadioSettings s;
    s.setBandList(keys::BandRx, {"400-470MHz"}, 0);
    ASSERT_TRUE(mergeBandLimits(s, erased).ok());
    EXPECT_EQ(s.bandList(keys::BandRx).size(), 1u);
    EXPECT_EQ(s.text(keys::BandRx), "400-470MHz");
    EXPECT_FALSE(isWritable(erased));
    EXPECT_TRUE(isWritable("47004000480040005200490052004900"));
    auto texts = decodeBandLimits(erased);
    ASSERT_TRUE(texts.ok());
    EXPECT_EQ(texts.value().rx, "FFF-FFFMHz");
}

TEST(PasswordBlock, Encode)
{
    struct Case {
        const char* name;
        const char* password;
        const char* data;  // nullptr: refused
    } cases[] = {
        {"six digits", "123456", "010203040506"},
        {"five characters write the default", "12345", "020406080100"},
        {"seven characters write the default", "1234567", "020406080100"},
        {"a character that is no hex digit", "12345x", nullptr},
    };
    for (const Case& c : cases) {
        RadioSettings s;
        s.assignText(keys::Password, c.password);
        auto data = encodePasswordBlock(s);
        if (c.data == nullptr) {
            EXPECT_FALSE(data.ok()) << c.name;
        } else {
            ASSERT_TRUE(data.ok()) << c.name;
            EXPECT_EQ(data.value(), c.data) << c.name;
        }
    }
}

TEST(PasswordBlock, DecodeTakesTheLowNibbles)
{
    RadioSettings s;
    ASSERT_TRUE(decodePasswordBlock(s, "09F807060504FFFFFFFFFFFFFFFFFFFF").ok());
    EXPECT_EQ(s.text(keys::Password), "987654");
    ASSERT_TRUE(decodePasswordBlock(s, std::string(32, 'F')).ok());
    EXPECT_EQ(s.text(keys::Password), "FFFFFF");
}

TEST(CodeBlocks, OwnIdStunCodeAndCallList)
{
    RadioSettings s;
    s.assignText(keys::Private, "1000");
    s.assignText(keys::StunCode, "");
    auto id = encodeCodePair(s, keys::Private, keys::StunCode);
    ASSERT_TRUE(id.ok());
    EXPECT_EQ(id.value(), "1AAAFFFFFFFFFFF4FFFFFFFFFFFFFFF0");

    s.assignText(keys::call(4), "0*#ab");
    s.assignText(keys::call(5), "123456789012345");
    auto calls = encodeCallListBlock(s, 2);
    ASSERT_TRUE(calls.ok());
    EXPECT_EQ(calls.value(), "ABCDEFFFFFFFFFF5123456789A12345F");

    RadioSettings back;
    ASSERT_TRUE(decodeCodePair(back, keys::Private, keys::StunCode, id.value()).ok());
    EXPECT_EQ(back.text(keys::Private), "1000");
    EXPECT_EQ(back.text(keys::StunCode), "");
    ASSERT_TRUE(decodeCallListBlock(back, 2, calls.value()).ok());
    EXPECT_EQ(back.text(keys::call(4)), "0*#AB");
    EXPECT_EQ(back.text(keys::call(5)), "123456789012345");
    EXPECT_EQ(back.text(keys::call(0)), "1000");  // other blocks untouched
}

// Stun Code holds at most 8 digits, so a longer length (an erased block says 15) reads as empty
// and writes back as an empty field; the other fields keep the fifteen C of an erased field.
TEST(CodeBlocks, StunCodeLongerThanEightDigitsReadsAsEmpty)
{
    const struct {
        const char* name;
        const char* data;
        const char* own;
        const char* stun;
        const char* written;
    } rows[] = {
        {"erased block", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", "CCCCCCCCCCCCCCC", "", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF0"},
        {"eight digits stay", "1AAAFFFFFFFFFFF412345678FFFFFFF8", "1000", "12345678", "1AAAFFFFFFFFFFF412345678FFFFFFF8"},
        {"nine digits read as empty", "1AAAFFFFFFFFFFF4123456789FFFFFF9", "1000", "", "1AAAFFFFFFFFFFF4FFFFFFFFFFFFFFF0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RadioSettings s;
        ASSERT_TRUE(decodeCodePair(s, keys::Private, keys::StunCode, row.data).ok());
        EXPECT_EQ(s.text(keys::Private), row.own);
        EXPECT_EQ(s.text(keys::StunCode), row.stun);
        auto back = encodeCodePair(s, keys::Private, keys::StunCode);
        ASSERT_TRUE(back.ok()) << back.error().message;
        EXPECT_EQ(back.value(), row.written);
    }
}

TEST(CodeBlocks, CodeThatCannotBeEncodedIsRefused)
{
    RadioSettings s;
    s.assignText(keys::BOT, "12E");
    EXPECT_FALSE(encodeCodePair(s, keys::BOT, keys::EOT).ok());
    s.assignText(keys::BOT, "1234567890123456");
    EXPECT_FALSE(encodeCodePair(s, keys::BOT, keys::EOT).ok());
}

TEST(ClearedBlock, SixteenFFBytes)
{
    EXPECT_EQ(clearedBlockData(), std::string(32, 'F'));
    EXPECT_EQ(block::cleared(7), 0x0D70);
    EXPECT_EQ(block::callList(4), 0x0DC0);
}

}  // namespace
}  // namespace qx
