#include "platform/Process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sstream>

#include "platform/ProcessSpawn.h"

namespace platform {

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& workingDir, int timeLimitSeconds,
                         const std::atomic<int32_t>* stop) {
    ProcessResult result;
    if (argv.empty()) return result;
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0) return result;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    if (!workingDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
    pid_t pid = 0;
    int rc = SpawnInOwnGroup(argv, actions, pid);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (rc != 0) {
        close(out[0]);
        close(err[0]);
        return result;
    }
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.output, &result.errors};
    int open = 2;
    char buf[65536];
    RunLimit limit(timeLimitSeconds, stop);
    // Kills the program's whole group once its time is up or its job is cancelled.
    auto ended = [&] {
        if (!limit.Reached()) return false;
        kill(-pid, SIGKILL);
        return true;
    };
    while (open > 0) {
        if (ended()) break;
        int ready = poll(fds, 2, limit.PollMilliseconds());
        if (ready < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (ready == 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (auto& f : fds)
        if (f.fd >= 0) close(f.fd);
    int status = 0;
    // A process may close its output and go on running: the limit holds for its end too.
    const bool watched = timeLimitSeconds > 0 || stop;
    while (watched && !limit.timedOut && !limit.stopped && waitpid(pid, &status, WNOHANG) == 0) {
        if (ended()) break;
        usleep(10000);
    }
    if (!watched || limit.timedOut || limit.stopped)
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    result.timedOut = limit.timedOut;
    result.stopped = limit.stopped;
    result.status = StatusOf(status);
    // exec failures inside posix_spawnp surface as exit code 127
    return result;
}

int TimeLimitSeconds(const char* variable, int fallback) {
    const char* text = std::getenv(variable);
    if (!text || !*text) return fallback;
    char* end = nullptr;
    long seconds = std::strtol(text, &end, 10);
    return (*end == '\0' && seconds > 0 && seconds <= 86400) ? static_cast<int>(seconds) : fallback;
}

std::string TimeLimitProblem(const char* variable) {
    const char* text = std::getenv(variable);
    if (!text) return {};
    if (TimeLimitSeconds(variable, 0) != 0) return {};
    return std::string(variable) + " must be a whole number of seconds from 1 to 86400, not '" + text + "'";
}

bool ProgramOnPath(const std::string& program) {
    if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::stringstream dirs(path);
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
        struct stat st {};
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

}  // namespace platform
