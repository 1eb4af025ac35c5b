// Starting a program in a group of its own, reading its output without waiting,
// and the limits it runs under.
#include "platform/ProcessSpawn.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern char** environ;

namespace platform {
namespace {

// How often a running program's job is asked whether it was cancelled.
constexpr int kStopCheckMs = 100;

}  // namespace

int SpawnInOwnGroup(const std::vector<std::string>& argv, const posix_spawn_file_actions_t& actions, pid_t& pid) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // A group of its own, so that a time limit ends whatever the program started too:
    // LibreOffice's launcher leaves its real process running, a script its commands.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    int rc = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    return rc;
}

int StatusOf(int waitStatus) {
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return -1;
}

void SetNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

bool ReadAvailable(int fd, std::string& sink) {
    char buf[8192];
    while (true) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n > 0) {
            sink.append(buf, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

RunLimit::RunLimit(int timeLimitSeconds, const std::atomic<int32_t>* stop)
    : seconds_(timeLimitSeconds), stop_(stop), deadline_(Clock::now() + std::chrono::seconds(timeLimitSeconds)) {}

bool RunLimit::Reached() {
    if (seconds_ > 0 && Clock::now() >= deadline_) timedOut = true;
    else if (stop_ && stop_->load() != 0) stopped = true;
    return timedOut || stopped;
}

int RunLimit::PollMilliseconds() const {
    int wait = -1;
    if (seconds_ > 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now()).count();
        wait = static_cast<int>(std::max<long long>(left, 0));
    }
    if (stop_) wait = wait < 0 ? kStopCheckMs : std::min(wait, kStopCheckMs);
    return wait;
}

}  // namespace platform
