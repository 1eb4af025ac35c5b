#pragma once
// The user's standing choices: twelve text values kept in the settings store
// under "SOFTWARE\Quillet", mirrored into the parameters record.
#include <array>
#include <optional>
#include <string>

class MyConvertPara;

namespace ui {

struct Settings {
    std::string DestDir, DocFormat, AutoOpen, Language, LogDir, Layout, ImageFilter, Preserve, AllPages;
    // "Yes": the flowing layout keeps each source line a paragraph of its own.
    std::string KeepLines;
    // When pages are recognised from their picture: one of kOcrSettings.
    std::string Ocr;
    // Tesseract's names joined by "+"; empty: the installed languages of the user's locale.
    std::string OcrLanguages;
};

// Still the old product's name: the choices users have already stored are found under it.
inline constexpr const char* kSettingsKey = "SOFTWARE\\Quillet";
inline constexpr std::array<const char*, 4> kLayouts = {"FLOWING TEXT", "FORMATTED TEXT", "TEXT ONLY", "AS IS"};
// The stored names of OcrAuto, OcrAlways and OcrNever, in the order of their values.
inline constexpr std::array<const char*, 3> kOcrSettings = {"Auto", "Always", "Never"};

// The defaults; the folders are the user's Documents folder (the home folder when there is none).
Settings DefaultSettings();
// The stored values; a missing or invalid value gets its own default.
Settings LoadSettings();
// Writes the twelve values in their order; false with the reason when the store cannot be written.
bool SaveSettings(const Settings& settings, std::string& error);
// The mirror fields of the record, and what follows from them (autoOpenFlag, the page choice, the result format, jobMode, removeImages, keepLines,
// ocrMode, ocrLanguages).
void ApplySettings(const Settings& settings, MyConvertPara& para);
// The job mode of a layout text; nullopt for any other text.
std::optional<int> JobModeForLayout(const std::string& layout);
// The OcrMode of a stored name; OcrAuto for any other text.
int OcrModeForSetting(const std::string& setting);

}  // namespace ui
