// Stand-in until the substitution table and the mapping file exist: every
// family becomes the default one.
#include "rtf/FontNameMapping.h"

#include "platform/FontCatalog.h"

std::string NormaliseFamily(const std::string& value) { return value.empty() ? value : "Times New Roman"; }

std::string CleanFaceName(const std::string& name, bool* nonEmpty) {
    std::string out = name;
    size_t plus = out.find('+');
    if (plus != std::string::npos && plus > 0) out.erase(0, plus + 1);
    for (char& c : out)
        if (c == ',') c = '-';
    if (nonEmpty) *nonEmpty = !out.empty();
    return out;
}

bool IsInstalled(const std::string& name) { return platform::FontFamilyKnown(name); }

bool MapFontName(const std::string&, std::string& mapped) {
    mapped.clear();
    return false;
}

std::string FamilyClass(const std::string&) { return {}; }

void SetFontMapKey(const std::string&) {}
