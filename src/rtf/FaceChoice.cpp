// Faces of the right kind: a sans stays a sans, a condensed face a condensed
// one, a monospace a monospace, when the PDF's own font is not installed.
#include <cctype>

#include "platform/FontCatalog.h"
#include "rtf/FontNameMapping.h"

namespace {

// The kind of an installed face: fontconfig's spacing, then the words of its family name.
HtmlFontClass ClassOfFace(const platform::FamilyMatch& face) {
    HtmlFontClass c = FontClassFromName(face.family);
    if (face.monospace) c.kind = FaceKind::Mono;
    c.condensed = c.condensed || face.condensed;
    return c;
}

bool Fits(const platform::FamilyMatch& face, HtmlFontClass wanted) {
    if (face.family.empty()) return false;
    const HtmlFontClass have = ClassOfFace(face);
    return (wanted.kind == FaceKind::Unknown || have.kind == wanted.kind) && have.condensed == wanted.condensed;
}

// The family part of a PostScript name: "ABCDEF+FranklinGothic-Demi,Bold" gives "FranklinGothic".
std::string OwnFamily(const std::string& value) {
    std::string name = CleanFaceName(value);
    return name.substr(0, name.find('-'));
}

bool SameIgnoringBlanks(const std::string& a, const std::string& b) {
    std::string x, y;
    for (char c : a)
        if (c != ' ') x += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char c : b)
        if (c != ' ') y += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return x == y;
}

// Faces of each class that Debian's font packages and other systems install,
// most widespread first; fontconfig's generic family of the class comes last.
std::string InstalledFaceOfClass(HtmlFontClass wanted) {
    static const char* const kSansCondensed[] = {"Liberation Sans Narrow", "DejaVu Sans Condensed",
                                                 "Nimbus Sans Narrow", "Arial Narrow", nullptr};
    static const char* const kSans[] = {"Liberation Sans", "DejaVu Sans", "Nimbus Sans", "Arial", nullptr};
    static const char* const kMono[] = {"Liberation Mono", "DejaVu Sans Mono", "Nimbus Mono PS", "Courier New", nullptr};
    static const char* const kSerifCondensed[] = {"DejaVu Serif Condensed", nullptr};
    static const char* const kSerif[] = {"Times New Roman", "Liberation Serif", "DejaVu Serif", nullptr};
    const char* const* candidates = kSerif;
    const char* generic = "serif";
    if (wanted.kind == FaceKind::Mono) candidates = kMono, generic = "monospace";
    else if (wanted.kind == FaceKind::Sans) candidates = wanted.condensed ? kSansCondensed : kSans, generic = "sans-serif";
    else if (wanted.kind == FaceKind::Serif && wanted.condensed) candidates = kSerifCondensed;
    for (const char* const* name = candidates; *name; ++name) {
        const platform::FamilyMatch face = platform::MatchFamily(*name);
        if (face.named && Fits(face, wanted)) return *name;
    }
    const platform::FamilyMatch face = platform::MatchFamily(generic);
    if (Fits(face, {wanted.kind, false})) return face.family;
    return "Times New Roman";
}

}  // namespace

std::string FaceForFont(const std::string& value, HtmlFontClass fontClass) {
    const std::string fromTable = CleanFaceName(NormaliseFamily(value));
    if (!fontClass.Known() || value.empty()) return fromTable;
    const platform::FamilyMatch tableFace = platform::MatchFamily(fromTable);
    if (FamilyRow(value).key[0] && tableFace.named && Fits(tableFace, fontClass)) return fromTable;
    const std::string own = OwnFamily(value);
    const platform::FamilyMatch face = platform::MatchFamily(own);
    if (Fits(face, fontClass)) {
        // Installed under the name itself: as the font system spells it; under a bound alias: the PDF's name,
        // which the reader's own system may have.
        if (face.named && !SameIgnoringBlanks(own, face.family)) return own;
        return face.family;
    }
    return InstalledFaceOfClass(fontClass);
}

std::string FontTableClass(const std::string& faceName) {
    std::string word = FamilyClass(faceName);
    if (!word.empty()) return word;
    const platform::FamilyMatch face = platform::MatchFamily(faceName);
    if (!face.named) return word;
    switch (ClassOfFace(face).kind) {
        case FaceKind::Serif: return "\\froman";
        case FaceKind::Sans: return "\\fswiss";
        case FaceKind::Mono: return "\\fmodern";
        case FaceKind::Unknown: break;
    }
    return word;
}
