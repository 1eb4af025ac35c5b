#include <gtest/gtest.h>

#include "rtf/CRtfXmlText.h"
#include "rtf/TextMeasure.h"
#include "support/RtfTestXml.h"

namespace {

TextRun MakeRun(const std::string& text, uint8_t style = 0) {
    TextRun run;
    run.text = text;
    run.style = style;
    return run;
}

// An item of one run over the default entry of a font table.
struct Item {
    CRtfFontTable fonts;
    CRtfXmlText item;
    Item(const std::string& text, int size, int width) {
        item.fonts = &fonts;
        item.fontSize = static_cast<uint16_t>(size);
        item.box = {10, 10, 10 + width, 30};
        auto run = std::make_unique<TextRun>();
        run->text = text;
        run->fontSize = item.fontSize;
        run->owner = &item;
        item.runs.push_back(std::move(run));
    }
};

}  // namespace

TEST(PlainText, UnicodeEscapesBecomeOnePlaceholder) {
    TextRun big = MakeRun("caf\\uc1\\u233X");
    EXPECT_EQ(PlainText(big, 12), "cafs");
    // Cached: a later size does not change it.
    EXPECT_EQ(PlainText(big, 8), "cafs");
    TextRun small = MakeRun("caf\\uc1\\u233X");
    EXPECT_EQ(PlainText(small, 10), "caf ");
    TextRun far = MakeRun("a\\uc1\\u1234567Xb");
    EXPECT_EQ(PlainText(far, 12), "a\\uc1\\u1234567Xb");
    TextRun open = MakeRun("a\\uc1\\u12 b");
    EXPECT_EQ(PlainText(open, 12), "a\\uc1\\u12 b");
    TextRun two = MakeRun("\\uc1\\u8226X-\\uc1\\u8226X");
    EXPECT_EQ(PlainText(two, 12), "s-s");
}

TEST(PlainText, LinkMarkersLeaveTheVisibleText) {
    TextRun link = MakeRun("<#dsAnchor#http://x.org/a~dsAnchor#>word</~dsAnchor#>");
    EXPECT_EQ(PlainText(link, 12), "word");
    TextRun open = MakeRun("<#dsAnchor#target");
    EXPECT_EQ(PlainText(open, 12), "<#dsAnchor#target");
}

TEST(MeasureRun, SizeStepAndStyles) {
    const std::string face = "Times New Roman";
    TextRun plain = MakeRun("Hello world");
    TextRun bold = MakeRun("Hello world", 1);
    TextRun boldItalic = MakeRun("Hello world", 3);
    // From 12 points on, one point more is measured: 13 points are 17 pixels.
    EXPECT_EQ(MeasureRun(plain, 12, face).width, platform::MeasureText(face, 17, false, false, "Hello world").width);
    EXPECT_EQ(MeasureRun(plain, 11, face).width, platform::MeasureText(face, 15, false, false, "Hello world").width);
    EXPECT_EQ(MeasureRun(boldItalic, 12, face).width,
              platform::MeasureText(face, 17, true, true, "Hello world").width);
    EXPECT_GE(MeasureRun(bold, 12, face).width, MeasureRun(plain, 12, face).width);
    EXPECT_GT(MeasureRun(plain, 12, face).height, 0);
    EXPECT_EQ(MeasureRun(plain, 12, "").width, 0);
}

TEST(FitItemSize, ShrinksUntilTheRunsFit) {
    Item wide("Hello", 12, 1000);
    EXPECT_EQ(FitItemSize(nullptr, wide.item), 12);
    Item never("Hello", 9, 1);
    EXPECT_EQ(FitItemSize(nullptr, never.item), 6);
    EXPECT_EQ(never.item.runs.front()->fontSize, 6);
    Item six("Hello", 6, 1);
    EXPECT_EQ(FitItemSize(nullptr, six.item), 6);
    Item some("Hello world, a longer line", 24, 0);
    int width = MeasureRun(*some.item.runs.front(), 14, "Times New Roman").width;
    some.item.box.right = some.item.box.left + width;
    some.item.runs.front()->plainText.clear();
    int fitted = FitItemSize(nullptr, some.item);
    EXPECT_LE(fitted, 14);
    EXPECT_GT(fitted, 6);
    Item lost("Hello", 12, 1);
    lost.item.fontIndex = 4;
    EXPECT_EQ(FitItemSize(nullptr, lost.item), 0);
    EXPECT_EQ(lost.item.runs.front()->fontSize, 12);
}
