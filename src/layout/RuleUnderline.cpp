// Thin horizontal rules lying under text become the text's underline.
#include <cstdlib>

#include "layout/CRtfXmlText.h"
#include "rtf/CRtfPage.h"

namespace {

// How far the rule's ends may stand from the line's ends.
constexpr int kEndTolerance = 5;
// How much wider than a piece its rule may be.
constexpr int kWidthTolerance = 50;

bool MarkRuns(CRtfXmlText& item) {
    bool marked = false;
    for (CRtfWord* run : item.runs) {
        run->style |= 0x04;
        marked = true;
    }
    return marked;
}

bool Covers(const RtfRect& piece, const RtfRect& rule) {
    RtfRect under = piece.Intersect(rule);
    return std::abs(piece.Width() - under.Width()) <= kWidthTolerance;
}

}  // namespace

bool CRtfPage::UnderlineFromRule(RtfRect rule) {
    if (rule.Height() < 0 || rule.Height() > 1) return false;
    if (rule.Height() == 0) rule.top -= 1;
    if (sortedLines.empty()) return false;
    for (CRtfXmlText* line : sortedLines)
        if (line->lineBox.bottom >= rule.top && line->UnderlineCheck(rule)) return true;
    return false;
}

bool CRtfXmlText::UnderlineCheck(const RtfRect& rule) {
    RtfRect i = lineBox.Intersect(rule);
    if (i.Empty() || std::abs(i.left - rule.left) > kEndTolerance || std::abs(i.right - rule.right) > kEndTolerance ||
        i.top != rule.top)
        return false;
    bool marked = false;
    bool examineSegments = true;
    RtfRect j = box.Intersect(rule);
    if (!j.Empty()) {
        if (Covers(box, rule)) marked = MarkRuns(*this);
        // A rule reaching past the head's end runs under the pieces beside it too:
        // underlining the head alone would lose the rest of the underline.
        examineSegments = !box.Contains(j.left, j.bottom) || rule.right > box.right;
    }
    if (examineSegments && segments) {
        for (CRtfXmlText* s : *segments) {
            if (s->box.Intersect(rule).Empty()) continue;
            if (Covers(s->box, rule)) marked = MarkRuns(*s) || marked;
            if (s->box.Contains(j.left, j.bottom)) break;
        }
    }
    return marked;
}
