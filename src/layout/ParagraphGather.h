#pragma once
// The lines of a flowing column gathered into the paragraphs they were set as, so
// that a user's edit re-flows the paragraph: one column, one size, one pitch, edges
// that agree, and every line but the last running out to the measure.
#include <string>
#include <vector>

#include "layout/Column.h"
#include "rtf/CRtfXmlText.h"

enum class ParagraphAlign { Left, Justified, Centred, Right };

// How one line goes on into the next inside a paragraph.
enum class LineEnd {
    Blank,        // a word ends the line: a blank stands between the lines
    HealedSplit,  // a word split by a hyphen: written whole, with an optional hyphen at the split
    KeptHyphen,   // a word whose own hyphen fell at the line end ("well-known"): no blank after it
};

struct ColumnParagraph {
    std::vector<CRtfXmlText*> lines;  // line heads, top to bottom
    std::vector<LineEnd> ends;        // one fewer than lines: how each line joins the next
    ParagraphAlign align = ParagraphAlign::Left;
    int firstLeft = 0;  // where the first line starts (XML units)
    int left = 0;       // where the other lines start
    int right = 0;      // the measure's right edge
    int pitch = 0;      // from one line's top to the next; 0 for a paragraph of one line
};

// The column's lines as paragraphs, in order; every line is in exactly one.
std::vector<ColumnParagraph> GatherParagraphs(const Column& column);
