// Reading back what the word processor wrote: a result cut short (a full disk
// that the word processor did not report) must never pass for a document.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include "convert/CRtf2Doc.h"

namespace {

uint32_t Le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// A compound file (DOC): every sector that its allocation table uses must be in the file.
std::string CompoundFileProblem(const std::vector<unsigned char>& data) {
    static const unsigned char kMagic[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (data.size() < 512 || std::memcmp(data.data(), kMagic, sizeof kMagic) != 0) return "it is not a Word document";
    const unsigned shift = Le16(&data[0x1E]);
    if (shift < 7 || shift > 16) return "its header is damaged";
    const size_t sector = size_t{1} << shift;
    const uint32_t fatSectors = Le32(&data[0x2C]);
    auto offsetOf = [sector](uint32_t s) { return (static_cast<size_t>(s) + 1) * sector; };
    const uint32_t directory = Le32(&data[0x30]);
    if (offsetOf(directory) + sector > data.size()) return "it ends before its directory";
    uint32_t lastUsed = 0;
    for (uint32_t i = 0; i < fatSectors && i < 109; ++i) {
        const uint32_t fat = Le32(&data[0x4C + 4 * i]);
        if (offsetOf(fat) + sector > data.size()) return "it ends before its allocation table";
        for (size_t k = 0; k < sector / 4; ++k)
            if (Le32(&data[offsetOf(fat) + 4 * k]) != 0xFFFFFFFFu) lastUsed = static_cast<uint32_t>(i * (sector / 4) + k);
    }
    if (offsetOf(lastUsed) + sector > data.size()) return "it ends before its last sector";
    return {};
}

// A zip package (DOCX, ODT): its central directory closes the file.
std::string PackageProblem(const std::vector<unsigned char>& data) {
    if (data.size() < 22 || data[0] != 'P' || data[1] != 'K') return "it is not a document package";
    const size_t lowest = data.size() > 65557 ? data.size() - 65557 : 0;
    for (size_t at = data.size() - 22 + 1; at-- > lowest;) {
        if (data[at] != 'P' || data[at + 1] != 'K' || data[at + 2] != 5 || data[at + 3] != 6) continue;
        const uint32_t size = Le32(&data[at + 12]), offset = Le32(&data[at + 16]);
        if (static_cast<size_t>(offset) + size > at || offset + 4 > data.size()) return "its directory is damaged";
        if (data[offset] != 'P' || data[offset + 1] != 'K' || data[offset + 2] != 1 || data[offset + 3] != 2)
            return "its directory is damaged";
        return {};
    }
    return "it ends before its directory";
}

}  // namespace

std::string CRtf2Doc::DocumentProblem(const std::string& path, const std::string& extension) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "it cannot be read";
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.empty()) return "it is empty";
    if (extension == ".doc") return CompoundFileProblem(data);
    if (extension == ".docx" || extension == ".odt") return PackageProblem(data);
    return {};
}
