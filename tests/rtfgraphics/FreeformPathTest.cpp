#include <gtest/gtest.h>

#include "rtf/RtfUnits.h"
#include "rtfgraphics/FreeformPath.h"

namespace {

PathMatrix Matrix(double a, double b, double c, double d, double e, double f, int rotation = 0) {
    PathMatrix m;
    double v[6] = {a, b, c, d, e, f};
    for (int i = 0; i < 6; ++i) m.m[i] = v[i];
    m.rotation = rotation;
    return m;
}

const PathMatrix kIdentity = Matrix(1, 0, 0, 1, 0, 0);

TEST(FreeformPath, AFilledTriangleIsClosedByItsStartWrittenTwice) {
    FreeformShape s = BuildFreeform("10 10 m\n100 10 l\n50 80 l\nh\n", PathMatrix{}, 792, "f");
    EXPECT_EQ(s.vertices.substr(0, 4), "8;5;");
    EXPECT_EQ(s.segments, "2;12;16384;45824;1;45824;1;45824;1;45824;1;45824;24577;32768");
    EXPECT_EQ(s.next, 0u);
    // 1.5 units a point, y turned downward on a page 792 units high.
    EXPECT_EQ(s.box, (RtfRect{15, 672, 150, 777}));
    EXPECT_EQ(s.twips, (RtfRect{ToTwips(15), ToTwips(672), ToTwips(150), ToTwips(777)}));
    EXPECT_EQ(s.vertices, "8;5;(0,1400);(1800,1400);(800,0);(0,1400);(0,1400);");
}

TEST(FreeformPath, AStrokedOpenPolylineStaysOpen) {
    FreeformShape l = BuildFreeform("10 100 m\n10 10 l\n60 10 l\n", kIdentity, 200, "S");
    EXPECT_EQ(l.vertices.substr(0, 4), "8;3;") << "no vertex is added to close an open stroke";
    EXPECT_EQ(l.segments, "2;7;16384;45824;1;45824;1;45824;32768");

    FreeformShape line = BuildFreeform("0 0 m\n50 0 l\n", kIdentity, 200, "S");
    EXPECT_EQ(line.vertices, "8;2;(0,0);(666,0);");
    EXPECT_EQ(line.segments.find("24577"), std::string::npos);
}

TEST(FreeformPath, SubpathsOfAStrokeAreCutAtEveryMoveAndClose) {
    const std::string twoLines = "0 0 m\n50 0 l\n0 20 m\n50 20 l\n";
    FreeformShape first = BuildFreeform(twoLines, kIdentity, 200, "S");
    ASSERT_NE(first.next, 0u);
    EXPECT_EQ(twoLines.substr(first.next), "0 20 m\n50 20 l\n");
    FreeformShape second = BuildFreeform(twoLines.substr(first.next), kIdentity, 200, "S");
    EXPECT_EQ(second.next, 0u);
    EXPECT_EQ(second.box, (RtfRect{0, 180, 50, 180}));

    // A fill with a hole is one shape holding both outlines.
    const std::string ring = "0 0 m\n100 0 l\n100 100 l\nh\n20 20 m\n80 20 l\n80 80 l\nh\n";
    FreeformShape filled = BuildFreeform(ring, kIdentity, 200, "f");
    EXPECT_EQ(filled.next, 0u);
    EXPECT_EQ(filled.vertices.substr(0, 5), "8;10;");
    // Stroked, the first close ends the subpath.
    FreeformShape stroked = BuildFreeform(ring, kIdentity, 200, "S");
    EXPECT_EQ(ring.substr(stroked.next, 8), "20 20 m\n");
}

TEST(FreeformPath, CurvesBecomeTwentyPointsAndRectanglesFive) {
    FreeformShape curve = BuildFreeform("0 0 m\n0 50 50 50 50 0 c\n", kIdentity, 100, "S");
    EXPECT_EQ(curve.vertices.substr(0, 5), "8;21;");
    EXPECT_EQ(curve.box, (RtfRect{0, 63, 50, 100})) << "the curve peaks at three quarters of its control height";
    FreeformShape noStart = BuildFreeform("0 50 50 50 50 0 c\n", kIdentity, 100, "S");
    EXPECT_EQ(noStart.vertices.substr(0, 4), "8;3;") << "without a current point the control points are kept";

    // A negative height counts downward from the corner given.
    FreeformShape rect = BuildFreeform("10 20 30 -5 re\n", kIdentity, 100, "f");
    EXPECT_EQ(rect.vertices, "8;5;(0,0);(0,66);(400,66);(400,0);(0,0);");
    EXPECT_EQ(rect.box, (RtfRect{10, 80, 40, 85}));
    EXPECT_FALSE(rect.thin);
}

TEST(FreeformPath, OnlyRectanglesBelowTwoUnitsButNotFlatOnesAreThin) {
    EXPECT_TRUE(BuildFreeform("10 20 100 1.2 re\n", kIdentity, 100, "f").thin);
    EXPECT_FALSE(BuildFreeform("10 20 100 0 re\n", kIdentity, 100, "f").thin);
    EXPECT_FALSE(BuildFreeform("10 20 100 3 re\n", kIdentity, 100, "f").thin);
}

// Pages turned a half or a quarter the other way: rectangles keep their size and place.
TEST(FreeformPath, RectanglesUnderTurnedMatricesKeepTheirCorners) {
    // Turned 270 degrees: nothing on the diagonal.
    FreeformShape quarter = BuildFreeform("100 100 50 20 re\n", Matrix(0, 1.5, -1.5, 0, 1188, 0), 918, "f");
    EXPECT_EQ(quarter.box, (RtfRect{1008, 693, 1038, 768}));
    EXPECT_FALSE(quarter.thin);
    EXPECT_EQ(quarter.vertices, "8;5;(0,0);(0,1000);(400,1000);(400,0);(0,0);");

    // Turned 180 degrees: the mirrored width is no thin rectangle.
    FreeformShape half = BuildFreeform("100 100 50 20 re\n", Matrix(-1.5, 0, 0, -1.5, 918, 1188), 1188, "f");
    EXPECT_EQ(half.box, (RtfRect{693, 150, 768, 180}));
    EXPECT_FALSE(half.thin);

    // A quarter turn the usual way: the box is where its corners are.
    FreeformShape ninety = BuildFreeform("100 100 50 20 re\n", Matrix(0, -1.5, 1.5, 0, 0, 1188, 90), 1188, "f");
    EXPECT_EQ(ninety.box, (RtfRect{150, 150, 180, 225}));

    // Turned by an angle: the outline is the turned rectangle.
    FreeformShape slanted = BuildFreeform("0 0 10 10 re\n", Matrix(0.6, 0.8, -0.8, 0.6, 50, 50), 100, "f");
    EXPECT_EQ(slanted.vertices.substr(0, 4), "8;5;");
    EXPECT_EQ(slanted.box, (RtfRect{42, 36, 56, 50}));
}

TEST(FreeformPath, APathWithoutPointsGivesNoShape) {
    FreeformShape s = BuildFreeform("h\n", kIdentity, 100, "f");
    EXPECT_TRUE(s.Empty());
    EXPECT_TRUE(s.segments.empty());
}

}  // namespace
