#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <random>
#include <cstring>
#include <filesystem>

namespace qx {

namespace {

Error systemError(int err) { return makeError(std::strerror(err)); }

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the result: a failed close can mean lost data.
    int close()
    {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

// Follows symbolic links at path (not in its folders) to the name of the file they point at.
Result<std::string> resolveLinks(std::string path)
{
    namespace fs = std::filesystem;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st{};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::error_code ec;
        fs::path target = fs::read_symlink(path, ec);
        if (ec)
            return systemError(ec.value());
        if (target.is_relative())
            target = fs::path(path).parent_path() / target;
        path = target.string();
    }
    return systemError(ELOOP);
}

Status writeAll(int fd, std::string_view contents)
{
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    return success();
}

constexpr std::string_view kTempPrefix = ".qx-save-";
constexpr std::size_t kTempRandomChars = 8;
constexpr auto kStaleTempAge = std::chrono::minutes(10);

bool isOurTempName(std::string_view name)
{
    if (name.size() != kTempPrefix.size() + kTempRandomChars || name.substr(0, kTempPrefix.size()) != kTempPrefix)
        return false;
    for (char c : name.substr(kTempPrefix.size()))
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// Temporary files of a save that was killed stay behind; one older than ten minutes is no
// longer another copy's save in progress.
void removeStaleTemps(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!isOurTempName(it->path().filename().string()))
            continue;
        std::error_code statEc;
        if (!it->is_regular_file(statEc) || statEc)
            continue;
        const auto written = fs::last_write_time(it->path(), statEc);
        if (!statEc && now - written > kStaleTempAge)
            fs::remove(it->path(), statEc);
    }
}

std::string randomTempName()
{
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 rng{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string name(kTempPrefix);
    for (std::size_t i = 0; i < kTempRandomChars; ++i)
        name += kChars[pick(rng)];
    return name;
}

}  // namespace

Result<CappedRead> readFileCapped(const std::string& path, std::size_t maxBytes)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return systemError(errno);
    CappedRead out;
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno);
        }
        if (n == 0)
            break;
        if (out.bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            out.bytes.clear();
            out.tooLarge = true;
            break;
        }
        out.bytes.append(buffer.data(), static_cast<std::size_t>(n));
    }
    return out;
}

Result<std::string> readWholeFile(const std::string& path)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        return systemError(errno);
    std::string data;
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno);  // EISDIR for a folder
        }
        if (n == 0)
            break;
        data.append(buffer.data(), static_cast<std::size_t>(n));
    }
    return data;
}

bool pathExists(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

Status writeFileAtomically(const std::string& path, std::string_view contents)
{
    auto resolved = resolveLinks(path);
    if (!resolved)
        return resolved.error();
    const std::string target = resolved.value();

    struct stat targetStat{};
    const bool targetExists = ::stat(target.c_str(), &targetStat) == 0;
    if (targetExists && S_ISDIR(targetStat.st_mode))
        return systemError(EISDIR);
    // The rename would replace a file the user protected against writing.
    if (targetExists && ::access(target.c_str(), W_OK) != 0)
        return systemError(errno);

    std::filesystem::path folder = std::filesystem::path(target).parent_path();
    if (folder.empty())
        folder = ".";
    removeStaleTemps(folder);

    // A short name of our own beside the target, so a name near the length limit still saves;
    // O_EXCL makes sure no other file is reused.
    std::string temp;
    int rawFd = -1;
    for (int attempt = 0; attempt < 100 && rawFd < 0; ++attempt) {
        temp = (folder / randomTempName()).string();
        rawFd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (rawFd < 0 && errno != EEXIST)
            return systemError(errno);
    }
    if (rawFd < 0)
        return systemError(EEXIST);
    Fd fd(rawFd);

    auto fail = [&temp](int err) -> Status {
        ::unlink(temp.c_str());
        return systemError(err);
    };

    if (targetExists && ::fchmod(fd.get(), targetStat.st_mode & 07777) != 0)
        return fail(errno);
    if (Status written = writeAll(fd.get(), contents); !written) {
        ::unlink(temp.c_str());
        return written;
    }
    if (::fsync(fd.get()) != 0)
        return fail(errno);
    if (fd.close() != 0)
        return fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(errno);
    return success();
}

}  // namespace qx
