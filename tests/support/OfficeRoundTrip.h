#pragma once
// LibreOffice round trips of RTF results: converts RTF files to PDF with a
// private profile, so the tests never touch the user's office settings.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Process.h"
#include "support/TempDir.h"

namespace officetest {

inline bool OfficeAvailable() { return platform::ProgramOnPath("soffice"); }

// Renders every file into outDir (one office start for all); the status of soffice.
inline int RenderToPdf(const std::vector<std::string>& files, const std::string& outDir, const std::string& profileDir) {
    std::vector<std::string> argv = {"soffice", "-env:UserInstallation=file://" + profileDir, "--headless",
                                     "--convert-to", "pdf", "--outdir", outDir};
    argv.insert(argv.end(), files.begin(), files.end());
    return platform::RunProcess(argv).status;
}

// The source's password when the corpus needs one.
inline std::string CorpusPassword(const std::string& file) {
    return file.find("password") != std::string::npos ? "openpassword" : std::string();
}

// LibreOffice lays out floating shapes in a time that grows faster than their
// number: the book's thousands of drawn paths take it far longer than a test
// may run. Round trips leave such results to the checks that read the RTF.
constexpr size_t kShapesLibreOfficeLaysOutQuickly = 2000;

inline bool TooManyShapesForLibreOffice(const std::string& rtfPath) {
    const std::string rtf = testpdf::ReadFile(rtfPath);
    size_t shapes = 0;
    for (size_t p = rtf.find("{\\shp"); p != std::string::npos; p = rtf.find("{\\shp", p + 1)) ++shapes;
    return shapes > kShapesLibreOfficeLaysOutQuickly;
}

inline std::vector<std::string> CorpusPdfs() {
    std::vector<std::string> files;
    std::string dir = testpdf::CorpusDir();
    if (dir.empty()) return files;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        if (e.path().extension() == ".pdf") files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace officetest
