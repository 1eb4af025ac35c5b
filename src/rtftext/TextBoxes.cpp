// Text boxes for "AS IS" and the widths of their words.
#include "rtftext/TextBoxes.h"

#include <algorithm>
#include <cstdio>

#include "platform/FontCatalog.h"
#include "rtf/CRtfDocument.h"
#include "rtf/CRtfPage.h"
#include "rtf/TextMeasure.h"
#include "rtftext/RunWriter.h"

namespace {

// Width measurements are taken at one large size and scaled: exact enough, and the
// face cache keeps it.
constexpr int kMeasureEm = 512;

// A box that neither fills nor outlines its place, nor wraps its words: whatever the
// source painted under the text stays visible, and the words stay on one line.
const char* const kBoxProperties[][2] = {
    {"shapeType", "202"}, {"fFilled", "0"},     {"fLine", "0"},        {"dxTextLeft", "0"},
    {"dyTextTop", "0"},   {"dxTextRight", "0"}, {"dyTextBottom", "0"}, {"WrapText", "2"},
    {"fAllowOverlap", "1"}, {"fLayoutInCell", "1"},
};

const std::string* FaceOf(const CRtfXmlText& item) {
    CRtfDocument* document = item.page ? item.page->document : nullptr;
    const CRtfFontTable* fonts = FontsOf(document, item);
    FontEntry* entry = fonts ? fonts->FindEntry(item.fontIndex) : nullptr;
    return entry && !entry->name.empty() ? &entry->name : nullptr;
}

// Width in twips of a text set in the face at a size; 0 when the face does not resolve.
double TextTwips(const std::string& face, int size, uint8_t style, uint8_t scale, const std::string& text) {
    if (text.empty()) return 0;
    platform::TextExtent e =
        platform::MeasureText(face, kMeasureEm, style & kStyleBold, style & kStyleItalic, text, true);
    return e.width * size * 20.0 / kMeasureEm * (scale ? scale : 100) / 100.0;
}

// Characters of a run as the reader counts them: escaped braces are one each.
int CharacterCount(const std::string& plain) {
    int n = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == '\\' && i + 1 < plain.size() && (plain[i + 1] == '{' || plain[i + 1] == '}')) ++i;
        ++n;
    }
    return n;
}

}  // namespace

std::string TextShapeHead(const RtfRect& r, int id) {
    char head[200];
    std::snprintf(head, sizeof head,
                  "{\\shp{\\*\\shpinst\\shpleft%d\\shptop%d\\shpright%d\\shpbottom%d\\shpbxpage\\shpbypage\\shpwr3"
                  "\\shpfblwtxt0\\shpz%d\\shplid%d",
                  r.left, r.top, r.right, r.bottom, id, id);
    return head;
}

std::string TextBox(const RtfRect& r, int id, const std::string& text, TextFlow flow, int rotation) {
    std::string out = TextShapeHead(r, id);
    for (const auto& p : kBoxProperties) out += std::string("{\\sp{\\sn ") + p[0] + "}{\\sv " + p[1] + "}}";
    // A level box grows downwards with its text; a box whose text runs along the page
    // is made long enough, and would otherwise grow across it.
    out += std::string("{\\sp{\\sn fFitShapeToText}{\\sv ") + (flow == TextFlow::Level ? "1" : "0") + "}}";
    if (flow != TextFlow::Level) out += "{\\sp{\\sn txflTextFlow}{\\sv " + std::to_string(static_cast<int>(flow)) + "}}";
    if (rotation != 0) out += "{\\sp{\\sn rotation}{\\sv " + std::to_string(rotation * 65536) + "}}";
    out += "{\\shptxt \\pard\\plain\\ql " + text + "\\par}}}\n";
    return out;
}

int ClampedTwips(double twips) {
    if (!(twips > 0)) return 0;
    return static_cast<int>(std::min(twips, 2.0e9));
}

int NextTextBoxId(const CRtfXmlText& item) {
    return item.page && item.page->document ? item.page->document->shapeIds.NextTextShape() : 1;
}

std::string CharacterSpacing(long twips) {
    // \expnd counts quarter points for the readers that know no \expndtw.
    return "\\expnd" + std::to_string(twips / 5) + "\\expndtw" + std::to_string(twips);
}

RunsExtent MeasureItemRuns(CRtfXmlText& item) {
    RunsExtent m;
    const std::string* face = FaceOf(item);
    if (!face) return m;
    m.known = true;
    for (const auto& run : item.runs) {
        // Characters beyond the face's 8-bit codes are measured as placeholders of a
        // guessed width: not good enough to set words by.
        if (run->text.find("\\uc1\\u") != std::string::npos) m.known = false;
        const std::string& plain = PlainText(*run, run->fontSize);
        const double w = TextTwips(*face, run->fontSize, run->style, run->hScale, plain);
        if (w <= 0 && !plain.empty()) m.known = false;
        m.twips += w;
        m.characters += CharacterCount(plain);
    }
    return m;
}

double LineHeightTwips(const CRtfXmlText& item) {
    const std::string* face = FaceOf(item);
    const TextRun* run = item.runs.empty() ? nullptr : item.runs.front().get();
    if (!face || !run) return 0;
    const bool bold = run->style & kStyleBold, italic = run->style & kStyleItalic;
    platform::TextExtent e = platform::MeasureText(*face, kMeasureEm, bold, italic, "x");
    return e.height * run->fontSize * 20.0 / kMeasureEm;
}

double BlankTwips(const CRtfXmlText& item) {
    const std::string* face = FaceOf(item);
    const TextRun* run = item.runs.empty() ? nullptr : item.runs.back().get();
    if (!face) return 0;
    return TextTwips(*face, run ? run->fontSize : item.fontSize, run ? run->style : 0, run ? run->hScale : 100, " ");
}

std::string Blank(const CRtfXmlText& item, long spacing, int scale) {
    const TextRun* run = item.runs.empty() ? nullptr : item.runs.back().get();
    if (!run) return "{" + CharacterSpacing(spacing) + "  }";
    TextRun blank = *run;
    blank.text = " ";
    if (scale != 100) {
        const long current = blank.hScale ? blank.hScale : 100;
        blank.hScale = static_cast<uint8_t>(std::clamp(current * scale / 100, 1L, 255L));
    }
    return "{" + CharacterSpacing(spacing) + WriteRun(blank, 0) + "}";
}
