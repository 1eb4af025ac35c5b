#pragma once
// Running a program as a child and taking what it cost: CPU time and peak
// resident memory, as the kernel counts them when the child is reaped. For
// benchmarks that hold a whole conversion against the PDF core's own tools.
#include <sys/types.h>

#include <string>
#include <vector>

namespace testpdf {

struct ChildUsage {
    int status = -1;           // exit code; 128 + signal when killed; -1 when it could not be started
    double cpuSeconds = 0;     // user + system, with the programs it started and waited for
    double peakMegabytes = 0;  // the largest resident set of it and those programs
};

// Runs argv[0] (a path, or looked up on the PATH) with its output thrown away and
// waits for it; never through a shell.
ChildUsage RunAndMeasure(const std::vector<std::string>& argv);

// The kernel hands a new program the peak memory of the process that started it
// as its own starting peak, so a benchmark that has grown would see its own size
// in every child's figure. The launcher is a small process forked before that
// growth which starts the children instead; its own peak is the floor of theirs.
class ChildLauncher {
public:
    ChildLauncher();  // forks the launcher: call it while this process is small and has one thread
    ~ChildLauncher();
    ChildLauncher(const ChildLauncher&) = delete;
    ChildLauncher& operator=(const ChildLauncher&) = delete;

    // RunAndMeasure in the launcher; status -1 when the launcher is gone.
    ChildUsage Run(const std::vector<std::string>& argv);
    // The launcher's own peak, below which a child's peak cannot be told.
    double FloorMegabytes() const { return floorMegabytes_; }

private:
    pid_t pid_ = -1;
    int requests_ = -1, replies_ = -1;
    double floorMegabytes_ = 0;
};

}  // namespace testpdf
