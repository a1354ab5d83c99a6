#include "files/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "files/config.h"
#include "ordinary_user.h"
#include "support/temp_dir.h"

namespace qx {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

std::size_t entriesIn(const fs::path& dir)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(AtomicFile, ReplacesContentsAndKeepsPermissions)
{
    TempDir dir;
    dir.write("a.txt", "old contents");
    ASSERT_EQ(::chmod(dir.file("a.txt").c_str(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(dir.file("a.txt"), "new").ok());
    EXPECT_EQ(dir.read("a.txt"), "new");
    struct stat st{};
    ASSERT_EQ(::stat(dir.file("a.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(entriesIn(dir.path()), 1u) << "no temporary file is left";
}

TEST(AtomicFile, NewFileGetsTheUsualPermissions)
{
    TempDir dir;
    const mode_t mask = ::umask(022);
    const Status written = writeFileAtomically(dir.file("n.txt"), "x");
    ::umask(mask);
    ASSERT_TRUE(written.ok());
    struct stat st{};
    ASSERT_EQ(::stat(dir.file("n.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST(AtomicFile, WritesThroughASymbolicLink)
{
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    dir.write("real/target.txt", "old");
    fs::create_symlink("real/target.txt", dir.path() / "link.txt");
    ASSERT_TRUE(writeFileAtomically(dir.file("link.txt"), "new").ok());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.txt"));
    EXPECT_EQ(dir.read("real/target.txt"), "new");
    EXPECT_EQ(entriesIn(dir.path() / "real"), 1u);
}

TEST(AtomicFile, FailuresLeaveTheTargetAndReportTheReason)
{
    TempDir dir;
    dir.write("plain", "keep");
    fs::create_directory(dir.path() / "folder");
    const struct {
        const char* name;
        std::string path;
        std::string reason;
    } cases[] = {
        {"parent is a regular file", dir.file("plain") + "/x.txt", "Not a directory"},
        {"target is a folder", dir.file("folder"), "Is a directory"},
        {"parent folder missing", dir.file("missing") + "/x.txt", "No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Status written = writeFileAtomically(c.path, "data");
        ASSERT_FALSE(written.ok());
        EXPECT_EQ(written.error().message, c.reason);
    }
    EXPECT_EQ(dir.read("plain"), "keep");
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
    EXPECT_EQ(entriesIn(dir.path()), 2u);
}

TEST(AtomicFile, ReadWholeFile)
{
    TempDir dir;
    std::string big(200000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7);
    dir.write("big.bin", big);
    auto read = readWholeFile(dir.file("big.bin"));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), big);
    auto missing = readWholeFile(dir.file("none"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().message, "No such file or directory");
    EXPECT_FALSE(readWholeFile(dir.path().string()).ok()) << "a folder is not a file";
}

TEST(AtomicFile, ReadWithACapStopsAtTheCap)
{
    TempDir dir;
    dir.write("small", "12345");
    auto small = readFileCapped(dir.file("small"), 5);
    ASSERT_TRUE(small.ok());
    EXPECT_FALSE(small.value().tooLarge);
    EXPECT_EQ(small.value().bytes, "12345");
    auto over = readFileCapped(dir.file("small"), 4);
    ASSERT_TRUE(over.ok());
    EXPECT_TRUE(over.value().tooLarge);
    auto endless = readFileCapped("/dev/zero", kMaxInputFileBytes);
    ASSERT_TRUE(endless.ok());
    EXPECT_TRUE(endless.value().tooLarge);
}

// A write-protected master file (and a protected myini.ini) is refused for an ordinary user, in a
// folder where the rename alone would have replaced it.
TEST(AtomicFile, WriteProtectedTargetIsRefusedAndKept)
{
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    dir.write("master.kt6", "master");
    dir.write(kConfigFileName, "[open]\r\ncom=2\r\n");
    ASSERT_EQ(::chmod(dir.file("master.kt6").c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.file(kConfigFileName).c_str(), 0444), 0);
    const std::string master = dir.file("master.kt6");
    const std::string ini = dir.file(kConfigFileName);
    auto outcome = test::runAsOrdinaryUser([&]() -> std::string {
        const Status written = writeFileAtomically(master, "new");
        if (written.ok())
            return "the protected file was replaced";
        if (written.error().message != "Permission denied")
            return "wrong reason: " + written.error().message;
        if (saveConfiguration(ini, Configuration{}).ok())
            return "the protected myini.ini was replaced";
        return {};
    });
    if (!outcome)
        GTEST_SKIP() << "cannot run as an ordinary user here";
    EXPECT_EQ(*outcome, "");
    EXPECT_EQ(dir.read("master.kt6"), "master");
    EXPECT_EQ(dir.read(kConfigFileName), "[open]\r\ncom=2\r\n");
    EXPECT_EQ(entriesIn(dir.path()), 2u) << "no temporary file is left";
}

TEST(AtomicFile, NameAtTheLengthLimitSaves)
{
    TempDir dir;
    const std::string name(255, 'n');
    ASSERT_TRUE(writeFileAtomically(dir.file(name), "x").ok());
    EXPECT_EQ(dir.read(name), "x");
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(AtomicFile, DanglingLinkCreatesTheFileItNames)
{
    TempDir dir;
    fs::create_symlink("made.kt6", dir.path() / "link.kt6");
    ASSERT_TRUE(writeFileAtomically(dir.file("link.kt6"), "new").ok());
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.kt6"));
    EXPECT_EQ(dir.read("made.kt6"), "new");
}

// A killed save leaves its temporary file; the next save in the folder removes it once it is old
// enough that it cannot be another copy's save in progress.
TEST(AtomicFile, OldLeftoversOfKilledSavesAreRemoved)
{
    TempDir dir;
    const auto now = fs::file_time_type::clock::now();
    const struct {
        const char* name;
        std::chrono::minutes age;
        bool kept;
    } files[] = {
        {".qx-save-abcd1234", std::chrono::minutes(11), false},
        {".qx-save-0000zzzz", std::chrono::minutes(9), true},
        {".qx-save-abc", std::chrono::minutes(60), true},          // not this program's pattern
        {"notes.qx-save-abcd1234", std::chrono::minutes(60), true},
        {"old.kt6", std::chrono::minutes(60), true},
    };
    for (const auto& f : files) {
        dir.write(f.name, "left over");
        fs::last_write_time(dir.path() / f.name, now - f.age);
    }
    ASSERT_TRUE(writeFileAtomically(dir.file("new.kt6"), "x").ok());
    for (const auto& f : files)
        EXPECT_EQ(fs::exists(dir.path() / f.name), f.kept) << f.name;
}

}  // namespace
}  // namespace qx
