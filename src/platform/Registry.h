#pragma once
// The machine-wide settings store: string values under key paths, kept in an
// INI file (a section per key path). The file is $VELLUMOR_REGISTRY when that
// is set, else $XDG_CONFIG_HOME/vellumor/registry.ini (~/.config/... by default).
#include <string>

namespace platform {

// Path of the store file in use.
std::string RegistryPath();
// Overrides the store file (tests); an empty path restores the default.
void SetRegistryPath(const std::string& path);
// Reads the value; false when the key or the value is missing.
bool RegistryRead(const std::string& keyPath, const std::string& valueName, std::string& value);
// Writes the value, creating the file and its folder; false when it cannot be written.
bool RegistryWrite(const std::string& keyPath, const std::string& valueName, const std::string& value);

}  // namespace platform
