#include "support/OfficeFiles.h"

#include <cstdint>

namespace testpdf {

std::string MinimalCompoundFile() {
    std::string data(21 * 512, '\0');
    const unsigned char magic[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    data.replace(0, 8, reinterpret_cast<const char*>(magic), 8);
    auto put32 = [&data](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    data[0x1E] = 9;  // 512-byte sectors
    put32(0x2C, 1);  // one allocation sector
    put32(0x30, 1);  // the directory in sector 1
    put32(0x4C, 0);  // the allocation table in sector 0
    for (int i = 1; i < 109; ++i) put32(0x4C + 4 * i, 0xFFFFFFFF);
    for (uint32_t s = 0; s < 128; ++s) put32(512 + 4 * s, s == 0 ? 0xFFFFFFFD : s < 20 ? 0xFFFFFFFE : 0xFFFFFFFF);
    return data;
}

}  // namespace testpdf
