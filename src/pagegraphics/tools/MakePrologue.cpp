// Writes the prologue template of the cut-out picture pages at build time.
#include <GlobalParams.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "pagegraphics/PrologueTemplate.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vellumor-make-prologue OUTPUT\n");
        return 2;
    }
    globalParams = std::make_unique<GlobalParams>();
    std::string error;
    std::string text = pagegraphics::BuildPrologueTemplate(error);
    globalParams.reset();
    if (text.empty()) {
        std::fprintf(stderr, "vellumor-make-prologue: %s\n", error.c_str());
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "vellumor-make-prologue: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
