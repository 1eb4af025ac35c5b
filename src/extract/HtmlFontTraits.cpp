#include "extract/HtmlFontTraits.h"

#include <GfxFont.h>
#include <Object.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <span>

#include "extract/EmbeddedFont.h"

namespace {

bool Has(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

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
    const std::span<const unsigned char> os2 = Os2Table(p);
    if (!os2.empty()) return SfntU16(os2, 4) >= 600;  // usWeightClass
    // A Type 1 program names its weight in its clear-text part: "/Weight (Bold) readonly def".
    const size_t clear = std::min<size_t>(p.size(), 65536);
    const std::string text(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(clear));
    const size_t at = text.find("/Weight");
    if (at == std::string::npos) return false;
    const size_t open = text.find('(', at), close = text.find(')', at);
    if (open == std::string::npos || close == std::string::npos || close < open || open - at > 16) return false;
    return TraitsFromName(text.substr(open + 1, close - open - 1)).bold || text.compare(open + 1, 8, "Semibold") == 0;
}

HtmlFontTraits TraitsFromDescriptor(EmbeddedFont& embedded) {
    GfxFont& font = embedded.font;
    HtmlFontTraits t;
    GfxFont::Weight weight = font.getWeight();
    t.bold = font.isBold() || (weight != GfxFont::WeightNotDefined && weight >= GfxFont::W600);
    t.italic = font.isItalic();
    // The name may already say bold; only a font silent on its weight is read further.
    if (!t.bold && weight == GfxFont::WeightNotDefined && !TraitsFromName(font.getName() ? *font.getName() : "").bold) {
        if (const std::vector<unsigned char>* program = embedded.Program()) t.bold = BoldFontProgram(*program);
    }
    if (t.italic) return t;
    Object descriptor = embedded.Descriptor();
    if (!descriptor.isDict()) return t;
    Object angle = descriptor.dictLookup("ItalicAngle");
    // Upright fonts give 0; a slant of a degree or more is a design's italic.
    if (angle.isNum() && std::isfinite(angle.getNum()) && std::fabs(angle.getNum()) >= 1) t.italic = true;
    return t;
}
