#include "platform/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/ProcessSpawn.h"

extern char** environ;

namespace platform {

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        Wait();
    }
    if (out_ >= 0) close(out_);
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv) {
    if (argv.empty() || pid_ > 0) return false;
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);

    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> env;
    for (char** e = environ; *e; ++e) env.push_back(*e);
    for (const auto& e : extraEnv) env.push_back(const_cast<char*>(e.c_str()));
    env.push_back(nullptr);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        return false;
    }
    pid_ = pid;
    out_ = out[0];
    SetNonBlocking(out_);
    return true;
}

bool ChildProcess::ReadLines(std::vector<std::string>& lines) {
    if (out_ < 0) return false;
    const bool stillOpen = ReadAvailable(out_, pending_);
    size_t start = 0;
    for (size_t nl; (nl = pending_.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(pending_.substr(start, nl - start));
    pending_.erase(0, start);
    if (stillOpen) return true;
    if (!pending_.empty()) lines.push_back(pending_);
    pending_.clear();
    close(out_);
    out_ = -1;
    return false;
}

void ChildProcess::Signal(int signal) {
    if (pid_ > 0) kill(pid_, signal);
}

int ChildProcess::Wait() {
    if (pid_ <= 0) return -1;
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return StatusOf(status);
}

}  // namespace platform
