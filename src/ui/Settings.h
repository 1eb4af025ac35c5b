#pragma once
// The user's standing choices: ten text values kept in the settings store
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
};

// Still the old product's name: the choices users have already stored are found under it.
inline constexpr const char* kSettingsKey = "SOFTWARE\\Quillet";
inline constexpr std::array<const char*, 4> kLayouts = {"FLOWING TEXT", "FORMATTED TEXT", "TEXT ONLY", "AS IS"};

// The defaults; the folders are the user's Documents folder (the home folder when there is none).
Settings DefaultSettings();
// The stored values; a missing or invalid value gets its own default.
Settings LoadSettings();
// Writes the ten values in their order; false with the reason when the store cannot be written.
bool SaveSettings(const Settings& settings, std::string& error);
// The mirror fields of the record, and what follows from them (autoOpenFlag, the page choice, the result format, jobMode, removeImages, keepLines).
void ApplySettings(const Settings& settings, MyConvertPara& para);
// The job mode of a layout text; nullopt for any other text.
std::optional<int> JobModeForLayout(const std::string& layout);

}  // namespace ui
