#pragma once
// The command line of vellumor-convert.
#include <string>
#include <vector>

#include "convert/CConvertPara.h"

enum class Verbosity { Quiet, Normal, Verbose };

struct CliOptions {
    std::string outputDir = ".";
    int32_t mode = ModeFlowingText;
    std::string format = "rtf";  // rtf, doc, docx or odt
    std::string pages;  // empty: all pages
    std::string password;
    bool havePassword = false;
    bool removeImages = false;
    std::string imageDevice;  // set: an image job instead of a conversion
    bool keepXml = false;
    Verbosity verbosity = Verbosity::Normal;
    bool help = false;
    std::vector<std::string> files;
};

// False with a message for a usage error.
bool ParseCommandLine(const std::vector<std::string>& args, CliOptions& options, std::string& error);

// True when text is a page list the parser understands: numbers, ranges, commas, blanks.
bool ValidPageList(const std::string& text);

const char* UsageText();
