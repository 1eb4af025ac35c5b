#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace testpdf {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "vellumor-test-XXXXXX").string();
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data())) path_ = buf.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream f(path, std::ios::binary);
    f << content;
}

std::string CorpusDir() {
    std::string dir = std::string(VELLUMOR_SHARED_DIR) + "/corpus";
    return std::filesystem::is_directory(dir) ? dir : std::string();
}

std::string ConvertProgram() { return std::string(VELLUMOR_BIN_DIR) + "/vellumor-convert"; }

}  // namespace testpdf
