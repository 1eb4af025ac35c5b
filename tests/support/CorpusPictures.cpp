#include "support/CorpusPictures.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace testpdf {

int PdfimagesPictureCount(const std::string& path) {
    platform::ProcessResult r = RunProgram({"pdfimages", "-list", path});
    if (r.status != 0) return 0;
    std::istringstream lines(r.output);
    std::string line;
    int count = 0, row = 0;
    while (std::getline(lines, line)) {
        if (++row <= 2) continue;  // the heading and its rule
        std::istringstream fields(line);
        std::string page, num, type;
        if (fields >> page >> num >> type && type != "smask" && type != "mask") ++count;
    }
    return count;
}

std::vector<CorpusPictureFile> CorpusPictureFiles() {
    std::vector<CorpusPictureFile> files;
    std::string corpus = CorpusDir();
    if (corpus.empty()) return files;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (entry.path().extension() != ".pdf") continue;
        int pictures = PdfimagesPictureCount(entry.path().string());
        if (pictures > 0) files.push_back({entry.path().string(), pictures});
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    return files;
}

}  // namespace testpdf
