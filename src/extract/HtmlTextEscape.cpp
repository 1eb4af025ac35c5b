// Run text into the bytes of a data line: the "Latin1" byte for characters up to
// U+0100, an RTF Unicode escape above.
#include "extract/HtmlFontList.h"

namespace {

// The "Latin1" text encoding for one character; -1 when it has no byte.
int Latin1Byte(unsigned u) {
    if (u == 0x0a || u == 0x0d) return ' ';  // a line break would split the data line
    if (u == 0x0c || (u >= 0x20 && u <= 0x7e)) return static_cast<int>(u);
    if (u == 0xa0) return ' ';
    if ((u >= 0xa1 && u <= 0xac) || (u >= 0xae && u <= 0xff)) return static_cast<int>(u);
    return -1;
}

}  // namespace

std::string HtmlFontList::escape(const HtmlFont&, const unsigned* unicodes, int count) {
    std::string out;
    out.reserve(static_cast<size_t>(count) + 8);
    for (int i = 0; i < count; ++i) {
        unsigned u = unicodes[i];
        switch (u) {
            case '"': out += "&quot;"; continue;
            case '&': out += "&amp;"; continue;
            case '<': out += "&lt;"; continue;
            case '>': out += "&gt;"; continue;
            default: break;
        }
        if (u > 0x100) {
            out += "\\uc1\\u";
            out += std::to_string(u);
            out += 'X';
            continue;
        }
        int byte = Latin1Byte(u);
        if (byte >= 0) out += static_cast<char>(byte);
    }
    return out;
}
