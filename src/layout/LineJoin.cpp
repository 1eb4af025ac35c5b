// Joining an item to the line of a line head.
#include "rtf/CRtfXmlText.h"
#include "layout/LineJoin.h"

namespace {

double Ratio(int a, int b) { return static_cast<double>(a) / static_cast<double>(b); }

// Farthest a piece may stand from the line and still belong to it.
constexpr int kJoinReach = 30;

}  // namespace

JoinOutcome JoinLine(CRtfXmlText& head, CRtfXmlText* item) {
    RtfRect& lb = head.lineBox;
    RtfRect& nb = item->box;
    const int nh = nb.Height();
    const std::vector<CRtfXmlText*> none;
    const std::vector<CRtfXmlText*>& segs = head.segments ? *head.segments : none;

    if (lb.top >= nb.bottom || nb.top >= lb.bottom)
        return lb.top >= nb.bottom ? JoinOutcome::Above : JoinOutcome::BelowOrFarLeft;
    if (nb.top <= lb.top && nb.bottom <= lb.bottom) {
        int d = nb.bottom - lb.top;
        if (Ratio(d, nh) < 0.3) {
            nb.bottom = lb.top;
            return JoinOutcome::Above;
        }
        if (Ratio(nb.bottom - head.box.top, nh) < 0.3) return JoinOutcome::Overlapping;
        for (CRtfXmlText* s : segs)
            if (Ratio(nb.bottom - s->box.top, nh) < 0.3 && s->box.right >= nb.left) return JoinOutcome::Overlapping;
    } else if ((nb.top < lb.top && nb.bottom > lb.bottom) || (nb.top > lb.top && nb.bottom < lb.bottom)) {
        // Taller than the line, or inside it: decided by the horizontal test alone.
    } else {
        int d = lb.bottom - nb.top;
        double r = Ratio(d, nh);
        if (r > 0.6) {
            if (Ratio(d, lb.Height()) < 0.2) return JoinOutcome::BelowOrFarLeft;
        } else if (r < 0.3) {
            return JoinOutcome::Overlapping;
        } else {
            int c = (nb.top + nb.bottom) / 2;
            if ((lb.right >= nb.right && c > lb.bottom) || (nb.left < lb.right && lb.right < nb.right && c > lb.bottom))
                return JoinOutcome::Overlapping;
            const int below = head.box.bottom - nb.top;
            if (Ratio(below, nh) < 0.3 || Ratio(below, head.box.Height()) < 0.3) return JoinOutcome::Overlapping;
            for (CRtfXmlText* s : segs)
                if (Ratio(s->box.bottom - nb.top, nh) < 0.31 && s->box.right >= nb.left) return JoinOutcome::Overlapping;
        }
    }

    const RtfRect& extent = head.HasSegments() ? lb : head.box;
    const int x0 = extent.left, x1 = extent.right;
    if (nb.left < x0) {
        if (x0 - nb.left > kJoinReach && nb.Intersect(lb).Empty() && x0 - nb.right > kJoinReach)
            return JoinOutcome::BelowOrFarLeft;
    } else if (nb.left - x1 > kJoinReach) {
        return JoinOutcome::Overlapping;
    }
    if (!head.segments) head.segments.emplace();
    head.segments->push_back(item);
    lb = lb.Union(nb);
    return JoinOutcome::Joined;
}

void AbsorbLine(CRtfXmlText& head, CRtfXmlText* line, bool atFront) {
    if (!head.segments) head.segments.emplace();
    if (atFront) head.segments->insert(head.segments->begin(), line);
    else head.segments->push_back(line);
    if (line->segments) {
        head.segments->insert(head.segments->end(), line->segments->begin(), line->segments->end());
        line->segments->clear();
    }
    head.lineBox = head.lineBox.Union(line->lineBox);
}
