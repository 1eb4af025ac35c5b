// Runs as RTF character groups.
#include <cstdio>

#include "rtf/CRtfFont.h"
#include "rtf/CRtfXmlText.h"
#include "rtf/RtfColorData.h"
#include "rtf/TextEdit.h"

namespace {

// Backslashes of the source are doubled; the brace and Unicode escapes made on the way stay single.
std::string EscapeRunText(std::string text) {
    ReplaceAll(text, "\\", "\\\\");
    ReplaceAll(text, "\\\\{", "\\{");
    ReplaceAll(text, "\\\\}", "\\}");
    ReplaceAll(text, "\\\\uc1\\\\u", "\\uc1\\u");
    return text;
}

struct StyleWord {
    uint8_t bit;
    const char* on;
    const char* off;
};
constexpr StyleWord kStyleWords[] = {
    {0x01, "\\b ", "\\b0 "}, {0x02, "\\i ", "\\i0 "}, {0x04, "\\ul ", "\\ul0 "}, {0x40, "\\shad ", "\\shad0 "}};

// An index the document's tables do not hold would name a colour or font the
// RTF never declared: write the first entry instead.
unsigned CheckedIndex(int index, size_t count) {
    return index >= 0 && static_cast<size_t>(index) < count ? static_cast<unsigned>(index) : 0u;
}

}  // namespace

template <typename Tag>
std::string TRtfWord<Tag>::WriteRun(int8_t raise) const {
    if (text.empty()) return {};
    std::string escaped = EscapeRunText(text);
    std::string prefix, suffix;
    for (const StyleWord& w : kStyleWords)
        if (style & w.bit) {
            prefix += w.on;
            suffix += w.off;
        }
    while (!prefix.empty() && prefix.back() == ' ') prefix.pop_back();

    unsigned colour = owner && owner->colours ? CheckedIndex(colorIndex, owner->colours->Count()) : 0u;
    unsigned font = owner && owner->fonts ? CheckedIndex(fontIndex, owner->fonts->entries.Count())
                                          : static_cast<unsigned>(fontIndex < 0 ? 0 : fontIndex);
    char head[160];
    if (raise == 0)
        std::snprintf(head, sizeof head, "\\fs%u\\cf%u\\f%u\\charscalex%u", fontSize * 2u, colour, font, unsigned{hScale});
    else
        std::snprintf(head, sizeof head, "\\fs%u\\up%d\\cf%u\\f%u\\charscalex%u", fontSize * 2u + 5, raise / 2, colour,
                      font, unsigned{hScale});
    return std::string(head) + prefix + " {" + escaped + "}" + suffix;
}

template <typename Tag>
std::string TRtfWord<Tag>::WritePlainRun() const {
    if (text.empty()) return {};
    unsigned font = owner && owner->fonts ? CheckedIndex(fontIndex, owner->fonts->entries.Count())
                                          : static_cast<unsigned>(fontIndex < 0 ? 0 : fontIndex);
    char head[32];
    std::snprintf(head, sizeof head, "\\f%u {", font);
    return head + EscapeRunText(text) + "}";
}

std::string CRtfSentence::WriteRuns(int8_t raise) const {
    std::string out;
    for (CRtfWord* run : *this) out += run->WriteRun(raise);
    return out;
}

std::string CRtfSentence::WritePlainRuns() const {
    std::string out;
    for (CRtfWord* run : *this) out += run->WritePlainRun();
    return out;
}

std::string CRtfSentence::RunText() const {
    std::string out;
    for (CRtfWord* run : *this) out += run->text;
    return out;
}

template class TRtfWord<void>;
