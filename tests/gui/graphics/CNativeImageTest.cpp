#include "gui/graphics/CNativeImage.h"

#include <gtest/gtest.h>
#include <limits>

namespace
{
using namespace Orvalite::GUI::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::MathTools;

TEST(NativeImage, InitialiseMakesOneSurfaceInTheBackgroundColour)
{
    CNativeImage image;
    image.setBackgroundColour(CColour(10, 20, 30));
    image.initialise(7, nullptr, CDimension(5, 4));
    ASSERT_TRUE(image.isCreated());
    EXPECT_EQ(image.getBitmap().getPixel(4, 3), 0xFF0A141Eu);
    image.getDeviceContext()->setPixel(0, 0, 0);
    image.initialise(1, nullptr, CDimension(9, 9));
    EXPECT_EQ(image.getBitmap().getWidth(), 5) << "a second initialise keeps the first surface";
    EXPECT_EQ(image.getBitmap().getPixel(0, 0), 0xFF000000u);
    image.uninitialise();
    EXPECT_FALSE(image.isCreated());
    EXPECT_TRUE(image.getBitmap().isEmpty());
}

TEST(NativeImage, SizesTheBitmapRefusesLeaveItUncreated)
{
    for (const CDimension &size : {CDimension(0, 10), CDimension(-3, 5), CDimension(100000, 2)})
    {
        CNativeImage image;
        image.initialise(1, nullptr, size);
        EXPECT_FALSE(image.isCreated()) << size.getWidth() << "x" << size.getHeight();
        image.getDeviceContext()->lineTo(10, 10);
    }
}

TEST(NativeImage, CopiesOnlyBetweenCreatedSurfaces)
{
    CNativeImage source;
    CNativeImage target;
    source.setBackgroundColour(CColour(0, 0, 0));
    source.initialise(1, nullptr, CDimension(3, 3));
    source.copyTo(target);
    target.initialise(1, nullptr, CDimension(6, 6));
    source.copyTo(target);
    EXPECT_EQ(target.getBitmap().getPixel(2, 2), 0xFF000000u);
    EXPECT_EQ(target.getBitmap().getPixel(3, 3), 0xFFFFFFFFu) << "only this surface's size is copied";
    CNativeImage other;
    other.initialise(1, nullptr, CDimension(3, 3));
    source.copyFrom(other);
    EXPECT_EQ(source.getBitmap().getPixel(1, 1), 0xFFFFFFFFu);
}

TEST(NativeImage, ConstantAlphaIsTheTruncatedAlphaLimitedToOne)
{
    const struct
    {
        double alpha;
        uint32_t constant;
    } cases[] = {{0.5, 127},
                 {1.0, 255},
                 {0.999, 254},
                 {2.0, 255},
                 {-1.0, 0},
                 {0.0, 0},
                 {std::numeric_limits<double>::quiet_NaN(), 0},
                 {std::numeric_limits<double>::infinity(), 255}};
    for (const auto &entry : cases)
    {
        EXPECT_EQ(CNativeImage::constantAlphaOf(entry.alpha), entry.constant) << entry.alpha;
    }
}
} // namespace
