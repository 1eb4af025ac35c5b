// Completing a picture entry: its rendered file and the hexadecimal text RTF embeds.
#include "pagegraphics/PictureText.h"

#include <cstdio>
#include <memory>

#include "rtf/HexText.h"
#include "rtf/RecordedGraphics.h"

namespace {
struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;
}  // namespace

bool WriteHexText(const std::string& binaryPath, const std::string& hexPath) {
    File in(std::fopen(binaryPath.c_str(), "rb"));
    if (!in) return false;
    File out(std::fopen(hexPath.c_str(), "w"));
    if (!out) return false;
    char bytes[65536];
    size_t n;
    while ((n = std::fread(bytes, 1, sizeof bytes, in.get())) > 0) {
        const std::string text = HexText(bytes, n);
        if (std::fwrite(text.data(), 1, text.size(), out.get()) != text.size()) return false;
    }
    return std::ferror(in.get()) == 0 && std::fflush(out.get()) == 0;
}

bool SetPictureFile(Picture& picture, const std::string& path, bool keepOnly) {
    picture.imagePath = path;
    if (keepOnly) return true;
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string hex = path.substr(0, dot) + ".txt";
    if (!WriteHexText(path, hex)) return false;
    picture.hexPath = hex;
    return true;
}
