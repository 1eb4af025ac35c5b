#pragma once
// Intermediate XML text for the RTF engine's tests, line for line as the
// extraction writes it.
#include <cstdio>
#include <memory>
#include <string>

#include "app/RtfEngine.h"
#include "support/TempDir.h"

namespace rtftest {

inline std::string Root(const std::string& attrs = R"(author="" keywords="" date="" subject="")") {
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<pdf2xml " + attrs + ">\n";
}

inline std::string PageLine(int n, int height = 1188, int width = 918, int rotation = 0) {
    char b[200];
    std::snprintf(b, sizeof b,
                  "<page pnumber=\"%d\" pposition=\"absolute\" ptop=\"108\" pleft=\"108\" pheight=\"%d\" "
                  "pwidth=\"%d\" protation=\"%d\">\n",
                  n, height, width, rotation);
    return b;
}

inline std::string FontSpec(int id, int size, const std::string& family, const std::string& color = "#000000") {
    return "\t<fontspec id=\"" + std::to_string(id) + "\" size=\"" + std::to_string(size) + "\" family=\"" + family +
           "\" alternate=\"\" color=\"" + color + "\">\n";
}

inline std::string Margin(const std::string& l = "0036", const std::string& t = "0036", const std::string& b = "0010",
                          const std::string& r = "0010") {
    return "<margin mleft=\"" + l + "\" mtop=\"" + t + "\" mbottom=\"" + b + "\" mright=\"" + r + "\">\n";
}

inline std::string DataTag(int style = 0, const std::string& cSpace = "+000.00", const std::string& rise = "+0000.00") {
    return "<data cSpace=\"" + cSpace + "\" wSpace=\"+0000.00\" hScal=\"100\" style=\"" + std::to_string(style) +
           "\" cRise=\"" + rise + "\" cLeading=\"+0012.00\">";
}

// One text element with one data line.
inline std::string Text(int top, int left, int width, int height, int font, const std::string& content,
                        int style = 0, int direction = 1) {
    char b[200];
    std::snprintf(b, sizeof b,
                  "<text top=\"%d\" left=\"%d\" width=\"%d\" height=\"%d\" font=\"%d\" direction=\"%d\" toc=\"0\" "
                  "Angle=\"0\">\n",
                  top, left, width, height, font, direction);
    return b + DataTag(style) + content + "\n</text>\n";
}

inline const char* kEnd = "</pdf2xml>\n";

// The RTF engine over the XML text, writing its RTF to out.rtf in the folder.
inline std::unique_ptr<RtfEngine> Load(const testpdf::TempDir& dir, const std::string& xml) {
    testpdf::WriteFile(dir / "doc.xml", xml);
    return RtfEngine::Create(dir / "doc.xml", dir / "out.rtf");
}

}  // namespace rtftest
