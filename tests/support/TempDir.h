#pragma once
// A private folder for one test, removed with everything in it afterwards.
#include <filesystem>
#include <string>

namespace testpdf {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
// Folder of the shared real-world PDFs, or empty when it is absent.
std::string CorpusDir();
// The project's built command-line program.
std::string ConvertProgram();

}  // namespace testpdf
