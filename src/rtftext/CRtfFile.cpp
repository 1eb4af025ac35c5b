// Opening and closing the RTF file, and its header.
#include "rtftext/CRtfFile.h"

#include <cstdio>

#include "rtf/CRtfDocument.h"
#include "rtf/FontNameMapping.h"

std::string EscapeRtfText(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            continue;  // control bytes (UTF-16 halves, line breaks) have no place in RTF text
        } else if (c >= 0x80) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

CRtfFile::CRtfFile(CRtfDocument& document, const std::string& path) : document_(document) {
    file_ = std::fopen(path.c_str(), "w");
    opened_ = file_ != nullptr;
    if (opened_) ok_ = WriteString(Header());
}

CRtfFile::~CRtfFile() { Finish(); }

bool CRtfFile::Finish() {
    if (!opened_) return !writeFailed_;
    WriteString("}");
    if (std::fclose(file_) != 0) writeFailed_ = true;
    file_ = nullptr;
    opened_ = false;
    return !writeFailed_;
}

bool CRtfFile::WriteString(const std::string& text) {
    if (!opened_) return false;
    if (std::fwrite(text.data(), 1, text.size(), file_) == text.size()) return true;
    writeFailed_ = true;
    return false;
}

std::string CRtfFile::Header() const {
    char buf[128];
    std::snprintf(buf, sizeof buf, "{\\rtf\\ansi\\deff%u\\ansicpg%u\n", 0u, 1252u);
    std::string h = buf;

    h += "{\\fonttbl\n";
    for (const auto& entry : document_.fonts.entries) {
        std::snprintf(buf, sizeof buf, "{\\f%u", static_cast<unsigned>(entry->index));
        h += buf;
        h += FontTableClass(entry->name);
        h += " ";
        h += EscapeRtfText(entry->name);
        h += ";}";
    }
    h += "}\n";

    h += "{\\colortbl";
    for (const auto& c : document_.colours.entries) {
        std::snprintf(buf, sizeof buf, "\\red%u\\green%u\\blue%u;", c->red, c->green, c->blue);
        h += buf;
    }
    h += "}\n";

    const CRtfDocInfo& info = document_.info;
    if (!info.author.empty() || !info.subject.empty() || !info.keywords.empty()) {
        h += "{\\info";
        if (!info.author.empty()) h += "{\\author " + EscapeRtfText(info.author) + "}";
        if (!info.subject.empty()) h += "{\\subject " + EscapeRtfText(info.subject) + "}";
        if (!info.keywords.empty()) h += "{\\operator " + EscapeRtfText(info.keywords) + "}";
        h += "}\n";
    }
    h += "\\jexpand\\viewkind1\\viewscale100\n";
    return h;
}
