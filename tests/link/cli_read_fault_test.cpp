// qx4100ctl read against a faulty radio: a read that fails saves nothing, neither a new file nor
// over an existing one, and leaves no temporary file behind.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "files/channel_file.h"
#include "model/codeplug.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace qx {
namespace {

namespace fs = std::filesystem;


std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs the programmer with args, its output thrown away; the exit status, or -1.
int ctl(const fs::path& program, std::vector<std::string> args)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::string name = program.string();
        std::vector<char*> argv{name.data()};
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(name.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// A channel file as the editor saves it: one channel, with an alias.
std::string channelFile()
{
    Codeplug doc;
    doc.channels().setCell(col::Rx, 1, "438.50000");
    doc.fillDefaults(1);
    doc.channels().setCell(col::Alias, 1, "RPT-1");
    auto bytes = encodeChannelFile(doc);
    return bytes ? bytes.value() : std::string();
}

TEST(CliReadFaults, FailedReadSavesNothingAndKeepsAnExistingFile)
{
    // Faults that end a read quickly; the table of the link tests covers every step.
    const char* const faults[] = {
        "none:ident,times=all",       // identification
        "refuse:confirm",             // confirmation
        "refuse:read@0010,times=all", // first channel record
        "hangup:read@0010",           // the line goes dead
    };
    const std::string existing = channelFile();
    ASSERT_FALSE(existing.empty());
    for (const char* rule : faults) {
        for (bool fileThere : {false, true}) {
            SCOPED_TRACE(std::string(rule) + (fileThere ? ", over an existing file" : ", no file yet"));
            test::TempDir program;
            test::TempDir out;
            ASSERT_FALSE(program.path().empty());
            ASSERT_FALSE(out.path().empty());
            // The programmer in a folder of its own: no configuration beside it.
            fs::copy_file(QX_BIN_DIR "/qx4100ctl", program.path() / "qx4100ctl");
            const fs::path file = out.path() / "radio.kt6";
            if (fileThere)
                std::ofstream(file, std::ios::binary) << existing;

            test::SimProcess sim({"--no-pacing", "--fault", rule});
            ASSERT_FALSE(sim.device().empty());
            EXPECT_EQ(ctl(program.path() / "qx4100ctl", {"read", "--port", sim.device(), file.string()}), 1);

            EXPECT_EQ(fs::exists(file), fileThere);
            if (fileThere) {
                EXPECT_EQ(readFile(file), existing) << "byte for byte as it was";
            }
            EXPECT_EQ(std::distance(fs::directory_iterator(out.path()), fs::directory_iterator()), fileThere ? 1 : 0)
                << "no temporary file stays";
        }
    }
}

}  // namespace
}  // namespace qx
