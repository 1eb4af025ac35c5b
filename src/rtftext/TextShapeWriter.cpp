// A text item rotated against its page, written as a turned text box at its place.
#include <cstdio>

#include "rtf/CRtfXmlText.h"
#include "rtf/CRtfDocument.h"
#include "rtf/CRtfPage.h"
#include "rtftext/RunWriter.h"
#include "rtftext/TextShapeWriter.h"
#include "layout/TextShapeRect.h"
#include "rtftext/Hyperlinks.h"

namespace {

// A text box carries the words as text. A word-art shape would be the other way to
// turn them, but LibreOffice (which makes our DOC, DOCX and ODT) draws one either as
// a box filled with the text colour or as outlines: the words would be in no result.
// The box neither wraps nor clips its words, and grows to hold them where a
// substituted face runs wider than the source's. It lies in front, as the other
// text does: behind the text it would sit under the page's own fills and
// pictures (a chart's turned axis label under the chart's background).
const char* const kShapeProperties[][2] = {
    {"fBehindDocument", "0"}, {"shapeType", "202"}, {"fFlipH", "0"}, {"fFlipV", "0"}, {"rotation", nullptr},
    {"fFilled", "0"},         {"fLine", "0"},       {"dxTextLeft", "0"}, {"dyTextTop", "0"}, {"dxTextRight", "0"},
    {"dyTextBottom", "0"},    {"WrapText", "2"}, {"fFitShapeToText", "1"}, {"fAllowOverlap", "1"},
};

// The box before its turn: a quarter turn about the centre gives the rectangle the
// turned words cover. Readers that do not turn text boxes still show the words,
// level, across the middle of that place.
RtfRect UnturnedBox(const RtfRect& covered, int degrees) {
    if (degrees != 90 && degrees != 270) return covered;
    const long long cx = (static_cast<long long>(covered.left) + covered.right) / 2;
    const long long cy = (static_cast<long long>(covered.top) + covered.bottom) / 2;
    const long long halfWidth = covered.Height() / 2, halfHeight = covered.Width() / 2;
    return {static_cast<int>(cx - halfWidth), static_cast<int>(cy - halfHeight), static_cast<int>(cx + halfWidth),
            static_cast<int>(cy + halfHeight)};
}

}  // namespace

std::string WriteTextShape(CRtfXmlText& item, TextShapeChain& chain) {
    RtfRect covered = TextShapeRect(item, chain);
    if (covered.Empty()) return {};
    int id = item.page->document ? item.page->document->shapeIds.NextTextShape() : 1;
    // Degrees clockwise, as the shape reads them; the angle counts the other way.
    int degrees = ((360 - ShapeAngle(item)) % 360 + 360) % 360;
    const RtfRect box = UnturnedBox(covered, degrees);
    char head[256];
    std::snprintf(head, sizeof head,
                  "\n{\\shp{\\*\\shpinst\\shpleft%d\\shptop%d\\shpright%d\\shpbottom%d\\shpbxpage\\shpbypage\\shpwr3"
                  "\\shpfblwtxt0\\shpz%d\\shplid%d\n",
                  box.left, box.top, box.right, box.bottom, id, id);
    std::string out = head;
    for (const auto& p : kShapeProperties) {
        const std::string value = p[1] ? std::string(p[1]) : std::to_string(degrees * 65536);
        out += std::string("{\\sp{\\sn ") + p[0] + "}{\\sv " + value + "}}\n";
    }
    out += "{\\shptxt \\pard\\plain " + WriteRuns(item.runs, 0) + "\\par}}}\n";
    return ApplyLinks(item, out);
}
