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
    bool keepLines = false;
    int32_t ocrMode = OcrAuto;
    std::string ocrLanguages;  // empty: the installed languages of the user's locale, else English
    std::string imageDevice;  // set: an image job instead of a conversion
    bool keepXml = false;
    Verbosity verbosity = Verbosity::Normal;
    bool help = false;
    int jobs = 0;        // files converted at once; 0: one per processor
    bool child = false;  // a child run of a parallel batch: reports in lines, converts one file
    std::vector<std::string> files;
};

// False with a message for a usage error.
bool ParseCommandLine(const std::vector<std::string>& args, CliOptions& options, std::string& error);

// True when text is a page list the parser understands: numbers, ranges, commas, blanks.
bool ValidPageList(const std::string& text);

const char* UsageText();
