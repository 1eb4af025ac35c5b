#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/TerminalObserver.h"

namespace {

std::string Captured(FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string s;
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    return s;
}

TEST(TerminalObserver, BarNeverShowsMoreThanAHundred) {
    FILE* f = std::tmpfile();
    TerminalObserver o(Verbosity::Normal, f, true);
    o.BeginFile("/some/where/book.pdf");
    o.FileStarted("/some/where/book.pdf", "out/book.rtf");
    o.Progress(125);
    std::string s = Captured(f);
    EXPECT_NE(s.find("100%  book.pdf"), std::string::npos) << s;
    EXPECT_EQ(s.find("125"), std::string::npos);
    std::fclose(f);
}

TEST(TerminalObserver, NoBarWhenNotATerminalAndLinesOnlyWhenVerbose) {
    FILE* f = std::tmpfile();
    TerminalObserver plain(Verbosity::Normal, f, false);
    plain.FileStarted("a.pdf", "a.rtf");
    plain.Progress(50);
    plain.Log("Conversion of <1> page started.");
    EXPECT_EQ(Captured(f), "");
    TerminalObserver verbose(Verbosity::Verbose, f, true);
    verbose.Progress(50);
    verbose.Log("Conversion of <1> page started.");
    EXPECT_EQ(Captured(f), "Conversion of <1> page started.\n");
    std::fclose(f);
}

// The files of a parallel batch report side by side: each line names its file.
TEST(TerminalObserver, StatusLinesOfAParallelBatchNameTheirFile) {
    FILE* f = std::tmpfile();
    TerminalObserver verbose(Verbosity::Verbose, f, true);
    verbose.FileLog("/in/one.pdf", "Conversion of <2> page started.");
    verbose.FileLog("/in/two.pdf", "Conversion of <1> page started.");
    EXPECT_EQ(Captured(f), "one.pdf: Conversion of <2> page started.\ntwo.pdf: Conversion of <1> page started.\n");
    std::fclose(f);
}

}  // namespace
