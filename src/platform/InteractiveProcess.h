#pragma once
// A program kept running for many requests, talked to over its standard input
// and output (Ghostscript's interactive executive): one request line in, wait
// for the line that answers it. Started from an argument vector, never through
// a shell, in a process group of its own.
#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class InteractiveProcess {
public:
    enum class Answer { Line, Ended, TimedOut, Stopped };

    InteractiveProcess() = default;
    // Closes its input, gives it a moment to finish, then ends its group; always reaps it.
    ~InteractiveProcess();
    InteractiveProcess(const InteractiveProcess&) = delete;
    InteractiveProcess& operator=(const InteractiveProcess&) = delete;

    // Starts argv[0] (looked up on the PATH); false when it could not be started.
    bool Start(const std::vector<std::string>& argv);
    bool Running() const { return pid_ > 0; }
    // Writes to its input; false when it no longer reads. Never raises SIGPIPE.
    bool Send(const std::string& text);
    // Waits for the next output line starting with `prefix` (other lines are kept
    // in Output()). On a time limit (seconds, above 0) or a raised `stop` the whole
    // group is killed; when its output ends it has ended too: Status() tells how.
    Answer WaitForLine(const std::string& prefix, std::string& line, int timeLimitSeconds,
                       const std::atomic<int32_t>* stop);
    // Kills its group and reaps it (no-op when it is not running).
    void End();
    // The exit code, 128 + signal when killed; -1 while running or when never started.
    int Status() const { return status_; }
    // The last few KB of what it wrote besides answers, on standard output and error.
    const std::string& Output() const { return output_; }
    const std::string& Errors() const { return errors_; }

private:
    void Reap();

    pid_t pid_ = -1;
    int in_ = -1, out_ = -1, err_ = -1;
    int status_ = -1;
    std::string pending_;  // output after the last whole line
    std::string output_, errors_;
};

}  // namespace platform
