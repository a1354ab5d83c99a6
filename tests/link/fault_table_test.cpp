// Every serial fault kind at every point of a read and of a write, on the virtual clock, with
// what each combination must end in; and what a read leaves on disk when it fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "files/channel_file.h"
#include "support/temp_dir.h"
#include "link/records.h"
#include "link/transfer.h"
#include "transfer_rig.h"

namespace qx {
namespace {

using testing::loadDemo;
using testing::Rig;

std::string lang(int number) { return "#" + std::to_string(number); }

struct TransferRig : Rig {
    Transfer transfer{doc, protocol, lang};
};

struct Point {
    const char* name;
    RadioRequest request;
    std::optional<std::uint16_t> address;  // reads and writes
    bool counted;                          // a counted block is asked twice before it fails
};

// The points in the order the transfers reach them. The last block of a read is the ID block,
// of a write the BOT/EOT block.
const Point kReadPoints[] = {
    {"identification", RadioRequest::Identification, std::nullopt, false},
    {"confirmation", RadioRequest::Confirmation, std::nullopt, false},
    {"first channel", RadioRequest::Read, channelRecordAddress(1), true},
    {"middle channel", RadioRequest::Read, channelRecordAddress(64), true},
    {"last channel", RadioRequest::Read, channelRecordAddress(128), true},
    {"function block", RadioRequest::Read, 0x0C80, false},
    {"last block (ID)", RadioRequest::Read, 0x0E00, false},
    {"end command", RadioRequest::End, std::nullopt, false},
};
const Point kWritePoints[] = {
    {"identification", RadioRequest::Identification, std::nullopt, false},
    {"confirmation", RadioRequest::Confirmation, std::nullopt, false},
    {"first channel", RadioRequest::Write, channelRecordAddress(1), true},
    {"middle channel", RadioRequest::Write, channelRecordAddress(64), true},
    {"last channel", RadioRequest::Write, channelRecordAddress(128), true},
    {"function block", RadioRequest::Write, 0x0C80, false},
    {"last block (BOT/EOT)", RadioRequest::Write, 0x0E80, false},
    {"end command", RadioRequest::End, std::nullopt, false},
};

const char* kindName(FaultKind k)
{
    switch (k) {
    case FaultKind::NoReply: return "no reply";
    case FaultKind::WaitReply: return "wait reply";
    case FaultKind::BadCheck: return "bad check";
    case FaultKind::Refuse: return "refused";
    case FaultKind::HangUp: return "hang-up";
    }
    return "?";
}

// The outcome a single fault must give, or nullopt where nothing decides it (then the pair is
// not checked). Identification is asked up to six times; a counted block twice; wait replies and
// wrong check bytes on a read repeat the request; a wait reply to a write repeats it; a fault on
// the end command after every block was acknowledged is a success; a hang-up ends the transfer.
std::optional<bool> expectedSuccess(FaultKind kind, const Point& p, bool write)
{
    if (p.request == RadioRequest::End)
        return true;
    if (kind == FaultKind::HangUp)
        return false;
    if (p.request == RadioRequest::Identification)
        return kind == FaultKind::BadCheck ? std::nullopt : std::optional<bool>(true);
    if (p.request == RadioRequest::Confirmation)
        return kind == FaultKind::NoReply || kind == FaultKind::Refuse ? std::optional<bool>(false) : std::nullopt;
    switch (kind) {
    case FaultKind::NoReply:
    case FaultKind::Refuse:
        return p.counted;
    case FaultKind::WaitReply:
        return true;
    case FaultKind::BadCheck:
        return write ? std::nullopt : std::optional<bool>(true);
    case FaultKind::HangUp:
        return false;
    }
    return std::nullopt;
}

constexpr FaultKind kKinds[] = {FaultKind::NoReply, FaultKind::WaitReply, FaultKind::BadCheck, FaultKind::Refuse,
                                FaultKind::HangUp};

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// As the command-line read does it: the file is written only after a successful read.
TransferReport readIntoFile(TransferRig& rig, const std::string& path)
{
    TransferReport report = rig.transfer.prepare(TransferMode::Read, [] { return success(); });
    if (report.ok())
        report = rig.transfer.start();
    if (report.ok())
        EXPECT_TRUE(saveChannelFile(path, rig.doc));
    return report;
}

TEST(SerialFaults, ReadAtEveryPoint)
{
    test::TempDir dir;
    const std::string fresh = dir.file("fresh.kt6");
    const std::string kept = dir.file("kept.kt6");
    const std::string keptBytes = "QX-4100 MEMORY CHANNEL\r\nnot to be touched\r\n";
    for (FaultKind kind : kKinds) {
        for (const Point& p : kReadPoints) {
            const auto expected = expectedSuccess(kind, p, false);
            if (!expected)
                continue;
            SCOPED_TRACE(std::string(kindName(kind)) + " at " + p.name);
            for (const std::string& path : {fresh, kept}) {
                std::filesystem::remove(fresh);
                {
                    std::ofstream(kept, std::ios::binary) << keptBytes;
                }
                TransferRig rig;
                loadDemo(rig.radio());
                rig.radio().addFault(RadioFault{kind, p.request, p.address});
                const TransferReport r = readIntoFile(rig, path);
                ASSERT_EQ(r.ok(), *expected) << r.detail;
                if (kind != FaultKind::HangUp) {  // a dead line takes no end command
                    EXPECT_EQ(rig.port.sent().back().substr(0, 6), "64016F") << "the end command is always sent";
                }
                if (*expected) {
                    EXPECT_NE(fileBytes(path).find("CH001 | 438.12500"), std::string::npos);
                } else {
                    EXPECT_EQ(r.outcome, Outcome::CommunicationFailure);
                    EXPECT_FALSE(std::filesystem::exists(fresh)) << "no file after a failed read";
                    EXPECT_EQ(fileBytes(kept), keptBytes) << "an existing file is kept byte for byte";
                }
            }
        }
    }
}

TEST(SerialFaults, WriteAtEveryPoint)
{
    for (FaultKind kind : kKinds) {
        for (const Point& p : kWritePoints) {
            const auto expected = expectedSuccess(kind, p, true);
            if (!expected)
                continue;
            SCOPED_TRACE(std::string(kindName(kind)) + " at " + p.name);
            TransferRig rig;
            loadDemo(rig.radio());
            ASSERT_TRUE(rig.transfer.prepare(TransferMode::Read, [] { return success(); }).ok());
            ASSERT_TRUE(rig.transfer.start().ok());
            rig.transfer.close();
            rig.radio().addFault(RadioFault{kind, p.request, p.address});
            ASSERT_TRUE(rig.transfer.prepare(TransferMode::Write, [] { return success(); }).ok());
            const TransferReport r = rig.transfer.start();
            ASSERT_EQ(r.ok(), *expected) << r.detail;
            if (!*expected)
                EXPECT_EQ(r.outcome, Outcome::CommunicationFailure);
            if (kind != FaultKind::HangUp) {
                EXPECT_EQ(rig.port.sent().back().substr(0, 6), "64016F") << "the end command is always sent";
            }
        }
    }
}

// A radio whose code blocks are erased reads fifteen C into every DTMF field; the copy must
// still pass the write check and be written.
TEST(SerialFaults, ErasedRadioReadThenWrittenBack)
{
    TransferRig rig;
    testing::poke(rig.radio(), 0x0CC0, "47004000470040004700400047004000");
    ASSERT_TRUE(rig.transfer.prepare(TransferMode::Read, [] { return success(); }).ok());
    ASSERT_TRUE(rig.transfer.start().ok());
    EXPECT_EQ(rig.doc.settings().text(keys::StunCode), "");
    EXPECT_EQ(rig.doc.settings().text(keys::BOT), "CCCCCCCCCCCCCCC");
    rig.transfer.close();
    ASSERT_TRUE(rig.transfer.prepare(TransferMode::Write, [] { return success(); }).ok());
    const TransferReport r = rig.transfer.start();
    EXPECT_TRUE(r.ok()) << r.message << " " << r.detail;
}

}  // namespace
}  // namespace qx
