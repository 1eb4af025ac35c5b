#include <gtest/gtest.h>

#include "rtf/CRtfPage.h"
#include "support/RtfTestItems.h"
#include "rtftext/RunWriter.h"
#include "rtftext/LineWriter.h"

using rtftest::ItemSet;

namespace {

std::string Plain(CRtfXmlText* item) { return WriteRuns(item->runs, 0); }

}  // namespace

TEST(LineWriter, SuperscriptsAreRaisedAndSubscriptsLowered) {
    ItemSet set;
    CRtfXmlText* x = set.Add({10, 100, 20, 118}, {"x"}, 12);
    CRtfXmlText* sup = set.Add({20, 98, 25, 114}, {"2"}, 8);
    EXPECT_EQ(ScriptKind(*sup, *x), Script::Super);
    ItemSet::Join(x, {sup});
    EXPECT_EQ(WriteLine(*x), Plain(x) + "{\\super \\fs21\\up1\\cf0\\f0\\charscalex100 {2}}");
    EXPECT_TRUE(sup->itemFlags & kItemScript);

    CRtfXmlText* y = set.Add({10, 100, 20, 118}, {"y"}, 12);
    CRtfXmlText* sub = set.Add({20, 106, 25, 121}, {"i"}, 8);
    EXPECT_EQ(ScriptKind(*sub, *y), Script::Sub);
    ItemSet::Join(y, {sub});
    EXPECT_EQ(WriteLine(*y), Plain(y) + "{\\sub " + Plain(sub) + "}");
}

TEST(LineWriter, WhatIsNoScript) {
    ItemSet set;
    CRtfXmlText* x = set.Add({10, 100, 20, 118}, {"x"}, 12);
    EXPECT_EQ(ScriptKind(*set.Add({20, 98, 45, 114}, {"abcd"}, 8), *x), Script::None);
    EXPECT_EQ(ScriptKind(*set.Add({23, 98, 28, 114}, {"2"}, 8), *x), Script::None);
    EXPECT_EQ(ScriptKind(*set.Add({22, 98, 27, 114}, {"2"}, 8), *x), Script::Super);
    // The visible text of a link decides, not its markers.
    EXPECT_EQ(ScriptKind(*set.Add({20, 98, 25, 114}, {"<#dsAnchor#http://x~dsAnchor#>2</~dsAnchor#>"}, 8), *x), Script::Super);
    // Lower than a superscript is not its subscript.
    CRtfXmlText* sup = set.Add({20, 98, 25, 114}, {"2"}, 8);
    sup->itemFlags |= kItemScript;
    EXPECT_EQ(ScriptKind(*set.Add({25, 100, 30, 116}, {"i"}, 8), *sup), Script::None);
}

TEST(LineWriter, GapsBecomeBlanksInLeftToRightOrder) {
    ItemSet set;
    CRtfXmlText* a = set.Add({10, 100, 40, 118}, {"a"}, 12);
    CRtfXmlText* b = set.Add({46, 100, 60, 118}, {"b"}, 12);
    CRtfXmlText* c = set.Add({70, 100, 80, 118}, {"c"}, 12);
    CRtfXmlText* d = set.Add({80, 100, 90, 118}, {"d"}, 12);
    // The gap in points against half the size: 6 units (4 points) after size 12 is
    // one blank, as is 9 units; 10 units are two.
    EXPECT_EQ(GapFiller(*b, *a), 1);
    EXPECT_EQ(GapFiller(*set.Add({69, 100, 80, 118}, {"c"}, 12), *b), 1);
    EXPECT_EQ(GapFiller(*c, *b), 2);
    EXPECT_EQ(GapFiller(*d, *c), 0);
    // Joined out of order: written by their left edges.
    ItemSet::Join(a, {c, d, b});
    EXPECT_EQ(WriteLine(*a), Plain(a) + "{ }" + Plain(b) + "{  }" + Plain(c) + Plain(d));
}

TEST(LineWriter, OneBlankAfterAScriptWhenTheNextPieceStandsApart) {
    ItemSet set;
    CRtfXmlText* x = set.Add({10, 100, 20, 118}, {"x"}, 12);
    CRtfXmlText* sup = set.Add({20, 98, 25, 114}, {"2"}, 8);
    CRtfXmlText* next = set.Add({40, 100, 50, 118}, {"y"}, 12);
    ItemSet::Join(x, {sup, next});
    EXPECT_EQ(WriteLine(*x), Plain(x) + "{\\super " + WriteRuns(sup->runs, 3) + "}{ }" + Plain(next));
    // A piece touching the script continues the word.
    CRtfXmlText* z = set.Add({10, 100, 20, 118}, {"z"}, 12);
    CRtfXmlText* sup2 = set.Add({20, 98, 25, 114}, {"2"}, 8);
    CRtfXmlText* touching = set.Add({25, 100, 35, 118}, {"m"}, 12);
    ItemSet::Join(z, {sup2, touching});
    EXPECT_EQ(WriteLine(*z), Plain(z) + "{\\super " + WriteRuns(sup2->runs, 3) + "}" + Plain(touching));

    // A size whose low byte is 0 divides by the whole size.
    CRtfXmlText* big = set.Add({10, 100, 20, 118}, {"B"}, 256);
    CRtfXmlText* after = set.Add({600, 100, 610, 118}, {"c"}, 12);
    EXPECT_EQ(GapFiller(*after, *big), 4);
}

TEST(LineWriter, WriteItemNeedsAPageAndFollowsRotation) {
    ItemSet set;
    CRtfXmlText* item = set.Add({10, 100, 20, 118}, {"x"}, 12);
    TextShapeChain chain;
    EXPECT_EQ(WriteItem(*item, chain), "");
    CRtfPage page(nullptr, 1);
    item->page = &page;
    EXPECT_EQ(WriteItem(*item, chain), Plain(item));
    item->rotation = 90;
    EXPECT_EQ(WriteItem(*item, chain).rfind("\n{\\shp{", 0), 0u);
    page.rotation = 90;
    EXPECT_EQ(WriteItem(*item, chain), Plain(item));
}
