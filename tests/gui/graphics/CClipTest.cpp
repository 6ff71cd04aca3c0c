#include "gui/graphics/CClip.h"

#include "foundation/basics/CException.h"

#include <gtest/gtest.h>

namespace
{
using Orvalite::Exceptions::CException;
using Orvalite::GUI::Graphics::CClip;
using Orvalite::GUI::Graphics::CNativeImage;
using Orvalite::MathTools::CDimension;
using Orvalite::MathTools::CRect;

TEST(Clip, InitialisingWithoutNativeImageThrows)
{
    CClip clip;
    try
    {
        clip.initialise(nullptr, CRect(0, 0, 10, 10), nullptr);
        FAIL() << "no exception";
    }
    catch (const CException &exception)
    {
        EXPECT_STREQ(exception.getErrorReason().getString(), "Native image is NULL");
        EXPECT_STREQ(exception.getFunctionName().getString(), "Orvalite::GUI::Graphics::CClip::initialise");
    }
}

TEST(Clip, StartsAtTheFullAreaAndSetsTheContextsClip)
{
    CNativeImage image;
    image.initialise(1, nullptr, CDimension(20, 20));
    CClip clip;
    clip.initialise(&image, CRect(0, 0, 20, 20), nullptr);
    CRect rect;
    clip.getClipRect(rect);
    EXPECT_EQ(rect, CRect(0, 0, 20, 20));
    EXPECT_FALSE(clip.isClipActive());
    clip.setClip(CRect(2, 3, 4, 5));
    clip.getClipRect(rect);
    EXPECT_EQ(rect, CRect(2, 3, 4, 5));
    const auto box = image.getDeviceContext()->getWritableBox();
    EXPECT_TRUE(box.left == 2 && box.top == 3 && box.right == 6 && box.bottom == 8);
    clip.clearClip();
    EXPECT_FALSE(clip.isClipActive());
    EXPECT_EQ(image.getDeviceContext()->getWritableBox().right, 20);
}

TEST(Clip, BeforeInitialisingOnlyStoresTheRectangle)
{
    CClip clip;
    clip.setClip(CRect(1, 1, 2, 2));
    CRect rect;
    clip.getClipRect(rect);
    EXPECT_EQ(rect, CRect(1, 1, 2, 2));
    EXPECT_TRUE(clip.isClipActive());
    clip.uninitialise();
    EXPECT_FALSE(clip.isClipActive());
}
} // namespace
