// qx4100ctl import and export as a user runs them: the real program in a program folder of its
// own (configuration and language files beside it), files in a temporary folder.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "files/channel_file.h"
#include "files/language.h"
#include "model/codeplug.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

struct Finished {
    int status = -1;
    std::string err;
};

// The 400-470 MHz band for band 1, as the editor's configuration holds it.
constexpr const char* kBandConfig = "[list1_rx]\nlistcount=2\ncombo0=400-470MHz\ncombo1=136-174MHz\nlistnow=0\n";

// The program, the language files and a configuration in a fresh folder, removed at the end.
class Folder {
public:
    Folder()
    {
        std::string templ = (fs::temp_directory_path() / "qxinterchange.XXXXXX").string();
        if (::mkdtemp(templ.data()) == nullptr)
            std::abort();
        dir_ = templ;
        fs::copy_file(QX_BIN_DIR "/qx4100ctl", dir_ / "qx4100ctl");
        for (const char* name : {"chinese.lng", "english.lng", "taiwan.lng"})
            fs::copy_file(fs::path(QX_LANG_DIR) / name, dir_ / name);
        put("myini.ini", kBandConfig);
    }
    ~Folder()
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    std::string operator/(const std::string& name) const { return (dir_ / name).string(); }
    void put(const std::string& name, const std::string& bytes) const { writeFile(dir_ / name, bytes); }
    std::string get(const std::string& name) const { return readFile(dir_ / name); }
    bool has(const std::string& name) const { return fs::exists(dir_ / name); }

    // Runs qx4100ctl with args (file names relative to the folder); stderr is collected.
    Finished ctl(std::vector<std::string> args) const
    {
        const std::string errPath = (dir_ / "stderr.txt").string();
        const std::string program = (dir_ / "qx4100ctl").string();
        const pid_t pid = fork();
        if (pid == 0) {
            if (chdir(dir_.c_str()) != 0)
                _exit(126);
            const int in = ::open("/dev/null", O_RDONLY);
            const int out = ::open("/dev/null", O_WRONLY);
            const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(in, STDIN_FILENO);
            dup2(out, STDOUT_FILENO);
            dup2(err, STDERR_FILENO);
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        Finished run;
        int status = 0;
        if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
            run.status = WEXITSTATUS(status);
        run.err = readFile(errPath);
        return run;
    }

    // A channel file opened as the editor opens it (English strings, band lists of kBandConfig).
    Codeplug open(const std::string& name) const
    {
        Codeplug doc;
        doc.settings().setBandList(keys::BandRx, {"400-470MHz", "136-174MHz"}, 0);
        auto opened = openChannelFile(*this / name, doc, StringTable::builtIn());
        EXPECT_TRUE(opened.ok()) << (opened.ok() ? "" : opened.error().message);
        return doc;
    }

private:
    fs::path dir_;
};

constexpr const char* kHeader21 =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";

// Line 3 is outside the band of kBandConfig.
const std::string kMixedFile = std::string(kHeader21) +
                               "5,Rep,462.550000,+,5.000000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\r\n"
                               "6,Far,476.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\r\n"
                               "9,base 2,462.575000,,0.000000,DTCS,88.5,88.5,754,NR,023,Tone->Tone,NFM,12.50,S,1.0W,desk,,,,\r\n";

TEST(InterchangeCli, RefusedRowWritesNothingUnlessPartial)
{
    Folder f;
    f.put("in.csv", kMixedFile);
    f.put("out.kt6", "left alone");
    const Finished refused = f.ctl({"import", "--language", "english", "in.csv", "out.kt6"});
    EXPECT_EQ(refused.status, 4);
    EXPECT_EQ(refused.err,
              "line 2: warning: \"Rep\" is stored as alias \"REP\"\n"
              "line 3: Frequency \"476.500000\": 476.500000 MHz is outside the receive range 400-470MHz of the selected band\n"
              "line 4: warning: \"base 2\" is stored as alias \"BASE 2\"\n"
              "line 4: warning: comment \"desk\" is not kept\n"
              "qx4100ctl: in.csv: 1 rows refused; nothing is written.\n");
    EXPECT_EQ(f.get("out.kt6"), "left alone");

    const Finished partial = f.ctl({"import", "--partial", "--language", "english", "in.csv", "new.kt6"});
    EXPECT_EQ(partial.status, 0);
    EXPECT_NE(partial.err.find("line 3: Frequency"), std::string::npos);
    const Codeplug doc = f.open("new.kt6");
    EXPECT_EQ(doc.channels().cell(col::Rx, 1), "462.55000");
    EXPECT_EQ(doc.channels().cell(col::Tx, 1), "467.55000");
    EXPECT_EQ(doc.channels().cell(col::TxTone, 1), "100.0");
    EXPECT_EQ(doc.channels().cell(col::Alias, 1), "REP");
    EXPECT_EQ(doc.channels().cell(col::Rx, 2), "462.57500");
    EXPECT_EQ(doc.channels().cell(col::RxTone, 2), "D754I");
    EXPECT_EQ(doc.channels().cell(col::TxTone, 2), "D754N");
    EXPECT_EQ(doc.channels().cell(col::Power, 2), "低功率");
    EXPECT_EQ(doc.channels().cell(col::ScanAdd, 2), "禁用");
    EXPECT_TRUE(doc.isEmptyChannel(3));
    // The file holds the words of --language english.
    EXPECT_NE(f.get("new.kt6").find("CH002 | 462.57500 | D754I | 462.57500 | D754N | Low | Narrow | OFF | OFF | OFF | "
                                    "BASE 2 | ON | OFF | OFF | 265 | 158 | OFF | \r\n"),
              std::string::npos);
}

TEST(InterchangeCli, ByLocationIntoABaseFileKeepsItsSettingsAndOtherChannels)
{
    Folder f;
    {
        Codeplug base;
        base.settings().setBandList(keys::BandRx, {"136-174MHz"}, 0);
        base.settings().assign(keys::APO, 5);
        base.channels().setCell(col::Rx, 50, "150.00000");
        base.fillDefaults(50);
        ASSERT_TRUE(saveChannelFile(f / "base.kt6", base).ok());
    }
    // The base file's band is 136-174 MHz: 146.52 fits, 462.55 does not.
    f.put("in.csv", "Location,Frequency\r\n7,146.520000\r\n8,462.550000\r\n");
    const Finished run = f.ctl({"import", "--by-location", "--into", "base.kt6", "--partial", "--language", "english",
                                "in.csv", "out.kt6"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "line 3: Frequency \"462.550000\": 462.550000 MHz is outside the receive range 136-174MHz of the selected band\n");
    const Codeplug doc = f.open("out.kt6");
    EXPECT_EQ(doc.channels().cell(col::Rx, 7), "146.52000");
    EXPECT_TRUE(doc.isEmptyChannel(8));
    EXPECT_EQ(doc.channels().cell(col::Rx, 50), "150.00000");
    EXPECT_EQ(doc.settings().value(keys::APO), 5);
    EXPECT_EQ(doc.settings().text(keys::BandRx), "136-174MHz");
}

TEST(InterchangeCli, MessagesFollowTheLanguage)
{
    Folder f;
    f.put("in.csv", "Frequency\r\nabc\r\n");
    const Finished run = f.ctl({"import", "--language", "chinese", "in.csv", "out.kt6"});
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.err, "line 2: Frequency \"abc\"：不是数字\nqx4100ctl: in.csv: 1 行被拒绝，未写入任何内容。\n");
    EXPECT_FALSE(f.has("out.kt6"));
}

TEST(InterchangeCli, UnreadableInputIsRefusedWhole)
{
    Folder f;
    struct Case {
        const char* name;
        std::string csv;
        std::string message;
    } cases[] = {
        {"larger than 1 MiB", std::string(kHeader21) + std::string(1024 * 1024, '#'),
         "qx4100ctl: in.csv: The file is larger than 1 MiB.\n"},
        {"no Frequency column", "Location,Name\r\n1,A\r\n", "qx4100ctl: in.csv: The header has no Frequency column.\n"},
        {"a quote never closed", std::string(kHeader21) + "1,\"A,462.5\r\n",
         "qx4100ctl: in.csv: Line 2: a quoted field is not closed.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.put("in.csv", c.csv);
        const Finished run = f.ctl({"import", "--partial", "--language", "english", "in.csv", "out.kt6"});
        EXPECT_EQ(run.status, 4);
        EXPECT_EQ(run.err, c.message);
        EXPECT_FALSE(f.has("out.kt6"));
    }
    // An endless input is refused by its size before it is read whole.
    const Finished endless = f.ctl({"import", "--language", "english", "/dev/zero", "out.kt6"});
    EXPECT_EQ(endless.status, 4);
    EXPECT_EQ(endless.err, "qx4100ctl: /dev/zero: The file is larger than 1 MiB.\n");
    EXPECT_FALSE(f.has("out.kt6"));

    const Finished missing = f.ctl({"import", "--language", "english", "none.csv", "out.kt6"});
    EXPECT_EQ(missing.status, 4);
    EXPECT_FALSE(f.has("out.kt6"));
}

TEST(InterchangeCli, ExportWritesTheCsvAndWarnsOfNonStandardTones)
{
    Folder f;
    Codeplug doc;
    doc.settings().setBandList(keys::BandRx, {"400-470MHz"}, 0);
    doc.settings().assign(keys::Step, 3);
    applyLanguage(StringTable::builtIn(), doc);
    doc.channels().setCell(col::Rx, 2, "462.56250");
    doc.fillDefaults(2);
    doc.channels().setCell(col::TxTone, 2, "63.0");
    doc.extras().setCell(xcol::TxCode, 2, "1");
    doc.channels().setCell(col::Alias, 2, "CH-2");
    ASSERT_TRUE(saveChannelFile(f / "in.kt6", doc).ok());

    const Finished run = f.ctl({"export", "--language", "english", "in.kt6", "out.csv"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "warning: channel 2: tone 63.0 is not in CHIRP's standard lists; it is written as it is\n");
    EXPECT_EQ(f.get("out.csv"),
              std::string(kHeader21) +
                  "2,CH-2,462.562500,,0.000000,Tone,63.0,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\r\n");

    // And back: the exported file imports into channel 1 with the same cells.
    const Finished back = f.ctl({"import", "--language", "chinese", "out.csv", "back.kt6"});
    EXPECT_EQ(back.status, 0);
    EXPECT_EQ(back.err, "");
    const Codeplug again = f.open("back.kt6");
    for (int c = col::Rx; c <= col::Alias; ++c)
        EXPECT_EQ(again.channels().cell(c, 1), doc.channels().cell(c, 2)) << "column " << c;
}

TEST(InterchangeCli, ExportOfABadChannelFileWritesNothing)
{
    Folder f;
    f.put("in.kt6", "not a channel file\r\n");
    const Finished run = f.ctl({"export", "--language", "english", "in.kt6", "out.csv"});
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.err, "qx4100ctl: Channel File: This file is not a channel file.\n");
    EXPECT_FALSE(f.has("out.csv"));
}

TEST(InterchangeCli, UsageErrors)
{
    Folder f;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"import", "in.csv"},
             {"export", "in.kt6"},
             {"import", "a.csv", "b.kt6", "c"},
             {"export", "--partial", "in.kt6", "out.csv"},
             {"import", "--into", "a.csv", "b.kt6"},
             {"show", "--by-location", "x.kt6"},
         }) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        EXPECT_EQ(f.ctl(args).status, 2);
    }
}

}  // namespace
}  // namespace qx
