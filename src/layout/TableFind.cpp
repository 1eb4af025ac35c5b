// The table finder: ruled tables first (their rules are the surest sign), then
// borderless tables in the text left over, each item in one table at most.
#include "layout/TableFind.h"

#include <algorithm>

#include "layout/TableGeometry.h"

using namespace tablefind;

namespace {

std::vector<CRtfXmlText*> AllItems(const std::vector<CRtfXmlText*>& lines) {
    std::vector<CRtfXmlText*> items;
    for (CRtfXmlText* head : lines) {
        items.push_back(head);
        if (head->HasSegments()) items.insert(items.end(), head->segments->begin(), head->segments->end());
    }
    return items;
}

bool Overlaps(const RtfRect& box, const std::vector<std::unique_ptr<PageTable>>& tables) {
    return std::any_of(tables.begin(), tables.end(),
                       [&](const auto& t) { return !t->Box().Intersect(box).Empty(); });
}

// Keeps the table when it holds a grid of text and stands clear of those kept before;
// its items are then no longer free.
void Keep(const GridDraft& draft, std::vector<CRtfXmlText*>& free, const std::vector<RuleLine>& lines,
          const std::vector<RulePiece>& rules, std::vector<std::unique_ptr<PageTable>>& tables) {
    auto table = std::make_unique<PageTable>(FillTable(draft, free, lines, rules));
    if (!HoldsTextGrid(*table) || Overlaps(table->Box(), tables)) return;
    const RtfRect box = table->Box();
    std::erase_if(free, [&](const CRtfXmlText* item) { return box.Contains(CentreX(item), CentreY(item)); });
    tables.push_back(std::move(table));
}

}  // namespace

std::vector<std::unique_ptr<PageTable>> FindTables(const std::vector<CRtfXmlText*>& lines,
                                                   const std::vector<RulePiece>& rules) {
    std::vector<std::unique_ptr<PageTable>> tables;
    const std::vector<CRtfXmlText*> items = AllItems(lines);
    const std::vector<RuleLine> ruleLines = JoinRuleLines(rules);
    const std::vector<TextRow> rows = TextRows(items);
    std::vector<CRtfXmlText*> free = items;
    for (const RuleCluster& cluster : ClusterRules(ruleLines))
        if (std::optional<GridDraft> draft = RuledGrid(cluster, rows)) Keep(*draft, free, ruleLines, rules, tables);

    for (const GridDraft& draft : FindBorderlessGrids(TextRows(free))) Keep(draft, free, ruleLines, rules, tables);

    std::stable_sort(tables.begin(), tables.end(), [](const auto& a, const auto& b) {
        return a->Box().top != b->Box().top ? a->Box().top < b->Box().top : a->Box().left < b->Box().left;
    });
    return tables;
}
