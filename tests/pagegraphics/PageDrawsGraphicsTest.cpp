#include <PDFDoc.h>
#include <goo/GooString.h>
#include <gtest/gtest.h>

#include <memory>

#include "pagegraphics/PageDrawsGraphics.h"
#include "platform/PdfCoreConfig.h"
#include "support/PdfWriter.h"
#include "support/TempDir.h"

using namespace testpdf;

// Skipping a page is only safe where it certainly draws nothing to record:
// operator names inside text strings must not count, and real painting must.
TEST(PageDrawsGraphics, OnlyPagesOfPureTextAreLeftOut) {
    TempDir dir;
    PdfWriter w;
    w.AddPage(TextLine("Words only", 72, 700));
    w.AddPage(TextLine("(S f Do sh BI) are only letters here", 72, 700));
    w.AddPage(TextLine("A rule", 72, 700) + "72 690 200 1 re f\n");
    w.AddPage(TextLine("A stroke", 72, 700) + "72 680 m 300 680 l S\n");
    w.AddPage("q 100 0 0 100 72 500 cm /Im1 Do Q\n");
    testpdf::Page& linked = w.AddPage(TextLine("A link", 72, 700));
    linked.links.push_back({72, 690, 200, 712, "https://example.org"});
    w.AddPage("");
    ASSERT_TRUE(w.Save(dir / "pages.pdf"));

    pdfcore::CreateGlobalParams();
    PDFDoc doc(std::make_unique<GooString>((dir / "pages.pdf").c_str()));
    ASSERT_TRUE(doc.isOk());
    EXPECT_FALSE(pagegraphics::PageDrawsGraphics(doc, 1));
    EXPECT_FALSE(pagegraphics::PageDrawsGraphics(doc, 2));
    EXPECT_TRUE(pagegraphics::PageDrawsGraphics(doc, 3));
    EXPECT_TRUE(pagegraphics::PageDrawsGraphics(doc, 4));
    EXPECT_TRUE(pagegraphics::PageDrawsGraphics(doc, 5));
    EXPECT_TRUE(pagegraphics::PageDrawsGraphics(doc, 6)) << "annotations may draw appearances";
    EXPECT_FALSE(pagegraphics::PageDrawsGraphics(doc, 7));
    EXPECT_TRUE(pagegraphics::PageDrawsGraphics(doc, 99)) << "no such page: not claimed empty";
    pdfcore::DeleteGlobalParams();
}
