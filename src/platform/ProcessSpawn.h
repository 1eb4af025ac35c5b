#pragma once
// What starting and watching a program has in common for the ways this system
// runs one: one call, one argument vector, one group per program, one rule for
// its limit and its job's cancel flag.
#include <spawn.h>
#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Starts argv[0] (looked up on the PATH) with `actions` in a process group of its
// own, so that ending it ends whatever it started too. The error of posix_spawnp.
int SpawnInOwnGroup(const std::vector<std::string>& argv, const posix_spawn_file_actions_t& actions, pid_t& pid);

// A wait status as the callers report it: the exit code, 128 + signal when killed.
int StatusOf(int waitStatus);

// Makes reads from fd return at once when nothing is there, so one loop can watch
// a program's output, its limit and its job's cancel flag together.
void SetNonBlocking(int fd);

// Appends what fd holds now to sink without waiting; false once the writer has
// closed it (or reading failed).
bool ReadAvailable(int fd, std::string& sink);

// The time limit and the cancel flag a running program is held to.
class RunLimit {
public:
    RunLimit(int timeLimitSeconds, const std::atomic<int32_t>* stop);
    // True (and which of the two) once the time is up or the job was cancelled.
    bool Reached();
    bool timedOut = false;
    bool stopped = false;
    // Milliseconds to wait for output before looking again; -1 for no end.
    int PollMilliseconds() const;

private:
    using Clock = std::chrono::steady_clock;
    int seconds_;
    const std::atomic<int32_t>* stop_;
    Clock::time_point deadline_;
};

}  // namespace platform
