// The language data Tesseract finds, the language of the user's locale in
// Tesseract's names, and the message that names the package of a missing one.
#include "platform/OcrLanguages.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <system_error>

#include "platform/TextRecognition.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

const char kDataSuffix[] = ".traineddata";

bool HoldsLanguageData(const fs::path& folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() == kDataSuffix) return true;
    }
    return false;
}

// Tesseract's own names ("chi_sim", "script/Latin") may name files in other
// folders; only plain names are taken, so a name never reaches outside the data folder.
bool PlainLanguageName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '_' || c == '-';
    });
}

std::vector<std::string> SplitLanguages(const std::string& languages) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= languages.size()) {
        size_t plus = languages.find('+', start);
        if (plus == std::string::npos) plus = languages.size();
        if (plus > start) names.push_back(languages.substr(start, plus - start));
        start = plus + 1;
    }
    return names;
}

// The locale of messages, as the C library chooses it.
std::string UserLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return {};
}

// Tesseract's name for the language of a locale ("de_DE.UTF-8@euro": "deu"); for
// Chinese only the territory tells the script apart.
std::string TesseractName(const std::string& locale) {
    static const std::map<std::string, std::string> names = {
        {"en", "eng"}, {"de", "deu"}, {"fr", "fra"}, {"es", "spa"}, {"it", "ita"}, {"pt", "por"},
        {"nl", "nld"}, {"sv", "swe"}, {"da", "dan"}, {"nb", "nor"}, {"nn", "nor"}, {"no", "nor"},
        {"fi", "fin"}, {"pl", "pol"}, {"cs", "ces"}, {"sk", "slk"}, {"sl", "slv"}, {"hr", "hrv"},
        {"sr", "srp"}, {"bg", "bul"}, {"ru", "rus"}, {"uk", "ukr"}, {"be", "bel"}, {"el", "ell"},
        {"tr", "tur"}, {"hu", "hun"}, {"ro", "ron"}, {"et", "est"}, {"lv", "lav"}, {"lt", "lit"},
        {"is", "isl"}, {"ga", "gle"}, {"ca", "cat"}, {"eu", "eus"}, {"gl", "glg"}, {"ja", "jpn"},
        {"ko", "kor"}, {"ar", "ara"}, {"he", "heb"}, {"fa", "fas"}, {"hi", "hin"}, {"th", "tha"},
        {"vi", "vie"}, {"id", "ind"}, {"ms", "msa"},
    };
    size_t end = locale.find_first_of("_.@");
    std::string language = locale.substr(0, end);
    std::transform(language.begin(), language.end(), language.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (language == "zh") {
        std::string territory = end != std::string::npos && locale[end] == '_' ? locale.substr(end + 1, 2) : "";
        return territory == "TW" || territory == "HK" || territory == "MO" ? "chi_tra" : "chi_sim";
    }
    auto found = names.find(language);
    return found == names.end() ? std::string() : found->second;
}

}  // namespace

std::string OcrDataFolder() {
    // TESSDATA_PREFIX names the data folder itself since Tesseract 4; older
    // settings name its parent.
    if (const char* prefix = std::getenv("TESSDATA_PREFIX"); prefix && *prefix) {
        if (HoldsLanguageData(prefix)) return prefix;
        if (HoldsLanguageData(fs::path(prefix) / "tessdata")) return (fs::path(prefix) / "tessdata").string();
    }
    for (const char* folder : {"/usr/share/tesseract-ocr/5/tessdata", "/usr/share/tesseract-ocr/4.00/tessdata",
                               "/usr/share/tessdata", "/usr/local/share/tessdata"}) {
        if (HoldsLanguageData(folder)) return folder;
    }
    return {};
}

std::vector<std::string> InstalledOcrLanguages() {
    std::vector<std::string> languages;
    std::string folder = OcrDataFolder();
    if (folder.empty()) return languages;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() != kDataSuffix) continue;
        std::string name = entry.path().stem().string();
        // Orientation and script detection, not a language of text.
        if (name != "osd") languages.push_back(name);
    }
    std::sort(languages.begin(), languages.end());
    return languages;
}

std::string DefaultOcrLanguages() {
    std::string language = TesseractName(UserLocale());
    std::vector<std::string> installed = InstalledOcrLanguages();
    if (!language.empty() && std::find(installed.begin(), installed.end(), language) != installed.end())
        return language;
    return "eng";
}

bool ValidOcrLanguageList(const std::string& languages) {
    for (size_t start = 0;;) {
        const size_t plus = languages.find('+', start);
        if (!PlainLanguageName(languages.substr(start, plus - start))) return false;
        if (plus == std::string::npos) return true;
        start = plus + 1;
    }
}

std::string MissingOcrLanguage(const std::string& languages) {
    std::vector<std::string> installed = InstalledOcrLanguages();
    for (const std::string& name : SplitLanguages(languages)) {
        if (!PlainLanguageName(name))
            return "\"" + name + "\" is not an OCR language name (names such as \"eng\" or \"chi_sim\", joined by \"+\")";
        if (std::find(installed.begin(), installed.end(), name) != installed.end()) continue;
        std::string package = "tesseract-ocr-" + name;
        std::transform(package.begin(), package.end(), package.begin(), [](unsigned char c) {
            return c == '_' ? '-' : static_cast<char>(std::tolower(c));
        });
        return "the OCR language data \"" + name + "\" is not installed (Debian package " + package + ")";
    }
    return {};
}

}  // namespace platform
