// Installed faces through fontconfig, extents through FreeType. Faces are opened
// once per (name, style) and kept; every measurement is computed afresh.
#include "platform/FontCatalog.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <array>
#include <bitset>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace platform {
namespace {

// Family names compare as fontconfig compares them: without case and blanks.
bool SameFamily(const FcChar8* a, const FcChar8* b) {
    for (;;) {
        while (*a == ' ') ++a;
        while (*b == ' ') ++b;
        if (!*a || !*b) return !*a && !*b;
        if (std::tolower(*a) != std::tolower(*b)) return false;
        ++a;
        ++b;
    }
}

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// The family list fontconfig builds for a name: the name, then the families its
// configuration binds to it, then the generic fallbacks it appends.
Pattern SubstitutedPattern(const std::string& family, bool bold, bool italic) {
    Pattern pattern(FcPatternCreate());
    if (!pattern) return nullptr;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

Pattern BestMatch(const Pattern& pattern) {
    FcResult result;
    return Pattern(FcFontMatch(nullptr, pattern.get(), &result));
}

struct FaceKey {
    std::string name;  // lower case
    bool bold;
    bool italic;
    bool operator<(const FaceKey& o) const {
        return std::tie(name, bold, italic) < std::tie(o.name, o.bold, o.italic);
    }
};

// FreeType faces are not safe to use from two threads at once, and the worker
// and the user interface may both measure: one lock guards the library, the
// cache and every face in it.
class FaceCache {
public:
    ~FaceCache() {
        for (auto& [key, face] : faces_)
            if (face) FT_Done_Face(face);
        if (library_) FT_Done_FreeType(library_);
    }

    std::mutex& Lock() { return mutex_; }

    // The face for (name, style), opened on first use; null when none resolves.
    FT_Face Face(const std::string& name, bool bold, bool italic) {
        std::string lower = name;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        FaceKey key{lower, bold, italic};
        auto it = faces_.find(key);
        if (it != faces_.end()) return it->second;
        FT_Face face = Open(name, bold, italic);
        faces_.emplace(key, face);
        return face;
    }

    // What a face measures at one pixel height. Layouts measure the same words in
    // the same few sizes over and over; FreeType is asked once per character.
    struct Sized {
        bool ok = false;  // the face takes this size
        int height = 0;
        std::array<FT_Pos, 256> advance{};  // 26.6 pixels, per Latin-1 character
        std::bitset<256> known;
    };
    Sized& SizedFace(FT_Face face, int pixelHeight);
    static Sized& SetUp(Sized& sized, FT_Face face, int pixelHeight);

private:
    FT_Face Open(const std::string& name, bool bold, bool italic) {
        if (!library_ && FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            return nullptr;
        }
        Pattern pattern = SubstitutedPattern(name, bold, italic);
        if (!pattern) return nullptr;
        Pattern match = BestMatch(pattern);
        if (!match) return nullptr;
        FcChar8* file = nullptr;
        int index = 0;
        FT_Face face = nullptr;
        if (FcPatternGetString(match.get(), FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
            if (FT_New_Face(library_, reinterpret_cast<const char*>(file), index, &face) != 0) face = nullptr;
        }
        if (face && !FT_IS_SCALABLE(face)) {
            FT_Done_Face(face);
            face = nullptr;
        }
        if (face && FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0 && face->num_charmaps > 0)
            FT_Set_Charmap(face, face->charmaps[0]);  // symbol faces: their own code table
        return face;
    }

    std::mutex mutex_;
    FT_Library library_ = nullptr;
    std::map<FaceKey, FT_Face> faces_;
    std::map<std::pair<FT_Face, int>, Sized> sized_;
};

FaceCache& Cache() {
    static FaceCache cache;
    return cache;
}

// Glyph of a Latin-1 character; symbol faces keep their glyphs at U+F000 and up.
FT_UInt GlyphOf(FT_Face face, unsigned char c) {
    FT_UInt glyph = FT_Get_Char_Index(face, c);
    if (glyph == 0 && face->charmap && face->charmap->encoding == FT_ENCODING_MS_SYMBOL)
        glyph = FT_Get_Char_Index(face, 0xF000u + c);
    return glyph;
}

// Ascent and descent in font units, as a screen device reports them for a face:
// the Windows metrics of the OS/2 table when the face has them, else its own.
void VerticalMetrics(FT_Face face, long& ascent, long& descent) {
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFFu && (os2->usWinAscent || os2->usWinDescent)) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    } else {
        ascent = face->ascender;
        descent = face->descender < 0 ? -face->descender : face->descender;
    }
}

}  // namespace

bool FontFamilyKnown(const std::string& family) { return MatchFamily(family).named; }

FamilyMatch MatchFamily(const std::string& family) {
    FamilyMatch found;
    if (family.empty()) return found;
    Pattern pattern = SubstitutedPattern(family, false, false);
    if (!pattern) return found;
    Pattern match = BestMatch(pattern);
    if (!match) return found;
    FcChar8* picked = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &picked) == FcResultMatch)
        found.family = reinterpret_cast<const char*>(picked);
    int spacing = FC_PROPORTIONAL, width = FC_WIDTH_NORMAL;
    FcPatternGetInteger(match.get(), FC_SPACING, 0, &spacing);
    FcPatternGetInteger(match.get(), FC_WIDTH, 0, &width);
    found.monospace = spacing == FC_MONO || spacing == FC_CHARCELL;
    found.condensed = width < FC_WIDTH_NORMAL;
    FcPatternIter it;
    if (!FcPatternFindIter(pattern.get(), &it, FC_FAMILY)) return found;
    // Known when the face fontconfig picks carries the name itself or a family
    // its configuration binds strongly to the name (the metric-compatible
    // aliases); the generic fallbacks it appends are bound weakly, and a face
    // reached only through them means fontconfig does not know the name.
    const int count = FcPatternIterValueCount(pattern.get(), &it);
    for (int i = 0; i < count && !found.named; ++i) {
        FcValue wanted;
        FcValueBinding binding;
        if (FcPatternIterGetValue(pattern.get(), &it, i, &wanted, &binding) != FcResultMatch) break;
        if (binding == FcValueBindingWeak) break;
        if (wanted.type != FcTypeString) continue;
        FcChar8* have = nullptr;
        for (int j = 0; FcPatternGetString(match.get(), FC_FAMILY, j, &have) == FcResultMatch; ++j)
            if (SameFamily(wanted.u.s, have)) {
                // A face may carry several families ("DejaVu Sans", "DejaVu Sans Condensed"): the one asked for.
                found.family = reinterpret_cast<const char*>(have);
                found.named = true;
                break;
            }
    }
    return found;
}

std::string FamilyWithCharacter(const std::string& family, unsigned codePoint) {
    // Asked for every character beyond the code page of a document: the answers are kept.
    static std::mutex lock;
    static std::map<std::string, FcCharSet*> charsets;  // the coverage of the face each family resolves to
    static std::map<unsigned, std::string> covering;    // the first face that has a character
    std::lock_guard<std::mutex> hold(lock);
    auto known = charsets.find(family);
    if (known == charsets.end()) {
        FcCharSet* set = nullptr;
        if (Pattern pattern = SubstitutedPattern(family, false, false))
            if (Pattern match = BestMatch(pattern)) {
                FcCharSet* found = nullptr;
                if (FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &found) == FcResultMatch) set = FcCharSetCopy(found);
            }
        known = charsets.emplace(family, set).first;
    }
    if (known->second && FcCharSetHasChar(known->second, codePoint)) return family;
    auto answer = covering.find(codePoint);
    if (answer != covering.end()) return answer->second;
    std::string name;
    Pattern pattern(FcPatternCreate());
    FcCharSet* wanted = FcCharSetCreate();
    if (pattern && wanted && FcCharSetAddChar(wanted, codePoint)) {
        FcPatternAddCharSet(pattern.get(), FC_CHARSET, wanted);
        FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
        FcDefaultSubstitute(pattern.get());
        if (Pattern match = BestMatch(pattern)) {
            FcCharSet* has = nullptr;
            FcChar8* found = nullptr;
            if (FcPatternGetCharSet(match.get(), FC_CHARSET, 0, &has) == FcResultMatch && FcCharSetHasChar(has, codePoint) &&
                FcPatternGetString(match.get(), FC_FAMILY, 0, &found) == FcResultMatch)
                name = reinterpret_cast<const char*>(found);
        }
    }
    if (wanted) FcCharSetDestroy(wanted);
    covering.emplace(codePoint, name);
    return name;
}

TextExtent MeasureText(const std::string& face, int pixelHeight, bool bold, bool italic, const std::string& text,
                       bool kerned) {
    if (face.empty() || pixelHeight <= 0) return {};
    FaceCache& cache = Cache();
    std::lock_guard<std::mutex> lock(cache.Lock());
    FT_Face ft = cache.Face(face, bold, italic);
    if (!ft) return {};

    // Sizes beyond any real text are measured afresh rather than kept: a damaged
    // file may ask for thousands of them.
    constexpr int kLargestKeptSize = 512;
    FaceCache::Sized fresh;
    FaceCache::Sized& sized =
        pixelHeight <= kLargestKeptSize ? cache.SizedFace(ft, pixelHeight) : FaceCache::SetUp(fresh, ft, pixelHeight);
    if (!sized.ok) return {};
    TextExtent extent;
    extent.height = sized.height;
    FT_Pos advance = 0;  // 26.6 pixels
    bool sizeSet = false;
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (!sized.known[code]) {
            // Another size may have been set since: this one again before loading.
            if (!sizeSet) sizeSet = FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(pixelHeight)) == 0;
            const bool loaded =
                sizeSet && FT_Load_Glyph(ft, GlyphOf(ft, code), FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) == 0;
            sized.advance[code] = loaded ? ft->glyph->advance.x : 0;
            sized.known[code] = sizeSet;
        }
        advance += sized.advance[code];
    }
    if (kerned && FT_HAS_KERNING(ft) && text.size() > 1) {
        if (!sizeSet) sizeSet = FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(pixelHeight)) == 0;
        FT_UInt previous = GlyphOf(ft, static_cast<unsigned char>(text[0]));
        for (size_t i = 1; sizeSet && i < text.size(); ++i) {
            const FT_UInt glyph = GlyphOf(ft, static_cast<unsigned char>(text[i]));
            FT_Vector kerning{};
            if (previous && glyph && FT_Get_Kerning(ft, previous, glyph, FT_KERNING_UNFITTED, &kerning) == 0)
                advance += kerning.x;
            previous = glyph;
        }
    }
    extent.width = static_cast<int>((advance + 32) >> 6);
    return extent;
}

FaceCache::Sized& FaceCache::SizedFace(FT_Face face, int pixelHeight) {
    auto [it, added] = sized_.try_emplace({face, pixelHeight});
    return added ? SetUp(it->second, face, pixelHeight) : it->second;
}

FaceCache::Sized& FaceCache::SetUp(Sized& sized, FT_Face face, int pixelHeight) {
    // A negative character height asks for the em square at that many pixels.
    sized.ok = FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) == 0;
    if (!sized.ok) return sized;
    long ascent = 0, descent = 0;
    VerticalMetrics(face, ascent, descent);
    const double scale = static_cast<double>(pixelHeight) / face->units_per_EM;
    sized.height = static_cast<int>(std::lround(ascent * scale) + std::lround(descent * scale));
    return sized;
}

}  // namespace platform

#if defined(__SANITIZE_ADDRESS__)
// fontconfig 2.14 loses a few blocks while it parses its configuration files,
// once per process: not ours to free, and every program that asks fontconfig
// anything would otherwise fail its leak check. (Its frames carry no frame
// pointers, so the library is all a leak report can name; the patterns this
// file makes are owned by Pattern and cannot leak unseen.)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif
