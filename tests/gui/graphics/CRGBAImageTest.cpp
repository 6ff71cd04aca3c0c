#include "gui/graphics/CRGBAImage.h"

#include "foundation/basics/CException.h"
#include "gui/basics/CAlphaColour.h"
#include "gui/graphics/CBrush.h"
#include "gui/graphics/CGraphics.h"

#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::Exceptions;
using namespace Orvalite::GUI::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::MathTools;

TEST(RGBAImage, HoldsWhatWasDrawnOnATransparentSurfaceOnlyAfterUninitialise)
{
    CRGBAImage image;
    EXPECT_FALSE(image.initialise(0, 5));
    EXPECT_FALSE(image.initialise(CBitmap::MAXIMUM_SIDE + 1, 1));
    EXPECT_EQ(image.getGraphics(), nullptr) << "sizes no bitmap can have are refused";
    ASSERT_TRUE(image.initialise(4, 3));
    EXPECT_FALSE(image.imageHasLoaded());
    image.getGraphics()->getBrush()->setColour(CAlphaColour(10, 20, 30, 255));
    image.getGraphics()->fillRectangle(CRect(1, 1, 2, 1));
    ASSERT_TRUE(image.uninitialise());
    EXPECT_EQ(image.getGraphics(), nullptr);
    EXPECT_TRUE(image.hasAlpha());
    const CBitmap *bitmap = image.getImageHandle();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->getPixel(1, 1), CBitmap::pack(10, 20, 30, 255));
    EXPECT_EQ(bitmap->getPixel(0, 0), 0u);
}

// Code that draws into the image's own area must reach every pixel while drawing.
TEST(RGBAImage, SizeAndAreaAreTheSurfacesFromInitialiseOn)
{
    CRGBAImage image;
    ASSERT_TRUE(image.initialise(5, 3));
    EXPECT_TRUE(image.getImageSize() == CDimension(5, 3));
    EXPECT_TRUE(image.getImageSizeArea() == CRect(0, 0, 5, 3));
    image.getGraphics()->getBrush()->setColour(CAlphaColour(10, 20, 30, 255));
    image.getGraphics()->fillRectangle(image.getImageSizeArea());
    ASSERT_TRUE(image.uninitialise());
    EXPECT_EQ(image.getImageHandle()->getPixel(0, 0), CBitmap::pack(10, 20, 30, 255));
    EXPECT_EQ(image.getImageHandle()->getPixel(4, 2), CBitmap::pack(10, 20, 30, 255));
}

TEST(RGBAImage, UninitialiseOutOfOrderThrows)
{
    CRGBAImage image;
    try
    {
        image.uninitialise();
        FAIL() << "no exception";
    }
    catch (const CException &exception)
    {
        EXPECT_STREQ(exception.getErrorReason().getString(), "GDI+ Bitmap or context are NULL");
        EXPECT_STREQ(exception.getFunctionName().getString(), "CRGBAImage::unintialise()");
    }
    ASSERT_TRUE(image.initialise(1, 1));
    ASSERT_TRUE(image.uninitialise());
    EXPECT_THROW(image.uninitialise(), CException);
}
} // namespace
