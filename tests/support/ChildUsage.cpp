#include "support/ChildUsage.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/ProcessSpawn.h"

namespace testpdf {
namespace {

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

double Megabytes(long kilobytes) { return static_cast<double>(kilobytes) / 1024.0; }  // Linux counts in kilobytes

// Moves `size` bytes through read or write, across short transfers and interruptions.
template <typename Byte, typename Transfer>
bool MoveAll(int fd, Byte* at, size_t size, Transfer transfer) {
    while (size > 0) {
        const ssize_t n = transfer(fd, at, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool WriteAll(int fd, const void* data, size_t size) {
    return MoveAll(fd, static_cast<const char*>(data), size, write);
}

bool ReadAll(int fd, void* data, size_t size) { return MoveAll(fd, static_cast<char*>(data), size, read); }

// A request is the argument count, then each argument's length and bytes.
bool ReadRequest(int fd, std::vector<std::string>& argv) {
    uint32_t count = 0;
    if (!ReadAll(fd, &count, sizeof count)) return false;
    argv.assign(count, {});
    for (auto& arg : argv) {
        uint32_t size = 0;
        if (!ReadAll(fd, &size, sizeof size)) return false;
        arg.resize(size);
        if (!ReadAll(fd, arg.data(), size)) return false;
    }
    return true;
}

bool WriteRequest(int fd, const std::vector<std::string>& argv) {
    const auto count = static_cast<uint32_t>(argv.size());
    if (!WriteAll(fd, &count, sizeof count)) return false;
    for (const auto& arg : argv) {
        const auto size = static_cast<uint32_t>(arg.size());
        if (!WriteAll(fd, &size, sizeof size) || !WriteAll(fd, arg.data(), size)) return false;
    }
    return true;
}

[[noreturn]] void ServeRequests(int requests, int replies) {
    std::vector<std::string> argv;
    while (ReadRequest(requests, argv)) {
        const ChildUsage usage = RunAndMeasure(argv);
        if (!WriteAll(replies, &usage, sizeof usage)) break;
    }
    _exit(0);
}

}  // namespace

ChildUsage RunAndMeasure(const std::vector<std::string>& argv) {
    ChildUsage usage;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int rc = platform::SpawnInOwnGroup(argv, actions, pid);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return usage;
    int status = 0;
    rusage used{};
    pid_t done;
    do done = wait4(pid, &status, 0, &used);
    while (done < 0 && errno == EINTR);
    if (done != pid) return usage;
    usage.status = platform::StatusOf(status);
    usage.cpuSeconds = Seconds(used.ru_utime) + Seconds(used.ru_stime);
    usage.peakMegabytes = Megabytes(used.ru_maxrss);
    return usage;
}

ChildLauncher::ChildLauncher() {
    int down[2], up[2];
    if (pipe2(down, O_CLOEXEC) != 0) return;
    if (pipe2(up, O_CLOEXEC) != 0) {
        close(down[0]);
        close(down[1]);
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        close(down[1]);
        close(up[0]);
        ServeRequests(down[0], up[1]);
    }
    close(down[0]);
    close(up[1]);
    if (pid_ < 0) {
        close(down[1]);
        close(up[0]);
        return;
    }
    requests_ = down[1];
    replies_ = up[0];
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    floorMegabytes_ = Megabytes(self.ru_maxrss);
}

ChildLauncher::~ChildLauncher() {
    if (requests_ >= 0) close(requests_);
    if (replies_ >= 0) close(replies_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
}

ChildUsage ChildLauncher::Run(const std::vector<std::string>& argv) {
    ChildUsage usage;
    if (requests_ < 0 || !WriteRequest(requests_, argv) || !ReadAll(replies_, &usage, sizeof usage))
        return ChildUsage{};
    return usage;
}

}  // namespace testpdf
