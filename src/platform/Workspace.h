#pragma once
// The private workspace folder of a job and the file operations on it.
#include <string>

namespace platform {

// Creates a fresh folder "vellumor-tmpd-PID-XXXXXX" under the system temp folder
// (mode 0700); empty on failure. Folders of that kind whose process is gone go first.
std::string CreateWorkspace();

// Creates a fresh hidden folder ".vellumor-tmpd-PID-XXXXXX" inside `parent`, where a
// result is written before it is renamed into place; empty on failure. Such
// folders of runs that were killed go first.
std::string CreateScratchFolder(const std::string& parent);

// Removes the folder with everything in it, but only a folder whose path
// contains "tmpd", so that a mistaken path can never wipe a user's folder.
void RemoveWorkspace(const std::string& path);

// Copies a file, replacing the destination (a link at its name is replaced, not
// followed); false when the source cannot be read or the destination not written.
bool CopyFileReplacing(const std::string& from, const std::string& to);

// Folder of the running executable.
std::string ExecutableDir();

// A data file shipped with the program: beside the executable, else in
// share/vellumor beside the executable's folder (an installation, or the build
// tree), else in the configured installation's; empty when none has it.
std::string DataFile(const std::string& name);

}  // namespace platform
