#include <gtest/gtest.h>

#include "rtf/CRtfPage.h"
#include "RtfTestItems.h"

using rtftest::ItemSet;

namespace {

std::string Runs(CRtfXmlText* item) { return item->runs.WriteRuns(0); }

}  // namespace

TEST(FrameWriter, AnItemIsFramedAtItsPlaceWithRoomToSpare) {
    ItemSet set;
    CRtfXmlText* item = set.Add({100, 200, 150, 210}, {"Word"});
    // 100 and 200 units are 1333 and 2666 twips (truncated); 50 x 1.15 units are 766 twips, 10 x 1.15 are 153.
    EXPECT_EQ(item->WriteFrame(),
              "\\pard \\pvpg\\phpg\\posx1333\\posy2666\\absw766\\absh153\\nowrap " + Runs(item) + "\\par");
}

TEST(FrameWriter, ALineWithTwoSegmentsGivesThreeFramesInListOrder) {
    ItemSet set;
    CRtfXmlText* head = set.Add({100, 200, 150, 210}, {"one"});
    CRtfXmlText* b = set.Add({300, 200, 330, 210}, {"three"});
    CRtfXmlText* a = set.Add({200, 200, 240, 210}, {"two"});
    ItemSet::Join(head, {b, a});
    std::string rtf = head->WriteFrame();
    size_t one = rtf.find("{one}"), three = rtf.find("{three}"), two = rtf.find("{two}");
    ASSERT_NE(two, std::string::npos);
    EXPECT_LT(one, three);
    EXPECT_LT(three, two);
    EXPECT_NE(rtf.find("\\posx4000\\posy2666\\absw460"), std::string::npos) << rtf;
    EXPECT_EQ(rtf.find("\\pard", rtf.find("\\posx4000") - 20), rtf.find("\\pard \\pvpg\\phpg\\posx4000"));
}

TEST(FrameWriter, ALinkStaysInsideItsFrame) {
    ItemSet set;
    CRtfXmlText* item = set.Add({100, 200, 150, 210}, {"<#dsAnchor#http://example.org/~dsAnchor#>site</~dsAnchor#>"});
    std::string rtf = item->WriteFrame();
    size_t field = rtf.find("HYPERLINK \"http://example.org/\"");
    ASSERT_NE(field, std::string::npos) << rtf;
    EXPECT_LT(rtf.find("\\nowrap"), field);
    EXPECT_LT(field, rtf.rfind("\\par"));
}

TEST(FrameWriter, PiecesLeftOfOrAboveThePageAreFramedAtItsEdge) {
    ItemSet set;
    CRtfXmlText* item = set.Add({-30, -12, 20, 0}, {"edge"});
    std::string rtf = item->WriteFrame();
    EXPECT_NE(rtf.find("\\posx0\\posy0\\absw766\\absh184"), std::string::npos) << rtf;
}
