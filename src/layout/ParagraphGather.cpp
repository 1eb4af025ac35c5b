// Lines into paragraphs: a line goes on into the next when nothing but the measure
// ended it.
#include "layout/ParagraphGather.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "layout/ListMarker.h"
#include "layout/TableRow.h"

namespace {

// A first-line indent or a hanging indent reaches at most this many ems.
constexpr int kIndentEms = 4;
constexpr int kNarrowestMeasureEms = 18;
// Lines further apart than this many ems (baseline to baseline some 1.2 ems in
// running text) have the space of a paragraph break between them.
constexpr double kWidestPitchEms = 1.5;

// The size the source set: the fitted one differs from line to line with the words.
int PointSize(const CRtfXmlText& line) {
    const int size = line.sourceSize != 0 ? line.sourceSize : line.fontSize;
    const int s = size & 0xFF;
    return s != 0 ? s : size;
}

// An em in XML units (1.5 a point).
int Em(const CRtfXmlText& line) { return std::max(1, PointSize(line) * 3 / 2); }

// The line's items left to right.
std::vector<const CRtfXmlText*> Items(const CRtfXmlText& head) {
    std::vector<const CRtfXmlText*> items{&head};
    if (head.segments) items.insert(items.end(), head.segments->begin(), head.segments->end());
    std::stable_sort(items.begin(), items.end(),
                     [](const CRtfXmlText* a, const CRtfXmlText* b) { return a->box.left < b->box.left; });
    return items;
}

// Where the column's full lines end: the longest lines reach it, a few protrude.
struct Measure {
    int left = 0, right = 0;
};

Measure ColumnMeasure(const Column& column) {
    std::vector<int> rights;
    Measure m{column.lines.front()->lineBox.left, 0};
    for (const CRtfXmlText* line : column.lines) {
        rights.push_back(line->lineBox.right);
        m.left = std::min(m.left, line->lineBox.left);
    }
    std::sort(rights.begin(), rights.end());
    m.right = rights[rights.size() * 9 / 10];
    return m;
}

// The width the next line's first word would have taken at the end of the last.
int FirstWordWidth(const CRtfXmlText& line) {
    const CRtfXmlText* first = Items(line).front();
    const std::string text = ItemText(first);
    const size_t blank = text.find(' ');
    if (blank == std::string::npos || text.empty()) return first->box.Width();
    return static_cast<int>(static_cast<long>(first->box.Width()) * static_cast<long>(blank) /
                            static_cast<long>(text.size()));
}

bool Letter(unsigned char c) { return std::isalpha(c) || c >= 0x80 || c == 'X'; }

// Compounds whose hyphen is their own: split at a line end, they keep it.
bool CompoundPrefix(std::string word) {
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* prefix : {"well", "self", "non", "half", "all", "ill", "cross", "ex", "so", "twenty", "thirty",
                               "forty", "fifty", "sixty", "seventy", "eighty", "ninety"})
        if (word == prefix) return true;
    return false;
}

// How the last line goes on into the next: a hyphen after a letter that ends the line
// splits a word, unless the next line starts a name or a number, or the word before it
// is one that makes compounds with a hyphen of its own.
LineEnd EndOf(const CRtfXmlText& last, const CRtfXmlText& next) {
    const std::string tail = ItemText(Items(last).back());
    if (tail.size() < 3 || tail.back() != '-' || !Letter(static_cast<unsigned char>(tail[tail.size() - 2])))
        return LineEnd::Blank;
    const std::string head = ItemText(Items(next).front());
    if (head.empty()) return LineEnd::Blank;
    const unsigned char first = static_cast<unsigned char>(head.front());
    if (std::isupper(first) || std::isdigit(first)) return LineEnd::KeptHyphen;
    if (!Letter(first)) return LineEnd::Blank;
    const size_t cut = tail.find_last_of(" -", tail.size() - 2);
    const size_t from = cut == std::string::npos ? 0 : cut + 1;
    const std::string word = tail.substr(from, tail.size() - 1 - from);
    return CompoundPrefix(word) ? LineEnd::KeptHyphen : LineEnd::HealedSplit;
}

// A heading set bold in the size of the text.
bool AllBold(const CRtfXmlText& line) {
    for (const CRtfXmlText* item : Items(line))
        for (const auto& run : item->runs)
            if (!(run->style & kStyleBold)) return false;
    return true;
}

bool StandsAlone(const CRtfXmlText& line) {
    return (line.itemFlags & kItemTable) || IsTableRow(line) || line.verticalWriting;
}

// A single line set in the middle of the measure, far from both its edges.
bool Centred(const CRtfXmlText& line, const Measure& m) {
    const int em = Em(line), before = line.lineBox.left - m.left, after = m.right - line.lineBox.right;
    return before >= 2 * em && after >= 2 * em && std::abs(before - after) <= em;
}

// From one line to the next, measured at the bottoms of their first items: a formula's
// raised or lowered pieces make a line's box taller, not its text's place other.
int Pitch(const CRtfXmlText& last, const CRtfXmlText& next) { return next.box.bottom - last.box.bottom; }

bool Continues(const ColumnParagraph& p, const CRtfXmlText& last, const CRtfXmlText& next, const Measure& m) {
    if (StandsAlone(last) || StandsAlone(next)) return false;
    if (std::abs(PointSize(last) - PointSize(next)) > 1) return false;
    const RtfRect& l = last.lineBox;
    const RtfRect& n = next.lineBox;
    const int em = Em(last);
    const int pitch = Pitch(last, next);
    if (pitch <= 0 || n.top < l.bottom - l.Height() / 2 || pitch > kWidestPitchEms * em) return false;
    if (p.lines.size() >= 2 && std::abs(pitch - p.pitch) > std::max(2, p.pitch / 8)) return false;
    if (p.lines.size() == 1) {
        if (std::abs(n.left - l.left) > kIndentEms * em || Centred(last, m)) return false;
    } else if (std::abs(n.left - p.left) > em / 2) {
        return false;
    }
    // A line that ends short of the measure by more than the next line's first word
    // ended its paragraph. Labels stacked in a form are no measure: running text
    // fills a measure of some eighteen ems at least, and most of it.
    const int measure = m.right - m.left;
    if (measure < kNarrowestMeasureEms * em || (l.right - m.left) * 5 < measure * 3) return false;
    if (EndOf(last, next) == LineEnd::Blank && m.right - l.right > FirstWordWidth(next) + em) return false;
    if (AllBold(last) && !AllBold(next)) return false;
    return !ListMarker(ItemText(Items(next).front()));
}

// Justified when its full lines fill the measure; two of them at least, for a
// ragged line or two may end at the measure by chance.
ParagraphAlign AlignOf(const ColumnParagraph& p, const Measure& m) {
    if (p.lines.size() < 3) return ParagraphAlign::Left;
    const int tolerance = std::max(2, Em(*p.lines.front()) / 2);
    for (size_t i = 0; i + 1 < p.lines.size(); ++i)
        if (std::abs(p.lines[i]->lineBox.right - m.right) > tolerance) return ParagraphAlign::Left;
    return ParagraphAlign::Justified;
}

}  // namespace

std::vector<ColumnParagraph> GatherParagraphs(const Column& column) {
    std::vector<ColumnParagraph> paragraphs;
    if (column.lines.empty()) return paragraphs;
    const Measure m = ColumnMeasure(column);
    for (CRtfXmlText* line : column.lines) {
        if (!paragraphs.empty()) {
            ColumnParagraph& p = paragraphs.back();
            const CRtfXmlText& last = *p.lines.back();
            if (Continues(p, last, *line, m)) {
                if (p.lines.size() == 1) {
                    p.left = line->lineBox.left;
                    p.pitch = Pitch(last, *line);
                }
                p.ends.push_back(EndOf(last, *line));
                p.lines.push_back(line);
                continue;
            }
        }
        ColumnParagraph p;
        p.lines.push_back(line);
        p.firstLeft = p.left = line->lineBox.left;
        paragraphs.push_back(std::move(p));
    }
    for (ColumnParagraph& p : paragraphs) {
        p.right = m.right;
        for (const CRtfXmlText* line : p.lines) p.right = std::max(p.right, line->lineBox.right);
        p.align = AlignOf(p, m);
    }
    return paragraphs;
}
