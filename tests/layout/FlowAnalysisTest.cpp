#include <gtest/gtest.h>

#include "support/FlowTestPage.h"

using rtftest::FlowPage;

TEST(FlowAnalysis, OneColumnPageIsOneSectionWithOneColumn) {
    FlowPage p;
    CRtfXmlText* a = p.Line({40, 100, 300, 114}, "first");
    CRtfXmlText* b = p.Line({40, 116, 280, 130}, "second");
    CRtfXmlText* c = p.Line({60, 150, 300, 164}, "third");
    p.layout.AnalyseFlow();
    ASSERT_EQ(p.Sections(), 1u);
    ASSERT_EQ(p.Section(0).columns.size(), 1u);
    EXPECT_EQ(p.Section(0).columns[0]->lines, (std::vector<CRtfXmlText*>{a, b, c}));
    EXPECT_EQ(p.Section(0).sectionBox, (RtfRect{40, 100, 300, 164}));
}

TEST(FlowAnalysis, SideBySideLinesFillTwoColumns) {
    FlowPage p;
    // Read in the order a two-column page is drawn: the left column first.
    CRtfXmlText* l1 = p.Line({40, 100, 290, 114}, "l1");
    CRtfXmlText* l2 = p.Line({40, 118, 290, 132}, "l2");
    CRtfXmlText* r1 = p.Line({310, 100, 560, 114}, "r1");
    CRtfXmlText* r2 = p.Line({310, 118, 560, 132}, "r2");
    p.layout.AnalyseFlow();
    ASSERT_EQ(p.Sections(), 1u);
    ASSERT_EQ(p.Section(0).columns.size(), 2u);
    EXPECT_EQ(p.Section(0).columns[0]->lines, (std::vector<CRtfXmlText*>{l1, l2}));
    EXPECT_EQ(p.Section(0).columns[1]->lines, (std::vector<CRtfXmlText*>{r1, r2}));
    EXPECT_EQ(p.layout.sortedLines.size(), 4u);
}

TEST(FlowAnalysis, HeadingOverTwoColumnsStartsANewSection) {
    FlowPage p;
    CRtfXmlText* heading = p.Line({100, 60, 500, 80}, "heading", 16);
    p.Line({40, 100, 290, 114}, "l1");
    p.Line({310, 100, 560, 114}, "r1");
    p.Line({40, 118, 290, 132}, "l2");
    p.Line({310, 118, 560, 132}, "r2");
    p.layout.AnalyseFlow();
    ASSERT_EQ(p.Sections(), 2u);
    EXPECT_EQ(p.Section(0).columns.size(), 1u);
    EXPECT_EQ(p.Section(0).columns[0]->lines, (std::vector<CRtfXmlText*>{heading}));
    EXPECT_EQ(p.Section(1).columns.size(), 2u);
}

TEST(FlowAnalysis, LineOverlappingTheBandBySmallShareIsPushedDown) {
    FlowPage p;
    p.Line({40, 100, 290, 120}, "first");
    CRtfXmlText* low = p.Line({310, 118, 560, 138}, "overlaps by a tenth");
    p.layout.sortedLines = p.layout.SortLines();
    size_t cursor = 0;
    LineBand band;
    p.layout.CollectBand(cursor, band);
    EXPECT_EQ(band.size(), 1u);
    EXPECT_EQ(low->lineBox, (RtfRect{310, 120, 560, 140}));
    EXPECT_EQ(cursor, 1u);
    p.layout.CollectBand(cursor, band);
    EXPECT_EQ(band, LineBand{low});
}

TEST(FlowAnalysis, RaisedPieceJoinsAtEightyPercentNotAtFifty) {
    FlowPage joined;
    CRtfXmlText* left = joined.Line({40, 100, 200, 120}, "left");
    CRtfXmlText* raised = joined.Line({205, 96, 300, 116}, "reaches 80 %");
    joined.layout.sortedLines = joined.layout.SortLines();
    size_t cursor = 0;
    LineBand band;
    joined.layout.CollectBand(cursor, band);
    EXPECT_EQ(band, LineBand{left});
    ASSERT_TRUE(left->segments);
    EXPECT_EQ(left->segments->front(), raised);
    EXPECT_EQ(left->lineBox, (RtfRect{40, 96, 300, 120}));
    EXPECT_EQ(joined.layout.flow.lines, std::vector<CRtfXmlText*>{left});
    EXPECT_EQ(joined.layout.sortedLines, std::vector<CRtfXmlText*>{left});

    FlowPage apart;
    CRtfXmlText* left2 = apart.Line({40, 100, 200, 120}, "left");
    CRtfXmlText* high = apart.Line({205, 90, 300, 110}, "reaches 50 %");
    apart.layout.sortedLines = apart.layout.SortLines();
    cursor = 0;
    apart.layout.CollectBand(cursor, band);
    EXPECT_EQ(band, (LineBand{left2, high}));
    EXPECT_FALSE(left2->segments);
}

TEST(FlowAnalysis, LinesAreOrderedBySignedTopsOfTheirLineBoxes) {
    FlowPage p;
    CRtfXmlText* middle = p.Line({40, 50, 100, 60}, "middle");
    // A line above the page's top, and one whose own box lies far from its line box.
    CRtfXmlText* above = p.Line({40, -10, 100, 0}, "above");
    CRtfXmlText* low = p.Line({40, 20, 100, 30}, "line");
    low->box = {40, 500, 100, 510};
    EXPECT_EQ(p.layout.SortLines(), (std::vector<CRtfXmlText*>{above, low, middle}));
}

TEST(FlowAnalysis, EmptyLineBoxesNeitherDivideByZeroNorLoseLines) {
    FlowPage p;
    // Zero heights and widths, as turned pages give them.
    std::vector<CRtfXmlText*> lines = {p.Line({40, 100, 40, 100}, "a"), p.Line({40, 100, 300, 100}, "b"),
                                       p.Line({40, 100, 40, 120}, "c"), p.Line({310, 100, 310, 100}, "d"),
                                       p.Line({40, 130, 300, 130}, "e")};
    p.layout.AnalyseFlow();
    size_t placed = 0;
    for (const auto& s : p.layout.sections)
        for (auto& c : s->columns) placed += c->lines.size();
    for (CRtfXmlText* line : lines)
        if (line->segments) placed += line->segments->size();
    EXPECT_EQ(placed, lines.size());
}

TEST(FlowAnalysis, PageWithoutLinesGetsOneEmptySection) {
    FlowPage p;
    p.layout.AnalyseFlow();
    ASSERT_EQ(p.Sections(), 1u);
    ASSERT_EQ(p.Section(0).columns.size(), 1u);
    EXPECT_TRUE(p.Section(0).columns[0]->lines.empty());
    CRtfPage empty(nullptr, 2);
    PageLayout noFlow(empty);
    noFlow.AnalyseFlow();
    EXPECT_EQ(noFlow.sections.size(), 1u);
}
