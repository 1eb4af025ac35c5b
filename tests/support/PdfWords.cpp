#include "support/PdfWords.h"

#include <sstream>

#include "support/RunProgram.h"

namespace testpdf {
namespace {

double Attribute(const std::string& line, const char* name) {
    const size_t at = line.find(std::string(name) + "=\"");
    return at == std::string::npos ? 0 : std::stod(line.substr(at + std::string(name).size() + 2));
}

}  // namespace

std::vector<WordBox> PdfWords(const std::string& pdf, int page) {
    std::vector<std::string> argv = {"pdftotext", "-bbox"};
    if (page > 0) argv.insert(argv.end(), {"-f", std::to_string(page), "-l", std::to_string(page)});
    argv.insert(argv.end(), {pdf, "-"});
    std::vector<WordBox> words;
    std::istringstream html(RunProgram(argv).output);
    for (std::string line; std::getline(html, line);) {
        const size_t text = line.find("\">");
        const size_t end = line.find("</word>");
        if (line.find("<word ") == std::string::npos || text == std::string::npos || end == std::string::npos) continue;
        words.push_back({line.substr(text + 2, end - text - 2), Attribute(line, "xMin"), Attribute(line, "yMin"),
                         Attribute(line, "xMax"), Attribute(line, "yMax")});
    }
    return words;
}

}  // namespace testpdf
