// The settings store as an INI file. A section per key path ("/" separates the
// parts; "\" is read as "/" so Windows-style paths keep working), values as
// name=value lines; lines before the first section belong to the top level.
// Key paths and value names compare without regard to case, as the registry's do.
#include "platform/Registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string_view>
#include <vector>

namespace platform {
namespace {

std::mutex& StoreMutex() {
    static std::mutex m;
    return m;
}

std::string& PathOverride() {
    static std::string path;
    return path;
}

std::string DefaultPath() {
    const char* explicitPath = getenv("VELLUMOR_REGISTRY");
    if (explicitPath && *explicitPath) return explicitPath;
    std::string base;
    const char* xdg = getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/') {
        base = xdg;
    } else {
        const char* home = getenv("HOME");
        if (!home || !*home) return {};
        base = std::string(home) + "/.config";
    }
    return base + "/vellumor/registry.ini";
}

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) --e;
    return std::string(s.substr(b, e - b));
}

std::string NormaliseKey(const std::string& keyPath) {
    std::string key;
    for (char c : keyPath) {
        if (c == '\\') c = '/';
        if (c == '/' && (key.empty() || key.back() == '/')) continue;
        key += c;
    }
    while (!key.empty() && key.back() == '/') key.pop_back();
    return key;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Section name of a "[...]" line; false for any other line.
bool SectionOf(const std::string& line, std::string& section) {
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    section = NormaliseKey(Trim(std::string_view(t).substr(1, t.size() - 2)));
    return true;
}

// Name and value of a "name=value" line (the value is kept exactly); false otherwise.
bool ValueOf(const std::string& line, std::string& name, std::string& value) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') return false;
    size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    name = Trim(std::string_view(line).substr(0, eq));
    value = line.substr(eq + 1);
    return !name.empty();
}

bool WriteAtomically(const std::string& path, const std::string& content) {
    std::error_code ec;
    std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    std::string tmpl = path + ".tmpXXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < content.size()) {
        ssize_t n = write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno != EINTR) ok = false;
            continue;
        }
        done += static_cast<size_t>(n);
    }
    // mkstemp creates the file private; keep the mode the store had, if any.
    struct stat old {};
    mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (ok) ok = fchmod(fd, mode) == 0;
    if (ok) ok = fsync(fd) == 0;
    if (close(fd) != 0) ok = false;
    if (ok) ok = rename(name.data(), path.c_str()) == 0;
    if (!ok) unlink(name.data());
    return ok;
}

}  // namespace

std::string RegistryPath() {
    std::lock_guard<std::mutex> lock(StoreMutex());
    return PathOverride().empty() ? DefaultPath() : PathOverride();
}

void SetRegistryPath(const std::string& path) {
    std::lock_guard<std::mutex> lock(StoreMutex());
    PathOverride() = path;
}

bool RegistryRead(const std::string& keyPath, const std::string& valueName, std::string& value) {
    std::string path = RegistryPath();
    if (path.empty()) return false;
    std::lock_guard<std::mutex> lock(StoreMutex());
    const std::string key = NormaliseKey(keyPath);
    std::string section, name, found;
    bool inKey = key.empty();
    for (const std::string& line : ReadLines(path)) {
        if (SectionOf(line, section)) {
            inKey = SameName(section, key);
        } else if (inKey && ValueOf(line, name, found) && SameName(name, Trim(valueName))) {
            value = found;
            return true;
        }
    }
    return false;
}

bool RegistryWrite(const std::string& keyPath, const std::string& valueName, const std::string& value) {
    const std::string key = NormaliseKey(keyPath);
    const std::string name = Trim(valueName);
    // A line break would split the entry and "=" or "[" at its start would change
    // its meaning on the next read: such names and values cannot be stored.
    if (name.empty() || name.find_first_of("=\n\r") != std::string::npos || name[0] == '[' || name[0] == ';' ||
        name[0] == '#')
        return false;
    if (value.find_first_of("\n\r") != std::string::npos) return false;
    if (key.find_first_of("[]\n\r") != std::string::npos) return false;

    std::string path = RegistryPath();
    if (path.empty()) return false;
    std::lock_guard<std::mutex> lock(StoreMutex());
    std::vector<std::string> lines = ReadLines(path);
    const std::string entry = name + "=" + value;

    // Find the key's section (or the top level) and the value inside it.
    std::string section, lineName, lineValue;
    bool inKey = key.empty();
    bool keySeen = key.empty();
    size_t insertAt = key.empty() ? 0 : lines.size();
    size_t lastValueLine = 0;
    bool haveLastValue = false;
    bool written = false;
    for (size_t i = 0; i < lines.size() && !written; ++i) {
        if (SectionOf(lines[i], section)) {
            if (inKey) break;
            inKey = SameName(section, key);
            if (inKey) {
                keySeen = true;
                insertAt = i + 1;
            }
        } else if (inKey && ValueOf(lines[i], lineName, lineValue)) {
            if (SameName(lineName, name)) {
                lines[i] = entry;
                written = true;
            }
            lastValueLine = i;
            haveLastValue = true;
        }
    }
    if (!written) {
        if (!keySeen) {
            if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back("");
            lines.push_back("[" + key + "]");
            lines.push_back(entry);
        } else {
            size_t at = haveLastValue ? lastValueLine + 1 : insertAt;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
        }
    }
    std::string content;
    for (const std::string& line : lines) content += line + "\n";
    return WriteAtomically(path, content);
}

}  // namespace platform
