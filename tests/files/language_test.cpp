#include "files/language.h"

#include <gtest/gtest.h>

#include "files/atomic_file.h"
#include "files/encoding.h"
#include "files/new_document.h"
#include "model/codeplug.h"
#include "support/temp_dir.h"

namespace qx {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

// Every string number the program uses: the interface texts and the messages.
const int kStringNumbers[] = {
    1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,  19,  20,  21,  22,
    23,  24,  25,  26,  27,  28,  29,  30,  31,  32,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,  45,  46,
    47,  48,  56,  57,  58,  59,  60,  61,  62,  64,  65,  66,  67,  70,  73,  74,  75,  76,  77,  78,  79,  80,
    81,  82,  83,  84,  85,  87,  88,  89,  90,  91,  93,  94,  95,  96,  97,  98,  99,  100, 101, 102, 103, 104,
    105, 106, 107, 108, 109, 110, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127,
    128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145, 146, 147};

struct LanguageCase {
    Language language;
    DisplayWords words;  // off, on, high, low, wide, narrow, compander, scrambler
    std::string totOne;  // TOT item 1
    std::vector<std::string> band, monitor, pttId, stunType, keyAssignment;
};

const LanguageCase kLanguages[] = {
    {Language::Chinese,
     {"禁用", "启用", "高功率", "低功率", "宽带", "窄带", "压扩", "扰频"},
     "1分钟",
     {"频段2", "频段1"},
     {"CTC/DCS", "DTMF", "CTC/DCS与DTMF", "CTC/DCS或DTMF"},
     {"发射开始", "发射结束", "两者"},
     {"遥毙", "遥晕"},
     {"监听", "呼叫键", "现场报警", "发送1750Hz信号"}},
    {Language::English,
     {"OFF", "ON", "High", "Low", "Wide", "Narrow", "Comp", "scrambler"},
     "1 min",
     {"Band 2", "Band 1"},
     {"CTC/DCS", "DTMF", "CTC/DCS and DTMF", "CTC/DCS or DTMF"},
     {"BOT", "EOT", "Both"},
     {"Kill", "Stun"},
     {"Monitor", "Call", "Local Alarm", "1750Hz Tone"}},
    {Language::Taiwan,
     {"禁用", "啟用", "高功率", "低功率", "寬帶", "窄帶", "壓擴", "擾頻"},
     "1分鐘",
     {"頻段2", "頻段1"},
     {"CTC/DCS", "DTMF", "CTC/DCS與DTMF", "CTC/DCS或DTMF"},
     {"發射開始", "發射結束", "兩者"},
     {"遙斃", "遙暈"},
     {"監聽", "呼叫鍵", "現場警報", "發送1750Hz信號"}},
};

// A program folder holding the three shipped language files.
class ProgramDir : public TempDir {
public:
    ProgramDir()
    {
        for (const char* name : {"chinese.lng", "english.lng", "taiwan.lng"})
            fs::copy_file(fs::path(QX_LANG_DIR) / name, path() / name);
    }
};

TEST(StringTable, ParsesNumberedLines)
{
    const StringTable t = StringTable::parse(
        "\xEF\xBB\xBF"
        "1=first\r\n"
        "# comment=ignored\n"
        "not a line\n"
        "48= min\n"
        "5=a=b\n"
        " 7 =spaced number\n"
        "9=\n"
        "5=later wins\n"
        "x1=no\n"
        "12=last line without end");
    const struct {
        int number;
        std::string text;
    } cases[] = {
        {1, "first"},          {48, " min"},  {5, "later wins"}, {7, "spaced number"},
        {9, ""},               {12, "last line without end"},    {2, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(t.text(c.number), c.text) << c.number;
    EXPECT_EQ(t.numbers(), (std::vector<int>{1, 5, 7, 9, 12, 48}));
}

TEST(StringTable, CutsLongTextsOnACharacterBoundary)
{
    const struct {
        const char* name;
        std::string text;
        std::size_t kept;
    } cases[] = {
        {"253 ascii bytes stay whole", std::string(253, 'a'), 253},
        {"ascii beyond 253 is cut at 253", std::string(400, 'a'), 253},
        {"a character that would end at byte 254 goes", std::string(251, 'a') + "中", 251},
        {"84 chinese characters (252 bytes) stay, the 85th goes", [] {
             std::string s;
             for (int i = 0; i < 85; ++i)
                 s += "频";
             return s;
         }(), 252},
        {"a character ending exactly at 253 stays", std::string(250, 'a') + "中", 253},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const StringTable t = StringTable::parse("3=" + c.text + "\n");
        EXPECT_EQ(t.text(3), c.text.substr(0, c.kept));
        EXPECT_TRUE(isValidUtf8(t.text(3)));
    }
}

TEST(LanguageFiles, HoldEveryStringAndTheExactDisplayWords)
{
    for (const auto& c : kLanguages) {
        const std::string path = languageFilePath(QX_LANG_DIR, c.language);
        SCOPED_TRACE(path);
        auto table = loadStringTable(path);
        ASSERT_TRUE(table.ok()) << table.error().message;
        for (int n : kStringNumbers)
            EXPECT_FALSE(table.value().text(n).empty()) << "string " << n;
        for (Word w : kAllWords)
            EXPECT_EQ(table.value().text(languageStringOf(w)), c.words.get(w)) << "word string " << languageStringOf(w);
        for (int n : {msg::ChannelNotWritable, msg::SettingNotWritable})
            EXPECT_NE(table.value().text(n).find("%1"), std::string::npos) << n;
        EXPECT_NE(table.value().text(msg::ChannelNotWritable).find("%2"), std::string::npos);

        // No line is so long that loading would cut it.
        auto raw = readWholeFile(path);
        ASSERT_TRUE(raw.ok());
        std::size_t start = 0;
        while (start < raw.value().size()) {
            const std::size_t nl = raw.value().find('\n', start);
            const std::string line = raw.value().substr(start, nl - start);
            EXPECT_LE(line.size() - std::min(line.find('=') + 1, line.size()), kMaxLanguageTextBytes) << line;
            if (nl == std::string::npos)
                break;
            start = nl + 1;
        }
    }
}

TEST(LanguageFiles, ChineseFileIsTheBuiltInTexts)
{
    auto table = loadStringTable(languageFilePath(QX_LANG_DIR, Language::Chinese));
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table.value().numbers(), StringTable::builtIn().numbers());
    for (int n : table.value().numbers())
        EXPECT_EQ(table.value().text(n), StringTable::builtIn().text(n)) << "string " << n;
    // The About text carries no "..."; the program appends it.
    EXPECT_EQ(StringTable::builtIn().text(1), "关于(&A)");
}

TEST(LanguageStore, UsesBuiltInTextsUntilAFileIsLoaded)
{
    ProgramDir dir;
    LanguageStore store(dir.path().string());
    EXPECT_FALSE(store.loaded());
    for (int n : {msg::PortCaption, msg::PortError, msg::TransferFailed, msg::ConfirmCaption, msg::ConfirmText,
                  msg::ChannelFileCaption, msg::NotChannelFile, msg::ChannelNotWritable, msg::SettingNotWritable})
        EXPECT_FALSE(store.text(n).empty()) << "message " << n << " is never blank";

    ASSERT_TRUE(store.load(Language::English).ok());
    EXPECT_EQ(store.loaded(), Language::English);
    EXPECT_EQ(store.text(7), "OK");
    EXPECT_EQ(newDocumentRequest(store).caption, "Confirm");
    EXPECT_EQ(portErrorRequest(store).text, store.text(msg::PortError));
}

TEST(LanguageStore, FailedLoadChangesNothing)
{
    ProgramDir dir;
    fs::remove(dir.path() / "taiwan.lng");
    dir.write("chinese.lng", "7=\xFF\xFE broken\n");  // not UTF-8
    fs::remove(dir.path() / "english.lng");
    fs::create_directory(dir.path() / "english.lng");  // a folder, not a file

    for (Language first : {Language::Taiwan, Language::Chinese, Language::English}) {
        SCOPED_TRACE(languageName(first));
        LanguageStore store(dir.path().string());
        const Status loaded = store.load(first);
        ASSERT_FALSE(loaded.ok());
        EXPECT_NE(loaded.error().message.find(languageFilePath(dir.path().string(), first)), std::string::npos);
        EXPECT_FALSE(store.loaded());
        EXPECT_EQ(store.strings(), StringTable::builtIn());
    }
}

TEST(ApplyLanguage, RewordsCellsAndRetextsOptionsKeepingIndexes)
{
    // Start from each language and switch to each other one.
    for (const auto& from : kLanguages) {
        for (const auto& to : kLanguages) {
            SCOPED_TRACE(std::string(languageName(from.language)) + " -> " + std::string(languageName(to.language)));
            ProgramDir dir;
            LanguageStore store(dir.path().string());
            Codeplug doc;
            ASSERT_TRUE(applyLanguage(store, from.language, doc).ok());

            doc.channels().setCell(col::Rx, 1, "462.56250");
            doc.setCurrent(col::Rx, 1);
            doc.sendallcell();  // a new channel in the current words
            doc.channels().setCell(col::Power, 1, from.words.low);
            doc.channels().setCell(col::RxTone, 1, "67.0");
            doc.channels().setCell(col::Alias, 1, "ON");
            doc.extras().setCell(xcol::VoiceMode, 1, from.words.scrambler);
            doc.settings().assign(keys::TOT, 3);
            doc.settings().assign(keys::KeyAssignment, 2);
            const auto keyAssignment2 = doc.settings().optionTexts(keys::KeyAssignment2);

            ASSERT_TRUE(applyLanguage(store, to.language, doc).ok());
            EXPECT_EQ(doc.words(), to.words);
            EXPECT_EQ(doc.tones().text(0), to.words.off);
            EXPECT_EQ(doc.channels().cell(col::TxTone, 1), to.words.off);
            EXPECT_EQ(doc.channels().cell(col::RxTone, 1), "67.0") << "a tone value is no word";
            EXPECT_EQ(doc.channels().cell(col::Power, 1), to.words.low);
            EXPECT_EQ(doc.channels().cell(col::Bandwidth, 1), to.words.wide);
            EXPECT_EQ(doc.channels().cell(col::ScanAdd, 1), to.words.on);
            EXPECT_EQ(doc.channels().cell(col::Dtmf, 1), to.words.off);
            EXPECT_EQ(doc.channels().cell(col::Alias, 1), "ON") << "the alias column is never re-worded";
            EXPECT_EQ(doc.extras().cell(xcol::TailElim, 1), to.words.on);
            EXPECT_EQ(doc.extras().cell(xcol::VoiceMode, 1), to.words.scrambler);

            const auto& tot = doc.settings().optionTexts(keys::TOT);
            ASSERT_EQ(tot.size(), 8u);
            EXPECT_EQ(tot[0], to.words.off);
            EXPECT_EQ(tot[1], to.totOne);
            EXPECT_EQ(doc.settings().value(keys::TOT), 3);
            EXPECT_EQ(doc.settings().optionTexts(keys::APO)[0], to.words.off);
            EXPECT_EQ(doc.settings().optionTexts(keys::APO)[9], " 9H");
            EXPECT_EQ(doc.settings().optionTexts(keys::Band), to.band);
            EXPECT_EQ(doc.settings().optionTexts(keys::Monitor), to.monitor);
            EXPECT_EQ(doc.settings().optionTexts(keys::PttId), to.pttId);
            EXPECT_EQ(doc.settings().optionTexts(keys::StunType), to.stunType);
            EXPECT_EQ(doc.settings().optionTexts(keys::KeyAssignment), to.keyAssignment);
            EXPECT_EQ(doc.settings().value(keys::KeyAssignment), 2);
            EXPECT_EQ(doc.settings().optionTexts(keys::KeyAssignment2), keyAssignment2);

            // The same language again changes nothing.
            const Codeplug once = doc;
            ASSERT_TRUE(applyLanguage(store, to.language, doc).ok());
            for (int c = 0; c < col::Count; ++c)
                EXPECT_EQ(doc.channels().cell(c, 1), once.channels().cell(c, 1));
            EXPECT_EQ(doc.settings().optionTexts(keys::TOT), once.settings().optionTexts(keys::TOT));
        }
    }
}

TEST(ApplyLanguage, MissingFileLeavesTheDocumentAlone)
{
    ProgramDir dir;
    LanguageStore store(dir.path().string());
    Codeplug doc;
    ASSERT_TRUE(applyLanguage(store, Language::English, doc).ok());
    doc.channels().setCell(col::Rx, 2, "446.00625");
    doc.setCurrent(col::Rx, 2);
    doc.sendallcell();
    fs::remove(dir.path() / "taiwan.lng");
    const Codeplug before = doc;

    EXPECT_FALSE(applyLanguage(store, Language::Taiwan, doc).ok());
    EXPECT_EQ(store.loaded(), Language::English);
    EXPECT_EQ(doc.words(), before.words());
    EXPECT_EQ(doc.channels().cell(col::Power, 2), "High");
    EXPECT_EQ(doc.settings().optionTexts(keys::TOT), before.settings().optionTexts(keys::TOT));
}

TEST(ApplyLanguage, AWordTheFileLacksKeepsItsText)
{
    // An empty Off word would make every tone cell read as a new channel's; keep the old word.
    StringTable partial = StringTable::parse("34=\n36=HIGH\n");
    Codeplug doc;
    applyLanguage(partial, doc);
    EXPECT_EQ(doc.words().off, "禁用");
    EXPECT_EQ(doc.words().on, "启用");
    EXPECT_EQ(doc.words().high, "HIGH");
    EXPECT_EQ(doc.tones().text(0), "禁用");
}

TEST(ApplyLanguage, PutsTheLanguagesColumnHeadersIntoRowZero)
{
    struct Header {
        int column;
        bool extras;
        std::string_view english;
    };
    // "DTMF", "PTT ID" and "VOX" are the same in every language.
    const Header kEnglish[] = {
        {col::Number, false, "CH"},         {col::Rx, false, "RX Freq"},       {col::RxTone, false, "RX QT/DQT"},
        {col::Tx, false, "TX Freq"},        {col::TxTone, false, "TX QT/DQT"}, {col::Power, false, "TX Power"},
        {col::Bandwidth, false, "Bandwidth"}, {col::ScanAdd, false, "Scan Add"}, {col::Dtmf, false, "DTMF"},
        {col::PttId, false, "PTT ID"},      {col::Alias, false, "Alias"},      {col::More, false, "More..."},
        {xcol::TailElim, true, "Tail Elim."}, {xcol::Vox, true, "VOX"},        {xcol::BusyLock, true, "Busy Lock"},
        {xcol::VoiceMode, true, "Voice Mode"},
    };
    auto header = [](const Codeplug& doc, const Header& h) -> const std::string& {
        return h.extras ? doc.extras().cell(h.column, 0) : doc.channels().cell(h.column, 0);
    };
    ProgramDir dir;
    LanguageStore store(dir.path().string());
    const Codeplug builtIn;
    Codeplug doc;
    ASSERT_TRUE(applyLanguage(store, Language::English, doc).ok());
    for (const Header& h : kEnglish)
        EXPECT_EQ(header(doc, h), h.english) << "column " << h.column << (h.extras ? " of the extras" : "");
    // Back in Chinese every header reads as before any language was applied.
    ASSERT_TRUE(applyLanguage(store, Language::Chinese, doc).ok());
    for (const Header& h : kEnglish)
        EXPECT_EQ(header(doc, h), header(builtIn, h)) << "column " << h.column << (h.extras ? " of the extras" : "");
    EXPECT_EQ(doc.channels().cell(col::Rx, 1), "") << "only row 0 changes";

    // A header the file lacks keeps the text it had.
    applyLanguage(StringTable::parse("25=Ch.\n26=\n"), doc);
    EXPECT_EQ(doc.channels().cell(col::Number, 0), "Ch.");
    EXPECT_EQ(doc.channels().cell(col::Rx, 0), "接收频率");
}

// A file that lacks a number or leaves it empty must not blank a dialog or an option text: the
// built-in Simplified Chinese text stands in. A display word keeps its own rule.
TEST(LanguageFiles, MissingOrEmptyNumbersFallBackToTheBuiltInTexts)
{
    test::TempDir dir;
    dir.write("english.lng", "58=Port\n59=\n");
    auto table = loadStringTable(dir.file("english.lng"));
    ASSERT_TRUE(table);
    EXPECT_EQ(table.value().text(58), "Port");
    EXPECT_EQ(table.value().text(59), StringTable::builtIn().text(59));
    EXPECT_EQ(table.value().text(145), "该文件不是信道文件。");
    EXPECT_EQ(table.value().text(languageStringOf(Word::Off)), "") << "a display word is not filled";

    dir.write("empty.lng", "");
    auto empty = loadStringTable(dir.file("empty.lng"));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty.value().text(144), "信道文件");
}

TEST(LanguageFiles, OversizedFileIsNotApplied)
{
    test::TempDir dir;
    dir.write("english.lng", "145=Big\n#" + std::string(1024 * 1024, 'x') + "\n");
    LanguageStore store(dir.path().string());
    EXPECT_FALSE(store.load(Language::English));
    EXPECT_EQ(store.text(145), "该文件不是信道文件。");
    EXPECT_FALSE(store.loaded());
}

TEST(StartupLanguage, ChoosesFromTheInstallerLog)
{
    const struct {
        const char* name;
        const char* file;  // nullptr: no UNWISE.INI
        Language expected;
    } cases[] = {
        {"no installer log", nullptr, Language::Chinese},
        {"English installer", "[Language]\r\nmsg1=Installation Logs\r\n", Language::English},
        {"names without case", "[LANGUAGE]\nMSG1=Installation Logs\n", Language::English},
        {"the value with case", "[Language]\nmsg1=installation logs\n", Language::Chinese},
        {"another value", "[Language]\nmsg1=\xB0\xB2\xD7\xB0\xC8\xD5\xD6\xBE\n", Language::Chinese},
        {"key in another section", "[Other]\nmsg1=Installation Logs\n", Language::Chinese},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.file)
            dir.write("UNWISE.INI", c.file);
        EXPECT_EQ(startupLanguage(dir.path().string()), c.expected);
    }
}

TEST(FileDialogTexts, ChosenByTheConfiguredLanguage)
{
    const struct {
        int language;
        std::string lookIn, open, save, fileType;
    } cases[] = {
        {1, "地址: ", "打开", "保存", "文件类型:"},
        {2, "Look in: ", "&Open", "&Save", "File type:"},
        {3, "查詢: ", "開啟", "存檔", "檔案類型:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        const FileDialogTexts t = fileDialogTexts(c.language);
        EXPECT_EQ(t.lookIn, c.lookIn);
        EXPECT_EQ(t.open, c.open);
        EXPECT_EQ(t.save, c.save);
        EXPECT_EQ(t.fileType, c.fileType);
        EXPECT_FALSE(t.details.empty());
    }
    for (int other : {0, 4, -1})
        EXPECT_EQ(fileDialogTexts(other), FileDialogTexts{}) << other;
}

}  // namespace
}  // namespace qx
