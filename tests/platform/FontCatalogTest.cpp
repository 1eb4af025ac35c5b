#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/FontCatalog.h"

namespace {

using platform::FontFamilyKnown;
using platform::MeasureText;

TEST(FontCatalog, KnowsInstalledFamiliesAndTheirMetricAliases) {
    for (const char* name : {"Liberation Sans", "Liberation Serif", "DejaVu Sans", "Nimbus Sans", "Times New Roman",
                             "Arial", "Helvetica", "Courier New", "Courier", "Times", "Symbol", "arial",
                             "TIMES NEW ROMAN"})
        EXPECT_TRUE(FontFamilyKnown(name)) << name;
    // Names fontconfig only answers with its default face are not installed faces.
    for (const char* name : {"", "No Such Family Xyzzy", "Wingdingz", "sans-serif", "serif", "monospace"})
        EXPECT_FALSE(FontFamilyKnown(name)) << name;
    // Long names are tested whole.
    EXPECT_FALSE(FontFamilyKnown("Liberation Sans and a very long tail of words"));
}

TEST(FontCatalog, MeasuresLikeAScreenTextExtent) {
    const auto regular = MeasureText("Arial", 16, false, false, "Hello World");
    ASSERT_GT(regular.width, 0);
    // Arial is answered by its metric-compatible face: widths match Arial's own
    // (11 characters of Arial at 16 pixels are about 83 pixels wide).
    EXPECT_NEAR(regular.width, 83, 2);
    EXPECT_EQ(regular.width, MeasureText("Liberation Sans", 16, false, false, "Hello World").width);
    // Height: ascent plus descent of the face at an em of 16 pixels.
    EXPECT_GE(regular.height, 17);
    EXPECT_LE(regular.height, 19);

    // Empty text still has the font's height; the width grows with the text and the size.
    const auto empty = MeasureText("Arial", 16, false, false, "");
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, regular.height);
    EXPECT_LT(MeasureText("Arial", 16, false, false, "iiii").width,
              MeasureText("Arial", 16, false, false, "WWWW").width);
    const auto larger = MeasureText("Arial", 32, false, false, "Hello World");
    EXPECT_NEAR(larger.width, 2 * regular.width, 2);
    EXPECT_NEAR(larger.height, 2 * regular.height, 2);
    // Widths add up, without kerning between the characters ("AV" kerns in Arial).
    const int a = MeasureText("Arial", 100, false, false, "A").width;
    const int v = MeasureText("Arial", 100, false, false, "V").width;
    EXPECT_NEAR(MeasureText("Arial", 100, false, false, "AV").width, a + v, 1);
    // Kerned, as a word processor sets it: the pair moves closer (by 152 of 2048 units
    // in Liberation Sans), and a pair the face does not kern stays as it is.
    EXPECT_NEAR(MeasureText("Arial", 100, false, false, "AV", true).width, a + v - 7, 1);
    EXPECT_EQ(MeasureText("Arial", 100, false, false, "Ho", true).width,
              MeasureText("Arial", 100, false, false, "Ho").width);
    // Latin-1 bytes are characters of their own.
    EXPECT_NEAR(MeasureText("Arial", 100, false, false, "caf\xe9").width,
                MeasureText("Arial", 100, false, false, "cafe").width, 1);
}

TEST(FontCatalog, StylesSelectTheirFaces) {
    const std::string text = "The quick brown fox";
    const int regular = MeasureText("Times New Roman", 20, false, false, text).width;
    const int bold = MeasureText("Times New Roman", 20, true, false, text).width;
    const int italic = MeasureText("Times New Roman", 20, false, true, text).width;
    const int boldItalic = MeasureText("Times New Roman", 20, true, true, text).width;
    EXPECT_GT(bold, regular);
    EXPECT_NE(italic, regular);
    EXPECT_NE(boldItalic, bold);
    EXPECT_NE(boldItalic, italic);
    // A cached face answers the same again.
    EXPECT_EQ(MeasureText("Times New Roman", 20, true, false, text).width, bold);
    // Monospaced faces give every character the same advance.
    EXPECT_EQ(MeasureText("Courier New", 20, false, false, "iiii").width,
              MeasureText("Courier New", 20, false, false, "WWWW").width);
}

TEST(FontCatalog, NothingToMeasure) {
    EXPECT_EQ(MeasureText("", 16, false, false, "x").width, 0);
    EXPECT_EQ(MeasureText("", 16, false, false, "x").height, 0);
    EXPECT_EQ(MeasureText("Arial", 0, false, false, "x").width, 0);
    EXPECT_EQ(MeasureText("Arial", -5, false, false, "x").height, 0);
    // An unknown name is measured with the face fontconfig puts in its place, as a
    // screen font mapper would.
    EXPECT_GT(MeasureText("No Such Family Xyzzy", 16, false, false, "x").width, 0);
}

TEST(FontCatalog, MeasuresFromTwoThreads) {
    auto work = [](bool bold, int* out) {
        int sum = 0;
        for (int i = 0; i < 200; ++i)
            sum += MeasureText(i % 2 ? "Arial" : "Courier New", 10 + i % 7, bold, i % 3 == 0, "Some text").width;
        *out = sum;
    };
    int a = 0, b = 0, c = 0;
    std::thread t1(work, false, &a), t2(work, true, &b);
    t1.join();
    t2.join();
    work(false, &c);
    EXPECT_EQ(a, c);
    EXPECT_GT(b, 0);
}

}  // namespace
