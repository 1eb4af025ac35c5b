#pragma once
// What the table finder's steps hand one another: rules joined from the page's rule
// pieces, rows of text, whitespace channels, and a table's grid before its cells are filled.
#include <cstddef>
#include <optional>
#include <vector>

#include "layout/PageTable.h"
#include "rtf/CRtfXmlText.h"
#include "rtf/RecordedGraphics.h"

namespace tablefind {

// Pieces closer than this across a rule are one rule: producers round their coordinates.
constexpr int kSnap = 2;
// A rule reaching this close to another counts as meeting it.
constexpr int kTouch = 4;

// Collinear rule pieces joined across small gaps.
struct RuleLine {
    bool horizontal = true;
    int position = 0;       // y of a horizontal rule, x of a vertical one
    int from = 0, to = 0;   // its extent along itself
    int widthTwips = 0;
    int colour = 0;
    std::vector<size_t> pieces;  // indices into the page's rule pieces
};

std::vector<RuleLine> JoinRuleLines(const std::vector<RulePiece>& rules);

// Rules that may frame one table: horizontals and verticals that meet, and stacks of
// parallel rules of one length standing near one another.
struct RuleCluster {
    std::vector<const RuleLine*> horizontals, verticals;
};
std::vector<RuleCluster> ClusterRules(const std::vector<RuleLine>& lines);

// Items whose vertical extents mostly overlap, left to right.
struct TextRow {
    int top = 0, bottom = 0;
    std::vector<CRtfXmlText*> items;
};
std::vector<TextRow> TextRows(std::vector<CRtfXmlText*> items);
// The rows' items whose centre lies inside box; rows left empty are dropped.
std::vector<TextRow> RowsInBox(const std::vector<TextRow>& rows, const RtfRect& box);

// A horizontal stretch free of text in every row of a block.
struct Channel {
    int left = 0, right = 0;
};
// Gaps at least minGap wide between the united horizontal extents of the intervals.
std::vector<Channel> GapsBetween(std::vector<std::pair<int, int>> intervals, int minGap);
std::vector<Channel> RowChannels(const std::vector<TextRow>& rows, int minGap);
// Edges from the block's outer extent and the middle of each channel.
std::vector<int> EdgesFromChannels(const std::vector<TextRow>& rows, const std::vector<Channel>& channels);
// Edges around and between text rows; a rule lying between two rows takes the middle's place.
std::vector<int> EdgesFromRows(const std::vector<TextRow>& rows, const std::vector<int>& ruleRows);

// Whether the columns read as running text rather than cells: lines that fill a wide
// measure again and again.
bool ColumnsHoldProse(const std::vector<TextRow>& rows, const std::vector<int>& columnEdges);

// A grid ready to be filled. Along a dimension whose edges came from rules, a grid line
// missing across a cell merges the cells on both sides.
struct GridDraft {
    std::vector<int> columnEdges, rowEdges;
    bool columnsFromRules = false, rowsFromRules = false;
    bool ruled = false;
};

// The table over the draft: cells, spans, items, borders, grounds and alignment. items
// are all the page's items still free; those inside the grid are taken.
PageTable FillTable(const GridDraft& draft, const std::vector<CRtfXmlText*>& items,
                    const std::vector<RuleLine>& lines, const std::vector<RulePiece>& rules);

// Whether the table's text fills a grid: two rows and two columns at least, every
// column, most cells, and most rows with cells side by side; not a list's numbers.
bool HoldsTextGrid(const PageTable& table);


// The grid a cluster of rules frames over the page's text rows, when it frames a table.
std::optional<GridDraft> RuledGrid(const RuleCluster& cluster, const std::vector<TextRow>& rows);

// Tables standing in aligned text without rules.
std::vector<GridDraft> FindBorderlessGrids(const std::vector<TextRow>& rows);

int CentreX(const CRtfXmlText* item);
int CentreY(const CRtfXmlText* item);

}  // namespace tablefind
