#include "extract/HtmlFontTraits.h"

#include <GfxFont.h>
#include <Object.h>
#include <XRef.h>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

bool Has(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

// The descriptor of a simple font, or of a composite font's descendant.
Object DescriptorOf(const Object& fontDict) {
    Object descriptor = fontDict.dictLookup("FontDescriptor");
    if (descriptor.isDict()) return descriptor;
    Object descendants = fontDict.dictLookup("DescendantFonts");
    if (descendants.isArray() && descendants.arrayGetLength() > 0) {
        Object descendant = descendants.arrayGet(0);
        if (descendant.isDict()) return descendant.dictLookup("FontDescriptor");
    }
    return Object(objNull);
}

}  // namespace

HtmlFontTraits TraitsFromName(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    HtmlFontTraits t;
    // "Medi" is the bold of the URW fonts (NimbusRomNo9L-Medi); "Medium" is a lighter weight.
    bool medi = (Has(lower, "-medi") || Has(lower, ",medi")) && !Has(lower, "medium");
    t.bold = Has(lower, "bold") || Has(lower, "black") || Has(lower, "heavy") || Has(lower, "demi") || medi;
    t.italic = Has(lower, "ital") || Has(lower, "obli");
    return t;
}

HtmlFontTraits TraitsFromDescriptor(const GfxFont& font, XRef* xref) {
    HtmlFontTraits t;
    GfxFont::Weight weight = font.getWeight();
    t.bold = font.isBold() || (weight != GfxFont::WeightNotDefined && weight >= GfxFont::W600);
    t.italic = font.isItalic();
    if (t.italic || !xref || !font.getID() || font.getID()->num < 0) return t;
    Object fontDict = xref->fetch(*font.getID());
    if (!fontDict.isDict()) return t;
    Object descriptor = DescriptorOf(fontDict);
    if (!descriptor.isDict()) return t;
    Object angle = descriptor.dictLookup("ItalicAngle");
    // Upright fonts give 0; a slant of a degree or more is a design's italic.
    if (angle.isNum() && std::isfinite(angle.getNum()) && std::fabs(angle.getNum()) >= 1) t.italic = true;
    return t;
}
