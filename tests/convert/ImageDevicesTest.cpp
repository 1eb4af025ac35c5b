#include <gtest/gtest.h>

#include "convert/ImageDevices.h"

namespace {

TEST(ImageDevices, ExtensionsFollowTheDevice) {
    EXPECT_EQ(ExtensionOfDevice("bmp16m"), "bmp");
    EXPECT_EQ(ExtensionOfDevice("png16m"), "png");
    EXPECT_EQ(ExtensionOfDevice("tiff24nc"), "tiff");
    EXPECT_EQ(ExtensionOfDevice("pcx24b"), "pcx");
    EXPECT_EQ(ExtensionOfDevice("pnm"), "pnm");
    EXPECT_EQ(ExtensionOfDevice("x11alpha"), "jpeg");
}

}  // namespace
