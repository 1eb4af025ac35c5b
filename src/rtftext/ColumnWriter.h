#pragma once
// A column of a flowing page written as paragraphs, one a line.
#include <string>

class Column;
class PageLayout;
class CRtfXmlText;
struct ColumnParagraph;

// The column's lines, each a paragraph placed by its indent and exact spacing below fillers.
std::string WriteColumn(Column& column, PageLayout& layout);
// One line's paragraph in the column (none: a line of no column); the cursor (x, y)
// in XML units moves to the line's bottom.
std::string WriteLineParagraph(CRtfXmlText* head, int& x, int& y, PageLayout& layout, const Column* column = nullptr);
// Lines gathered into one paragraph that re-flows: its indents, the space above it,
// the source's pitch as its least line spacing, and its alignment.
std::string WriteParagraph(const ColumnParagraph& paragraph, int& x, int& y, PageLayout& layout, const Column& column);
// The runs of the column's lines as one paragraph's text, a blank between pieces that stand apart.
std::string RunsText(const Column& column);
