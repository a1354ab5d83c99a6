#include "files/channel_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/encoding.h"
#include "support/temp_dir.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

const std::string kGoldenPath = std::string(QX_TEST_DATA_DIR) + "/channel_file_golden.kt6";

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The golden file's lines, raw GB18030, without line ends.
std::vector<std::string> goldenLines()
{
    const std::string bytes = readBytes(kGoldenPath);
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", pos);
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

// A line of the file as it lies on disk.
std::string gb(const std::string& utf8Text)
{
    return utf8ToGb18030(utf8Text).value();
}

StringTable messages()
{
    StringTable t;
    t.set(msg::NotChannelFile, "This file is not a channel file.");
    t.set(msg::ChannelFileTooLarge, "The file is too large to be a channel file.");
    t.set(msg::NotGb18030, "Line %1 is not valid GB18030 text.");
    return t;
}

// The document the golden file holds: every setting the file carries off its default and channels
// of every kind. Assignment order matters where the rules act (VFO/MR before its display, Exp Freq.
// before Band, Stun Type before Stun is cleared).
Codeplug fullDocument()
{
    Codeplug doc;
    RadioSettings& s = doc.settings();
    s.setBandList(keys::BandRx, {"400-470MHz", "430-440MHz"}, 1);
    s.setBandList(keys::BandTx, {"400-470MHz", "430-440MHz"}, 1);
    s.setBandList(keys::BandRx1, {"350-390MHz"}, 0);
    s.setBandList(keys::BandTx1, {"350-390MHz"}, 0);
    const std::pair<std::string_view, int> values[] = {
        {keys::APO, 9}, {keys::ScanKind, 0}, {keys::Step, 1}, {keys::VfoMr, 0}, {keys::MrFreqMrCh, 0},
        {keys::Squelch, 5}, {keys::TOT, 7}, {keys::Monitor, 3}, {keys::ExpFreq, 1}, {keys::Band, 0},
        {keys::Beep, 0}, {keys::KeyLock, 1}, {keys::Save, 0}, {keys::EMG, 0}, {keys::FMEnable, 0},
        {keys::VoxSQL, 7}, {keys::VoxDelay, 0}, {keys::VoxRX, 0}, {keys::DigitTime, 150},
        {keys::DigitSpace, 60}, {keys::FirstDigit, 250}, {keys::Pretime, 900}, {keys::StarHashDelay, 350},
        {keys::AckDecode, 0}, {keys::DtmfSide, 0}, {keys::DisplayPttId, 0}, {keys::PttId, 2},
        {keys::Group, 5}, {keys::AutoReset, 120}, {keys::AutoAck, 0}, {keys::DtmfBeep, 0},
        {keys::Strip, 0}, {keys::StunType, 0}, {keys::Stun, 0}, {keys::KeyAssignment, 3},
    };
    for (const auto& [key, v] : values)
        s.assign(key, v);
    const char* calls[] = {"911", "12", "123", "1234", "A", "*#", "D0", "7777777", "88", "123456789ABCD*#"};
    for (int i = 0; i < 10; ++i)
        s.assignText(keys::call(i), calls[i]);
    s.assignText(keys::BOT, "1A2B*");
    s.assignText(keys::EOT, "#9C0D");
    s.assignText(keys::Private, "4321");
    s.assignText(keys::StunCode, "12345678");

    auto channel = [&doc](int row, std::vector<std::string> cells) {
        for (int c = 1; c <= 10; ++c)
            doc.channels().setCell(c, row, cells[c - 1]);
        for (int c = 1; c <= 6; ++c)
            doc.extras().setCell(c, row, cells[9 + c]);
    };
    // A new channel as the commit completes it.
    doc.channels().setCell(col::Rx, 1, "462.56250");
    doc.fillDefaults(1);
    channel(2, {"446.00625", "67.0", "446.00625", "100.0", "低功率", "窄带", "禁用", "启用", "启用", "BASE1",
                "禁用", "启用", "启用", "2", "14", "压扩"});
    channel(3, {"438.50000", "D023N", "430.50000", "D754I", "高功率", "宽带", "启用", "禁用", "禁用", "REPEAT",
                "启用", "禁用", "禁用", "53", "265", "扰频"});
    channel(128, {"469.97500", "254.1", "469.97500", "D017N", "低功率", "宽带", "启用", "禁用", "禁用", "LAST",
                  "禁用", "禁用", "禁用", "51", "52", "禁用"});
    return doc;
}

// Everything an open may touch, so "unchanged" is checked in full.
struct Snapshot {
    std::vector<std::string> lines;
    std::vector<std::string> extras;
    std::vector<std::vector<std::string>> bandLists;
    std::vector<bool> enabled;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const Codeplug& doc)
{
    Snapshot snap{formatChannelFile(doc), {}, {}, {}};
    for (int row = 1; row <= kChannelCount; ++row)
        for (int c = 1; c < xcol::Count; ++c)
            snap.extras.push_back(doc.extras().cell(c, row));
    for (auto key : {keys::BandRx, keys::BandTx, keys::BandRx1, keys::BandTx1})
        snap.bandLists.push_back(doc.settings().bandList(key));
    for (const SettingSpec& desc : settingSpecs())
        snap.enabled.push_back(doc.settings().enabled(desc.key));
    return snap;
}

// A document unlike the golden one, with extras in a row whose RX is empty.
Codeplug otherDocument()
{
    Codeplug doc;
    doc.settings().setBandList(keys::BandRx, {"400-470MHz"}, 0);
    doc.channels().setCell(col::Rx, 5, "450.00000");
    doc.setCurrent(col::Rx, 5);
    doc.sendallcell();
    doc.extras().setCell(xcol::Vox, 7, "启用");
    return doc;
}

Result<OpenedChannelFile> openBytes(const std::string& bytes, Codeplug& doc)
{
    test::TempDir dir;
    dir.write("in.kt6", bytes);
    return openChannelFile(dir.file("in.kt6"), doc, messages());
}

TEST(ChannelFileFormat, EverySettingOfTheTestDocumentIsOffItsDefault)
{
    const Codeplug doc = fullDocument();
    for (const SettingSpec& desc : settingSpecs()) {
        if (!desc.inFile || desc.kind == SettingKind::Band)
            continue;
        if (desc.kind == SettingKind::Text)
            EXPECT_NE(doc.settings().text(desc.key), desc.defaultText) << desc.key;
        else
            EXPECT_NE(doc.settings().value(desc.key), desc.defaultValue) << desc.key;
    }
}

TEST(ChannelFileFormat, BytesMatchTheHandWrittenFile)
{
    const Codeplug doc = fullDocument();
    const std::string golden = readBytes(kGoldenPath);
    ASSERT_FALSE(golden.empty());
    auto bytes = encodeChannelFile(doc);
    ASSERT_TRUE(bytes) << bytes.error().message;
    EXPECT_EQ(bytes.value(), golden);

    test::TempDir dir;
    ASSERT_TRUE(saveChannelFile(dir.file("out.kt6"), doc));
    EXPECT_EQ(dir.read("out.kt6"), golden);
}

TEST(ChannelFileFormat, LineShapes)
{
    const auto lines = formatChannelFile(Codeplug());
    ASSERT_EQ(lines.size(), 187u);
    EXPECT_EQ(lines[0], "QX-4100 MEMORY CHANNEL");
    EXPECT_EQ(lines[54], "Stun Code ");  // a key keeps its space before an empty text
    EXPECT_EQ(lines[7], "APO 0 禁用");
    EXPECT_EQ(lines[60], "CH002 |  |  |  |  |  |  |  |  |  |  |  |  |  |  |  |  | ");
    EXPECT_EQ(lines[60].size(), 56u);
    for (int n : {2, 3, 26, 58, 59})
        EXPECT_EQ(lines[n - 1], "") << "line " << n;
}

TEST(ChannelFileFormat, SavedAndReopenedDocumentIsIdentical)
{
    const Codeplug original = fullDocument();
    test::TempDir dir;
    ASSERT_TRUE(saveChannelFile(dir.file("a.kt6"), original));

    Codeplug reopened;  // band lists empty: every range from the file joins its list
    auto opened = openChannelFile(dir.file("a.kt6"), reopened, messages());
    ASSERT_TRUE(opened) << opened.error().message;
    EXPECT_EQ(formatChannelFile(reopened), formatChannelFile(original));
    EXPECT_EQ(opened.value().windowTitle, "QX-4100D    [430-440MHz]");
    EXPECT_EQ(reopened.settings().bandList(keys::BandRx), std::vector<std::string>{"430-440MHz"});
    for (int row : {1, 2, 3, 128})
        for (int c = 1; c < xcol::Count; ++c)
            EXPECT_EQ(reopened.extras().cell(c, row), original.extras().cell(c, row)) << c << "," << row;
}

// Bad input: each row is refused with its message and leaves the document exactly as it was.
struct BadInput {
    const char* name;
    std::function<std::string()> bytes;
    std::string message;
};

std::string goldenWith(const std::function<void(std::vector<std::string>&)>& edit)
{
    auto lines = goldenLines();
    edit(lines);
    return joinCrLf(lines);
}

std::string goldenCutAfter(std::size_t lineCount)
{
    return goldenWith([lineCount](auto& l) { l.resize(lineCount); });
}

TEST(ChannelFileOpen, BadInputIsRefusedAndChangesNothing)
{
    const std::string notChannelFile = "This file is not a channel file.";
    const BadInput rows[] = {
        {"header with a trailing space", [] { return goldenWith([](auto& l) { l[0] += " "; }); }, notChannelFile},
        {"header in lower case", [] { return goldenWith([](auto& l) { l[0] = "qx-4100 memory channel"; }); },
         notChannelFile},
        {"empty file", [] { return std::string(); }, notChannelFile},
        {"binary garbage",
         [] {
             std::string b;
             for (int i = 0; i < 4096; ++i)
                 b += static_cast<char>((i * 131 + 7) & 0xFF);
             return b;
         },
         notChannelFile},
        {"very long first line", [] { return std::string(kChannelFileHeader) + std::string(200000, 'X'); },
         notChannelFile},
        {"cut off after the header", [] { return goldenCutAfter(1); }, "'' is not a valid integer value"},
        {"cut off before VoxSQL", [] { return goldenCutAfter(20); }, "'' is not a valid integer value"},
        {"cut off before First Digit", [] { return goldenCutAfter(28); }, "'' is not a valid floating point value"},
        {"cut off inside the Pretime key",
         [] { return goldenWith([](auto& l) { l.resize(30); l[29] = "Pret"; }); },
         "'' is not a valid floating point value"},
        {"cut off before Stun Type", [] { return goldenCutAfter(55); }, "'' is not a valid integer value"},
        {"letter as an index", [] { return goldenWith([](auto& l) { l[9] = "step x 25kHz"; }); },
         "'x' is not a valid integer value"},
        {"index left out", [] { return goldenWith([](auto& l) { l[7] = "APO  1H"; }); },
         "'' is not a valid integer value"},
        {"index too long for any integer",
         [] { return goldenWith([](auto& l) { l[12] = "Squelch 99999999999999999999 9"; }); },
         "'99999999999999999999' is not a valid integer value"},
        {"letters in a number", [] { return goldenWith([](auto& l) { l[26] = "Digit Time 1OO"; }); },
         "'1OO' is not a valid floating point value"},
        {"number beyond any float", [] { return goldenWith([](auto& l) { l[29] = "Pretime 1e999"; }); },
         "'1e999' is not a valid floating point value"},
        {"bytes that are no GB18030 in a channel line",
         [] { return goldenWith([](auto& l) { l[69] = "CH011 | \xFF\xFF |"; }); },
         "Line 70 is not valid GB18030 text."},
        {"bytes that are no GB18030 in a setting's text",
         [] { return goldenWith([](auto& l) { l[35] = "BOT \x81\x20"; }); }, "Line 36 is not valid GB18030 text."},
        {"bytes that are no GB18030 in an option's index",
         [] { return goldenWith([](auto& l) { l[9] = "step \xFF 25kHz"; }); }, "Line 10 is not valid GB18030 text."},
        {"larger than any channel file",
         [] { return goldenWith([](auto& l) { l.push_back(std::string(1024 * 1024, 'X')); }); },
         "The file is too large to be a channel file."},
    };
    for (const BadInput& row : rows) {
        SCOPED_TRACE(row.name);
        Codeplug doc = otherDocument();
        const Snapshot before = snapshot(doc);
        auto opened = openBytes(row.bytes(), doc);
        ASSERT_FALSE(opened);
        EXPECT_EQ(opened.error().message, row.message);
        EXPECT_TRUE(snapshot(doc) == before);
    }
}

// Lines and parts of lines the reader ignores may hold anything; blanks around a number are a
// hand edit's, not damage.
TEST(ChannelFileOpen, IgnoredBytesAndBlanksAroundNumbersAreAccepted)
{
    const struct {
        const char* name;
        std::function<void(std::vector<std::string>&)> edit;
        std::string_view key;
        int value;
    } rows[] = {
        {"no GB18030 in line 2", [](auto& l) { l[1] = "\xFF\xFE"; }, keys::Step, 1},
        {"no GB18030 in line 3", [](auto& l) { l[2] = "\x81"; }, keys::Step, 1},
        {"no GB18030 in line 26", [](auto& l) { l[25] = "\xFF"; }, keys::Step, 1},
        {"no GB18030 in lines 58 and 59", [](auto& l) { l[57] = "\xFF"; l[58] = "\x80\x80"; }, keys::Step, 1},
        {"no GB18030 after an option's index", [](auto& l) { l[9] = "step 4 \xFF\xFF"; }, keys::Step, 4},
        {"blank before a number", [](auto& l) { l[26] = "Digit Time  100"; }, keys::DigitTime, 100},
        {"blank after a number", [](auto& l) { l[26] = "Digit Time 100 "; }, keys::DigitTime, 100},
        {"tab after a number", [](auto& l) { l[26] = "Digit Time 120\t"; }, keys::DigitTime, 120},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Codeplug doc = otherDocument();
        auto opened = openBytes(goldenWith(row.edit), doc);
        ASSERT_TRUE(opened) << opened.error().message;
        EXPECT_EQ(doc.settings().value(row.key), row.value);
    }
}

TEST(ChannelFileOpen, EndlessInputIsRefusedAsTooLarge)
{
    Codeplug doc = otherDocument();
    const Snapshot before = snapshot(doc);
    auto opened = openChannelFile("/dev/zero", doc, messages());
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().message, "The file is too large to be a channel file.");
    EXPECT_TRUE(snapshot(doc) == before);
}

TEST(ChannelFileOpen, SystemErrorsNameTheFile)
{
    test::TempDir dir;
    fs::create_directory(dir.path() / "folder.kt6");
    const std::string folder = dir.file("folder.kt6");
    const std::string missing = dir.file("missing.kt6");

    Codeplug doc = otherDocument();
    const Snapshot before = snapshot(doc);
    auto a = openChannelFile(folder, doc, messages());
    ASSERT_FALSE(a);
    EXPECT_EQ(a.error().message, "Cannot open file \"" + folder + "\". Is a directory");
    auto b = openChannelFile(missing, doc, messages());
    ASSERT_FALSE(b);
    EXPECT_EQ(b.error().message, "Cannot open file \"" + missing + "\". No such file or directory");
    EXPECT_TRUE(snapshot(doc) == before);
}

TEST(ChannelFileSave, FailuresReportTheSystemTextAndTheFileName)
{
    test::TempDir dir;
    dir.write("plain", "x");
    fs::create_directory(dir.path() / "folder.kt6");
    const struct {
        const char* name;
        std::string path;
        std::string reason;
    } rows[] = {
        {"a folder in the file's place", dir.file("folder.kt6"), "Is a directory"},
        {"a parent that is a regular file", dir.file("plain") + "/a.kt6", "Not a directory"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Status saved = saveChannelFile(row.path, fullDocument());
        ASSERT_FALSE(saved);
        EXPECT_EQ(saved.error().message, "Cannot create file \"" + row.path + "\". " + row.reason);
    }
    EXPECT_EQ(dir.read("plain"), "x");
}

// Lowers the process's file size limit for one scope, so a write fails part-way even as root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = saved_;
        lower.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        ::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(ChannelFileSave, AFailedWriteLeavesThePreviousFileIntact)
{
    test::TempDir dir;
    dir.write("a.kt6", "previous contents");
    Status saved = [&] {
        FileSizeLimit limit(1000);
        return saveChannelFile(dir.file("a.kt6"), fullDocument());
    }();
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().message, "Cannot create file \"" + dir.file("a.kt6") + "\". File too large");
    EXPECT_EQ(dir.read("a.kt6"), "previous contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(ChannelFileSave, KeepsPermissionsAndWritesThroughALink)
{
    test::TempDir dir;
    dir.write("target.kt6", "old");
    ::chmod(dir.file("target.kt6").c_str(), 0640);
    fs::create_symlink("target.kt6", dir.path() / "link.kt6");

    ASSERT_TRUE(saveChannelFile(dir.file("link.kt6"), fullDocument()));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.kt6"));
    EXPECT_EQ(dir.read("target.kt6"), readBytes(kGoldenPath));
    struct stat st{};
    ASSERT_EQ(::stat(dir.file("target.kt6").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// The rules act as the values arrive, so a later line wins over a rule of an earlier one and a
// rule of a later line wins over an earlier value.
TEST(ChannelFileOpen, RulesActInFileOrder)
{
    const struct {
        const char* name;
        std::vector<std::pair<int, std::string>> lines;  // 1-based line number, text
        std::string_view key;
        int value;
        bool enabled;
    } rows[] = {
        {"VFO forces the memory display back to MR freq.", {{11, "VFO/MR 1 VFO"}, {12, "MR freq./MR CH 0 MR CH"}},
         keys::MrFreqMrCh, 1, false},
        {"MR leaves the memory display free", {{11, "VFO/MR 0 MR"}, {12, "MR freq./MR CH 0 MR CH"}},
         keys::MrFreqMrCh, 0, true},
        {"Band assigned after Exp Freq. off stands, locked", {{16, "Exp Freq. 0"}, {17, "Band 0 x"}}, keys::Band,
         0, false},
        {"PTT ID end-of-transmission locks BOT", {{35, "PTT ID 1 x"}}, keys::BOT, 0, false},
        {"Stun off locks the stun type and keeps it", {{54, "Stun 0"}, {56, "Stun Type 0 x"}}, keys::StunType,
         0, false},
        {"Stun on unlocks the stun type", {{54, "Stun 1"}, {56, "Stun Type 0 x"}}, keys::StunType, 0, true},
        {"a number is clamped into its range", {{27, "Digit Time 37"}}, keys::DigitTime, 50, true},
        {"a fraction rounds to the nearest whole number", {{50, "Auto Reset 9.6"}}, keys::AutoReset, 10, true},
        {"APO 15 opens as 15", {{8, "APO 15 15H"}}, keys::APO, 15, true},
        {"a flag is set only by 1", {{18, "Beep 2"}}, keys::Beep, 0, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Codeplug doc;
        auto opened = openBytes(goldenWith([&](auto& l) {
                                    for (const auto& [n, text] : row.lines)
                                        l[n - 1] = text;
                                }),
                                doc);
        ASSERT_TRUE(opened) << opened.error().message;
        if (row.key != keys::BOT) {
            EXPECT_EQ(doc.settings().value(row.key), row.value);
        }
        EXPECT_EQ(doc.settings().enabled(row.key), row.enabled);
    }
}

TEST(ChannelFileOpen, BandRangesJoinTheirListsAndNameTheWindow)
{
    Codeplug doc;
    doc.settings().setBandList(keys::BandRx, {"400-470MHz", "430-440MHz", "430-440MHz"}, 0);
    doc.settings().setBandList(keys::BandRx1, {"400-470MHz"}, 0);
    auto opened = openBytes(readBytes(kGoldenPath), doc);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened.value().windowTitle, "QX-4100D    [430-440MHz]");
    EXPECT_EQ(doc.settings().bandSelected(keys::BandRx), 1);  // the first equal item
    EXPECT_EQ(doc.settings().bandList(keys::BandRx).size(), 3u);
    EXPECT_EQ(doc.settings().bandList(keys::BandRx1), (std::vector<std::string>{"400-470MHz", "350-390MHz"}));
    EXPECT_EQ(doc.settings().bandSelected(keys::BandRx1), 1);
}

TEST(ChannelFileOpen, ChannelLinesByPosition)
{
    Codeplug doc = otherDocument();  // row 5 filled, extras of row 7 set
    for (int row : {2, 3, 100})
        doc.extras().setCell(xcol::Vox, row, "启用");
    auto opened = openBytes(goldenWith([](auto& l) {
                                l[59] = "CH077" + l[59].substr(5);  // the number is not read
                                l[60] = "CH002 |  | 67.0 | 446.00000 | x |  |  |  |  |  | A |  |  |  |  |  | x | ";
                                l[61] = "CH";  // short: empties row and extras
                                l.push_back("CH129 | 1 | 2 | 3 | 4 | 5 | 6 | 7 | 8 | 9 | 10 | 11 | 12 | 13 | 14 | 15 | 16 | ");
                            }),
                            doc);
    ASSERT_TRUE(opened);
    const ChannelTable& t = doc.channels();
    EXPECT_EQ(t.cell(col::Rx, 1), "462.56250");
    EXPECT_EQ(t.cell(col::Number, 1), "001");
    EXPECT_EQ(t.cell(col::RxTone, 2), "");               // empty RX: row stays empty
    EXPECT_EQ(doc.extras().cell(xcol::Vox, 2), "启用");  // ... and its extras as they were
    EXPECT_EQ(doc.extras().cell(xcol::Vox, 3), "");
    EXPECT_EQ(t.cell(col::Rx, 5), "");
    EXPECT_EQ(doc.extras().cell(xcol::Vox, 7), "启用");
    EXPECT_EQ(t.cell(col::Rx, 128), "469.97500");        // the line after the 128th is ignored
    EXPECT_EQ(doc.extras().cell(xcol::Vox, 128), "禁用");

    // A file that ends early empties the rows it lacks and keeps their extras.
    ASSERT_TRUE(openBytes(goldenCutAfter(62), doc));
    EXPECT_EQ(t.cell(col::Rx, 3), "438.50000");
    EXPECT_EQ(t.cell(col::Rx, 128), "");
    EXPECT_EQ(t.cell(col::More, 128), ">>");
    EXPECT_EQ(doc.extras().cell(xcol::Vox, 100), "启用");
    EXPECT_EQ(doc.extras().cell(xcol::RxCode, 128), "51");
}

TEST(ChannelFileLine, CutIntoSixteenFields)
{
    const struct {
        const char* name;
        std::string line;
        std::optional<std::vector<std::string>> fields;  // nullopt: RX empty, row skipped
    } rows[] = {
        {"a full line",
         "CH001 | 462.56250 | 禁用 | 462.56250 | 禁用 | 高功率 | 宽带 | 启用 | 禁用 | 禁用 |  | 启用 | 禁用 | 禁用 | 0 | 0 | 禁用 | ",
         std::vector<std::string>{"462.56250", "禁用", "462.56250", "禁用", "高功率", "宽带", "启用", "禁用", "禁用",
                                  "", "启用", "禁用", "禁用", "0", "0", "禁用"}},
        {"missing final space loses the last field",
         "CH001 | 1 | 2 | 3 | 4 | 5 | 6 | 7 | 8 | 9 | 10 | 11 | 12 | 13 | 14 | 15 | 扰频 |",
         std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", ""}},
        {"a space in the ninth place skips the row", "CH001 |  | 67.0 | x | ", std::nullopt},
        {"a line shorter than nine characters gives empty fields", "CH001 |",
         std::vector<std::string>(16, "")},
        {"fields missing at the end are empty", "CH001 | 462.5 | 67.0 | ",
         std::vector<std::string>{"462.5", "67.0", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}},
        {"an empty RX field with other fields filled skips the row", "CH125   | |  |  | x | ", std::nullopt},
        {"the number after CH is not read, so a long one moves the ninth place", "CH1234 | 462.5 | ", std::nullopt},
        {"an alias without its space loses its last character", "CH001 | 1 | 2 | 3 | 4 | 5 | 6 | 7 | 8 | 9 | AB| ",
         std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "", "", "", "", "", ""}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto fields = parseChannelLine(row.line);
        ASSERT_EQ(fields.has_value(), row.fields.has_value());
        if (fields) {
            EXPECT_EQ(std::vector<std::string>(fields->begin(), fields->end()), *row.fields);
        }
    }
}

TEST(ChannelFileOpen, CellsAreReWordedIntoTheCurrentLanguage)
{
    const DisplayWords english{"OFF", "ON", "High", "Low", "Wide", "Narrow", "Comp", "scrambler"};
    Codeplug doc;
    doc.reword(english);
    auto opened = openBytes(goldenWith([](auto& l) {
                                l[61] = gb("CH003 | 438.50000 | D023N | 430.50000 | 禁用 | 高功率 | 寬帶 | 啟用 | 禁用 | 禁用 | "
                                           "ON | 启用 | 禁用 | 禁用 | 53 | 0 | 扰频 | ");
                            }),
                            doc);
    ASSERT_TRUE(opened);
    const ChannelTable& t = doc.channels();
    EXPECT_EQ(t.cell(col::Power, 2), "Low");
    EXPECT_EQ(t.cell(col::Bandwidth, 2), "Narrow");
    EXPECT_EQ(doc.extras().cell(xcol::VoiceMode, 2), "Comp");
    EXPECT_EQ(t.cell(col::TxTone, 3), "OFF");
    EXPECT_EQ(t.cell(col::Bandwidth, 3), "Wide");
    EXPECT_EQ(t.cell(col::ScanAdd, 3), "ON");
    EXPECT_EQ(t.cell(col::Alias, 3), "ON");  // the alias is the user's text, never re-worded
    EXPECT_EQ(doc.extras().cell(xcol::VoiceMode, 3), "scrambler");
    EXPECT_EQ(t.cell(col::Dtmf, 2), "ON");
}

TEST(ChannelFileEncoding, WordsAreGb18030OnDisk)
{
    Codeplug doc;
    doc.channels().setCell(col::Rx, 1, "450.00000");
    doc.fillDefaults(1);
    doc.channels().setCell(col::Alias, 1, "€𠀀");  // outside GBK: GB18030 still carries them
    auto bytes = encodeChannelFile(doc);
    ASSERT_TRUE(bytes);
    const std::string& b = bytes.value();
    const struct {
        const char* name;
        std::string bytes;
    } rows[] = {
        {"禁用 in its GBK bytes", "\xBD\xFB\xD3\xC3"},
        {"高功率 in its GBK bytes", "\xB8\xDF\xB9\xA6\xC2\xCA"},
        {"€ as GB18030 two bytes, then U+20000 as four bytes", " | \xA2\xE3\x95\x32\x82\x36 | "},
        {"lines end in CR LF", " | \r\nCH002 | "},
    };
    for (const auto& row : rows) {
        EXPECT_NE(b.find(row.bytes), std::string::npos) << row.name;
    }
    EXPECT_EQ(b.substr(0, 26), "QX-4100 MEMORY CHANNEL\r\n\r\n");
    EXPECT_EQ(b.substr(b.size() - 2), "\r\n");

    Codeplug reopened;
    ASSERT_TRUE(openBytes(b, reopened));
    EXPECT_EQ(reopened.channels().cell(col::Alias, 1), "€𠀀");
}

TEST(ChannelFileOpen, LinesEndingInLfAloneOpenToo)
{
    std::string bytes = readBytes(kGoldenPath);
    std::erase(bytes, '\r');
    Codeplug doc;
    ASSERT_TRUE(openBytes(bytes, doc));
    EXPECT_EQ(formatChannelFile(doc), formatChannelFile(fullDocument()));
}

}  // namespace
}  // namespace qx
