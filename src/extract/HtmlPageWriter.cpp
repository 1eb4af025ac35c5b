// The body of one page: fontspec lines of the fonts new on the page, the margin
// line, and the text elements built from abutting runs.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "extract/HtmlPageBuffer.h"
#include "extract/XmlValueFormat.h"

using xmlvalue::Round;
using xmlvalue::Truncate;

namespace {

// A text state value x 1000 as the tag prints it; a value that is not finite (a
// broken content stream) prints as 0 so that the tag keeps its number syntax.
double Milli(double v) { return std::isfinite(v) ? v * 1000 : 0.0; }

std::string DataTag(const HtmlTextRun& run, const HtmlFont& font) {
    // Absurd values print in full: up to about 310 digits each.
    char buf[2048];
    const auto& s = run.state;
    // hScal is printed unsigned like the margins; going through int keeps a
    // mirrored (negative) scaling defined.
    std::snprintf(buf, sizeof buf,
                  "<data cSpace=\"%+07.2f\" wSpace=\"%+08.2f\" hScal=\"%03u\" style=\"%01u\" cRise=\"%+08.2f\" "
                  "cLeading=\"%+08.2f\">",
                  Milli(s.charSpace), Milli(s.wordSpace), static_cast<unsigned>(Truncate(s.horizScaling * 100)),
                  font.style(), Milli(s.rise), Milli(s.leading));
    return buf;
}

struct Element {
    int left = 0, top = 0, height = 0, font = 0, direction = 0;
    double xMin = 0, xMax = 0;
    std::string tag;
    const HtmlLink* link = nullptr;
    std::string content;

    int width() const { return xmlvalue::WrittenWidth(xMin, xMax); }
};

void Flush(Element& e, std::string& out) {
    if (e.link) e.content += kLinkEnd;
    char buf[256];
    std::snprintf(buf, sizeof buf, "<text top=\"%d\" left=\"%d\" ", e.top, e.left);
    out += buf;
    std::snprintf(buf, sizeof buf, "width=\"%d\" height=\"%d\" ", e.width(), e.height);
    out += buf;
    std::snprintf(buf, sizeof buf, "font=\"%d\" direction=\"%d\" toc=\"%d\" Angle=\"%d\">\n", e.font, e.direction, 0, 0);
    out += buf;
    out += e.tag;
    out += e.content;
    out += "\n</text>\n";
}

Element Start(const HtmlTextRun& r, std::string tag) {
    Element e;
    e.left = Round(r.xMin);
    e.top = Round(r.yMin);
    e.height = Round(r.yMax - r.yMin);
    e.xMin = r.xMin;
    e.xMax = r.xMax;
    e.font = r.fontIndex;
    e.direction = r.direction;
    e.tag = std::move(tag);
    e.link = r.link;
    if (e.link) {
        e.content = kLinkStart;
        e.content += e.link->getTarget();
        e.content += kLinkMiddle;
    }
    e.content += r.escapedText;
    return e;
}

}  // namespace

std::string HtmlPageBuffer::pageBody() const {
    std::string out;
    for (int i = firstNewFont; i < fonts.size(); ++i) {
        out += '\t';
        out += fonts.fontspecLine(i);
        out += '\n';
    }
    if (runs.empty()) return out;

    std::string text;
    auto it = runs.begin();
    const HtmlTextRun& first = *it;
    std::string previousTag = DataTag(first, fonts.get(first.fontIndex));
    Element e = Start(first, previousTag);
    double minLeft = first.xMin, minTop = first.yMin, maxRight = first.xMax, maxBottom = first.yMax;
    auto extend = [&](const HtmlTextRun& r) {
        minLeft = std::min(minLeft, r.xMin);
        minTop = std::min(minTop, r.yMin);
        maxRight = std::max(maxRight, r.xMax);
        maxBottom = std::max(maxBottom, r.yMax);
    };
    for (++it; it != runs.end(); ++it) {
        const HtmlTextRun& r = *it;
        std::string tag = DataTag(r, fonts.get(r.fontIndex));
        bool joins = !r.afterBreak && tag == previousTag && Round(r.yMin) == e.top && r.fontIndex == e.font &&
                     Round(r.yMax - r.yMin) == e.height && Round(r.xMin) == e.left + e.width();
        extend(r);
        if (joins) {
            e.xMax = r.xMax;
            if (e.link && !r.link) {
                e.content += kLinkEnd;
                e.link = nullptr;
            }
            e.content += r.escapedText;
        } else {
            Flush(e, text);
            e = Start(r, tag);
        }
        previousTag = std::move(tag);
    }
    Flush(e, text);

    minLeft = std::min(minLeft, 50.0);
    minTop = std::min(minTop, 50.0);
    double halfWidth = (pageWidth - (maxRight + 1)) / 2;
    double mright = halfWidth > 20 ? 10 : halfWidth * 0.5;
    int halfHeight = Truncate((pageHeight - (maxBottom + 1)) / 2);
    double mbottom = halfHeight > 20 ? 10 : halfHeight * 0.5;
    if (mbottom <= 0) mbottom = 0;
    int mtop = minTop > 0 ? Round(minTop) : 0;
    int mleft = minLeft > 0 ? Round(minLeft) : 0;
    // The values are printed unsigned: a negative right margin comes out as its
    // 32-bit two's complement, which the reader saturates.
    char buf[160];
    std::snprintf(buf, sizeof buf, "<margin mleft=\"%04u\" mtop=\"%04u\" mbottom=\"%04u\" mright=\"%04u\">\n",
                  static_cast<unsigned>(mleft), static_cast<unsigned>(mtop),
                  static_cast<unsigned>(Truncate(mbottom)), static_cast<unsigned>(Truncate(mright)));
    out += buf;
    out += text;
    return out;
}

void HtmlPageBuffer::writePage(FILE* file, int) const {
    std::string body = pageBody();
    std::fwrite(body.data(), 1, body.size(), file);
}
