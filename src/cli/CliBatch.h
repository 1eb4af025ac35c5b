#pragma once
// Runs the files of a command line one after another through the driver.
#include <cstdio>

#include "cli/CliOptions.h"
#include "cli/TerminalObserver.h"
#include "convert/MyConvertPara.h"

// Exit status: 0 when every result exists, 1 when any file failed, 2 when the text recognition
// lacks a language, 130 when cancelled.
int RunBatch(const CliOptions& options, MyConvertPara& para, TerminalObserver& observer, FILE* out, FILE* err);
// A child run of a parallel batch: the same conversion, reported in lines on `out` for the parent.
int RunBatchChild(const CliOptions& options, MyConvertPara& para, FILE* out);
