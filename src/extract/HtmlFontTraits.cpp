#include "extract/HtmlFontTraits.h"

#include <GfxFont.h>
#include <Object.h>
#include <XRef.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <optional>

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
    // TeX names its bold faces by "bx" (CMBX10, SFBX1200, CMSSBX10) and "b" (CMB10, SFBI1095 bold italic);
    // Japanese faces by a weight number, W6 and heavier being bold (HiraKakuPro-W6).
    const std::string face = lower.find('+') == 6 ? lower.substr(7) : lower;
    const bool tex = face.rfind("cm", 0) == 0 || face.rfind("sf", 0) == 0 || face.rfind("lm", 0) == 0 ||
                     face.rfind("ec", 0) == 0;
    const bool texBold = tex && (Has(face, "bx") || face.rfind("cmb1", 0) == 0 || face.rfind("sfbi", 0) == 0 ||
                                 face.rfind("sfbo", 0) == 0);
    bool weightNumber = false;
    for (const char* w : {"-w6", "-w7", "-w8", "-w9", "w6-", "w7-", "w8-", "w9-"})
        weightNumber = weightNumber || Has(face, w);
    t.bold = Has(lower, "bold") || Has(lower, "black") || Has(lower, "heavy") || Has(lower, "demi") || medi ||
             texBold || weightNumber;
    t.italic = Has(lower, "ital") || Has(lower, "obli");
    return t;
}

bool BoldFontProgram(const std::vector<unsigned char>& p) {
    auto u16 = [&](size_t at) { return at + 2 <= p.size() ? (p[at] << 8) | p[at + 1] : 0; };
    auto u32 = [&](size_t at) {
        return at + 4 <= p.size() ? (static_cast<uint32_t>(u16(at)) << 16) | static_cast<uint32_t>(u16(at + 2)) : 0u;
    };
    const uint32_t version = u32(0);
    if (version == 0x00010000 || version == 0x74727565 || version == 0x4F54544F) {  // TrueType, 'true', 'OTTO'
        const int tables = u16(4);
        for (int i = 0; i < tables; ++i) {
            const size_t record = 12 + static_cast<size_t>(i) * 16;
            if (u32(record) != 0x4F532F32) continue;  // 'OS/2'
            return u16(u32(record + 8) + 4) >= 600;     // usWeightClass
        }
        return false;
    }
    // A Type 1 program names its weight in its clear-text part: "/Weight (Bold) readonly def".
    const size_t clear = std::min<size_t>(p.size(), 65536);
    const std::string text(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(clear));
    const size_t at = text.find("/Weight");
    if (at == std::string::npos) return false;
    const size_t open = text.find('(', at), close = text.find(')', at);
    if (open == std::string::npos || close == std::string::npos || close < open || open - at > 16) return false;
    return TraitsFromName(text.substr(open + 1, close - open - 1)).bold || text.compare(open + 1, 8, "Semibold") == 0;
}

HtmlFontTraits TraitsFromDescriptor(GfxFont& font, XRef* xref) {
    HtmlFontTraits t;
    GfxFont::Weight weight = font.getWeight();
    t.bold = font.isBold() || (weight != GfxFont::WeightNotDefined && weight >= GfxFont::W600);
    t.italic = font.isItalic();
    // The name may already say bold; only a font silent on its weight is read further.
    if (!t.bold && weight == GfxFont::WeightNotDefined && xref && !TraitsFromName(font.getName() ? *font.getName() : "").bold) {
        if (std::optional<std::vector<unsigned char>> program = font.readEmbFontFile(xref))
            t.bold = BoldFontProgram(*program);
    }
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
