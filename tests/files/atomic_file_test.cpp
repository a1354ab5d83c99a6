#include "files/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "temp_dir.h"

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

}  // namespace
}  // namespace qx
