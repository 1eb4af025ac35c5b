#include <gtest/gtest.h>

#include "support/FlowTestPage.h"
#include "rtftext/LineWriter.h"

using rtftest::FlowPage;

TEST(RuleUnderline, ThinRuleUnderAWordUnderlinesIt) {
    FlowPage p;
    CRtfXmlText* word = p.Line({100, 100, 160, 118}, "word");
    p.layout.AnalyseFlow();
    EXPECT_TRUE(p.layout.UnderlineFromRule({100, 116, 160, 117}));
    EXPECT_TRUE(word->runs.front()->style & kStyleUnderline);
    EXPECT_NE(WriteLine(*word).find("\\ul {word}\\ul0 "), std::string::npos);

    // A rule of height 0 counts from the unit above it.
    FlowPage flat;
    CRtfXmlText* other = flat.Line({100, 100, 160, 118}, "flat");
    flat.layout.AnalyseFlow();
    EXPECT_TRUE(flat.layout.UnderlineFromRule({101, 117, 159, 117}));
    EXPECT_TRUE(other->runs.front()->style & kStyleUnderline);
}

TEST(RuleUnderline, WideOrThickRulesAndRulesBesideTextAreNoUnderlines) {
    FlowPage p;
    CRtfXmlText* word = p.Line({100, 100, 160, 118}, "word");
    p.layout.AnalyseFlow();
    EXPECT_FALSE(p.layout.UnderlineFromRule({100, 116, 220, 117}));  // 60 units wider
    EXPECT_FALSE(p.layout.UnderlineFromRule({100, 114, 160, 117}));  // 3 units high
    EXPECT_FALSE(p.layout.UnderlineFromRule({100, 140, 160, 141}));  // below the line
    EXPECT_FALSE(p.layout.UnderlineFromRule({100, 109, 160, 110}));  // through the letters
    EXPECT_FALSE(p.layout.UnderlineFromRule({100, 101, 160, 102}));  // over them, a title bar's edge
    EXPECT_FALSE(word->runs.front()->style & kStyleUnderline);

    CRtfPage page(nullptr, 1);
    PageLayout unanalysed(page);
    EXPECT_FALSE(unanalysed.UnderlineFromRule({100, 116, 160, 117}));
}

TEST(RuleUnderline, RuleUnderOneSegmentUnderlinesThatSegment) {
    FlowPage p;
    CRtfXmlText* head = p.Line({100, 100, 160, 118}, "head");
    CRtfXmlText* segment = p.set.Add({170, 100, 230, 118}, {"segment"});
    rtftest::ItemSet::Join(head, {segment});
    p.layout.AnalyseFlow();
    EXPECT_TRUE(p.layout.UnderlineFromRule({168, 116, 230, 117}));
    EXPECT_TRUE(segment->runs.front()->style & kStyleUnderline);
    EXPECT_FALSE(head->runs.front()->style & kStyleUnderline);
}

TEST(RuleUnderline, RuleUnderAWholeLineUnderlinesEveryPiece) {
    FlowPage p;
    CRtfXmlText* head = p.Line({108, 425, 193, 442}, "underlined");
    CRtfXmlText* segment = p.set.Add({197, 425, 246, 442}, {"words"});
    rtftest::ItemSet::Join(head, {segment});
    p.layout.AnalyseFlow();
    EXPECT_TRUE(p.layout.UnderlineFromRule({108, 439, 245, 440}));
    EXPECT_TRUE(head->runs.front()->style & kStyleUnderline);
    EXPECT_TRUE(segment->runs.front()->style & kStyleUnderline);
}
