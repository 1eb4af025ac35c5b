// Table rows from text positions: which lines qualify and their cells.
#include "layout/TableRow.h"

#include "rtf/CRtfXmlText.h"

namespace {

bool CentreWithin(const RtfRect& box, const RtfRect& span) {
    int centre = (box.left + box.right) / 2;
    return centre > span.left && centre <= span.right;
}

}  // namespace

CRtfXmlText* KeyPiece(const CRtfXmlText& head) {
    auto* key = const_cast<CRtfXmlText*>(&head);
    if (!head.segments) return key;
    for (CRtfXmlText* s : *head.segments)
        if (s->box.Height() <= key->box.Height()) key = s;
    return key;
}

bool IsTableRow(const CRtfXmlText& item) {
    if (!item.segments || item.segments->size() < 2) return false;
    const CRtfXmlText* key = KeyPiece(item);
    RtfRect span = key != &item ? key->box : item.segments->front()->box;
    for (const CRtfXmlText* s : *item.segments)
        if (s != key && s->box.Width() > span.Width()) span = s->box;
    int within = key != &item && CentreWithin(item.box, span) ? 1 : 0;
    for (const CRtfXmlText* s : *item.segments)
        if (s != key && CentreWithin(s->box, span) && ++within > 1) return true;
    return false;
}

TableRow::TableRow(CRtfXmlText& head, int top) {
    if (!head.segments || head.segments->size() < 2) return;
    items.push_back(&head);
    items.insert(items.end(), head.segments->begin(), head.segments->end());
    key = KeyPiece(head);
    rowTop = top;
    for (CRtfXmlText* x : items) {
        if (x == key) continue;
        if (stacks.empty() || !stacks.back()->AddLine(x)) {
            // A piece has no line box of its own: the stack starts from its box.
            auto stack = std::make_unique<Column>();
            stack->lines.push_back(x);
            stack->columnBox = x->box;
            stacks.push_back(std::move(stack));
        }
        cellBox = cellBox.Union(x->box);
    }
}

bool TableRow::Writable() const {
    if (!key || stacks.size() < 2) return false;
    const RtfRect& kb = key->box;
    return kb.left <= cellBox.left || kb.left >= cellBox.right;
}
