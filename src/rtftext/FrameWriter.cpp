// "AS IS": each line of the page as transparent text boxes at its place, one box per
// piece of the line that stands apart (a column, a gap of several ems), the words of
// each box spaced so that every piece starts where the source has it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>

#include "rtf/CRtfXmlText.h"
#include "rtftext/TextBoxes.h"
#include "rtf/CRtfDocument.h"
#include "rtf/CRtfPage.h"
#include "rtf/RtfUnits.h"
#include "rtftext/RunWriter.h"
#include "rtftext/FrameWriter.h"
#include "rtftext/Hyperlinks.h"

namespace {

// A gap wider than this many ems is a real separation (a column, a tab stop): the
// pieces on either side get boxes of their own. Justified text spreads its words
// far less than that.
constexpr double kSeparationEms = 2.5;
// A gap narrower than this is no blank: pieces of one word the source drew apart.
// The extraction cuts words at gaps from about a tenth of an em, so a blank starts
// just below that; the written width of a piece reaches one unit past its end.
constexpr double kBlankEms = 0.09;
// A blank is set no narrower than this share of an em, so that it still reads as a
// blank to text extraction; a gap narrower than that is taken from the word before.
constexpr double kNarrowestBlankEms = 0.15;
// A gap wider than a blank by this share of an em ends at a tab stop; below it, the
// reader's own rounding might set the words before past the stop.
constexpr double kTabMargin = 0.1;
// The spacing of characters never goes below or above these shares of an em. A
// substituted face that runs much wider than the source's widens its box instead of
// crushing its letters. Letters spread by a few hundredths of an em already fall
// apart into separate words for text extraction: a piece wider than its words keeps
// its start and leaves the rest to the blank after it.
constexpr double kMostCondensed = 0.05;
constexpr double kMostExpanded = 0.02;
// Words that run wider than the source by more than this share are set narrower
// instead (horizontal scaling of the characters), down to the smallest scale: a
// substituted face or a producer's odd sizes would otherwise run over the neighbours.
constexpr double kWiderTolerated = 0.05;
constexpr double kSmallestScale = 0.6;
// A narrower gap that every line near it (within this many line heights) leaves open
// as well is a column gap: the gutter between two columns may be narrower than an
// em, the gaps of justified text do not line up from line to line.
constexpr double kGutterEms = 0.5;
constexpr double kNearLines = 4;
// Before a gutter on the same baseline, the words end this many ems short of the
// source's edge. The reader's faces set taller lines than the source's, and text
// extraction from the rendered result (pdftotext) read the lines of a narrow gutter's
// two columns as one line running across both, up to a gutter of about 1.4 ems.
constexpr double kGutterShortfall = 0.8;
// Room to spare beyond the width the words are set to: this many ems and this share
// of the width. The reader wraps the words of a box too narrow for them whatever the
// box says, and its face may set them a little wider than measured.
constexpr double kSpareEms = 0.5;
constexpr double kSpareShare = 0.06;
// The extraction puts a piece's top about this share of its height above its
// baseline; the reader sets the first baseline about this share of its own line
// height below the box's top.
constexpr double kBaselineShare = 0.8;
// A piece's written width reaches this many units past its end; positions are rounded
// to whole units, so the room between two of them may be off by up to a unit.
constexpr double kWrittenPast = 1.0;
constexpr double kRoundingTwips = 40.0 / 3.0;
// Units of the XML per point.
constexpr double kUnitsPerPoint = 1.5;
// Twips per unit of the XML (108 units per inch).
constexpr double kTwipsPerUnit = 40.0 / 3.0;
// Lines and pieces of the page looked at for the gutters and neighbours of one line.
constexpr long kMostComparisons = 400000;

// Pieces that stand side by side on one baseline, left to right.
using Group = std::vector<CRtfXmlText*>;

// The widths of a line's pieces and blanks, each measured once: a line asks for them
// several times over, and measuring looks the face up by its name.
class Widths {
public:
    const RunsExtent& Runs(CRtfXmlText& piece) {
        auto [it, added] = runs_.try_emplace(&piece);
        if (added) it->second = MeasureItemRuns(piece);
        return it->second;
    }
    double Blank(const CRtfXmlText& piece) {
        auto [it, added] = blanks_.try_emplace(&piece);
        if (added) it->second = BlankTwips(piece);
        return it->second;
    }
    // The piece's runs were set anew (narrower).
    void Forget(const CRtfXmlText& piece) {
        runs_.erase(&piece);
        blanks_.erase(&piece);
    }

private:
    std::unordered_map<const CRtfXmlText*, RunsExtent> runs_;
    std::unordered_map<const CRtfXmlText*, double> blanks_;
};

double EmUnits(const CRtfXmlText& piece) { return std::max<int>(piece.fontSize, 1) * kUnitsPerPoint; }

bool SameBaseline(const CRtfXmlText& a, const CRtfXmlText& b) {
    const int height = std::max(1, std::min(a.box.Height(), b.box.Height()));
    return std::abs(a.box.bottom - b.box.bottom) * 10 <= height * 3;
}

std::vector<CRtfXmlText*> LeftToRight(CRtfXmlText& head) {
    std::vector<CRtfXmlText*> pieces = {&head};
    if (head.segments) pieces.insert(pieces.end(), head.segments->begin(), head.segments->end());
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const CRtfXmlText* a, const CRtfXmlText* b) { return a->box.left < b->box.left; });
    return pieces;
}

// Whether the lines near the head (above and below it, within a few line heights) all
// leave the middle of the gap open, and at least three of them do: a column gutter.
// Word gaps of justified text line up by chance in two lines now and then, rarely in four.
bool OpenInNearLines(const CRtfXmlText& head, const CRtfPageFlow& flow, double from, double to, long& budget) {
    if (!head.page) return false;
    const double middle = (from + to) / 2, reach = (to - from) / 4;
    const RtfRect& line = head.lineBox;
    const double centre = (line.top + line.bottom) / 2.0, near = kNearLines * std::max(line.Height(), 1);
    int open = 0;
    for (const CRtfXmlText* other : flow.lines) {
        if (--budget < 0) return false;
        if (other == &head || other->rotation != head.rotation) continue;
        const RtfRect& o = other->lineBox;
        if (std::abs((o.top + o.bottom) / 2.0 - centre) > near) continue;
        auto inked = [&](const CRtfXmlText* piece) {
            --budget;
            return piece->box.left < middle + reach && piece->box.right > middle - reach;
        };
        if (inked(other)) return false;
        if (other->segments)
            for (const CRtfXmlText* s : *other->segments)
                if (inked(s)) return false;
        ++open;
    }
    return open >= 3;
}

// Whether a piece of this line or of another one starts soon after the piece, on its
// baseline: the next column, or the next cell of a row.
bool WordsFollowClosely(const CRtfXmlText& head, const CRtfPageFlow& flow, const CRtfXmlText& piece,
                        long& budget) {
    const double reach = kSeparationEms * EmUnits(piece);
    auto follows = [&](const CRtfXmlText* other) {
        --budget;
        return other != &piece && other->box.left >= piece.box.right && other->box.left <= piece.box.right + reach &&
               SameBaseline(piece, *other);
    };
    std::vector<const CRtfXmlText*> heads = {&head};
    if (head.page && !flow.lines.empty()) heads.assign(flow.lines.begin(), flow.lines.end());
    for (const CRtfXmlText* line : heads) {
        if (--budget < 0) return false;
        if (line->rotation != head.rotation || line->lineBox.bottom < piece.box.top || line->lineBox.top > piece.box.bottom)
            continue;
        if (follows(line)) return true;
        if (line->segments)
            for (const CRtfXmlText* s : *line->segments)
                if (follows(s)) return true;
    }
    return false;
}

std::vector<Group> Groups(CRtfXmlText& head, const CRtfPageFlow& flow, Widths& widths, long& budget) {
    std::vector<Group> groups;
    bool previousMeasured = true;
    for (CRtfXmlText* piece : LeftToRight(head)) {
        // A piece whose width is only guessed (characters the face's 8-bit codes do not
        // hold: right-to-left or far-eastern text) has a box of its own: the words after
        // it keep their places whatever width the reader gives it.
        const bool measured = widths.Runs(*piece).known;
        const bool together = measured && previousMeasured;
        previousMeasured = measured;
        if (!groups.empty() && together) {
            const CRtfXmlText& previous = *groups.back().back();
            const double gap = piece->box.left - previous.box.right;
            const double em = std::max(EmUnits(previous), EmUnits(*piece));
            const bool apart =
                gap > kSeparationEms * em ||
                (gap > kGutterEms * em && OpenInNearLines(head, flow, previous.box.right, piece->box.left, budget));
            if (!apart && gap >= -0.5 * em && SameBaseline(previous, *piece)) {
                groups.back().push_back(piece);
                continue;
            }
        }
        groups.push_back({piece});
    }
    return groups;
}

struct Box {
    std::string text;
    RtfRect twips;
};

// The spacing of each character that sets measured runs to a width, within bounds; the
// pen moves on by the width they will take. The reader narrows every character but
// the last of a run, and widens every one.
long FitSpacing(const RunsExtent& m, double width, double em, double& pen) {
    const double missing = width - m.twips;
    long spacing = std::lround(missing / m.characters);
    if (spacing < 0) spacing = m.characters > 1 ? std::lround(missing / (m.characters - 1)) : 0;
    spacing = std::clamp(spacing, -std::lround(kMostCondensed * em), std::lround(kMostExpanded * em));
    pen += m.twips + static_cast<double>(spacing) * (spacing < 0 ? m.characters - 1 : m.characters);
    return spacing;
}

// Scales the characters of a group whose words, blanks included, run much wider than
// the source's width.
void NarrowToSource(const Group& group, const std::vector<bool>& blankAfter, double width, Widths& widths) {
    double natural = 0;
    for (size_t i = 0; i < group.size(); ++i) {
        const RunsExtent& m = widths.Runs(*group[i]);
        if (!m.known) return;
        natural += m.twips + (blankAfter[i] ? widths.Blank(*group[i]) : 0);
    }
    if (width <= 0 || natural <= width * (1 + kWiderTolerated)) return;
    const double scale = std::max(kSmallestScale, width / natural);
    for (CRtfXmlText* piece : group) {
        widths.Forget(*piece);
        for (const auto& run : piece->runs) {
            const double current = run->hScale ? run->hScale : 100;
            run->hScale = static_cast<uint8_t>(std::clamp(std::lround(current * scale), 1L, 255L));
            run->plainText.clear();
        }
    }
}

// shortfall: twips the group's words end before its source edge (see kGutterShortfall).
Box SetGroup(const Group& group, double shortfall, Widths& widths) {
    const CRtfXmlText& first = *group.front();
    RtfRect source = first.box;
    for (const CRtfXmlText* p : group) source = source.Union(p->box);
    const double left = first.box.left * kTwipsPerUnit;
    double pen = 0;
    double em = 0;
    bool unmeasured = false;
    std::string stops;  // tab stops of the box's paragraph
    Box box;
    // Where each blank goes: the pieces that a blank follows.
    std::vector<bool> blankAfter(group.size(), false);
    for (size_t i = 0; i + 1 < group.size(); ++i)
        blankAfter[i] = group[i + 1]->box.left - group[i]->box.right + 1 >= kBlankEms * EmUnits(*group[i]);
    NarrowToSource(group, blankAfter, source.Width() * kTwipsPerUnit, widths);
    for (size_t i = 0; i < group.size(); ++i) {
        CRtfXmlText& piece = *group[i];
        const double pieceEm = piece.fontSize * 20.0;
        em = std::max(em, pieceEm);
        const RunsExtent m = widths.Runs(piece);
        if (i > 0 && blankAfter[i - 1]) {
            const CRtfXmlText& previous = *group[i - 1];
            // The reader widens a blank by its spacing but never narrows it: a gap
            // narrower than the blank is met by setting the blank narrower.
            const double blank = m.known ? widths.Blank(previous) : 0;
            const double gap = piece.box.left * kTwipsPerUnit - left - pen;
            if (blank > 0 && gap >= blank + kTabMargin * pieceEm) {
                // A wide gap ends at a tab stop: the reader lays out a line of tabs at
                // once, where blanks that each carry a spacing of their own cost it many
                // times over.
                std::string tabbed = Blank(previous, 0);
                tabbed.insert(tabbed.size() - 1, "\\tab ");
                box.text += tabbed;
                const long stop = std::lround(gap + pen);
                stops += "\\tx" + std::to_string(stop);
                pen = static_cast<double>(stop);
            } else {
                int scale = 100;
                if (blank > 0 && gap < blank)
                    scale = static_cast<int>(
                        std::clamp(std::floor(100 * gap / blank), 100 * kNarrowestBlankEms * pieceEm / blank, 100.0));
                const double set = blank * scale / 100;
                const long spacing = blank > 0 ? std::max(0L, std::lround(gap - set)) : 0;
                box.text += Blank(previous, spacing, scale);
                pen += set + static_cast<double>(spacing);
            }
        }
        std::string runs = WriteRuns(piece.runs, 0);
        if (m.known && m.characters > 0) {
            // The piece must end where the blank after it (or the next piece) starts; within
            // that it keeps its natural width, or widens to its own source width.
            // A written width reaches one unit past the piece's end, and every position
            // is rounded to the unit: words are narrowed or widened only when they miss
            // their room by more than that rounding, and never widened past their end.
            double own = (piece.box.right - kWrittenPast) * kTwipsPerUnit - left, limit = own - shortfall;
            if (i + 1 < group.size()) {
                const double blank = blankAfter[i] ? std::min(widths.Blank(piece), kNarrowestBlankEms * pieceEm) : 0;
                limit = group[i + 1]->box.left * kTwipsPerUnit - left - blank;
                own = std::min(own, limit);
            } else {
                own = limit;
            }
            const double natural = pen + m.twips;
            const double end = natural > limit + kRoundingTwips ? limit : own > natural + kRoundingTwips ? own : natural;
            box.text += "{" + CharacterSpacing(FitSpacing(m, end - pen, pieceEm, pen)) + runs + "}";
        } else {
            box.text += "{" + runs + "}";
            pen = piece.box.right * kTwipsPerUnit - left;
            unmeasured = true;
        }
    }
    if (!stops.empty()) box.text = stops + " " + box.text;
    const double sourceWidth = source.Width() * kTwipsPerUnit;
    double width = std::max(sourceWidth, pen) * (1 + kSpareShare) + kSpareEms * em;
    // The box's first line sits on the source's baseline (where the words' sizes can be
    // trusted: those of guessed widths were fitted to a box that may not be theirs).
    double top = UnitsInTwips(source.top);
    if (const double line = LineHeightTwips(first); line > 0 && !unmeasured)
        top += kBaselineShare * UnitsInTwips(first.box.Height()) - kBaselineShare * line;
    const int x = ClampedTwips(UnitsInTwips(first.box.left)), y = ClampedTwips(top);
    // A box reaching past the page's edge is moved back onto the page, words and all:
    // it ends at the edge unless its words themselves reach further.
    if (first.page) {
        const double room = first.page->Width() * kTwipsPerUnit - x;
        // Words whose width is not known get all the room the page gives them.
        width = unmeasured ? std::max(width, room) : std::min(width, std::max(room, pen + kSpareEms * em));
    }
    const double height = source.Height() * kTwipsPerUnit * 1.15;
    box.twips = {x, y, ClampedTwips(x + width), ClampedTwips(y + height)};
    return box;
}

}  // namespace

std::string WriteFrame(CRtfXmlText& head, const CRtfPageFlow& flow) {
    std::string out;
    // Comparing with the rest of the page is bounded: a damaged page of a hundred
    // thousand pieces must not take hours, and its boxes only lose the finer rules.
    long budget = kMostComparisons;
    Widths widths;
    std::vector<Group> groups = Groups(head, flow, widths, budget);
    for (size_t i = 0; i < groups.size(); ++i) {
        const Group& group = groups[i];
        double shortfall = 0;
        if (WordsFollowClosely(head, flow, *group.back(), budget))
            shortfall = kGutterShortfall * group.back()->fontSize * 20.0;
        Box box = SetGroup(group, shortfall, widths);
        out += TextBox(box.twips, NextTextBoxId(head), box.text);
    }
    return ApplyLinks(head, out);
}

// A column of vertical writing: a box whose text runs down the page, its characters
// upright as vertical writing sets them.
std::string WriteVerticalFrame(CRtfXmlText& item) {
    const double h = static_cast<double>(item.box.Height()) * 1.15 * kTwipsPerUnit;
    const double w = static_cast<double>(item.box.Width()) * 1.15 * kTwipsPerUnit;
    const int x = ClampedTwips(UnitsInTwips(item.box.left)), y = ClampedTwips(UnitsInTwips(item.box.top));
    const RtfRect r{x, y, ClampedTwips(x + w), ClampedTwips(y + h)};
    return ApplyLinks(item, TextBox(r, NextTextBoxId(item), WriteRuns(item.runs, 0), TextFlow::Down));
}
