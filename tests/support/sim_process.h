#pragma once
// qx4100-sim as a child process on a pseudo-terminal, for the tests and the benchmark that talk to it
// through a real device. The first line of its output names the device.

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

    // Starts program with args and waits for its device line; device() is empty when the program
    // could not be started.
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
        if (pid_ > 0) {
            char c;
            while (read(out[0], &c, 1) == 1 && c != '\n')
                device_ += c;
        }
        close(out[0]);
    }
    ~SimProcess() { stop(SIGTERM); }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& device() const { return device_; }

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
    pid_t pid_ = -1;
    std::string device_;
};

}  // namespace qx::test
