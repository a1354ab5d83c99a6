// qx4100ctl as a user runs it: the real program in its own program folder (configuration,
// installer log, language files beside it) against the radio simulator over a pseudo-terminal.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "files/channel_file.h"
#include "files/language.h"
#include "link/write_check.h"
#include "model/codeplug.h"
#include "support/sim_process.h"

namespace qx {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kImageSize = 4096;
constexpr std::size_t kFirstChannelRecord = 0x0010;
constexpr std::size_t kAfterLastAlias = 0x0C10;
constexpr std::size_t kPasswordBlock = 0x0CD0;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "qxcli-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path_ = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs program with args; stdout and stderr are files (so stderr is no terminal).
Finished runProgram(const fs::path& program, const std::vector<std::string>& args, const TempDir& scratch)
{
    const fs::path outPath = scratch / "stdout.txt";
    const fs::path errPath = scratch / "stderr.txt";
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        std::vector<std::string> copies = args;
        std::vector<char*> argv;
        std::string name = program.string();
        argv.push_back(name.data());
        for (std::string& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(name.c_str(), argv.data());
        _exit(127);
    }
    Finished run;
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    run.out = readFile(outPath);
    run.err = readFile(errPath);
    return run;
}

// Runs program with args and stderr on a pseudo-terminal the test reads; returns what the
// terminal showed as err.
Finished runOnTerminal(const fs::path& program, const std::vector<std::string>& args, const TempDir& scratch)
{
    Finished run;
    int master = -1, slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        return run;
    const fs::path outPath = scratch / "stdout.txt";
    const pid_t pid = fork();
    if (pid == 0) {
        close(master);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(slave, STDERR_FILENO);
        close(slave);
        std::vector<std::string> copies = args;
        std::vector<char*> argv;
        std::string name = program.string();
        argv.push_back(name.data());
        for (std::string& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(name.c_str(), argv.data());
        _exit(127);
    }
    close(slave);
    // Read until the program's end closes the terminal's last other end (read then fails).
    char buffer[512];
    for (;;) {
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 20000) != 1)
            break;
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        run.err.append(buffer, static_cast<std::size_t>(n));
    }
    close(master);
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    run.out = readFile(outPath);
    return run;
}

// A program folder of its own: the programmer, the language files, and whatever configuration
// or installer log a test puts there.
class ProgramFolder {
public:
    ProgramFolder()
    {
        fs::copy_file(QX_BIN_DIR "/qx4100ctl", dir_ / "qx4100ctl");
        for (const char* name : {"chinese.lng", "english.lng", "taiwan.lng"})
            fs::copy_file(fs::path(QX_LANG_DIR) / name, dir_ / name);
    }
    fs::path operator/(const std::string& name) const { return dir_ / name; }
    void put(const std::string& name, const std::string& text) { writeFile(dir_ / name, text); }
    Finished ctl(const std::vector<std::string>& args) const { return runProgram(dir_ / "qx4100ctl", args, dir_); }
    Finished ctlOnTerminal(const std::vector<std::string>& args) const
    {
        return runOnTerminal(dir_ / "qx4100ctl", args, dir_);
    }

private:
    TempDir dir_;
};

std::vector<std::string> withoutPacing(std::vector<std::string> args)
{
    args.insert(args.begin(), "--no-pacing");
    return args;
}

// The simulator, unpaced: these tests time nothing.
class Simulator : public test::SimProcess {
public:
    explicit Simulator(std::vector<std::string> args) : SimProcess(withoutPacing(std::move(args))) {}
};

// The demo radio's memory with every channel and alias erased: a radio that differs from the
// demo everywhere a channel file can show it.
std::string erasedRadio(const TempDir& scratch)
{
    const fs::path demo = scratch / "demo.bin";
    Simulator(std::vector<std::string>{"--image", demo.string()}).stop();
    std::string image = readFile(demo);
    if (image.size() == kImageSize)
        std::fill(image.begin() + kFirstChannelRecord, image.begin() + kAfterLastAlias, '\xFF');
    return image;
}

// A small document: two filled channels.
Codeplug smallDocument()
{
    Codeplug doc;
    for (auto [row, rx, alias] : {std::tuple{1, "446.00625", "PMR1"}, std::tuple{5, "438.50000", "RPT-1"}}) {
        doc.channels().setCell(col::Rx, row, rx);
        doc.fillDefaults(row);
        doc.channels().setCell(col::Alias, row, alias);
    }
    return doc;
}

void saveDocument(const Codeplug& doc, const fs::path& path)
{
    auto bytes = encodeChannelFile(doc);
    ASSERT_TRUE(bytes) << bytes.error().message;
    writeFile(path, bytes.value());
}

// The demo radio's channels as its designer filled them, from the file a read saved.
void expectDemoChannels(const fs::path& file)
{
    auto staged = parseChannelFile(readFile(file), StringTable::builtIn());
    ASSERT_TRUE(staged) << staged.error().message;
    Codeplug doc;
    applyChannelFile(staged.value(), doc);
    const ChannelTable& t = doc.channels();
    struct Cell {
        int column;
        int row;
        const char* text;
    };
    const Cell cells[] = {
        {col::Rx, 1, "462.56250"},  {col::Alias, 1, "FRS1"},    {col::RxTone, 1, "67.0"},
        {col::Tx, 5, "431.10000"},  {col::TxTone, 5, "123.0"},  {col::Alias, 5, "RPT-1"},
        {col::RxTone, 8, "D754I"},  {col::Rx, 10, "409.75000"}, {col::TxTone, 10, "63.0"},
        {col::TxTone, 11, "D047I"}, {col::Alias, 12, "DEPOT*"}, {col::Rx, 13, ""},
    };
    for (const Cell& c : cells)
        EXPECT_EQ(t.cell(c.column, c.row), c.text) << "channel " << c.row << " column " << c.column;
}

// ---- the round trip ----

struct CableMode {
    const char* name;
    bool echo;                  // the simulator repeats every byte, as a single-head cable does
    const char* myini;          // nullptr: no configuration file
    std::vector<std::string> flags;
    bool portFromConfig;        // --port COM2, mapped by myini.ini
    const char* password;       // nullptr: no --password
};

class CliRoundTrip : public ::testing::TestWithParam<CableMode> {};

TEST_P(CliRoundTrip, DemoRadioReadWrittenIntoAnotherAndReadBackIsIdentical)
{
    const CableMode& mode = GetParam();
    ProgramFolder folder;
    TempDir scratch;
    if (mode.myini)
        folder.put("myini.ini", mode.myini);
    std::string config = readFile(folder / "myini.ini");

    const auto transfer = [&](const char* command, const std::string& device, const fs::path& file,
                              std::vector<std::string> extra = {}) {
        std::string port = device;
        if (mode.portFromConfig) {
            config = std::string(mode.myini) + "[ports]\ncom2=" + device + "\n";
            folder.put("myini.ini", config);
            port = "COM2";
        }
        std::vector<std::string> args{command, "--port", port};
        args.insert(args.end(), mode.flags.begin(), mode.flags.end());
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(file.string());
        return folder.ctl(args);
    };
    std::vector<std::string> echo;
    if (mode.echo)
        echo.push_back("--echo");

    const fs::path first = scratch / "demo.kt6";
    {
        Simulator demo(echo);
        const Finished read = transfer("read", demo.device(), first);
        ASSERT_EQ(read.status, 0) << read.err;
        EXPECT_EQ(read.err, "") << "no progress bar or message when stderr is no terminal";
    }
    expectDemoChannels(first);

    const std::string erased = erasedRadio(scratch);
    ASSERT_EQ(erased.size(), kImageSize);
    const fs::path image = scratch / "other.bin";
    writeFile(image, erased);
    const fs::path second = scratch / "again.kt6";
    {
        std::vector<std::string> args = echo;
        args.insert(args.end(), {"--image", image.string()});
        Simulator other(args);
        std::vector<std::string> extra;
        if (mode.password)
            extra = {"--password", mode.password};
        const Finished write = transfer("write", other.device(), first, extra);
        ASSERT_EQ(write.status, 0) << write.err;
        const Finished read = transfer("read", other.device(), second);
        ASSERT_EQ(read.status, 0) << read.err;
    }
    EXPECT_EQ(readFile(second), readFile(first));

    const std::string written = readFile(image);
    ASSERT_EQ(written.size(), kImageSize);
    const std::string passwordBlock = written.substr(kPasswordBlock, 6);
    if (mode.password)
        EXPECT_EQ(passwordBlock, std::string("\x01\x02\x03\x04\x05\x06", 6));
    else
        EXPECT_EQ(passwordBlock, erased.substr(kPasswordBlock, 6)) << "the password block is left alone";

    EXPECT_EQ(readFile(folder / "myini.ini"), config) << "the programmer never writes myini.ini";
}

INSTANTIATE_TEST_SUITE_P(
    Cables, CliRoundTrip,
    ::testing::Values(
        CableMode{"dual_head_by_default_port_COM2_from_myini", false, "[open]\ncom=1\n", {}, true, nullptr},
        CableMode{"single_head_flag_with_password", true, nullptr, {"--single-head"}, false, "123456"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- which cable mode is used ----

struct ModeChoice {
    const char* name;
    const char* myini;  // nullptr: none
    std::vector<std::string> flags;
    bool echo;
    bool talks;  // the handshake succeeds, so channel 1 reaches the radio
};

class CliCableModeChoice : public ::testing::TestWithParam<ModeChoice> {};

TEST_P(CliCableModeChoice, DecidesWhetherTheRadioIsReached)
{
    const ModeChoice& c = GetParam();
    ProgramFolder folder;
    TempDir scratch;
    if (c.myini)
        folder.put("myini.ini", c.myini);
    const fs::path file = scratch / "small.kt6";
    saveDocument(smallDocument(), file);
    const fs::path image = scratch / "radio.bin";
    const std::string erased = erasedRadio(scratch);
    writeFile(image, erased);

    // The write stops at channel 2, so a good handshake shows as channel 1 written and nothing more.
    std::vector<std::string> simArgs{"--image", image.string(), "--fault", "refuse:write@0020,times=all"};
    if (c.echo)
        simArgs.push_back("--echo");
    Simulator sim(simArgs);
    std::vector<std::string> args{"write", "--port", sim.device()};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    args.push_back(file.string());
    const Finished run = folder.ctl(args);
    sim.stop();

    EXPECT_EQ(run.status, 1) << run.err;
    const std::string after = readFile(image);
    ASSERT_EQ(after.size(), kImageSize);
    EXPECT_EQ(after.substr(kFirstChannelRecord, 16) != erased.substr(kFirstChannelRecord, 16), c.talks);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, CliCableModeChoice,
    ::testing::Values(ModeChoice{"commode_12_means_single_head", "[open]\ncommode=12\n", {}, true, true},
                      ModeChoice{"dual_head_flag_overrides_commode_12", "[open]\ncommode=12\n", {"--dual-head"}, false, true},
                      ModeChoice{"single_head_flag_overrides_commode_13", "[open]\ncommode=13\n", {"--single-head"}, true, true},
                      ModeChoice{"without_myini_an_echoing_cable_fails", nullptr, {}, true, false},
                      ModeChoice{"single_head_on_a_dual_head_cable_fails", nullptr, {"--single-head"}, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- failures and their exit statuses ----

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
};

class CliUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CliUsage, ExitsWithStatus2AndTheUsage)
{
    ProgramFolder folder;
    TempDir scratch;
    std::vector<std::string> args = GetParam().args;
    for (std::string& a : args)
        if (a == "FILE")
            a = (scratch / "out.kt6").string();
    const Finished run = folder.ctl(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage:"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(scratch / "out.kt6"));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliUsage,
    ::testing::Values(
        UsageCase{"no_command", {}},
        UsageCase{"unknown_command", {"erase", "FILE"}},
        UsageCase{"read_without_port", {"read", "FILE"}},
        UsageCase{"read_without_file", {"read", "--port", "/dev/null"}},
        UsageCase{"two_files", {"show", "FILE", "FILE"}},
        UsageCase{"port_without_value", {"read", "FILE", "--port"}},
        UsageCase{"password_of_five_digits", {"write", "--port", "/dev/null", "--password", "12345", "FILE"}},
        UsageCase{"password_of_seven_digits", {"write", "--port", "/dev/null", "--password", "1234567", "FILE"}},
        UsageCase{"password_with_a_letter", {"write", "--port", "/dev/null", "--password", "12a456", "FILE"}},
        UsageCase{"password_on_read", {"read", "--port", "/dev/null", "--password", "123456", "FILE"}},
        UsageCase{"port_on_show", {"show", "--port", "/dev/null", "FILE"}},
        UsageCase{"unknown_language", {"show", "--language", "klingon", "FILE"}},
        UsageCase{"both_cable_modes", {"read", "--port", "/dev/null", "--single-head", "--dual-head", "FILE"}},
        UsageCase{"unknown_option", {"read", "--port", "/dev/null", "--fast", "FILE"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PortCase {
    const char* name;
    const char* myini;
    const char* port;  // "@file": a regular file of the scratch folder
};

class CliPortError : public ::testing::TestWithParam<PortCase> {};

TEST_P(CliPortError, ExitsWithStatus3AndWritesNothing)
{
    const PortCase& c = GetParam();
    ProgramFolder folder;
    TempDir scratch;
    if (c.myini)
        folder.put("myini.ini", c.myini);
    std::string port = c.port;
    if (port == "@file") {
        port = (scratch / "not-a-tty").string();
        writeFile(port, "");
    }
    const Finished run = folder.ctl({"read", "--port", port, "--language", "english", (scratch / "out.kt6").string()});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("Unable to open the COM port. Check the port setting."), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(scratch / "out.kt6"));
}

INSTANTIATE_TEST_SUITE_P(
    Ports, CliPortError,
    ::testing::Values(PortCase{"missing_device_path", nullptr, "/dev/qx-no-such-port"},
                      PortCase{"COM3_mapped_to_a_missing_device", "[ports]\ncom3=/dev/qx-no-such-port\n", "COM3"},
                      PortCase{"a_regular_file_is_no_serial_port", nullptr, "@file"}),
    [](const auto& info) { return std::string(info.param.name); });

// A pseudo-terminal the test holds itself, to see whether anything at all was sent.
class QuietLine {
public:
    QuietLine()
    {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0)
            device_ = name;
    }
    ~QuietLine()
    {
        close(master_);
        close(slave_);
    }
    const std::string& device() const { return device_; }
    // Whether any byte is waiting; the writer has exited, so what it sent is already here.
    bool received() const
    {
        pollfd p{master_, POLLIN, 0};
        return poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string device_;
};

struct RefusedCase {
    const char* name;
    std::function<void(Codeplug&)> spoil;
    const char* message;  // english.lng's words
};

class CliRefusedWrite : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(CliRefusedWrite, ExitsWithStatus4AndSendsNothing)
{
    const RefusedCase& c = GetParam();
    ProgramFolder folder;
    TempDir scratch;
    Codeplug doc = smallDocument();
    c.spoil(doc);
    const fs::path file = scratch / "bad.kt6";
    saveDocument(doc, file);
    QuietLine line;
    ASSERT_FALSE(line.device().empty());

    const Finished run = folder.ctl({"write", "--port", line.device(), "--language", "english", file.string()});
    EXPECT_EQ(run.status, 4);
    // Under the Write command's caption without its accelerator.
    EXPECT_NE(run.err.find(std::string("qx4100ctl: Write to Radio: ") + c.message + "\n"), std::string::npos)
        << run.err;
    EXPECT_FALSE(line.received()) << "not even the handshake";

    const Finished chinese = folder.ctl({"write", "--port", line.device(), file.string()});
    EXPECT_EQ(chinese.status, 4);
    EXPECT_EQ(chinese.err.rfind("qx4100ctl: 频率写入: ", 0), 0u) << chinese.err;
    EXPECT_FALSE(line.received());

    const Finished noPort =
        folder.ctl({"write", "--port", "/dev/qx-no-such-port", "--language", "english", file.string()});
    EXPECT_EQ(noPort.status, 4) << "the document is checked before the port: " << noPort.err;
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CliRefusedWrite,
    ::testing::Values(
        RefusedCase{"alias_of_seven_characters_names_channel_and_column",
                    [](Codeplug& d) { d.channels().setCell(col::Alias, 5, "TOOLONG"); },
                    "Channel 005: Alias cannot be written to the radio."},
        RefusedCase{"BOT_with_a_character_DTMF_lacks_names_the_setting",
                    [](Codeplug& d) { d.settings().assignText(keys::BOT, "12X45"); },
                    "BOT cannot be written to the radio."},
        RefusedCase{"own_ID_with_a_character_DTMF_lacks_names_its_page_label",
                    [](Codeplug& d) { d.settings().assignText(keys::Private, "10X0"); },
                    "Own ID cannot be written to the radio."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CliChannelFile, NotAChannelFileExitsWithStatus4InTheChosenLanguage)
{
    struct Row {
        const char* name;
        const char* unwise;  // nullptr: no installer log
        std::vector<std::string> flags;
        const char* message;  // the language file's words
    };
    const Row rows[] = {
        {"no installer log: Simplified Chinese", nullptr, {}, "该文件不是信道文件。"},
        {"installer log names English", "[Language]\nmsg1=Installation Logs\n", {}, "This file is not a channel file."},
        {"the flag beats the installer log", "[Language]\nmsg1=Installation Logs\n", {"--language", "taiwan"},
         "此檔案不是頻道檔案。"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ProgramFolder folder;
        TempDir scratch;
        if (row.unwise)
            folder.put("UNWISE.INI", row.unwise);
        const fs::path file = scratch / "notes.kt6";
        writeFile(file, "QX-4100 MEMORY CHANNELS\r\n");
        for (std::string command : {"show", "write"}) {
            std::vector<std::string> args{command};
            if (command == "write")  // the file is checked before the port is touched
                args.insert(args.end(), {"--port", "/dev/qx-no-such-port"});
            args.insert(args.end(), row.flags.begin(), row.flags.end());
            args.push_back(file.string());
            const Finished run = folder.ctl(args);
            EXPECT_EQ(run.status, 4) << command;
            EXPECT_NE(run.err.find(row.message), std::string::npos)
                << command << ": " << run.err;
        }
    }
}

TEST(CliChannelFile, ShowListsSettingsAndOnlyTheFilledChannelsInTheChosenWords)
{
    ProgramFolder folder;
    TempDir scratch;
    Codeplug doc = smallDocument();
    doc.settings().assignText(keys::call(3), "5551234");
    const fs::path file = scratch / "small.kt6";
    saveDocument(doc, file);

    const Finished run = folder.ctl({"show", "--language", "english", file.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = run.out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(run.out.substr(at, end - at));
    const auto lineStarting = [&](const std::string& start) -> std::string {
        for (const std::string& l : lines)
            if (l.rfind(start, 0) == 0)
                return l;
        return {};
    };
    EXPECT_NE(lineStarting("  Call3 ").find("5551234"), std::string::npos) << run.out;
    const std::string one = lineStarting("  001 ");
    const std::string five = lineStarting("  005 ");
    for (const std::string& expected : {std::string("446.00625"), std::string("PMR1"), std::string("OFF")})
        EXPECT_NE(one.find(expected), std::string::npos) << expected << " in: " << one;
    EXPECT_NE(five.find("RPT-1"), std::string::npos) << five;
    EXPECT_EQ(one.find("禁用"), std::string::npos) << "cells re-worded into English";
    EXPECT_EQ(lineStarting("  002 "), "") << "empty channels are not listed";
    EXPECT_NE(lineStarting("  CH ").find("RX Freq"), std::string::npos)
        << "the header row in English";
}

TEST(CliTransfer, CommunicationFailuresExitWithStatus1)
{
    struct Row {
        const char* name;
        const char* command;
        std::vector<std::string> simArgs;
    };
    const Row rows[] = {
        {"write into a radio without band data", "write", {"--no-band"}},
        {"radio never identifies itself", "read", {"--fault", "none:ident,times=all"}},
        {"radio refuses a channel record", "write", {"--fault", "refuse:write@0030,times=all"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ProgramFolder folder;
        TempDir scratch;
        const fs::path file = scratch / "small.kt6";
        saveDocument(smallDocument(), file);
        Simulator sim(row.simArgs);
        const Finished run = folder.ctl({row.command, "--port", sim.device(), "--language", "english", file.string()});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("Communication with the radio failed. Check the cable and that the radio is on."),
                  std::string::npos)
            << run.err;
    }
}

TEST(CliTransfer, FailedReadLeavesNoFileAndAnExistingFileAsItWas)
{
    for (bool existing : {false, true}) {
        SCOPED_TRACE(existing ? "existing file" : "no file");
        ProgramFolder folder;
        TempDir scratch;
        const fs::path file = scratch / "out.kt6";
        if (existing)
            writeFile(file, "kept as it was\r\n");
        Simulator sim({"--fault", "none:read@0050,times=all"});
        const Finished run = folder.ctl({"read", "--port", sim.device(), file.string()});
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_EQ(fs::exists(file), existing);
        if (existing) {
            EXPECT_EQ(readFile(file), "kept as it was\r\n");
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), existing ? 1 : 0)
            << "no temporary file stays";
    }
}

TEST(CliTransfer, ReadWhoseSaveFailsExitsWithStatus4NamingThePathAndTheReason)
{
    ProgramFolder folder;
    TempDir scratch;
    const fs::path file = scratch / "no-such-folder" / "out.kt6";
    Simulator sim({});
    const Finished run = folder.ctl({"read", "--port", sim.device(), file.string()});
    EXPECT_EQ(run.status, 4) << run.err;
    EXPECT_NE(run.err.find("qx4100ctl: 信道文件: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(file.string()), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(file));
}

TEST(CliTransfer, ProgressBarIsDrawnOnATerminalOnly)
{
    ProgramFolder folder;
    TempDir scratch;
    Simulator sim({});
    const fs::path onTerminal = scratch / "terminal.kt6";
    const Finished shown = folder.ctlOnTerminal({"read", "--port", sim.device(), onTerminal.string()});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.err.find("\r["), std::string::npos) << shown.err;
    EXPECT_NE(shown.err.find("[########################################] 100%"), std::string::npos) << shown.err;
    EXPECT_NE(shown.err.find("] 100%\r\n"), std::string::npos) << "the bar's line is ended: " << shown.err;

    const fs::path inFile = scratch / "file.kt6";
    const Finished quiet = folder.ctl({"read", "--port", sim.device(), inFile.string()});
    ASSERT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(readFile(inFile), readFile(onTerminal));
}

TEST(CliUsageText, HelpPrintsTheUsageAndSucceeds)
{
    for (const char* flag : {"--help", "-h", "help"}) {
        SCOPED_TRACE(flag);
        ProgramFolder folder;
        const Finished run = folder.ctl({flag});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind("usage:\n", 0), 0u) << run.out;
        EXPECT_NE(run.out.find("  qx4100ctl read  --port PORT"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("Exit status: 0 success, 1 communication failure, 2 usage error"), std::string::npos)
            << run.out;
        EXPECT_EQ(run.err, "");
    }
}

}  // namespace
}  // namespace qx
