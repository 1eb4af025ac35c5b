#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "platform/Process.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

using testpdf::ProcessRunning;
using testpdf::TempDir;

// A script that hangs in a command it started: the limit must end the command too,
// or a stuck word processor would live on after every file that timed out.
TEST(RunProcess, TimeLimitEndsTheProgramAndWhatItStarted) {
    TempDir dir;
    const std::string pidFile = dir / "child.pid";
    const std::string script = "sleep 300 & echo $! > '" + pidFile + "'; wait";
    auto start = std::chrono::steady_clock::now();
    platform::ProcessResult r = platform::RunProcess({"sh", "-c", script}, {}, 1);
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(r.timedOut);
    EXPECT_EQ(r.status, 128 + 9);
    EXPECT_LT(seconds, 30);
    std::ifstream in(pidFile);
    std::string pid;
    ASSERT_TRUE(std::getline(in, pid));
    for (int i = 0; i < 100 && ProcessRunning(pid); ++i) usleep(20000);
    EXPECT_FALSE(ProcessRunning(pid)) << "the command the script started is still running";
}

TEST(RunProcess, TimeLimitsFromTheEnvironmentAreWholePositiveSeconds) {
    setenv("VELLUMOR_TEST_LIMIT", "7", 1);
    EXPECT_EQ(platform::TimeLimitSeconds("VELLUMOR_TEST_LIMIT", 120), 7);
    for (const char* bad : {"", "0", "-3", "5s", "99999999999"}) {
        setenv("VELLUMOR_TEST_LIMIT", bad, 1);
        EXPECT_EQ(platform::TimeLimitSeconds("VELLUMOR_TEST_LIMIT", 120), 120) << bad;
    }
    unsetenv("VELLUMOR_TEST_LIMIT");
    EXPECT_EQ(platform::TimeLimitSeconds("VELLUMOR_TEST_LIMIT", 120), 120);
}

// A cancelled job must not wait for a word processor that takes minutes.
TEST(RunProcess, RaisedStopFlagEndsTheProgramAtOnce) {
    std::atomic<int32_t> stop{0};
    std::thread canceller([&] {
        usleep(300000);
        stop = 1;
    });
    auto start = std::chrono::steady_clock::now();
    platform::ProcessResult r = platform::RunProcess({"sh", "-c", "sleep 300 & wait"}, {}, 600, &stop);
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    canceller.join();
    EXPECT_TRUE(r.stopped);
    EXPECT_FALSE(r.timedOut);
    EXPECT_LT(seconds, 30);
}
