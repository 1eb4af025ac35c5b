// Glyph names of TeX's symbol, extension and AMS fonts, and negated relations.
#include "extract/MathGlyphs.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <unordered_map>

namespace {

struct NamedGlyph {
    const char* name;
    unsigned u;
};

// Names from the symbol, extension and AMS fonts that are not common glyph names;
// the common ones ("radical", "infinity", ...) the PDF core already reads.
constexpr NamedGlyph kMathNames[] = {
    {"angbracketleft", 0x27E8}, {"angbracketright", 0x27E9}, {"approxequal", 0x2248},
    {"arrowbothv", 0x2195}, {"arrowdblboth", 0x21D4}, {"arrowdblbothv", 0x21D5},
    {"arrowdbldown", 0x21D3}, {"arrowdblleft", 0x21D0}, {"arrowdblright", 0x21D2},
    {"arrowdblup", 0x21D1}, {"arrownortheast", 0x2197}, {"arrownorthwest", 0x2196},
    {"arrowsoutheast", 0x2198}, {"arrowsouthwest", 0x2199}, {"asteriskmath", 0x2217},
    {"bardbl", 0x2016}, {"braceleft", '{'}, {"braceright", '}'}, {"ceilingleft", 0x2308},
    {"ceilingright", 0x2309}, {"circlecopyrt", 0x20DD}, {"circledivide", 0x2298},
    {"circledot", 0x2299}, {"circleminus", 0x2296}, {"circlemultiply", 0x2297},
    {"circleplus", 0x2295}, {"coproduct", 0x2210}, {"diamondmath", 0x22C4},
    {"equivasymptotic", 0x224D}, {"equivalence", 0x2261}, {"floorleft", 0x230A},
    {"floorright", 0x230B}, {"follows", 0x227B}, {"followsequal", 0x2AB0},
    {"greatermuch", 0x226B}, {"intersectionsq", 0x2293}, {"intersectionsqequal", 0x2292},
    {"latticetop", 0x22A4}, {"lessmuch", 0x226A}, {"mapsto", 0x21A6}, {"minusplus", 0x2213},
    {"negationslash", 0x0338}, {"openbullet", 0x25E6}, {"owner", 0x220B},
    {"precedes", 0x227A}, {"precedesequal", 0x2AAF}, {"prime", 0x2032},
    {"reflexsubset", 0x2286}, {"reflexsuperset", 0x2287}, {"similarequal", 0x2243},
    {"triangle", 0x25B3}, {"triangleinv", 0x25BD}, {"turnstileleft", 0x22A2},
    {"turnstileright", 0x22A3}, {"unionmulti", 0x228E}, {"unionsq", 0x2294},
    {"unionsqequal", 0x2291}, {"wreathproduct", 0x2240}, {"vector", 0x20D7},
    {"summationtext", 0x2211}, {"summationdisplay", 0x2211}, {"producttext", 0x220F},
    {"productdisplay", 0x220F}, {"integraltext", 0x222B}, {"integraldisplay", 0x222B},
    {"contintegraltext", 0x222E}, {"contintegraldisplay", 0x222E}, {"uniontext", 0x22C3},
    {"uniondisplay", 0x22C3}, {"intersectiontext", 0x22C2}, {"intersectiondisplay", 0x22C2},
    {"radicalbig", 0x221A}, {"radicalBig", 0x221A}, {"radicalbigg", 0x221A},
    {"radicalBigg", 0x221A}, {"radicalbt", 0x221A}, {"logicalandtext", 0x22C0},
    {"logicalortext", 0x22C1}, {"circleplustext", 0x2A01}, {"circlemultiplytext", 0x2A02},
    {"lessorequalslant", 0x2A7D}, {"greaterorequalslant", 0x2A7E}, {"square", 0x25A1},
    {"triangleright", 0x25B7}, {"triangleleft", 0x25C1}, {"ceilingleftbig", 0x2308},
    {"notequal", 0x2260}, {"element", 0x2208}, {"notelement", 0x2209},
};

struct Negation {
    unsigned plain, negated;
};

constexpr Negation kNegations[] = {
    {'=', 0x2260}, {'<', 0x226E}, {'>', 0x226F}, {0x2208, 0x2209}, {0x220B, 0x220C}, {0x2261, 0x2262},
    {0x2264, 0x2270}, {0x2265, 0x2271}, {0x2282, 0x2284}, {0x2283, 0x2285}, {0x2286, 0x2288},
    {0x2287, 0x2289}, {0x223C, 0x2241}, {0x2243, 0x2244}, {0x2245, 0x2247}, {0x2248, 0x2249},
    {0x2203, 0x2204}, {0x2223, 0x2224}, {0x2225, 0x2226}, {0x227A, 0x2280}, {0x227B, 0x2281},
    {0x22A2, 0x22AC}, {0x2192, 0x219B}, {0x2190, 0x219A}, {0x2194, 0x21AE}, {0x21D2, 0x21CF},
    {0x21D0, 0x21CD}, {0x21D4, 0x21CE},
};

}  // namespace

unsigned MathGlyphCharacter(const char* glyphName) {
    if (!glyphName) return 0;
    static const std::unordered_map<std::string_view, unsigned> byName = [] {
        std::unordered_map<std::string_view, unsigned> names;
        for (const NamedGlyph& g : kMathNames) names.emplace(g.name, g.u);
        return names;
    }();
    auto found = byName.find(glyphName);
    return found == byName.end() ? 0 : found->second;
}

unsigned DoubleStruck(unsigned letter) {
    switch (letter) {
        case 'C': return 0x2102;
        case 'H': return 0x210D;
        case 'N': return 0x2115;
        case 'P': return 0x2119;
        case 'Q': return 0x211A;
        case 'R': return 0x211D;
        case 'Z': return 0x2124;
        default: break;
    }
    if (letter >= 'A' && letter <= 'Z') return 0x1D538 + (letter - 'A');
    return letter;
}

bool IsBlackboardFace(const std::string& fontName) {
    std::string lower = fontName;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("msbm") != std::string::npos || lower.find("bbold") != std::string::npos ||
           lower.find("dsrom") != std::string::npos;
}

unsigned NegatedRelation(unsigned u) {
    for (const Negation& n : kNegations)
        if (n.plain == u) return n.negated;
    return 0;
}

bool IsNegationSlash(unsigned u) { return u == 0x0338 || u == 0x29F8; }
