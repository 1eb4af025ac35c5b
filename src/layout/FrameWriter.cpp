// "AS IS": every item and each of its segments as a paragraph framed at its place on the page.
#include <algorithm>
#include <cstdio>

#include "layout/CRtfXmlText.h"
#include "rtf/RtfUnits.h"

namespace {

// Frames are a little larger than the source's boxes, so that a substituted face
// that runs a little wider still fits on one line.
constexpr double kFrameGrowth = 1.15;

// Items that start left of or above the page are placed at its edge: the frame
// words take no negative value.
unsigned FrameValue(int twips) { return static_cast<unsigned>(std::max(twips, 0)); }

// Links are resolved through the line head, the piece that knows its page.
std::string Frame(const CRtfXmlText& piece, const CRtfXmlText& head, const char* flow = "") {
    std::string text = piece.runs.WriteRuns(0);
    // In double precision: the edges of a hostile file's box may lie far apart.
    const RtfRect& b = piece.box;
    int h = ScaledToTwips((static_cast<double>(b.bottom) - b.top) * kFrameGrowth);
    int w = ScaledToTwips((static_cast<double>(b.right) - b.left) * kFrameGrowth);
    std::string out(text.size() + 160, '\0');
    int n = std::snprintf(out.data(), out.size(), "\\pard \\pvpg\\phpg\\posx%u\\posy%u\\absw%u\\absh%u%s\\nowrap %s\\par",
                          FrameValue(ToTwips(piece.box.left)), FrameValue(ToTwips(piece.box.top)), FrameValue(w),
                          FrameValue(h), flow, text.c_str());
    out.resize(static_cast<size_t>(std::max(n, 0)));
    return head.ApplyLinks(out);
}

}  // namespace

std::string CRtfXmlText::WriteFrame() {
    std::string out = Frame(*this, *this);
    if (segments)
        for (const CRtfXmlText* s : *segments) out += Frame(*s, *this);
    return out;
}

std::string CRtfXmlText::WriteVerticalFrame() { return Frame(*this, *this, "\\frmtxtbrlv"); }
