// Name cleanup, the installed-face test, the site's mapping file and the RTF
// family classes. The family substitution itself lives with its table.
#include "rtf/FontNameMapping.h"

#include <cctype>
#include <fstream>
#include <mutex>

#include "platform/FontCatalog.h"
#include "platform/Registry.h"

namespace {

const char kMapFileName[] = "xml2rtffont.map";
const char kMapFolderValue[] = "DLL_FONT";

// The worker resolves fonts while the user interface may hand over a new key.
std::mutex& MapMutex() {
    static std::mutex m;
    return m;
}
std::string& MapKey() {
    static std::string key;
    return key;
}
std::string& MapFolder() {
    static std::string folder;
    return folder;
}

// The folder of the mapping file, read from the settings the first time it is
// needed and kept once found; an empty folder is looked up again next time, so
// a folder configured while the program runs is still seen.
std::string MappingFolder() {
    std::lock_guard<std::mutex> lock(MapMutex());
    if (MapFolder().empty()) {
        std::string folder;
        if (platform::RegistryRead(MapKey(), kMapFolderValue, folder)) MapFolder() = folder;
    }
    return MapFolder();
}

std::string TrimBlanks(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

}  // namespace

std::string CleanFaceName(const std::string& name, bool* nonEmpty) {
    std::string out = name;
    // A subset prefix ("ABCDEF+") goes; a name that merely starts with "+" keeps it.
    if (out.find('+', 1) != std::string::npos) out.erase(0, out.find('+') + 1);
    for (char& c : out)
        if (c == ',') c = '-';
    if (nonEmpty) *nonEmpty = !out.empty();
    return out;
}

bool IsInstalled(const std::string& name) { return !name.empty() && platform::FontFamilyKnown(name); }

bool MapFontName(const std::string& name, std::string& mapped) {
    mapped.clear();
    const std::string folder = MappingFolder();
    if (folder.empty()) return false;
    std::ifstream in(folder + "/" + kMapFileName, std::ios::binary);
    if (!in) return false;
    const std::string pattern = name + "=";
    std::string line, result;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, pattern.size(), pattern) == 0) result += line.substr(pattern.size());
    }
    mapped = TrimBlanks(result);
    return !mapped.empty();
}

std::string FamilyClass(const std::string& faceName) {
    static const struct {
        const char* face;
        const char* family;
    } kClasses[] = {
        {"times new roman", "\\froman"}, {"palatino", "\\froman"},   {"symbol", "\\ftech"},
        {"wingdings", "\\ftech"},        {"wingdings 2", "\\ftech"}, {"wingdings 3", "\\ftech"},
        {"old english", "\\fdecor"},     {"itc zapf", "\\fdecor"},   {"zapf itc", "\\fdecor"},
        {"courier", "\\fmodern"},        {"pica", "\\fmodern"},      {"serif", "\\fserif"},
        {"helvetica", "\\fswiss"},       {"arial", "\\fswiss"},      {"trebuchetms", "\\fswiss"},
        {"cursive", "\\fscript"},        {"miriam", "\\fbidi"},
    };
    std::string lower = faceName;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& row : kClasses)
        if (lower == row.face) return row.family;
    return {};
}

void SetFontMapKey(const std::string& key) {
    std::lock_guard<std::mutex> lock(MapMutex());
    MapKey() = key;
    // The folder found under another key (or in another settings file) is not this key's.
    MapFolder().clear();
}
