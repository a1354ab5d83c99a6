#include "files/config.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "support/temp_dir.h"

namespace qx {
namespace {

using test::TempDir;

const std::array<std::string, 4> kDefaultPorts{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/ttyUSB3"};

struct LoadCase {
    const char* name;
    std::string file;  // GB18030 bytes
    int com, commode, skin;
    std::array<std::vector<std::string>, 4> entries;
    std::array<int, 4> selected;
    std::array<std::string, 4> ports = kDefaultPorts;
};

const LoadCase kLoadCases[] = {
    {"empty file gives the defaults", "", 1, 13, 1, {}, {-1, -1, -1, -1}},
    {"stored shell settings",
     "[open]\r\ncom=3\r\ncommode=12\r\nskin=2\r\n", 3, 12, 2, {}, {-1, -1, -1, -1}},
    {"names compare without case, spaces around values ignored",
     "[OPEN]\nCOM = 4\nCommode=12\n[List1_RX]\nLISTCOUNT=1\nCOMBO0= 136-174MHz \nListNow=0\n", 4, 12, 1,
     {{{"136-174MHz"}, {}, {}, {}}}, {0, -1, -1, -1}},
    {"values that name no menu item give the defaults",
     "[open]\ncom=5\ncommode=1\nskin=0\n", 1, 13, 1, {}, {-1, -1, -1, -1}},
    {"values that are not integers give the defaults",
     "[open]\ncom=COM2\ncommode=13.0\nskin=\n[list1_rx]\nlistcount=two\n", 1, 13, 1, {}, {-1, -1, -1, -1}},
    {"odd count: a missing entry reads as 400-470MHz",
     "[list1_rx]\nlistcount=2\ncombo0=136-174MHz\nlistnow=1\n", 1, 13, 1,
     {{{"136-174MHz", "400-470MHz"}, {}, {}, {}}}, {1, -1, -1, -1}},
    {"listnow beyond the last entry selects nothing",
     "[list1_rx]\nlistcount=1\ncombo0=400-470MHz\nlistnow=1\n", 1, 13, 1,
     {{{"400-470MHz"}, {}, {}, {}}}, {-1, -1, -1, -1}},
    {"listnow -1 selects nothing, a missing listnow selects entry 0",
     "[list1_rx]\nlistcount=1\ncombo0=400-470MHz\nlistnow=-1\n[list1_tx]\nlist2count=1\ncom2bo0=400-470MHz\n", 1, 13,
     1, {{{"400-470MHz"}, {"400-470MHz"}, {}, {}}}, {-1, 0, -1, -1}},
    {"each list reads its own key names",
     "[list1_tx]\nlistcount=1\ncombo0=wrong\nlist2count=1\ncom2bo0=410-480MHz\nlist2now=0\n"
     "[list2_rx]\nlist3count=1\ncom3bo0=350-390MHz\nlist3now=0\n"
     "[list2_tx]\nlist4count=2\ncom4bo0=a\ncom4bo1=450-520MHz\nlist4now=1\n",
     1, 13, 1, {{{}, {"410-480MHz"}, {"350-390MHz"}, {"a", "450-520MHz"}}}, {-1, 0, 0, 1}},
    {"entries beyond the count are ignored, a negative count is empty",
     "[list1_rx]\nlistcount=1\ncombo0=x\ncombo1=y\n[list1_tx]\nlist2count=-3\ncom2bo0=z\n", 1, 13, 1,
     {{{"x"}, {}, {}, {}}}, {0, -1, -1, -1}},
    {"an entry in GB18030 is read as its characters",
     "[list1_rx]\nlistcount=1\ncombo0=\xC6\xB5\xB6\xCE" "1\n", 1, 13, 1, {{{"频段1"}, {}, {}, {}}},
     {0, -1, -1, -1}},
    {"the first section and key of a name count",
     "[open]\ncom=2\ncom=3\n[open]\ncom=4\n", 2, 13, 1, {}, {-1, -1, -1, -1}},
    {"ports name their devices, missing or empty ones take ttyUSB",
     "[ports]\ncom1=/dev/ttyS0\ncom3=\nCOM4=/dev/serial/by-id/cable\n", 1, 13, 1, {}, {-1, -1, -1, -1},
     {"/dev/ttyS0", "/dev/ttyUSB1", "/dev/ttyUSB2", "/dev/serial/by-id/cable"}},
};

TEST(Configuration, Load)
{
    for (const auto& c : kLoadCases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.write(kConfigFileName, c.file);
        const Configuration config = loadConfiguration(configPath(dir.path().string()));
        EXPECT_EQ(config.com, c.com);
        EXPECT_EQ(config.commode, c.commode);
        EXPECT_EQ(config.skin, c.skin);
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(config.bandLists[i].entries, c.entries[i]) << "list " << i;
            EXPECT_EQ(config.bandLists[i].selected, c.selected[i]) << "list " << i;
        }
        EXPECT_EQ(config.portDevices, c.ports);
    }
}

TEST(Configuration, MissingOrUnreadableFileGivesDefaults)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder");
    for (const std::string& path : {dir.file("none.ini"), dir.file("folder")}) {
        SCOPED_TRACE(path);
        const Configuration config = loadConfiguration(path);
        EXPECT_EQ(config.com, 1);
        EXPECT_EQ(config.commode, 13);
        EXPECT_EQ(config.skin, 1);
        for (const auto& list : config.bandLists) {
            EXPECT_TRUE(list.entries.empty());
            EXPECT_EQ(list.selected, -1);
        }
        EXPECT_EQ(config.portDevices, kDefaultPorts);
    }
}

TEST(Configuration, BandListCounts)
{
    const struct {
        const char* name;
        const char* file;
        std::vector<std::string> entries;
    } rows[] = {
        {"damaged count, no entries", "[list1_rx]\nlistcount=2000000000\n", {}},
        {"damaged count reads the entries present",
         "[list1_rx]\nlistcount=2000000000\ncombo0=400-480MHz\ncombo1=136-174MHz\n", {"400-480MHz", "136-174MHz"}},
        {"count within the cap fills a missing entry", "[list1_rx]\nlistcount=2\ncombo0=400-480MHz\n",
         {"400-480MHz", "400-470MHz"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        dir.write(kConfigFileName, row.file);
        EXPECT_EQ(loadConfiguration(dir.file(kConfigFileName)).bandLists[kBand1Rx].entries, row.entries);
    }
}

// Hand edits and other tools leave a byte-order mark and stray CRs; neither may change a value.
TEST(Configuration, ByteOrderMarkAndStrayCarriageReturns)
{
    TempDir dir;
    dir.write(kConfigFileName, "\xEF\xBB\xBF[open]\r\ncom=3\r\n[ports]\r\ncom1=/dev/ttyUSB0\r\r\n");
    const Configuration config = loadConfiguration(dir.file(kConfigFileName));
    EXPECT_EQ(config.com, 3);
    EXPECT_EQ(config.portDevices[0], "/dev/ttyUSB0");
    ASSERT_TRUE(saveConfiguration(dir.file(kConfigFileName), config));
    const std::string saved = dir.read(kConfigFileName);
    EXPECT_EQ(saved.find("[open]"), saved.rfind("[open]")) << "the first section was appended again:\n" << saved;

    // Two marks (an editor added its own to a marked file) hide nothing either.
    dir.write(kConfigFileName, "\xEF\xBB\xBF\xEF\xBB\xBF[open]\r\ncom=3\r\n");
    EXPECT_EQ(loadConfiguration(dir.file(kConfigFileName)).com, 3);

    // A CR inside a value reads as the blank a save writes for it: load, save, load agree.
    dir.write(kConfigFileName, "[ports]\r\ncom3=/dev/ttyACM0\r[\r\n");
    const Configuration inner = loadConfiguration(dir.file(kConfigFileName));
    ASSERT_TRUE(saveConfiguration(dir.file(kConfigFileName), inner));
    EXPECT_EQ(loadConfiguration(dir.file(kConfigFileName)).portDevices, inner.portDevices);
}

TEST(Configuration, OversizedFileCountsAsUnreadable)
{
    TempDir dir;
    const std::string big = "[open]\r\ncom=3\r\n;" + std::string(1024 * 1024, 'x') + "\r\n";
    dir.write(kConfigFileName, big);
    EXPECT_EQ(loadConfiguration(dir.file(kConfigFileName)).com, Configuration{}.com);
    EXPECT_FALSE(saveConfiguration(dir.file(kConfigFileName), Configuration{}));
    EXPECT_EQ(dir.read(kConfigFileName), big);
}

TEST(Configuration, SaveThroughADanglingLinkCreatesItsTarget)
{
    TempDir dir;
    std::filesystem::create_symlink("real.ini", dir.path() / kConfigFileName);
    ASSERT_TRUE(saveConfiguration(dir.file(kConfigFileName), Configuration{}));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / kConfigFileName));
    EXPECT_NE(dir.read("real.ini").find("[open]"), std::string::npos);
}

TEST(Configuration, SaveWithoutFileWritesEveryKeyInOrder)
{
    TempDir dir;
    Configuration config;
    config.bandLists[kBand1Rx] = {{"400-470MHz"}, 0};
    ASSERT_TRUE(saveConfiguration(dir.file(kConfigFileName), config).ok());
    EXPECT_EQ(dir.read(kConfigFileName),
              "[open]\r\ncom=1\r\ncommode=13\r\nskin=1\r\n"
              "[list1_rx]\r\nlistnow=0\r\nlistcount=1\r\ncombo0=400-470MHz\r\n"
              "[list1_tx]\r\nlist2now=-1\r\nlist2count=0\r\n"
              "[list2_rx]\r\nlist3now=-1\r\nlist3count=0\r\n"
              "[list2_tx]\r\nlist4now=-1\r\nlist4count=0\r\n"
              "[ports]\r\ncom1=/dev/ttyUSB0\r\ncom2=/dev/ttyUSB1\r\ncom3=/dev/ttyUSB2\r\ncom4=/dev/ttyUSB3\r\n");
}

TEST(Configuration, SaveKeepsWhatItDoesNotKnow)
{
    TempDir dir;
    const std::string before =
        "; kept comment\n"
        "[Open]\n"
        "language=3\n"
        "COM=2\n"
        "[vendor]\n"
        "key=\xD6\xD0 value\n"
        "\x81\x20 undecodable line\n"
        "[list1_rx]\n"
        "listcount=3\n"
        "combo0=a\n"
        "combo2=stale\n";
    dir.write(kConfigFileName, before);
    Configuration config;
    config.com = 4;
    config.bandLists[kBand1Rx] = {{"400-470MHz", "136-174MHz"}, 1};
    ASSERT_TRUE(saveConfiguration(dir.file(kConfigFileName), config).ok());
    EXPECT_EQ(dir.read(kConfigFileName),
              "; kept comment\n"
              "[Open]\n"
              "language=3\n"
              "com=4\n"
              "commode=13\n"
              "skin=1\n"
              "[vendor]\n"
              "key=\xD6\xD0 value\n"
              "\x81\x20 undecodable line\n"
              "[list1_rx]\n"
              "listcount=2\n"
              "combo0=400-470MHz\n"
              "combo2=stale\n"
              "listnow=1\n"
              "combo1=136-174MHz\n"
              "[list1_tx]\nlist2now=-1\nlist2count=0\n"
              "[list2_rx]\nlist3now=-1\nlist3count=0\n"
              "[list2_tx]\nlist4now=-1\nlist4count=0\n"
              "[ports]\ncom1=/dev/ttyUSB0\ncom2=/dev/ttyUSB1\ncom3=/dev/ttyUSB2\ncom4=/dev/ttyUSB3\n");
    EXPECT_EQ(fileDialogLanguage(dir.file(kConfigFileName)), 3);
}

TEST(Configuration, SaveThenLoadGivesTheSameValues)
{
    TempDir dir;
    Configuration config;
    config.com = 3;
    config.commode = 12;
    config.skin = 2;
    config.bandLists = {BandList{{"400-470MHz", "136-174MHz"}, 1}, BandList{{"400-470MHz"}, -1},
                        BandList{{}, -1}, BandList{{"频段 range", "a\r\nb"}, 0}};
    config.portDevices[1] = "/dev/ttyACM0";
    ASSERT_TRUE(saveConfiguration(dir.file(kConfigFileName), config).ok());
    // A band added during the run is stored as the next entry, and nothing else moves.
    config.bandLists[kBand1Rx].entries.push_back("350-390MHz");
    ASSERT_TRUE(saveConfiguration(dir.file(kConfigFileName), config).ok());

    const Configuration loaded = loadConfiguration(dir.file(kConfigFileName));
    EXPECT_EQ(loaded.com, 3);
    EXPECT_EQ(loaded.commode, 12);
    EXPECT_EQ(loaded.skin, 2);
    EXPECT_EQ(loaded.bandLists[kBand1Rx].entries, (std::vector<std::string>{"400-470MHz", "136-174MHz", "350-390MHz"}));
    EXPECT_EQ(loaded.bandLists[kBand1Rx].selected, 1);
    EXPECT_EQ(loaded.bandLists[kBand1Tx].selected, -1);
    // A line break inside a value cannot split it into a second key.
    EXPECT_EQ(loaded.bandLists[kBand2Tx].entries, (std::vector<std::string>{"频段 range", "a  b"}));
    EXPECT_EQ(loaded.portDevices[1], "/dev/ttyACM0");
}

TEST(Configuration, UnwritableFolderReportsTheFullPath)
{
    TempDir dir;
    dir.write("plainfile", "x");
    // Tests run as root, so permission bits would not stop a write; a regular file as parent does.
    const std::string path = dir.file("plainfile") + "/myini.ini";
    const Status saved = saveConfiguration(path, Configuration{});
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().message, "Unable to write to " + path);
}

TEST(Configuration, FailedWriteLeavesThePreviousFileIntact)
{
    TempDir dir;
    const std::string before = "[open]\r\ncom=2\r\n; padding so the file is over the limit below\r\n";
    dir.write(kConfigFileName, before);

    // Make the write itself fail: a file size limit smaller than the new contents.
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status saved = saveConfiguration(dir.file(kConfigFileName), Configuration{});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().message, "Unable to write to " + dir.file(kConfigFileName));
    EXPECT_EQ(dir.read(kConfigFileName), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1)
        << "no temporary file is left";
}

TEST(Configuration, FileDialogLanguage)
{
    const struct {
        const char* name;
        std::string file;
        int expected;
    } cases[] = {
        {"no key gives English", "[open]\ncom=1\n", 2},
        {"stored Traditional Chinese", "[open]\nlanguage=3\n", 3},
        {"stored value outside 1..3 is returned as it is", "[open]\nlanguage=7\n", 7},
        {"not a number gives English", "[open]\nlanguage=zh\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.write(kConfigFileName, c.file);
        EXPECT_EQ(fileDialogLanguage(dir.file(kConfigFileName)), c.expected);
    }
    TempDir empty;
    EXPECT_EQ(fileDialogLanguage(empty.file(kConfigFileName)), 2) << "missing file";
}

TEST(Configuration, PortDevicePath)
{
    Configuration config;
    config.portDevices[2] = "/dev/ttyS2";
    const struct {
        const char* name;
        std::string expected;
    } cases[] = {
        {"COM1", "/dev/ttyUSB0"}, {"com3", "/dev/ttyS2"}, {"Com4", "/dev/ttyUSB3"},
        {"COM5", "COM5"},         {"COM", "COM"},          {"/dev/pts/7", "/dev/pts/7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(portDevicePath(config, c.name), c.expected) << c.name;
}

}  // namespace
}  // namespace qx
