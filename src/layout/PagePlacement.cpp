// The placement check of a new item against the lines already on the page:
// overprinted copies are refused, pieces overlapping a line's segment merge
// into that line, everything else is accepted.
#include <algorithm>

#include "layout/PageLayout.h"
#include "layout/RunFit.h"
#include "rtf/CRtfDocument.h"

namespace {

constexpr float kAcceptedOverlap = 0.6f;
constexpr double kOverprintShare = 0.55;

int HorizontalOverlap(const RtfRect& a, const RtfRect& b) {
    return std::max(0, std::min(a.right, b.right) - std::max(a.left, b.left));
}

int VerticalOverlap(const RtfRect& a, const RtfRect& b) {
    return std::max(0, std::min(a.bottom, b.bottom) - std::max(a.top, b.top));
}

enum class Decision { Undecided, Accept, Refuse, Merge, MergeOwnBox };

}  // namespace

bool PageLayout::ContainmentTest(CRtfXmlText* item, CRtfXmlText* other) {
    RtfRect i = item->box.Intersect(other->box);
    if (!(i == item->box || i == other->box) || item->rotation != other->rotation) return false;
    MeasureAndFix(page.document, *item);
    MeasureAndFix(page.document, *other);
    RtfRect j = item->box.Intersect(other->box);
    return j == item->box || j == other->box;
}

bool PageLayout::OverprintTest(CRtfXmlText* item, CRtfXmlText* other) {
    RtfRect i = item->box.Intersect(other->box);
    if (i.Empty() || i.Area() / item->box.Area() <= kOverprintShare) return false;
    MeasureAndFix(page.document, *item);
    MeasureAndFix(page.document, *other);
    RtfRect j = item->box.Intersect(other->box);
    return !j.Empty() && j.Area() / item->box.Area() > kOverprintShare;
}

void PageLayout::MergeBefore(CRtfXmlText* head, CRtfXmlText* item, size_t segment, bool withOwnBox) {
    flow.Remove(item);
    auto& segs = *head->segments;
    CRtfXmlText* s = segs[segment];
    segs.insert(segs.begin() + static_cast<std::ptrdiff_t>(segment), item);
    item->lineBox = item->lineBox.Union(withOwnBox ? item->box : s->box);
}

bool PageLayout::AddText(CRtfXmlText* item, bool& merged) {
    merged = false;
    RtfRect& nb = item->box;
    if (nb.Height() == 0) MeasureAndFix(page.document, *item);
    if (nb.Width() == 0) return true;
    auto outside = [&] {
        return static_cast<unsigned>(nb.bottom) > static_cast<unsigned>(page.Height()) ||
               static_cast<unsigned>(nb.right) > static_cast<unsigned>(page.Width());
    };
    if (outside()) {
        MeasureAndFix(page.document, *item);
        // Words that start on the page are kept, cut to it: a long link running past
        // the page's edge, set wider still in a substituted face, was lost whole.
        const bool startsOnPage = nb.left >= 0 && nb.top >= 0 && nb.left < page.Width() && nb.top < page.Height();
        if (outside() && !startsOnPage) return false;
        nb.right = std::min(nb.right, std::max(page.Width(), nb.left + 1));
        nb.bottom = std::min(nb.bottom, std::max(page.Height(), nb.top + 1));
    }
    if (flow.lines.empty()) return true;

    float share = 0;
    auto overlapShare = [&](const RtfRect& i) {
        share += static_cast<float>(i.Area() / nb.Area());
        return share;
    };
    for (CRtfXmlText* head : flow.lines) {
        if (head->rotation != item->rotation) continue;
        if (ContainmentTest(item, head) || OverprintTest(item, head)) return false;
        RtfRect i = nb.Intersect(head->box);
        if (!i.Empty() && i.right == nb.right) return true;
        if (!i.Empty() && i.right < nb.right) {
            if (overlapShare(i) > kAcceptedOverlap) return i.Height() < head->lineBox.Height();
            if (!head->HasSegments()) return true;
        }
        if (!head->HasSegments()) continue;

        const int lineHeight = head->lineBox.Height();
        std::vector<CRtfXmlText*>& segs = *head->segments;
        for (size_t k = 0; k < segs.size(); ++k) {
            CRtfXmlText* s = segs[k];
            if (ContainmentTest(item, s) || OverprintTest(item, s)) return false;
            RtfRect j = nb.Intersect(s->box);
            Decision decision = Decision::Undecided;
            if (!j.Empty() && j.right == nb.right) {
                if (overlapShare(j) > kAcceptedOverlap) {
                    decision = j.Height() < lineHeight ? Decision::Accept : Decision::Refuse;
                } else if (static_cast<double>(j.Height()) / nb.Height() < 0.3) {
                    decision = Decision::Accept;
                } else {
                    double x = HorizontalOverlap(s->box, nb);
                    if (x / nb.Width() > 0.7 || x / s->box.Width() > 0.7) decision = Decision::Accept;
                    else decision = Decision::Merge;
                }
            } else if (!j.Empty() && j.right < nb.right) {
                if (overlapShare(j) > kAcceptedOverlap) decision = j.Height() < lineHeight ? Decision::Accept : Decision::Refuse;
            } else if (j.Empty() && nb.right <= s->box.left && nb.right > head->lineBox.left) {
                double v = static_cast<double>(VerticalOverlap(nb, head->lineBox)) / nb.Height();
                if (share < 0.7f) {
                    if (v <= 0.6) decision = Decision::Accept;
                } else if (v <= 0.5 && share >= 0) {
                    decision = Decision::MergeOwnBox;
                }
            }
            switch (decision) {
                case Decision::Accept: return true;
                case Decision::Refuse: return false;
                case Decision::Merge:
                case Decision::MergeOwnBox:
                    MergeBefore(head, item, k, decision == Decision::MergeOwnBox);
                    merged = true;
                    return false;
                case Decision::Undecided: break;
            }
        }
        return true;
    }
    return true;
}

void PageLayout::PlaceItems(std::vector<std::unique_ptr<CRtfXmlText>> items) {
    for (auto& item : items) {
        bool merged = false;
        const bool accepted = AddText(item.get(), merged);
        // A piece merged into a line is given no page: what the writers make of it depends on that.
        if (merged) {
            page.items.push_back(std::move(item));
            continue;
        }
        if (!accepted) continue;
        item->page = &page;
        if (!flow.Add(*this, item.get())) continue;
        page.items.push_back(std::move(item));
    }
}
