#pragma once
// qx4100-sim as a child process on a pseudo-terminal, for the tests and the benchmark that talk to it
// through a real device. The first line of its output names the device.

#include <poll.h>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace qx::test {

class SimProcess {
public:
#ifdef QX_BIN_DIR
    // The simulator the build made beside the test programs.
    explicit SimProcess(std::vector<std::string> args) : SimProcess(QX_BIN_DIR "/qx4100-sim", std::move(args)) {}
#endif

    // Starts program with args and waits for its device line; device() is empty and failure() says
    // why when the program could not be started or named no device within a few seconds.
    SimProcess(std::string program, std::vector<std::string> args)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv{program.data()};
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        if (pid_ < 0)
            failure_ = "could not start " + program;
        else
            readDeviceLine(out[0], program);
        close(out[0]);
        if (device_.empty())
            stop(SIGKILL);
    }
    ~SimProcess() { stop(SIGTERM); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& device() const { return device_; }
    // Why device() is empty; for the test's failure message.
    const std::string& failure() const { return failure_; }

    // Sends signal and waits for the simulator to end (on SIGTERM it saves its --image first).
    // Returns its exit status, 128 + the signal when a signal ended it, or -1 when it was gone.
    int stop(int signal = SIGTERM)
    {
        if (pid_ <= 0)
            return -1;
        kill(pid_, signal);
        int status = 0;
        const pid_t waited = waitpid(pid_, &status, 0);
        pid_ = -1;
        if (waited <= 0)
            return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    // A simulator that names no device in this time is taken as failed rather than waited for.
    static constexpr int kDeviceLineMs = 5000;

    void readDeviceLine(int fd, const std::string& program)
    {
        std::string line;
        for (;;) {
            pollfd p{fd, POLLIN, 0};
            const int ready = poll(&p, 1, kDeviceLineMs);
            if (ready == 0) {
                failure_ = program + " named no device within 5 s";
                return;
            }
            char c;
            if (ready < 0 || read(fd, &c, 1) != 1) {
                failure_ = program + " ended before naming its device";
                return;
            }
            if (c == '\n')
                break;
            line += c;
        }
        device_ = line;
        if (device_.empty())
            failure_ = program + " printed an empty device line";
    }

    pid_t pid_ = -1;
    std::string device_;
    std::string failure_;
};

}  // namespace qx::test
