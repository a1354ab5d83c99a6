#include "link/write_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/codeplug.h"

namespace qx {
namespace {

std::string testText(int number)
{
    if (number == kChannelNotWritableString)
        return "Channel %1: %2 cannot be written.";
    if (number == kSettingNotWritableString)
        return "%1 cannot be written.";
    return "?";
}

// Channels 3 and 9 filled with their defaults; everything writable.
Codeplug writableDoc()
{
    Codeplug doc;
    doc.settings().setBandList(keys::BandRx, {"400-470MHz"}, 0);
    for (int row : {3, 9}) {
        doc.channels().setCell(col::Rx, row, "438.12500");
        doc.setCurrent(col::Rx, row);
        doc.sendallcell();
    }
    return doc;
}

struct Case {
    const char* name;
    std::function<void(Codeplug&)> edit;
    int channel;           // 0: a setting, or nothing
    int column;
    bool extras;
    const char* key;       // nullptr: no setting problem
};

const Case kCases[] = {
    {"defaults are writable", [](Codeplug&) {}, 0, 0, false, nullptr},
    {"RX of too few digits", [](Codeplug& d) { d.channels().setCell(col::Rx, 9, "438.125"); }, 9, col::Rx, false, nullptr},
    {"RX as read from a fraction byte of 10", [](Codeplug& d) { d.channels().setCell(col::Rx, 9, "438.125100"); },
     9, col::Rx, false, nullptr},
    {"TX read from an erased field", [](Codeplug& d) { d.channels().setCell(col::Tx, 3, "FFF.FFF1593"); }, 3, col::Tx,
     false, nullptr},
    {"empty TX is writable", [](Codeplug& d) { d.channels().setCell(col::Tx, 3, ""); }, 0, 0, false, nullptr},
    {"decode tone outside the list", [](Codeplug& d) { d.channels().setCell(col::RxTone, 3, "67.5"); }, 3, col::RxTone,
     false, nullptr},
    {"encode tone of another language's Off word", [](Codeplug& d) { d.channels().setCell(col::TxTone, 3, "Aus"); }, 3,
     col::TxTone, false, nullptr},
    {"power of another language", [](Codeplug& d) { d.channels().setCell(col::Power, 3, "High"); }, 3, col::Power, false,
     nullptr},
    {"bandwidth empty", [](Codeplug& d) { d.channels().setCell(col::Bandwidth, 3, ""); }, 3, col::Bandwidth, false, nullptr},
    {"scan add no word", [](Codeplug& d) { d.channels().setCell(col::ScanAdd, 3, "x"); }, 3, col::ScanAdd, false, nullptr},
    {"DTMF no word", [](Codeplug& d) { d.channels().setCell(col::Dtmf, 3, "x"); }, 3, col::Dtmf, false, nullptr},
    {"PTT ID empty", [](Codeplug& d) { d.channels().setCell(col::PttId, 3, ""); }, 3, col::PttId, false, nullptr},
    {"alias of seven characters", [](Codeplug& d) { d.channels().setCell(col::Alias, 3, "ABCDEFG"); }, 3, col::Alias,
     false, nullptr},
    {"alias too long on an empty row, which is sent too",
     [](Codeplug& d) { d.channels().setCell(col::Alias, 5, "TOOLONG"); }, 5, col::Alias, false, nullptr},
    {"alias of six characters", [](Codeplug& d) { d.channels().setCell(col::Alias, 3, "ABC-12"); }, 0, 0, false, nullptr},
    {"alias of six characters beyond ASCII", [](Codeplug& d) { d.channels().setCell(col::Alias, 3, "信道一二三四"); },
     0, 0, false, nullptr},
    {"tail elimination empty", [](Codeplug& d) { d.extras().setCell(xcol::TailElim, 3, ""); }, 0, 0, false, nullptr},
    {"tail elimination no word", [](Codeplug& d) { d.extras().setCell(xcol::TailElim, 3, "x"); }, 3, xcol::TailElim, true,
     nullptr},
    {"VOX empty", [](Codeplug& d) { d.extras().setCell(xcol::Vox, 3, ""); }, 3, xcol::Vox, true, nullptr},
    {"busy lock no word", [](Codeplug& d) { d.extras().setCell(xcol::BusyLock, 9, "x"); }, 9, xcol::BusyLock, true, nullptr},
    {"voice mode of any text", [](Codeplug& d) { d.extras().setCell(xcol::VoiceMode, 3, "x"); }, 0, 0, false, nullptr},
    {"empty channel with stray cells", [](Codeplug& d) { d.channels().setCell(col::Power, 50, "x"); }, 0, 0, false, nullptr},
    {"first channel reported first",
     [](Codeplug& d) {
         d.channels().setCell(col::Alias, 9, "TOOLONG");
         d.channels().setCell(col::Alias, 3, "TOOLONG");
     },
     3, col::Alias, false, nullptr},
    {"first column of a row reported first",
     [](Codeplug& d) {
         d.channels().setCell(col::Alias, 3, "TOOLONG");
         d.channels().setCell(col::Tx, 3, "1");
     },
     3, col::Tx, false, nullptr},
    {"channels before settings",
     [](Codeplug& d) {
         d.settings().assignText(keys::BOT, "E");
         d.channels().setCell(col::Dtmf, 9, "x");
     },
     9, col::Dtmf, false, nullptr},
    {"call with a letter outside DTMF", [](Codeplug& d) { d.settings().assignText(keys::call(3), "12E"); }, 0, 0, false,
     "Call3"},
    {"call of 16 characters", [](Codeplug& d) { d.settings().assignText(keys::call(9), "1234567890123456"); }, 0, 0,
     false, "Call9"},
    {"call of 15 characters", [](Codeplug& d) { d.settings().assignText(keys::call(9), "123456789012345"); }, 0, 0, false,
     nullptr},
    {"lower-case a to d count as DTMF", [](Codeplug& d) { d.settings().assignText(keys::BOT, "ab*#cd09"); }, 0, 0, false,
     nullptr},
    {"EOT with a blank", [](Codeplug& d) { d.settings().assignText(keys::EOT, "12 3"); }, 0, 0, false, "EOT"},
    {"own ID with a letter", [](Codeplug& d) { d.settings().assignText(keys::Private, "10F"); }, 0, 0, false, "Private"},
    {"stun code of 9", [](Codeplug& d) { d.settings().assignText(keys::StunCode, "123456789"); }, 0, 0, false,
     "Stun Code"},
    {"stun code of 8", [](Codeplug& d) { d.settings().assignText(keys::StunCode, "12345678"); }, 0, 0, false, nullptr},
    {"erased password to be written",
     [](Codeplug& d) {
         d.settings().assign(keys::ChangePassword, 1);
         d.settings().assignText(keys::Password, "FFFFFF");
     },
     0, 0, false, "Password"},
    {"erased password not to be written", [](Codeplug& d) { d.settings().assignText(keys::Password, "FFFFFF"); }, 0, 0,
     false, nullptr},
    {"short password to be written",
     [](Codeplug& d) {
         d.settings().assign(keys::ChangePassword, 1);
         d.settings().assignText(keys::Password, "12345");
     },
     0, 0, false, "Password"},
    {"six-digit password to be written",
     [](Codeplug& d) {
         d.settings().assign(keys::ChangePassword, 1);
         d.settings().assignText(keys::Password, "000000");
     },
     0, 0, false, nullptr},
};

TEST(WriteCheck, FirstProblem)
{
    for (const Case& c : kCases) {
        Codeplug doc = writableDoc();
        c.edit(doc);
        const auto problem = checkBeforeWrite(doc, testText);
        if (c.channel == 0 && c.key == nullptr) {
            EXPECT_FALSE(problem.has_value()) << c.name << ": " << (problem ? problem->message : "");
            continue;
        }
        ASSERT_TRUE(problem.has_value()) << c.name;
        EXPECT_EQ(problem->channel, c.channel) << c.name;
        if (c.channel != 0) {
            EXPECT_EQ(problem->column, c.column) << c.name;
            EXPECT_EQ(problem->extras, c.extras) << c.name;
        } else {
            EXPECT_EQ(problem->key, c.key) << c.name;
        }
    }
}

TEST(WriteCheck, MessagesNameTheChannelAndColumnOrTheSetting)
{
    Codeplug doc = writableDoc();
    doc.channels().setCell(col::RxTone, 9, "67.5");
    auto problem = checkBeforeWrite(doc, testText);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->message, "Channel 009: " + doc.channels().cell(col::RxTone, 0) + " cannot be written.");

    doc = writableDoc();
    doc.extras().setCell(xcol::Vox, 3, "");
    problem = checkBeforeWrite(doc, testText);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->message, "Channel 003: VOX cannot be written.");

    doc = writableDoc();
    doc.settings().assignText(keys::StunCode, "123456789");
    problem = checkBeforeWrite(doc, testText, [](std::string_view key) { return "<" + std::string(key) + ">"; });
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->message, "<Stun Code> cannot be written.");
}

TEST(FillIn, NumberedPlaceholders)
{
    EXPECT_EQ(fillIn("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(fillIn("100% %3 %1", {"x"}), "100% %3 x");
    EXPECT_EQ(fillIn("%1%1", {"ab"}), "abab");
}

}  // namespace
}  // namespace qx
