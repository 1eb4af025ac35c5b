// Stand-in until the INI store exists: nothing is stored.
#include "platform/Registry.h"

namespace platform {
std::string RegistryPath() { return {}; }
void SetRegistryPath(const std::string&) {}
bool RegistryRead(const std::string&, const std::string&, std::string&) { return false; }
bool RegistryWrite(const std::string&, const std::string&, const std::string&) { return false; }
}  // namespace platform
