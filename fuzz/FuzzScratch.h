#pragma once
// A private folder for one fuzzing process, where each input is written as the
// file the code under test reads.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace fuzz {

// Removed when the process ends, so that replaying the seeds in every test run
// leaves nothing in the temp folder.
struct Scratch {
    Scratch() {
        const char* tmp = getenv("TMPDIR");
        std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/vellumor-fuzz-XXXXXX";
        if (mkdtemp(tmpl.data())) path = tmpl;
    }
    ~Scratch() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

inline const std::string& ScratchDir() {
    static const Scratch scratch;
    static const std::string fallback = "/tmp";
    return scratch.path.empty() ? fallback : scratch.path;
}

inline std::string WriteInput(const char* name, const uint8_t* data, size_t size) {
    std::string path = ScratchDir() + "/" + name;
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    return path;
}

}  // namespace fuzz
