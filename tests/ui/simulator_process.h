#pragma once
// The radio simulator as a child process on a pseudo-terminal; its first line of output names the
// device.

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qx::test {

class SimulatorProcess {
public:
    explicit SimulatorProcess(std::vector<std::string> args)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::string program = QX_BIN_DIR "/qx4100-sim";
            std::vector<char*> argv{program.data()};
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        char c;
        while (read(out[0], &c, 1) == 1 && c != '\n')
            device_ += c;
        close(out[0]);
    }
    ~SimulatorProcess()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    const std::string& device() const { return device_; }

private:
    pid_t pid_ = -1;
    std::string device_;
};

}  // namespace qx::test
