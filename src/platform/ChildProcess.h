#pragma once
// A program running beside this one whose standard output is read line by line
// as it comes (the processes of a parallel batch). Started from an argument
// vector, never through a shell; its standard error is this process's own.
#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace platform {

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();  // kills and reaps a child still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] (a path, or looked up on the PATH) with the environment
    // plus `extraEnv` ("NAME=value"); false when it could not be started.
    bool Start(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv = {});
    // The descriptor to wait on for output; -1 once the output has ended.
    int OutputFd() const { return out_; }
    // Reads what is there without waiting; appends whole lines (without their
    // newline). False once the output has ended (a last unfinished line is
    // appended then).
    bool ReadLines(std::vector<std::string>& lines);
    void Signal(int signal);
    // Waits for the end; the exit code, 128 + signal when killed, -1 when never started.
    int Wait();

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string pending_;
};

}  // namespace platform
