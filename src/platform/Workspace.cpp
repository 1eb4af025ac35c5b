#include "platform/Workspace.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace platform {

namespace {

std::string MakeFolder(const std::string& tmpl) {
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) return {};
    return buf.data();
}

}  // namespace

std::string CreateWorkspace() {
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec) base = "/tmp";
    return MakeFolder((base / "vellumor-tmpd-XXXXXX").string());
}

std::string CreateScratchFolder(const std::string& parent) {
    return MakeFolder((fs::path(parent) / ".vellumor-tmpd-XXXXXX").string());
}

void RemoveWorkspace(const std::string& path) {
    if (path.empty() || path.find("tmpd") == std::string::npos) return;
    std::error_code ec;
    fs::remove_all(path, ec);
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) return false;
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec) && !ec;
}

std::string ExecutableDir() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

std::string DataFile(const std::string& name) {
    const std::string exe = ExecutableDir();
    const std::string candidates[] = {exe + "/" + name, exe + "/../share/vellumor/" + name,
                                      std::string(VELLUMOR_DATA_DIR) + "/" + name};
    std::error_code ec;
    for (const auto& c : candidates)
        if (fs::exists(c, ec)) return c;
    return {};
}

}  // namespace platform
