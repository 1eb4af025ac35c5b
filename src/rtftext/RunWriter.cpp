// Runs as RTF character groups.
#include <cstdio>
#include <functional>

#include "rtftext/RunWriter.h"
#include "rtf/CRtfFontTable.h"
#include "rtf/CRtfXmlText.h"
#include "rtf/RtfColorData.h"
#include "rtf/TextEdit.h"

namespace {

const std::string kUnicodeWord = "\\uc1\\u";

std::string UnicodeEscape(long codePoint) {
    return kUnicodeWord + std::to_string(codePoint) + "X";
}

// The extraction writes a wide character as its code point, but an RTF reader
// takes the number as a signed 16-bit value: characters from U+8000 on are
// written negative, and those beyond U+FFFF as a surrogate pair.
// `covering` names the font entry to set a character in when the run's face has no
// glyph for it (-1: the run's own).
std::string SixteenBitEscapes(const std::string& text, const std::function<int(long)>& covering) {
    std::string out;
    size_t p = 0;
    while (true) {
        size_t e = text.find(kUnicodeWord, p);
        if (e == std::string::npos) break;
        size_t digits = e + kUnicodeWord.size();
        size_t end = digits;
        while (end < text.size() && end - digits < 8 && text[end] >= '0' && text[end] <= '9') ++end;
        if (end == digits || end >= text.size() || text[end] != 'X') {
            out.append(text, p, digits - p);
            p = digits;
            continue;
        }
        long cp = std::stol(text.substr(digits, end - digits));
        out.append(text, p, e - p);
        std::string escape;
        if (cp > 0xFFFF && cp <= 0x10FFFF) {
            long v = cp - 0x10000;
            escape = UnicodeEscape(0xD800 + (v >> 10) - 0x10000) + UnicodeEscape(0xDC00 + (v & 0x3FF) - 0x10000);
        } else if (cp > 0x7FFF && cp <= 0xFFFF) {
            escape = UnicodeEscape(cp - 0x10000);
        } else {
            escape.assign(text, e, end + 1 - e);
        }
        const int font = covering ? covering(cp) : -1;
        out += font >= 0 ? "{\\f" + std::to_string(font) + " " + escape + "}" : escape;
        p = end + 1;
    }
    out.append(text, p, std::string::npos);
    return out;
}

// Backslashes of the source are doubled; the brace and Unicode escapes made on the way stay single.
std::string EscapeRunText(std::string text, const std::function<int(long)>& covering) {
    ReplaceAll(text, "\\", "\\\\");
    ReplaceAll(text, "\\\\{", "\\{");
    ReplaceAll(text, "\\\\}", "\\}");
    ReplaceAll(text, "\\\\uc1\\\\u", "\\uc1\\u");
    return SixteenBitEscapes(text, covering);
}

// The faces that show the run's characters its own face has no glyph for.
std::function<int(long)> CoveringFonts(const TextRun& run) {
    const CRtfFontTable* fonts = run.owner ? run.owner->fonts : nullptr;
    if (!fonts || fonts->covering.empty()) return {};
    const int entry = run.fontIndex;
    return [fonts, entry](long cp) { return fonts->CoveringEntry(entry, static_cast<unsigned>(cp)); };
}

struct StyleWord {
    uint8_t bit;
    const char* on;
    const char* off;
};
constexpr StyleWord kStyleWords[] = {
    {kStyleBold, "\\b ", "\\b0 "},
    {kStyleItalic, "\\i ", "\\i0 "},
    {kStyleUnderline, "\\ul ", "\\ul0 "},
    {kStyleShadow, "\\shad ", "\\shad0 "}};

// An index the document's tables do not hold would name a colour or font the
// RTF never declared: write the first entry instead.
unsigned CheckedIndex(int index, size_t count) {
    return index >= 0 && static_cast<size_t>(index) < count ? static_cast<unsigned>(index) : 0u;
}

}  // namespace

std::string WriteRun(const TextRun& run, int8_t raise) {
    if (run.text.empty()) return {};
    std::string escaped = EscapeRunText(run.text, CoveringFonts(run));
    std::string prefix, suffix;
    for (const StyleWord& w : kStyleWords)
        if (run.style & w.bit) {
            prefix += w.on;
            suffix += w.off;
        }
    while (!prefix.empty() && prefix.back() == ' ') prefix.pop_back();

    const CRtfXmlText* owner = run.owner;
    unsigned colour = owner && owner->colours ? CheckedIndex(run.colorIndex, owner->colours->entries.size()) : 0u;
    unsigned font = owner && owner->fonts ? CheckedIndex(run.fontIndex, owner->fonts->entries.size())
                                          : static_cast<unsigned>(run.fontIndex < 0 ? 0 : run.fontIndex);
    const unsigned size = run.fontSize * 2u, scale = run.hScale;
    char head[160];
    if (raise == 0)
        std::snprintf(head, sizeof head, "\\fs%u\\cf%u\\f%u\\charscalex%u", size, colour, font, scale);
    else
        std::snprintf(head, sizeof head, "\\fs%u\\up%d\\cf%u\\f%u\\charscalex%u", size + 5, raise / 2, colour, font, scale);
    return std::string(head) + prefix + " {" + escaped + "}" + suffix;
}

std::string WritePlainRun(const TextRun& run) {
    if (run.text.empty()) return {};
    const CRtfXmlText* owner = run.owner;
    unsigned font = owner && owner->fonts ? CheckedIndex(run.fontIndex, owner->fonts->entries.size())
                                          : static_cast<unsigned>(run.fontIndex < 0 ? 0 : run.fontIndex);
    char head[32];
    std::snprintf(head, sizeof head, "\\f%u {", font);
    return head + EscapeRunText(run.text, CoveringFonts(run)) + "}";
}

std::string WriteRuns(const RunList& runs, int8_t raise) {
    std::string out;
    for (const auto& run : runs) out += WriteRun(*run, raise);
    return out;
}

std::string WritePlainRuns(const RunList& runs) {
    std::string out;
    for (const auto& run : runs) out += WritePlainRun(*run);
    return out;
}
