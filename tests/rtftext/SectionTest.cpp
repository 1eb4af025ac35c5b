#include <gtest/gtest.h>

#include "rtftext/SectionWriter.h"
#include "support/FlowTestPage.h"
#include "rtf/RtfUnits.h"
#include "rtftext/LineWriter.h"
#include "layout/Column.h"

using rtftest::FlowPage;
using rtftest::Occurrences;

namespace {

// A section of empty columns with the given boxes.
std::unique_ptr<CRtfSection> Columns(RtfRect section, std::initializer_list<RtfRect> boxes) {
    auto s = std::make_unique<CRtfSection>(boxes.size());
    s->sectionBox = section;
    size_t i = 0;
    for (const RtfRect& b : boxes) s->columns[i++]->columnBox = b;
    return s;
}

}  // namespace

TEST(SectionWriter, OneColumnWritesPlainParagraphs) {
    FlowPage p;
    CRtfXmlText* line = p.Line({40, 100, 300, 114}, "alone");
    CRtfSection s(LineBand{line});
    s.sectionBox = {40, 100, 560, 114};
    std::string rtf = WriteSection(s, p.layout);
    EXPECT_EQ(rtf.find("\\cols"), std::string::npos);
    EXPECT_EQ(rtf.find("\\column"), std::string::npos);
    EXPECT_NE(rtf.find("{alone}"), std::string::npos);
}

TEST(SectionWriter, TwoColumnsAbutAndCarryTheirWidths) {
    auto owned = Columns({40, 0, 560, 100}, {{40, 10, 290, 50}, {310, 10, 560, 90}});
    CRtfSection& s = *owned;
    s.SetColumnGeometry();
    EXPECT_EQ(s.columns[0]->columnBox, (RtfRect{40, 0, 310, 100}));
    EXPECT_EQ(s.columns[1]->columnBox, (RtfRect{310, 0, 560, 100}));
    EXPECT_EQ(ColumnsHeader(s), "\\cols2\\colno1\\colw3600\\colsr-0\\colno2\\colw3333");
}

TEST(SectionWriter, ThreeColumnsHaveTwoColumnBreaksAndEmptyColumnsKeepTheirBreak) {
    FlowPage p;
    auto owned = Columns({40, 0, 560, 100}, {{40, 10, 200, 50}, {210, 10, 380, 50}, {390, 10, 560, 50}});
    CRtfSection& s = *owned;
    CRtfXmlText* left = p.Line({40, 10, 200, 24}, "left");
    CRtfXmlText* right = p.Line({390, 10, 560, 24}, "right");
    s.columns[0]->AppendLine(left);
    s.columns[2]->AppendLine(right);
    std::string rtf = WriteSection(s, p.layout);
    EXPECT_EQ(rtf.rfind("\\cols3\\colno1\\colw2266\\colsr-0\\colno2\\colw2400\\colsr-0\\colno3\\colw2266", 0), 0u) << rtf;
    EXPECT_EQ(Occurrences(rtf, "\\column"), 2u);
    EXPECT_LT(rtf.find("{left}"), rtf.find("\\column"));
    EXPECT_NE(rtf.find("\\column\\column"), std::string::npos);  // the middle column writes nothing
    EXPECT_GT(rtf.find("{right}"), rtf.rfind("\\column"));
}

// A last column starting in the right margin, beyond the text width, made a negative width.
TEST(SectionWriter, ColumnsNeverGetNegativeWidthsNorExceedTheTextWidth) {
    auto owned = Columns({40, 0, 560, 100}, {{40, 10, 290, 50}, {570, 10, 600, 50}});
    CRtfSection& s = *owned;
    s.SetColumnGeometry();
    int total = 0;
    for (auto& c : s.columns) {
        EXPECT_GE(c->columnBox.Width(), 0);
        total += c->columnBox.Width();
    }
    EXPECT_GE(s.columns[1]->columnBox.Width(), 30);
    EXPECT_EQ(total, 520);
    EXPECT_EQ(ColumnsHeader(s), "\\cols2\\colno1\\colw6533\\colsr-0\\colno2\\colw400");
}

TEST(SectionIntegrate, ColumnsOfATwoColumnSectionFillBandByBand) {
    FlowPage p;
    CRtfSection s(LineBand{p.Line({40, 100, 290, 114}, "l1"), p.Line({310, 100, 560, 114}, "r1")});
    LineBand band{p.Line({40, 118, 290, 132}, "l2"), p.Line({310, 118, 560, 132}, "r2")};
    EXPECT_TRUE(s.Integrate(band, p.layout));
    EXPECT_EQ(s.columns[0]->lines.size(), 2u);
    EXPECT_EQ(s.columns[1]->lines.size(), 2u);
    EXPECT_EQ(s.sectionBox, (RtfRect{40, 100, 560, 132}));
}

TEST(SectionIntegrate, RefusedBandUndoesItsMergesAndStartsASection) {
    FlowPage p;
    p.Line({40, 100, 150, 120}, "c1");
    p.Line({160, 100, 300, 135}, "c2 taller");
    CRtfXmlText* x = p.Line({40, 130, 70, 150}, "x");
    CRtfXmlText* y = p.Line({80, 130, 100, 150}, "y");
    CRtfXmlText* a = p.Line({112, 140, 148, 160}, "half level with x");
    p.layout.AnalyseFlow();
    ASSERT_EQ(p.Sections(), 2u);
    EXPECT_EQ(p.Section(0).columns.size(), 2u);
    ASSERT_EQ(p.Section(1).columns.size(), 3u);
    EXPECT_EQ(p.Section(1).columns[0]->lines, std::vector<CRtfXmlText*>{x});
    EXPECT_EQ(p.Section(1).columns[1]->lines, std::vector<CRtfXmlText*>{y});
    EXPECT_EQ(p.Section(1).columns[2]->lines, std::vector<CRtfXmlText*>{a});
    // y had been merged into x on trial: x has its own box and no segments again.
    EXPECT_EQ(x->lineBox, (RtfRect{40, 130, 70, 150}));
    EXPECT_TRUE(!x->segments || x->segments->empty());
    EXPECT_EQ(p.layout.flow.lines.size(), 5u);
    EXPECT_EQ(p.layout.sortedLines.size(), 5u);
}

TEST(SectionIntegrate, PieceRightOfAColumnsLastLineJoinsIt) {
    FlowPage p;
    CRtfXmlText* first = p.Line({40, 80, 200, 94}, "first");
    CRtfXmlText* last = p.Line({40, 100, 120, 120}, "last");
    CRtfSection s(LineBand{first});
    s.columns[0]->AppendLine(last);
    p.layout.sortedLines = {first, last};
    CRtfXmlText* piece = p.Line({130, 102, 190, 118}, "piece");
    p.layout.sortedLines.push_back(piece);
    LineBand band{piece};
    EXPECT_TRUE(s.Integrate(band, p.layout));
    EXPECT_EQ(s.columns[0]->lines, (std::vector<CRtfXmlText*>{first, last}));
    ASSERT_TRUE(last->segments);
    EXPECT_EQ(*last->segments, std::vector<CRtfXmlText*>{piece});
    EXPECT_EQ(last->lineBox, (RtfRect{40, 100, 190, 120}));
    EXPECT_EQ(p.layout.sortedLines, (std::vector<CRtfXmlText*>{first, last}));
}

TEST(SectionIntegrate, LineEndingJustBeforeTheNextColumnShrinksOnePoint) {
    FlowPage p;
    auto owned = Columns({40, 0, 560, 100}, {{40, 10, 200, 30}, {210, 10, 300, 30}});
    CRtfSection& s = *owned;
    CRtfXmlText* tight = p.Line({40, 40, 208, 54}, "ends 2 units short");
    LineBand band{tight};
    EXPECT_TRUE(s.Integrate(band, p.layout));
    EXPECT_EQ(s.columns[0]->lines, std::vector<CRtfXmlText*>{tight});
    EXPECT_EQ(tight->fontSize, 11);
    EXPECT_NE(WriteLine(*tight).find("\\fs22"), std::string::npos);

    CRtfXmlText* reaching = p.Line({40, 60, 212, 74}, "reaches into the next");
    LineBand next{reaching};
    EXPECT_FALSE(s.Integrate(next, p.layout));
    EXPECT_EQ(reaching->fontSize, 12);
}

TEST(SectionIntegrate, ShrinkingStopsAtOnePoint) {
    FlowPage p;
    CRtfXmlText* tiny = p.Line({40, 40, 208, 54}, "tiny", 1);
    CRtfXmlText* piece = p.Line({210, 40, 230, 54}, "piece", 1);
    rtftest::ItemSet::Join(tiny, {piece});
    ShrinkFont(*tiny, 1);
    EXPECT_EQ(tiny->fontSize, 1);
    EXPECT_EQ(piece->fontSize, 1);
    EXPECT_EQ(tiny->runs.front()->fontSize, 1);
}

TEST(SectionIntegrate, ZeroHeightLinesFindColumnsWithoutDividingByZero) {
    FlowPage p;
    auto owned = Columns({40, 0, 560, 100}, {{40, 10, 200, 30}, {210, 10, 300, 30}});
    CRtfSection& s = *owned;
    s.columns[0]->AppendLine(p.Line({40, 10, 100, 30}, "last"));
    CRtfXmlText* flat = p.Line({40, 20, 150, 20}, "flat");
    bool newColumn = false, after = false;
    LastLineJoin lastLine = LastLineJoin::None;
    // Hanging 10 units above the column's bottom on a height counted as 1: beside the last line.
    EXPECT_EQ(s.FindColumn(flat, flat->lineBox, newColumn, after, lastLine), s.columns[0].get());
    EXPECT_EQ(lastLine, LastLineJoin::None);
    EXPECT_FALSE(newColumn);
}
