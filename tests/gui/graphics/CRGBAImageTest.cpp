#include "gui/graphics/CRGBAImage.h"

#include "foundation/basics/CException.h"
#include "gui/basics/CAlphaColour.h"
#include "gui/graphics/CBrush.h"
#include "gui/graphics/CGraphics.h"

#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::GUI::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::MathTools;

TEST(RGBAImage, RefusesSizesNoBitmapCanHave)
{
    CRGBAImage image;
    for (const long width : {0L, CBitmap::MAXIMUM_SIDE + 1})
    {
        EXPECT_FALSE(image.initialise(width, 5)) << width;
        EXPECT_EQ(image.getGraphics(), nullptr) << width;
        EXPECT_EQ(image.getImageSize().getWidth(), 0) << width;
    }
}

// Code that draws into the image's own area while drawing reaches every pixel of
// the surface; what it leaves alone stays transparent.
TEST(RGBAImage, WhatIsDrawnIntoItsAreaBecomesTheImageOnUninitialise)
{
    CRGBAImage image;
    ASSERT_TRUE(image.initialise(5, 3));
    EXPECT_FALSE(image.imageHasLoaded());
    EXPECT_TRUE(image.getImageSize() == CDimension(5, 3));
    const CRect &area = image.getImageSizeArea();
    EXPECT_TRUE(area == CRect(0, 0, 5, 3));
    image.getGraphics()->getBrush()->setColour(CAlphaColour(10, 20, 30, 255));
    image.getGraphics()->fillRectangle(CRect(1, 0, area.getWidth() - 1, area.getHeight()));
    ASSERT_TRUE(image.uninitialise());
    EXPECT_EQ(image.getGraphics(), nullptr);
    EXPECT_TRUE(image.hasAlpha());
    ASSERT_NE(image.getImageHandle(), nullptr);
    EXPECT_EQ(image.getImageHandle()->getPixel(4, 2), CBitmap::pack(10, 20, 30, 255));
    EXPECT_EQ(image.getImageHandle()->getPixel(0, 2), 0u);
}

TEST(RGBAImage, UninitialiseWithoutInitialiseThrows)
{
    CRGBAImage image;
    EXPECT_THROW(image.uninitialise(), Orvalite::Exceptions::CException);
    ASSERT_TRUE(image.initialise(1, 1));
    ASSERT_TRUE(image.uninitialise());
    EXPECT_THROW(image.uninitialise(), Orvalite::Exceptions::CException) << "a second time";
}
} // namespace
