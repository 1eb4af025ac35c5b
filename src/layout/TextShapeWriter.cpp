// A text item rotated against its page, written as a word-art text shape at its place.
#include <cstdio>

#include "layout/CRtfXmlText.h"
#include "rtf/CRtfDocument.h"
#include "rtf/CRtfFont.h"
#include "rtf/CRtfPage.h"
#include "rtf/RtfColorData.h"

namespace {

const char* const kShapeProperties[][2] = {
    {"fBehindDocument", "1"}, {"ShapeType", "136"}, {"fFlipH", "0"}, {"fFlipV", "0"}, {"Rotation", nullptr},
    {"gTextUNICODE", nullptr}, {"gtextFont", nullptr}, {"fGtext", "1"}, {"gtextFVertical", "0"},
    {"gtextFKern", "1"}, {"gtextFTight", "0"}, {"gtextFStretch", "1"}, {"gtextFShrinkFit", "0"},
    {"gtextFBestFit", "0"}, {"gtextFNormalize", "0"}, {"gtextFDxMeasure", "0"}, {"gtextFBold", "0"},
    {"gtextFItalic", "0"}, {"gtextFUnderline", "0"}, {"gtextFShadow", "0"}, {"gtextFSmallcaps", "0"},
    {"gtextFStrikethrough", "0"}, {"fColumnLineOK", "0"}, {"fillColor", nullptr},
    {"fRecolorFillAsPicture", "0"}, {"fUseShapeAnchor", "0"}, {"fFilled", "1"}, {"fHitTestFill", "1"},
    {"fillShape", "1"}, {"fillUseRect", "0"}, {"fLineUseShapeAnchor", "0"}, {"fLine", "0"},
    {"shadowColor", "8816262"}, {"fShadow", "0"}, {"fshadowObscured", "0"}, {"fc3DConstrainRotation", "1"},
    {"fc3DRotationCenterAuto", "1"}, {"fAllowOverlap", "1"},
};

// An index outside the lists (a font id the XML never declared) takes the first entry.
long FillColour(const CRtfXmlText& item) {
    if (!item.colours) return 0;
    const RtfColorData* c = item.colours->At(static_cast<size_t>(item.colorIndex));
    if (item.colorIndex < 0 || !c) c = item.colours->First();
    return c ? c->red + 256L * c->green + 65536L * c->blue : 0;
}

std::string FontName(const CRtfXmlText& item) {
    if (!item.fonts) return {};
    const TRtfFontData* f = item.fonts->entries.At(static_cast<size_t>(item.fontIndex));
    if (item.fontIndex < 0 || !f) f = item.fonts->entries.First();
    return f ? f->name : std::string();
}

}  // namespace

std::string CRtfXmlText::WriteTextShape() {
    RtfRect rect = TextShapeRect();
    if (rect.Empty()) return {};
    int id = page->document ? page->document->shapeIds.NextTextShape() : 1;
    // Degrees clockwise, as the shape reads them; the angle counts the other way.
    int degrees = ((360 - ShapeAngle()) % 360 + 360) % 360;
    char head[256];
    std::snprintf(head, sizeof head,
                  "\n{\\shp{\\*\\shpinst\\shpleft%d\\shptop%d\\shpright%d\\shpbottom%d\\shpbxpage\\shpbypage\\shpwr3"
                  "\\shpfblwtxt1\\shpz0\\shplid%d\n",
                  rect.left, rect.top, rect.right, rect.bottom, id);
    const std::string values[] = {std::to_string(degrees * 65536), runs.WriteRuns(0), FontName(*this),
                                  std::to_string(FillColour(*this))};
    std::string out = head;
    size_t next = 0;
    for (const auto& p : kShapeProperties) {
        const std::string value = p[1] ? std::string(p[1]) : values[next++];
        out += std::string("{\\sp{\\sn ") + p[0] + "}{\\sv " + value + "}}\n";
    }
    out.back() = '}';
    out += "}\n";
    return ApplyLinks(out);
}
