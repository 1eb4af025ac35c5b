#pragma once
// A private folder for one fuzzing process, where each input is written as the
// file the code under test reads.
#include <stdlib.h>

#include <cstdio>
#include <string>

namespace fuzz {

inline const std::string& ScratchDir() {
    static const std::string dir = [] {
        const char* tmp = getenv("TMPDIR");
        std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/vellumor-fuzz-XXXXXX";
        return std::string(mkdtemp(tmpl.data()) ? tmpl.c_str() : "/tmp");
    }();
    return dir;
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
