// Thin horizontal rules lying under text become the text's underline.
#include <algorithm>
#include <cstdlib>

#include "rtf/CRtfXmlText.h"
#include "layout/PageLayout.h"
#include "layout/RuleUnderline.h"

namespace {

// How far the rule's ends may stand from the line's ends.
constexpr int kEndTolerance = 5;
// How much wider than a piece its rule may be.
constexpr int kWidthTolerance = 50;

bool MarkRuns(CRtfXmlText& item) {
    bool marked = false;
    for (const auto& run : item.runs) {
        run->style |= kStyleUnderline;
        marked = true;
    }
    return marked;
}

// An underline lies below the baseline, in the descenders' quarter of the box: a
// rule through or over the glyphs (a title bar's edge, a strike) underlines nothing.
bool UnderTheBaseline(const RtfRect& piece, const RtfRect& rule) {
    return rule.top >= piece.bottom - std::max(2, piece.Height() / 4);
}

bool Covers(const RtfRect& piece, const RtfRect& rule) {
    RtfRect under = piece.Intersect(rule);
    return std::abs(piece.Width() - under.Width()) <= kWidthTolerance;
}

}  // namespace

bool PageLayout::UnderlineFromRule(RtfRect rule) {
    if (rule.Height() < 0 || rule.Height() > 1) return false;
    if (rule.Height() == 0) rule.top -= 1;
    if (sortedLines.empty()) return false;
    for (CRtfXmlText* line : sortedLines)
        if (line->lineBox.bottom >= rule.top && UnderlineCheck(*line, rule)) return true;
    return false;
}

bool UnderlineCheck(CRtfXmlText& item, const RtfRect& rule) {
    RtfRect i = item.lineBox.Intersect(rule);
    if (i.Empty() || std::abs(i.left - rule.left) > kEndTolerance || std::abs(i.right - rule.right) > kEndTolerance ||
        i.top != rule.top)
        return false;
    bool marked = false;
    bool examineSegments = true;
    RtfRect j = item.box.Intersect(rule);
    if (!j.Empty()) {
        if (Covers(item.box, rule) && UnderTheBaseline(item.box, rule)) marked = MarkRuns(item);
        // A rule reaching past the head's end runs under the pieces beside it too:
        // underlining the head alone would lose the rest of the underline.
        examineSegments = !item.box.Contains(j.left, j.bottom) || rule.right > item.box.right;
    }
    if (examineSegments && item.segments) {
        for (CRtfXmlText* s : *item.segments) {
            if (s->box.Intersect(rule).Empty()) continue;
            if (Covers(s->box, rule) && UnderTheBaseline(s->box, rule)) marked = MarkRuns(*s) || marked;
            if (s->box.Contains(j.left, j.bottom)) break;
        }
    }
    return marked;
}
