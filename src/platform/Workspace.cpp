#include "platform/Workspace.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <set>
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

// A folder named "<prefix><pid>-XXXXXX" whose process is gone was left by a run
// that was killed (or lost its power): nobody else will ever remove it.
void RemoveStale(const fs::path& parent, const std::string& prefix) {
    // Once per folder and run: an image job makes a scratch folder for every page,
    // and leftovers of a killed run do not appear while this one runs.
    static std::mutex lock;
    static std::set<std::string> looked;
    {
        std::lock_guard<std::mutex> hold(lock);
        if (!looked.insert(parent.string() + "\n" + prefix).second) return;
    }
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        const size_t dash = name.find('-', prefix.size());
        if (dash == std::string::npos || dash == prefix.size()) continue;
        const std::string pid = name.substr(prefix.size(), dash - prefix.size());
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        std::error_code gone;
        if (fs::exists("/proc/" + pid, gone) || !it->is_directory(gone) || it->is_symlink(gone)) continue;
        fs::remove_all(it->path(), gone);
    }
}

std::string OwnName(const std::string& prefix) { return prefix + std::to_string(getpid()) + "-XXXXXX"; }

}  // namespace

std::string CreateWorkspace() {
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec) base = "/tmp";
    RemoveStale(base, "vellumor-tmpd-");
    return MakeFolder((base / OwnName("vellumor-tmpd-")).string());
}

std::string CreateScratchFolder(const std::string& parent) {
    RemoveStale(parent, ".vellumor-tmpd-");
    return MakeFolder((fs::path(parent) / OwnName(".vellumor-tmpd-")).string());
}

void RemoveWorkspace(const std::string& path) {
    if (path.empty() || path.find("tmpd") == std::string::npos) return;
    std::error_code ec;
    fs::remove_all(path, ec);
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (!fs::is_regular_file(from, ec)) return false;
    // Written aside and renamed over the name: a link planted there is replaced,
    // never written through, and no reader sees half a file.
    fs::path target(to);
    std::string aside = MakeFolder((target.parent_path().empty() ? fs::path(".") : target.parent_path()) /
                                   OwnName(".vellumor-tmpd-"));
    if (aside.empty()) return false;
    const fs::path copy = fs::path(aside) / "copy";
    bool done = fs::copy_file(from, copy, ec) && !ec;
    if (done) fs::rename(copy, target, ec);
    done = done && !ec;
    RemoveWorkspace(aside);
    return done;
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
