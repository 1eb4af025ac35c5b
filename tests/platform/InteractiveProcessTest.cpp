// A helper program kept running for many requests: answers, its limit, the
// job's cancel flag, and a program that is gone before it answers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "platform/InteractiveProcess.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

using platform::InteractiveProcess;
using testpdf::ProcessRunning;
using testpdf::TempDir;

namespace {

std::string FirstLine(const std::string& path) {
    std::string line;
    for (int i = 0; i < 200 && line.empty(); ++i) {
        std::ifstream in(path);
        if (!std::getline(in, line)) usleep(10000);
    }
    return line;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST(InteractiveProcess, AnswersEveryRequestAndKeepsWhatElseItSaid) {
    TempDir dir;
    const std::string pidFile = dir / "pid";
    std::string pid;
    {
        InteractiveProcess p;
        ASSERT_TRUE(p.Start({"sh", "-c", "echo $$ > '" + pidFile +
                                             "'; while read l; do echo \"chatter $l\"; echo \"ANSWER $l\"; done"}));
        pid = FirstLine(pidFile);
        for (const char* request : {"one", "two"}) {
            ASSERT_TRUE(p.Send(std::string(request) + "\n"));
            std::string line;
            EXPECT_EQ(p.WaitForLine("ANSWER", line, 5, nullptr), InteractiveProcess::Answer::Line);
            EXPECT_EQ(line, std::string("ANSWER ") + request);
            EXPECT_EQ(p.Output(), std::string("chatter ") + request + "\n") << "only what came since the request";
        }
        EXPECT_TRUE(p.Running());
    }
    ASSERT_FALSE(pid.empty());
    EXPECT_FALSE(ProcessRunning(pid)) << "ending the object ends and reaps the program";
}

// A program stuck in a command it started: the limit ends the command too.
TEST(InteractiveProcess, ProgramThatNeverAnswersIsKilledAtItsLimit) {
    TempDir dir;
    const std::string pidFile = dir / "child.pid";
    InteractiveProcess p;
    ASSERT_TRUE(p.Start({"sh", "-c", "sleep 300 & echo $! > '" + pidFile + "'; wait"}));
    p.Send("anything\n");
    auto start = std::chrono::steady_clock::now();
    std::string line;
    EXPECT_EQ(p.WaitForLine("ANSWER", line, 1, nullptr), InteractiveProcess::Answer::TimedOut);
    EXPECT_LT(SecondsSince(start), 10);
    EXPECT_FALSE(p.Running());
    EXPECT_EQ(p.Status(), 128 + 9);
    const std::string sleeper = FirstLine(pidFile);
    ASSERT_FALSE(sleeper.empty());
    for (int i = 0; i < 100 && ProcessRunning(sleeper); ++i) usleep(20000);
    EXPECT_FALSE(ProcessRunning(sleeper)) << "the command the program started is still running";
}

TEST(InteractiveProcess, RaisedStopFlagEndsTheProgramAtOnce) {
    InteractiveProcess p;
    ASSERT_TRUE(p.Start({"sh", "-c", "sleep 300 & wait"}));
    std::atomic<int32_t> stop{0};
    std::thread canceller([&] {
        usleep(300000);
        stop = 1;
    });
    auto start = std::chrono::steady_clock::now();
    std::string line;
    EXPECT_EQ(p.WaitForLine("ANSWER", line, 600, &stop), InteractiveProcess::Answer::Stopped);
    canceller.join();
    EXPECT_LT(SecondsSince(start), 30);
    EXPECT_FALSE(p.Running());
}

// Writing to a program that is gone must neither raise SIGPIPE (it would end this
// process) nor hide how the program ended.
TEST(InteractiveProcess, ProgramThatEndsAtOnceReportsItsStatusAndErrors) {
    InteractiveProcess p;
    ASSERT_TRUE(p.Start({"sh", "-c", "echo 'Error: it went wrong' >&2; exit 3"}));
    usleep(200000);
    for (int i = 0; i < 3; ++i) p.Send("request\n");
    std::string line;
    EXPECT_EQ(p.WaitForLine("ANSWER", line, 5, nullptr), InteractiveProcess::Answer::Ended);
    EXPECT_EQ(p.Status(), 3);
    EXPECT_NE(p.Errors().find("Error: it went wrong"), std::string::npos) << p.Errors();
    EXPECT_FALSE(p.Send("request\n"));

    InteractiveProcess missing;
    EXPECT_FALSE(missing.Start({"vellumor-no-such-program"}));
}
