// A long-running helper program answering requests line by line.
#include "platform/InteractiveProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/ProcessSpawn.h"

namespace platform {
namespace {

// Enough of a program's chatter to name its error, never its whole output.
constexpr size_t kKeptBytes = 4096;
// How long a program whose input was closed may take to finish by itself.
constexpr int kFinishMs = 1000;

void KeepTail(std::string& text) {
    if (text.size() > 2 * kKeptBytes) text.erase(0, text.size() - kKeptBytes);
}

void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// True once the process has ended; it stays a zombie (so its group id stays its own) until reaped.
bool HasEnded(pid_t pid) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
}

}  // namespace

InteractiveProcess::~InteractiveProcess() {
    if (pid_ <= 0) return;
    // Its input ending is the polite way to ask it to finish.
    CloseFd(in_);
    for (int waited = 0; waited < kFinishMs && !HasEnded(pid_); waited += 10) usleep(10000);
    Reap();
}

bool InteractiveProcess::Start(const std::vector<std::string>& argv) {
    if (argv.empty() || pid_ > 0) return false;
    // A socket for its input: send() can refuse to raise SIGPIPE, write() on a pipe cannot.
    int in[2], out[2], err[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, in) != 0) return false;
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]);
        close(in[1]);
        return false;
    }
    if (pipe2(err, O_CLOEXEC) != 0) {
        for (int fd : {in[0], in[1], out[0], out[1]}) close(fd);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[1], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    pid_t pid = 0;
    int rc = SpawnInOwnGroup(argv, actions, pid);
    posix_spawn_file_actions_destroy(&actions);
    for (int fd : {in[1], out[1], err[1]}) close(fd);
    if (rc != 0) {
        for (int fd : {in[0], out[0], err[0]}) close(fd);
        return false;
    }
    pid_ = pid;
    status_ = -1;
    in_ = in[0];
    out_ = out[0];
    err_ = err[0];
    for (int fd : {out_, err_}) SetNonBlocking(fd);
    pending_.clear();
    output_.clear();
    errors_.clear();
    return true;
}

bool InteractiveProcess::Send(const std::string& text) {
    if (in_ < 0) return false;
    output_.clear();
    errors_.clear();
    size_t sent = 0;
    while (sent < text.size()) {
        // A program that does not take a request line at once is not reading: the answer's wait judges it.
        ssize_t n = send(in_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

InteractiveProcess::Answer InteractiveProcess::WaitForLine(const std::string& prefix, std::string& line,
                                                           int timeLimitSeconds, const std::atomic<int32_t>* stop) {
    if (pid_ <= 0) return Answer::Ended;
    RunLimit limit(timeLimitSeconds, stop);
    auto limitReached = [&] {
        Reap();
        return limit.timedOut ? Answer::TimedOut : Answer::Stopped;
    };
    while (true) {
        size_t start = 0;
        for (size_t nl; (nl = pending_.find('\n', start)) != std::string::npos; start = nl + 1) {
            if (pending_.compare(start, prefix.size(), prefix) == 0) {
                line = pending_.substr(start, nl - start);
                pending_.erase(0, nl + 1);
                return Answer::Line;
            }
            output_.append(pending_, start, nl + 1 - start);
        }
        pending_.erase(0, start);
        KeepTail(output_);
        if (out_ < 0) break;
        if (limit.Reached()) return limitReached();
        pollfd fds[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
        int ready = poll(fds, err_ >= 0 ? 2 : 1, limit.PollMilliseconds());
        if (ready < 0 && errno != EINTR) break;
        if (ready <= 0) continue;
        if (err_ >= 0 && fds[1].revents) {
            bool errorsOpen = ReadAvailable(err_, errors_);
            KeepTail(errors_);
            if (!errorsOpen) CloseFd(err_);
        }
        if (fds[0].revents && !ReadAvailable(out_, pending_)) CloseFd(out_);
    }
    // Its output has ended: so has the program, or it will at its limit.
    output_ += pending_;
    pending_.clear();
    while (!HasEnded(pid_)) {
        if (limit.Reached()) return limitReached();
        usleep(10000);
    }
    Reap();
    return Answer::Ended;
}

void InteractiveProcess::End() {
    if (pid_ > 0) Reap();
}

void InteractiveProcess::Reap() {
    // The group is killed before the leader is reaped, while its id cannot belong to anyone else:
    // whatever the program started goes with it.
    kill(-pid_, SIGKILL);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    status_ = StatusOf(status);
    if (err_ >= 0) {
        ReadAvailable(err_, errors_);
        KeepTail(errors_);
    }
    CloseFd(in_);
    CloseFd(out_);
    CloseFd(err_);
}

}  // namespace platform
