#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "pagegraphics/GhostscriptRender.h"
#include "pagegraphics/ImagePlacement.h"
#include "pagegraphics/PrologueTemplate.h"
#include "platform/PdfCoreConfig.h"
#include "platform/Process.h"

using namespace pagegraphics;

namespace {

// Names reach Ghostscript as hex strings: no blank, bracket or backslash in a
// path can end the string early; only '%' needs doubling in the output name.
TEST(GhostscriptCall, OutputNamesAreOnlyNames) {
    const std::string request = RenderRequest("/tmp/a%d b|c)/imagefile1.pcx", "/tmp/w (1)/finalfile1.ps", "[612 792]");
    auto hex = [](const std::string& text) {
        std::string h;
        char buf[3];
        for (unsigned char c : text) {
            std::snprintf(buf, sizeof buf, "%02x", c);
            h += buf;
        }
        return "<" + h + ">";
    };
    EXPECT_NE(request.find("/OutputFile " + hex("/tmp/a%%d b|c)/imagefile1.pcx") + " /PageSize [612 792] >>"),
              std::string::npos)
        << request;
    EXPECT_NE(request.find(hex("/tmp/w (1)/finalfile1.ps") + " run"), std::string::npos) << request;
    EXPECT_EQ(request.find("imagefile"), std::string::npos);
    EXPECT_EQ(request.back(), '\n');
    EXPECT_EQ(request.find('\n'), request.size() - 1) << "one request is one line";
}

TEST(GhostscriptCall, AHungProcessIsKilledAtItsTimeLimit) {
    auto start = std::chrono::steady_clock::now();
    platform::ProcessResult r = platform::RunProcess({"sleep", "30"}, {}, 1);
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(r.timedOut);
    EXPECT_NE(r.status, 0);
    EXPECT_LT(seconds, 10);
}

TEST(PageTemplate, HoldsThePrologTheRecordedOperatorsAndThePaperTag) {
    pdfcore::CreateGlobalParams();
    std::string error;
    std::string text = BuildPrologueTemplate(error);
    pdfcore::DeleteGlobalParams();
    ASSERT_FALSE(text.empty()) << error;
    EXPECT_EQ(text.rfind("%!PS-Adobe", 0), 0u);
    for (const char* name : {"/pdfStartPage", "/pdfEndPage", "/pdfIm ", "/g ", "/rg ", "/k ", "/G ", "/RG ", "/K ",
                             "/F10_0 "})
        EXPECT_NE(text.find(name), std::string::npos) << name;
    // The paper set-up of each picture page goes where the tag is, at the end of the set-up.
    EXPECT_EQ(text.substr(text.size() - 14), std::string(kPageSizeTag) + "\n");
    EXPECT_EQ(text.find("%%EndSetup"), std::string::npos);
    EXPECT_EQ(text.find("pdfSetupPaper\n%%"), std::string::npos) << "the empty page's own paper is gone";
}

TEST(Placement, UprightPictureGetsItsSizeAsPaper) {
    PictureMatrix m;
    ASSERT_TRUE(ParseMatrix("[200 0 0 100 50 600]", m));
    ImagePlacement p = PlacePicture(m, 400, 200);
    EXPECT_EQ(PaperSetupLine(p), "400 200 false pdfSetup\n");
    EXPECT_EQ(p.placementLine, "[400 0 -0 200 0 0] cm\n");
    EXPECT_EQ(p.kind, PicturePlacement::Upright);
    EXPECT_EQ(p.p[4], 0);
    EXPECT_EQ(p.p[5], 0);
}

TEST(Placement, TurnedPicturesGetARealMatrixAndTurnedPaper) {
    PictureMatrix ccw{0, 100, -50, 0, 300, 300};
    ImagePlacement p = PlacePicture(ccw, 8, 4);
    EXPECT_EQ(PaperSetupLine(p), "4 8 false pdfSetup\n");
    EXPECT_EQ(p.placementLine, "[0 8 -4 0 4 0] cm\n");
    EXPECT_EQ(p.kind, PicturePlacement::QuarterCounterClockwise);
    PictureMatrix cw{0, -100, 50, 0, 300, 300};
    p = PlacePicture(cw, 8, 4);
    EXPECT_EQ(PaperSetupLine(p), "4 8 false pdfSetup\n");
    EXPECT_EQ(p.placementLine, "[0 -8 4 0 0 8] cm\n");
    EXPECT_EQ(p.kind, PicturePlacement::QuarterClockwise);
}

TEST(Placement, OnlyPicturesNeitherUprightNorQuarterTurnedAreSkewed) {
    EXPECT_FALSE(IsSkewed({200, 0, 0, 100, 0, 0}));
    EXPECT_FALSE(IsSkewed({-200, 0, 0, -100, 0, 0}));
    EXPECT_FALSE(IsSkewed({0, 100, -50, 0, 0, 0}));
    EXPECT_FALSE(IsSkewed({200, 1e-12, 0, 100, 0, 0}));
    EXPECT_TRUE(IsSkewed({30, 20, -20, 30, 0, 0}));
}

}  // namespace
