#pragma once
// Starting outside programs (Ghostscript, the word processor, test tools). Always
// an argument vector and the PATH search of exec: no shell ever sees a file name.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct ProcessResult {
    int status = -1;        // exit code; 128 + signal when killed; -1 when it could not be started
    std::string output;     // standard output
    std::string errors;     // standard error
    bool timedOut = false;  // killed after the time limit
    bool stopped = false;   // killed because the stop flag was raised
    bool started() const { return status != -1; }
};

// Runs argv[0] (looked up on the PATH) and waits for it. Standard input is empty.
// With a time limit (in seconds, above 0) a process still running then is killed,
// and so is one still running when `stop` (a job's cancel flag) turns non-zero.
// Killing ends everything the program started too.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& workingDir = {},
                         int timeLimitSeconds = 0, const std::atomic<int32_t>* stop = nullptr);

// The time limit an administrator set in the environment variable (whole seconds,
// 1 to a day), else the fallback.
int TimeLimitSeconds(const char* variable, int fallback);
// Why the value of a time-limit variable cannot be used; empty when it is unset or valid.
std::string TimeLimitProblem(const char* variable);

// True when `program` is found on the PATH.
bool ProgramOnPath(const std::string& program);

}  // namespace platform
