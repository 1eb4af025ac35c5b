#include "cli/CliOptions.h"

#include <cctype>
#include <cstdlib>
#include <map>

#include "convert/ChildReport.h"
#include "convert/ImageDevices.h"
#include "platform/TextRecognition.h"

const char* UsageText() {
    return "usage: vellumor-convert [options] FILE.pdf...\n"
           "Converts PDF documents into editable RTF (or DOC, DOCX, ODT) documents, or extracts their images.\n"
           "\n"
           "  -o, --output-dir DIR   result folder (default: the current folder)\n"
           "  -m, --layout MODE      flowing | formatted | text | asis   (default flowing)\n"
           "      --keep-lines       keep every source line a paragraph of its own (flowing layout)\n"
           "  -f, --format FMT       rtf | doc | docx | odt              (default rtf)\n"
           "  -p, --pages LIST       e.g. 1,3,7,10-15                    (default: all pages)\n"
           "      --password PW      user password of encrypted sources\n"
           "      --remove-images    leave the pictures and figures out (rules and boxes stay)\n"
           "      --ocr MODE         recognise the text of scanned pages: auto (pages without text), always,\n"
           "                         never (default auto)\n"
           "      --ocr-lang LANGS   Tesseract languages, e.g. eng+deu (default: the installed languages of\n"
           "                         your locale, else English)\n"
           "      --extract-images FMT   image job instead: same|bmp|jpg|png|tiff|pcx|pbm|pnm|ppm\n"
           "      --keep-xml         copy the intermediate XML to DIR/NAME.xml right after the text pass\n"
           "  -j, --jobs N           convert up to N files at once (default: one per processor)\n"
           "  -v, --verbose          print every status line of the job on its own line to standard error\n"
           "  -q, --quiet            print nothing but errors and warnings\n"
           "  -h, --help             show this help\n"
           "\n"
           "Exit status: 0 when every result was written, 1 when any file failed, 2 for usage errors and\n"
           "missing recognition languages, 130 when interrupted (Ctrl-C or SIGTERM: every file stops at\n"
           "its next page).\n"
           "\n"
           "Time limits (whole seconds): VELLUMOR_GS_TIME_LIMIT per picture (default 120),\n"
           "VELLUMOR_GS_FILE_TIME_LIMIT for all pictures of a file (600), VELLUMOR_OFFICE_TIME_LIMIT\n"
           "for the word processor per document (300).\n";
}

bool ValidPageList(const std::string& text) {
    bool digit = false;
    for (unsigned char c : text) {
        if (std::isdigit(c)) digit = true;
        else if (c != ',' && c != '-' && c != ' ' && c != '\t') return false;
    }
    return digit;
}

bool ParseCommandLine(const std::vector<std::string>& args, CliOptions& o, std::string& error) {
    static const std::map<std::string, int32_t> modes = {
        {"flowing", ModeFlowingText}, {"asis", ModeAsIs}, {"formatted", ModeFormattedText}, {"text", ModeTextOnly}};
    static const std::map<std::string, int32_t> ocrModes = {{"auto", OcrAuto}, {"always", OcrAlways}, {"never", OcrNever}};
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            o.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        bool inlineValue = false;
        if (arg.rfind("--", 0) == 0) {
            size_t eq = arg.find('=');
            if (eq != std::string::npos) {
                value = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
                inlineValue = true;
            }
        } else if (arg.size() > 2) {  // -oDIR
            value = arg.substr(2);
            arg = arg.substr(0, 2);
            inlineValue = true;
        }
        auto takeValue = [&](std::string& out) {
            if (inlineValue) {
                out = value;
                return true;
            }
            if (i + 1 >= args.size()) {
                error = "option " + arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        auto takeChoice = [&](const std::map<std::string, int32_t>& choices, const char* what, const char* names,
                              int32_t& out) {
            std::string name;
            if (!takeValue(name)) return false;
            auto it = choices.find(name);
            if (it == choices.end()) {
                error = std::string("unknown ") + what + " '" + name + "': use " + names;
                return false;
            }
            out = it->second;
            return true;
        };
        auto noValue = [&]() {
            if (inlineValue) error = "option " + arg + " takes no value";
            return !inlineValue;
        };
        if (arg == "-h" || arg == "--help") {
            if (!noValue()) return false;
            o.help = true;
        } else if (arg == "-v" || arg == "--verbose") {
            if (!noValue()) return false;
            o.verbosity = Verbosity::Verbose;
        } else if (arg == "-q" || arg == "--quiet") {
            if (!noValue()) return false;
            o.verbosity = Verbosity::Quiet;
        } else if (arg == "--remove-images") {
            if (!noValue()) return false;
            o.removeImages = true;
        } else if (arg == "--keep-lines") {
            if (!noValue()) return false;
            o.keepLines = true;
        } else if (arg == "--keep-xml") {
            if (!noValue()) return false;
            o.keepXml = true;
        } else if (arg == "-o" || arg == "--output-dir") {
            if (!takeValue(o.outputDir)) return false;
            if (o.outputDir.empty()) {
                error = "the output folder is empty";
                return false;
            }
        } else if (arg == "-m" || arg == "--layout") {
            if (!takeChoice(modes, "layout", "flowing, formatted, text or asis", o.mode)) return false;
        } else if (arg == "--ocr") {
            if (!takeChoice(ocrModes, "text recognition mode", "auto, always or never", o.ocrMode)) return false;
        } else if (arg == "--ocr-lang") {
            if (!takeValue(o.ocrLanguages)) return false;
            if (!platform::ValidOcrLanguageList(o.ocrLanguages)) {
                error = "unknown language list '" + o.ocrLanguages + "': use Tesseract's names joined by +, such as eng+deu";
                return false;
            }
        } else if (arg == "-f" || arg == "--format") {
            std::string f;
            if (!takeValue(f)) return false;
            if (f != "rtf" && f != "doc" && f != "docx" && f != "odt") {
                error = "unknown format '" + f + "': use rtf, doc, docx or odt";
                return false;
            }
            o.format = f;
        } else if (arg == "-p" || arg == "--pages") {
            if (!takeValue(o.pages)) return false;
            if (!ValidPageList(o.pages)) {
                error = "unknown page list '" + o.pages + "': use page numbers and ranges such as 1,3,7,10-15";
                return false;
            }
        } else if (arg == "-j" || arg == "--jobs") {
            std::string n;
            if (!takeValue(n)) return false;
            char* end = nullptr;
            long jobs = std::strtol(n.c_str(), &end, 10);
            if (n.empty() || *end != '\0' || jobs < 1 || jobs > 256) {
                error = "-j needs a number of files from 1 to 256, not '" + n + "'";
                return false;
            }
            o.jobs = static_cast<int>(jobs);
        } else if (arg == kChildOption) {
            if (!noValue()) return false;
            o.child = true;
        } else if (arg == "--password") {
            if (!takeValue(o.password)) return false;
            o.havePassword = true;
        } else if (arg == "--extract-images") {
            std::string f;
            if (!takeValue(f)) return false;
            const ImageDevice* d = FindImageFormat(f);
            if (!d) {
                error = "unknown image format '" + f + "': use same, bmp, jpg, png, tiff, pcx, pbm, pnm or ppm";
                return false;
            }
            o.imageDevice = d->device;
        } else {
            error = "unknown option " + arg;
            return false;
        }
    }
    if (o.removeImages && !o.imageDevice.empty()) {
        error = "--remove-images cannot be used with --extract-images: the image job would make no images";
        return false;
    }
    if (!o.help && o.files.empty()) {
        error = "no PDF file given";
        return false;
    }
    return true;
}
