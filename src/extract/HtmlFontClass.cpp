// The kind of type of a PDF font, read from its name, its embedded sfnt
// program and its descriptor.
#include "extract/HtmlFontClass.h"

#include <GfxFont.h>
#include <Object.h>

#include <algorithm>
#include <cctype>
#include <span>

#include "extract/EmbeddedFont.h"

namespace {

bool HasAny(std::string_view text, std::span<const std::string_view> parts) {
    return std::any_of(parts.begin(), parts.end(), [&](std::string_view p) { return text.find(p) != text.npos; });
}

// Checked before the sans words: "Letter Gothic" and "Lucida Sans Typewriter" are typewriter faces.
constexpr std::string_view kMonoWords[] = {
    "mono", "cour", "consolas", "typewriter", "cmtt", "lmtt", "inconsolata", "menlo", "monaco",
    "lucidaconsole", "lucida console", "lettergothic", "letter gothic", "fixedsys", "ocr-", "ocra", "ocrb",
    "sftt", "ectt"};
// Checked before the serif words: "Sans Serif", "Century Gothic", "Franklin Gothic Book".
constexpr std::string_view kSansWords[] = {
    "sans", "grotesk", "grotesque", "gothic", "helv", "arial", "gill", "franklin", "futura", "verdana",
    "tahoma", "calibri", "carlito", "segoe", "trebuchet", "univers", "frutiger", "myriad", "avenir", "optima",
    "avantgarde", "avant garde", "akzidenz", "swiss", "nimbussan", "cmss", "lmss", "kakugo", "kaku", "dotum",
    "gulim", "roboto", "lato", "corbel", "candara", "eurostile", "geneva", "lucidagrande", "meiryo", "arimo",
    "selawik", "microsoft yahei", "microsoftyahei", "simhei", "heiti", "ubuntu", "montserrat", "raleway",
    "oswald", "sfsx", "sfss", "ecss"};
constexpr std::string_view kSerifWords[] = {
    "serif", "times", "garamond", "georgia", "cambria", "caladea", "palatino", "palladio", "bookman", "antiqua",
    "minion", "caslon", "bodoni", "century", "baskerville", "schoolbook", "charter", "utopia", "goudy", "sabon",
    "plantin", "perpetua", "rockwell", "constantia", "cheltenham", "tinos", "nimbusrom", "lmroman", "mincho",
    "batang", "simsun", "songti", "p052", "c059", "tiro", "cmr", "cmbx", "cmti", "cmsl", "sfrm", "sfbx", "sfti", "sfbi",
    "sfsl", "sfcc", "ecrm", "ecbx", "ecti"};
constexpr std::string_view kCondensedWords[] = {"condensed", "narrow", "compressed", "cond"};

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The fonts' own flags, where the PDF gives a descriptor: Poppler reports a
// serif font for one that has none, which says nothing here.
HtmlFontClass FontClassFromDescriptor(const EmbeddedFont& embedded) {
    HtmlFontClass c;
    const GfxFont::Stretch stretch = embedded.font.getStretch();
    c.condensed = stretch != GfxFont::StretchNotDefined && stretch < GfxFont::Normal;
    Object descriptor = embedded.Descriptor();
    Object flagsValue = descriptor.isDict() ? descriptor.dictLookup("Flags") : Object(objNull);
    if (!flagsValue.isInt()) return c;
    const int flags = flagsValue.getInt();
    constexpr int kFixedPitch = 1, kSerif = 2, kSymbolic = 4, kScript = 8, kNonsymbolic = 32;
    if (flags & kFixedPitch) c.kind = FaceKind::Mono;
    else if (flags & kSerif) c.kind = FaceKind::Serif;
    // A text font that claims no serifs is a sans; symbolic fonts (TeX's among them) say nothing by leaving the flag out.
    else if ((flags & kNonsymbolic) && !(flags & (kSymbolic | kScript))) c.kind = FaceKind::Sans;
    return c;
}

}  // namespace

std::string FontClassValue(HtmlFontClass fontClass) {
    static const char* const kKinds[] = {"", "serif", "sans", "mono"};
    std::string value = kKinds[static_cast<int>(fontClass.kind)];
    if (fontClass.condensed) value += value.empty() ? "condensed" : "-condensed";
    return value;
}

HtmlFontClass FontClassFromValue(std::string_view value) {
    HtmlFontClass c;
    if (value.starts_with("serif")) c.kind = FaceKind::Serif;
    else if (value.starts_with("sans")) c.kind = FaceKind::Sans;
    else if (value.starts_with("mono")) c.kind = FaceKind::Mono;
    c.condensed = value.ends_with("condensed");
    return c;
}

HtmlFontClass FontClassFromName(std::string_view name) {
    // A subset prefix ("ABCDEF+") could hold any letters.
    if (name.size() > 7 && name[6] == '+') name.remove_prefix(7);
    const std::string lower = Lower(name);
    const size_t styleStart = lower.find_first_of("-,");
    const std::string_view family = std::string_view(lower).substr(0, styleStart);
    const std::string_view style = styleStart == lower.npos ? std::string_view() : std::string_view(lower).substr(styleStart);
    HtmlFontClass c;
    if (HasAny(lower, kMonoWords)) c.kind = FaceKind::Mono;
    else if (HasAny(lower, kSansWords)) c.kind = FaceKind::Sans;
    // "Roman" names a style too ("Frutiger-Roman"): a serif only in the family part.
    else if (HasAny(lower, kSerifWords) || family.find("roman") != family.npos) c.kind = FaceKind::Serif;
    // "Cn" is the condensed of the style part of many PostScript names ("HelveticaNeue-BoldCn").
    c.condensed = HasAny(lower, kCondensedWords) || style.ends_with("cn") || style.find("cn-") != style.npos;
    return c;
}

HtmlFontClass FontClassFromProgram(const std::vector<unsigned char>& program) {
    HtmlFontClass c;
    const std::span<const unsigned char> os2 = Os2Table(program);
    // Through the ten PANOSE bytes, which start at 32.
    if (os2.size() < 42) return c;
    const unsigned widthClass = SfntU16(os2, 6);
    const unsigned familyClass = os2[30];
    const unsigned char* panose = os2.data() + 32;
    // PANOSE for Latin text: serif style 11 to 13 are the sans styles; proportion 9 is monospaced.
    const bool latinText = panose[0] == 2;
    if (latinText && panose[3] == 9) c.kind = FaceKind::Mono;
    else if (familyClass == 8) c.kind = FaceKind::Sans;
    else if ((familyClass >= 1 && familyClass <= 5) || familyClass == 7) c.kind = FaceKind::Serif;
    else if (latinText && panose[1] >= 11 && panose[1] <= 13) c.kind = FaceKind::Sans;
    else if (latinText && panose[1] >= 2 && panose[1] <= 10) c.kind = FaceKind::Serif;
    // Width classes 1 to 4 run from ultra- to semi-condensed; PANOSE proportion 6 and 8 are the condensed ones.
    c.condensed = (widthClass >= 1 && widthClass <= 4) || (latinText && (panose[3] == 6 || panose[3] == 8));
    return c;
}

HtmlFontClass FontClassOf(EmbeddedFont& embedded) {
    GfxFont& font = embedded.font;
    // A Type 3 font draws its glyphs as pictures: neither its name nor its descriptor speaks of a kind of type.
    if (font.getType() == fontType3) return {};
    const HtmlFontClass fromName = font.getName() ? FontClassFromName(*font.getName()) : HtmlFontClass{};
    const std::vector<unsigned char>* program = embedded.Program();
    const HtmlFontClass fromProgram = program ? FontClassFromProgram(*program) : HtmlFontClass{};
    const HtmlFontClass fromDescriptor = FontClassFromDescriptor(embedded);
    HtmlFontClass c;
    // A monospace is one whatever else is said; a program that states its class knows best, then the name.
    for (const HtmlFontClass& source : {fromName, fromProgram, fromDescriptor})
        if (source.kind == FaceKind::Mono) c.kind = FaceKind::Mono;
    for (const HtmlFontClass& source : {fromProgram, fromName, fromDescriptor})
        if (c.kind == FaceKind::Unknown) c.kind = source.kind;
    c.condensed = fromName.condensed || fromProgram.condensed || fromDescriptor.condensed;
    return c;
}
