#include "extract/HtmlFontList.h"

#include <cstdio>

#include "extract/XmlValueFormat.h"

namespace {

// Families that the font mapping knows only under their Windows names.
const char* FamilyFor(const std::string& name) {
    static const struct {
        const char* key;
        const char* family;
    } keys[] = {{"symbolmt", "Symbol"}, {"wingdings", "Wingdings"}, {"wingdings3", "Wingdings 3"},
                {"wingdings2", "Wingdings 2"}};
    for (const auto& k : keys)
        if (name == k.key) return k.family;
    return nullptr;
}

}  // namespace

int HtmlFontList::add(const HtmlFont& font) {
    for (size_t i = 0; i < fonts.size(); ++i)
        if (fonts[i] == font) return static_cast<int>(i);
    fonts.push_back(font);
    return static_cast<int>(fonts.size() - 1);
}

std::string HtmlFontList::fontspecLine(int index) const {
    const HtmlFont& font = get(index);
    const char* family = FamilyFor(font.getName());
    char color[8];
    std::snprintf(color, sizeof color, "#%02x%02x%02x", font.getColor().r, font.getColor().g, font.getColor().b);
    // The face comes last and only when something is known, so a font line reads as before without it.
    const std::string faceValue = FontClassValue(font.getFaceClass());
    const std::string face = faceValue.empty() ? std::string() : " face=\"" + faceValue + "\"";
    // A font name can carry a line break (#0A in a PDF name); the line must stay whole.
    return "<fontspec id=\"" + std::to_string(index) + "\" size=\"" + std::to_string(font.getSize()) +
           "\" family=\"" + (family ? std::string(family) : xmlvalue::OneLine(font.getName())) +
           "\" alternate=\"\" color=\"" + color + "\"" + face + ">";
}
