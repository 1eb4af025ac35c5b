// The font pass of the XML reader: every fontspec into the document's font table.
#include <cstdlib>
#include <optional>

#include "rtf/CRtfDocument.h"
#include "rtf/CRtfXmlParse.h"
#include "rtf/FontNameMapping.h"
#include "rtf/TextEdit.h"
#include "rtf/XmlParseTokens.h"

bool CRtfXmlParse::ReadFonts(CRtfDocument& document) {
    if (!opened_) return false;
    Rewind();
    std::string line;
    int entry = 0;
    while (ReadLine(line)) {
        if (StartsWith(line, "</pdf2xml>")) {
            Rewind();
            return true;
        }
        // The characters beyond the code page, with the face each is set in.
        if (StartsWith(line, "<text")) {
            for (std::string_view token : SplitTokens(line))
                if (FindAttribute(token) == XmlAttribute::Font) entry = document.fonts.EntryIndexOfSpec(static_cast<int>(ValueNumber(AttributeValue(token))));
            continue;
        }
        if (StartsWith(line, "<data")) {
            for (size_t at = line.find("\\uc1\\u"); at != std::string::npos; at = line.find("\\uc1\\u", at + 6)) {
                const unsigned long codePoint = std::strtoul(line.c_str() + at + 6, nullptr, 10);
                if (codePoint > 0xFF && codePoint <= 0x10FFFF)
                    document.fonts.NoteCharacter(entry, static_cast<unsigned>(codePoint));
            }
            continue;
        }
        std::string trimmed = Trimmed(line, " \t");
        if (StartsWith(trimmed, "<fontspec") && HasTagEnd(line)) {
            if (!ReadFontLine(document, trimmed)) return false;
        }
    }
    // The extraction ends the file with the root's closing line; without it the file is incomplete.
    Rewind();
    return false;
}

bool CRtfXmlParse::ReadFontLine(CRtfDocument& document, const std::string& line) {
    auto font = std::make_unique<XmlFontSpec>();
    // The face attribute follows the family, and the face chosen depends on both.
    std::optional<std::string> family;
    HtmlFontClass fontClass;
    for (std::string_view token : SplitTokens(line)) {
        std::string value = AttributeValue(token);
        switch (FindAttribute(token)) {
            case XmlAttribute::FontId: font->index = static_cast<int>(ValueNumber(value)); break;
            case XmlAttribute::FontSize: {
                long size = ValueNumber(value);
                font->size = (size & 0xFFFF) == 0 ? uint16_t{10} : static_cast<uint16_t>(size);
                break;
            }
            case XmlAttribute::FontFamily: family = value; break;
            case XmlAttribute::FontAlternate: font->alternate = value; break;
            case XmlAttribute::FontColor: font->colour = document.colours.ParseColor(value); break;
            case XmlAttribute::FontFace: fontClass = FontClassFromValue(value); break;
            default: break;
        }
    }
    if (family) font->name = FaceForFont(*family, fontClass);
    return document.fonts.AddFont(std::move(font)) != nullptr;
}
