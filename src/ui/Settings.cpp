#include "ui/Settings.h"

#include <QDir>
#include <QStandardPaths>
#include <algorithm>
#include <utility>
#include <vector>

#include "convert/MyConvertPara.h"
#include "platform/Registry.h"

namespace ui {
namespace {

// The values in the order they are written, with the choices each may take (none: free text).
struct Field {
    const char* name;
    std::string Settings::*member;
    std::vector<std::string> choices;
};

const std::vector<Field>& Fields() {
    static const std::vector<Field> fields = {
        {"DestDir", &Settings::DestDir, {}},
        {"DocFormat", &Settings::DocFormat, {"doc", "rtf", "docx", "odt"}},
        {"AutoOpen", &Settings::AutoOpen, {"Yes", "No"}},
        {"Language", &Settings::Language, {"English"}},
        {"LogDir", &Settings::LogDir, {}},
        {"Layout", &Settings::Layout, {kLayouts.begin(), kLayouts.end()}},
        {"ImageFilter", &Settings::ImageFilter, {"Yes", "No"}},
        {"Preserve", &Settings::Preserve, {"Yes", "No"}},
        {"AllPages", &Settings::AllPages, {"Yes", "No"}},
        {"KeepLines", &Settings::KeepLines, {"Yes", "No"}},
        {"Ocr", &Settings::Ocr, {kOcrSettings.begin(), kOcrSettings.end()}},
        {"OcrLanguages", &Settings::OcrLanguages, {}},
    };
    return fields;
}

std::string DocumentsFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QDir(documents).exists()) documents = QDir::homePath();
    return documents.toStdString();
}

}  // namespace

Settings DefaultSettings() {
    std::string folder = DocumentsFolder();
    return {folder, "doc", "Yes", "English", folder, "FLOWING TEXT", "No", "Yes", "Yes", "No", kOcrSettings[OcrAuto], ""};
}

Settings LoadSettings() {
    Settings settings = DefaultSettings();
    for (const Field& f : Fields()) {
        std::string value;
        if (!platform::RegistryRead(kSettingsKey, f.name, value) || value.empty()) continue;
        // An unknown value (a hand edit, an older version) must not switch a choice off by accident.
        if (!f.choices.empty() && std::find(f.choices.begin(), f.choices.end(), value) == f.choices.end()) continue;
        settings.*f.member = value;
    }
    return settings;
}

bool SaveSettings(const Settings& settings, std::string& error) {
    for (const Field& f : Fields()) {
        if (!platform::RegistryWrite(kSettingsKey, f.name, settings.*f.member)) {
            error = platform::RegistryPath();
            return false;
        }
    }
    return true;
}

std::optional<int> JobModeForLayout(const std::string& layout) {
    static const std::pair<const char*, int> modes[] = {{"FLOWING TEXT", ModeFlowingText},
                                                        {"AS IS", ModeAsIs},
                                                        {"FORMATTED TEXT", ModeFormattedText},
                                                        {"TEXT ONLY", ModeTextOnly}};
    for (const auto& [name, mode] : modes)
        if (layout == name) return mode;
    return std::nullopt;
}

int OcrModeForSetting(const std::string& setting) {
    for (size_t mode = 0; mode < kOcrSettings.size(); ++mode)
        if (setting == kOcrSettings[mode]) return static_cast<int>(mode);
    return OcrAuto;
}

void ApplySettings(const Settings& s, MyConvertPara& para) {
    para.DestDir = s.DestDir;
    para.AutoOpen = s.AutoOpen;
    para.Layout = s.Layout;
    para.ImageFilter = s.ImageFilter;
    para.Preserve = s.Preserve;
    para.KeepLines = s.KeepLines;
    // "No" leaves the page numbers to the user: the panel opens on an empty page list.
    if (s.AllPages == "Yes")
        para.pages.SelectAll();
    else
        para.pages.SelectListed({});
    para.autoOpenFlag = s.AutoOpen == "Yes" ? 1 : 0;
    para.SetDocFormat(s.DocFormat);
    para.removeImages = s.ImageFilter == "Yes" ? 1 : 0;
    para.keepLines = s.KeepLines == "Yes";
    para.ocrMode = OcrModeForSetting(s.Ocr);
    para.ocrLanguages = s.OcrLanguages;
    if (std::optional<int> mode = JobModeForLayout(s.Layout)) para.jobMode = *mode;
}

}  // namespace ui
