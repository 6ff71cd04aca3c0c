#include "gui/graphics/CJPEGImage.h"

#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::Testing;

CSystemString pathOf(const CTemporaryFolder &folder, const std::string &name)
{
    return CSystemString(folder.file(name).c_str());
}

TEST(JPEGImage, DecodesOpaquePixelsCloseToTheSourceColour)
{
    CTemporaryFolder folder;
    folder.write("photo.jpg", CImageFixtures::jpegBytes(24, 16, 200, 100, 50));
    CJPEGImage image(pathOf(folder, "photo.jpg"));
    ASSERT_TRUE(image.imageHasLoaded()) << image.getLastErrorMessage().getString();
    EXPECT_FALSE(image.hasAlpha());
    EXPECT_EQ(image.getImageSize().getWidth(), 24);
    EXPECT_EQ(image.getImageSize().getHeight(), 16);
    // Lossy coding: a tolerance of 3 steps per channel.
    const uint32_t pixel = image.getImageHandle()->getPixel(13, 9);
    EXPECT_EQ(CBitmap::alphaOf(pixel), 255u);
    EXPECT_NEAR(CBitmap::redOf(pixel), 200, 3);
    EXPECT_NEAR(CBitmap::greenOf(pixel), 100, 3);
    EXPECT_NEAR(CBitmap::blueOf(pixel), 50, 3);
}

} // namespace
