#pragma once
// Tables drawn as producers draw them, for the table tests: text in cells, rules
// on every grid line or only some, merged cells, shaded cells, a thick frame; and
// the rows and cells read back from an RTF or from LibreOffice's HTML.
#include <string>
#include <vector>

namespace testpdf {

enum class TableRules { All, HorizontalOnly, VerticalOnly, HeaderOnly, None };

struct TableSpec {
    std::vector<double> columns{72, 222, 342, 462};  // grid lines, left to right (points)
    double top = 700;                                 // the top grid line (PDF y, upward)
    double rowHeight = 20;
    // Row by row; an empty text leaves the cell empty. A cell whose text is "<" is
    // covered by the cell to its left, "^" by the cell above: no rule between them.
    std::vector<std::vector<std::string>> cells;
    TableRules rules = TableRules::All;
    double ruleWidth = 0.5;
    double frameWidth = 0;      // a frame of its own around the table when > 0
    int shadedRow = -1;         // every cell of this row filled light grey
    bool rulesAsFills = false;  // rules drawn as thin filled rectangles
    // Columns from this one on hold numbers set flush right.
    size_t firstNumberColumn = 1;
    // Their headings too, as tables without rules set them to stand over their figures.
    bool headingsFlushRight = false;
};

// The content stream of the table, in F1 (Helvetica) at 10 points.
std::string TableContent(const TableSpec& spec);
// The fruit table: a header and three rows of three columns.
TableSpec FruitTable();

// The rows of the RTF's tables, each a list of its cells' visible words.
std::vector<std::vector<std::string>> RtfTableRows(const std::string& rtf);
// The rows of an HTML document's tables, each a list of its cells' text.
std::vector<std::vector<std::string>> HtmlTableRows(const std::string& html);

}  // namespace testpdf
