#include <gtest/gtest.h>

#include <fstream>

#include "pagegraphics/PictureText.h"
#include "rtf/CRtfPage.h"
#include "rtf/RtfUnits.h"
#include "rtf/RecordedGraphics.h"
#include "rtf/ShapeIds.h"
#include "rtfgraphics/PageGraphicsWriter.h"
#include "support/TempDir.h"

namespace {

struct PictureCase {
    testpdf::TempDir dir;
    CRtfPage page{nullptr, 1};
    ShapeIds ids;
    Picture image;

    PictureCase() {
        page.rect = {0, 0, 918, 1188};
        std::ofstream(dir / "imagefile1.jpeg", std::ios::binary) << std::string("\xFF\xD8\xFF\xE0", 4);
        SetPictureFile(image, dir / "imagefile1.jpeg", false);
        image.scaleA = 200;
        image.scaleD = 100;
        image.posX = 50;
        image.posY = 600;
        image.placement = PicturePlacement::Other;
        image.drawingOrder = 3;
    }
};

TEST(PictureShape, AnUprightPictureIsAPictureFrameAtItsPlace) {
    PictureCase p;
    std::string rtf = WritePicture(p.image, &p.page, p.ids, false);
    char rect[128];
    std::snprintf(rect, sizeof rect, "\\shpleft%d\\shptop%d\\shpright%d\\shpbottom%d\n", ToTwips(50), ToTwips(488),
                  ToTwips(250), ToTwips(588));
    EXPECT_EQ(rtf.find(std::string("{\\shp\n{\\*\\shpinst\n") + rect), 0u) << rtf;
    EXPECT_NE(rtf.find("\\shplid2028\\shpz3\\shpbxpage\\shpbypage\n\\absh15840\\absw12240"), std::string::npos);
    EXPECT_NE(rtf.find("{\\sp{\\sn shapeType}{\\sv 75}}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\sp{\\sn fBehindDocument}{\\sv 1}}"), std::string::npos);
    EXPECT_NE(rtf.find("{\\pict\n\\jpegblip\nFFD8FFE0}\n}}}}"), std::string::npos);
}

TEST(PictureShape, FlatPicturesTakeTheirHeightFromTheSlantToo) {
    PictureCase p;
    p.image.scaleC = 3;
    p.image.scaleD = 0.4f;
    p.image.placement = PicturePlacement::QuarterMirrored;
    std::string rtf = WritePicture(p.image, &p.page, p.ids, false);
    char rect[96];
    std::snprintf(rect, sizeof rect, "\\shptop%d\\shpright%d\\shpbottom%d", ToTwips(588), ToTwips(250), ToTwips(591));
    EXPECT_NE(rtf.find(rect), std::string::npos) << rtf;
}

TEST(PictureShape, RemovedUnrenderedOrEmptyPicturesWriteNothing) {
    PictureCase p;
    EXPECT_TRUE(WritePicture(p.image, &p.page, p.ids, true).empty());
    EXPECT_TRUE(WritePicture(p.image, nullptr, p.ids, false).empty());
    Picture unrendered;
    EXPECT_TRUE(WritePicture(unrendered, &p.page, p.ids, false).empty());
    std::ofstream(p.dir / "imagefile1.txt", std::ios::trunc).close();
    EXPECT_TRUE(WritePicture(p.image, &p.page, p.ids, false).empty()) << "an empty picture text";
    std::filesystem::remove(p.dir / "imagefile1.txt");
    EXPECT_TRUE(WritePicture(p.image, &p.page, p.ids, false).empty()) << "a missing picture text";
    EXPECT_EQ(p.ids.NextGraphic(), 2028) << "no id is spent on a picture that is not written";
}

TEST(PictureShape, APageWritesItsGraphicsInOrderWithConsecutiveIds) {
    PictureCase p;
    for (int i = 0; i < 2; ++i) {
        auto image = std::make_unique<Picture>(p.image);
        image->drawingOrder = 5 + i;
        p.page.graphics.push_back(std::move(image));
    }
    std::string rtf = WritePageGraphics(p.page, p.ids, false).Joined();
    size_t first = rtf.find("\\shplid2028\\shpz5"), second = rtf.find("\\shplid2029\\shpz6");
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
}

TEST(PictureShape, AOneByteJpegIsTheDataLineFF) {
    PictureCase p;
    std::ofstream(p.dir / "one.jpeg", std::ios::binary) << std::string("\xFF", 1);
    ASSERT_TRUE(SetPictureFile(p.image, p.dir / "one.jpeg", false));
    EXPECT_NE(WritePicture(p.image, &p.page, p.ids, false).find("\\jpegblip\nFF}"), std::string::npos);
}

}  // namespace
