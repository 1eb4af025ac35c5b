#pragma once
// Bytes as the hexadecimal text RTF embeds pictures in: upper-case digits, high
// nibble first, no separators.
#include <cstddef>
#include <string>

inline void AppendHexText(std::string& text, const char* bytes, size_t size) {
    static const char digits[] = "0123456789ABCDEF";
    const size_t at = text.size();
    text.resize(at + 2 * size);
    for (size_t i = 0; i < size; ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        text[at + 2 * i] = digits[b >> 4];
        text[at + 2 * i + 1] = digits[b & 0xF];
    }
}

inline std::string HexText(const char* bytes, size_t size) {
    std::string text;
    AppendHexText(text, bytes, size);
    return text;
}
