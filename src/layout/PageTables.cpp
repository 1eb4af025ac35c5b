// The page's tables taken out of its lines: their items are written as cells, and
// a line that crossed a table's edge keeps only what lies outside it.
#include <algorithm>
#include <unordered_set>

#include "layout/PageLayout.h"

namespace {

// The line's items that no table took, as a line of their own: the first of them
// leads it, the rest stay its segments in their order.
CRtfXmlText* RemainingLine(CRtfXmlText* head, const std::unordered_set<CRtfXmlText*>& inTable) {
    std::vector<CRtfXmlText*> items{head};
    if (head->segments) items.insert(items.end(), head->segments->begin(), head->segments->end());
    std::erase_if(items, [&](CRtfXmlText* item) { return inTable.contains(item); });
    if (items.empty()) return nullptr;
    CRtfXmlText* lead = items.front();
    if (lead != head) lead->segments.reset();
    lead->lineBox = lead->box;
    if (items.size() > 1) {
        lead->segments.emplace(items.begin() + 1, items.end());
        for (const CRtfXmlText* s : *lead->segments) lead->lineBox = lead->lineBox.Union(s->box);
    } else {
        lead->segments.reset();
    }
    return lead;
}

}  // namespace

void PageLayout::TakeTables(std::vector<std::unique_ptr<PageTable>> found) {
    if (found.empty()) return;
    std::unordered_set<CRtfXmlText*> inTable;
    for (const auto& table : found)
        for (const TableCell& cell : table->cells) inTable.insert(cell.items.begin(), cell.items.end());
    std::vector<CRtfXmlText*> kept;
    for (CRtfXmlText* head : flow.lines)
        if (CRtfXmlText* line = RemainingLine(head, inTable)) kept.push_back(line);
    flow.lines = std::move(kept);
    // A cell's items are written one by one; as lines they would carry their neighbours along.
    for (CRtfXmlText* item : inTable) {
        item->segments.reset();
        item->lineBox = item->box;
    }
    for (auto& table : found) tables.push_back(std::move(table));
    std::stable_sort(tables.begin(), tables.end(),
                     [](const auto& a, const auto& b) { return a->Box().top < b->Box().top; });
}
