#pragma once
// Runs a check as an ordinary user. Root may write any file and ignores some locks, so checks of
// what a user is refused must not run as root: under uid 0 the check runs in a child process that
// has dropped to `nobody`; without the rights to do that it is skipped.

#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

namespace qx::test {

// Whether the check passed; nullopt when it could not run as an ordinary user (the caller skips).
// The check returns an empty string when it passed, else what went wrong (shown by the caller).
inline std::optional<std::string> runAsOrdinaryUser(const std::function<std::string()>& check)
{
    if (::geteuid() != 0)
        return check();
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr)
        return std::nullopt;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0)
        return std::nullopt;
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
            ::_exit(77);
        const std::string failure = check();
        if (!failure.empty() && ::write(pipeFds[1], failure.data(), failure.size()) < 0)
            ::_exit(2);
        ::_exit(failure.empty() ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string failure;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        failure.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 77)
        return std::nullopt;
    if (WEXITSTATUS(status) != 0 && failure.empty())
        failure = "the check failed in the child process";
    return failure;
}

}  // namespace qx::test
