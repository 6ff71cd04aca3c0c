// The raster layer beneath CGraphics: the device context's own primitives that
// CGraphics does not reach with every option, the blitter's copies and blend,
// and the native image that serves as back buffer.
#include "gui/graphics/CDeviceContext.h"

#include "gui/graphics/CBlitter.h"
#include "gui/graphics/CNativeImage.h"
#include "tests/gui/graphics/CTestSurface.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace
{
using namespace Orvalite::GUI::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::MathTools;
using namespace Orvalite::Testing;

const uint32_t RED_PIXEL = 0xFFFF0000;

CTestSurface &withRedPen(CTestSurface &surface, int32_t width = 1)
{
    CDeviceContext::SPen pen;
    pen.colorRef = 0x0000FF;
    pen.width = width;
    surface.context().selectPen(pen);
    return surface;
}

TEST(DeviceContext, WidePenCoversItsWidthAcrossTheLine)
{
    CTestSurface surface(20, 20);
    withRedPen(surface, 3).context().moveTo(2, 10);
    surface.context().lineTo(12, 10);
    for (long x = 2; x < 12; ++x)
    {
        EXPECT_TRUE(surface.at(x, 9) == RED_PIXEL && surface.at(x, 10) == RED_PIXEL && surface.at(x, 11) == RED_PIXEL)
            << x;
    }
    EXPECT_EQ(countNot(surface.bitmap()), 30);
}

// From the ray to the right to the ray upwards: counter-clockwise the top-right quarter, clockwise the rest.
TEST(DeviceContext, ArcDrawsOnlyTheSweptPart)
{
    CTestSurface counter(30, 30);
    withRedPen(counter).context().arc(5, 5, 25, 25, {30, 15}, {15, 0}, CDeviceContext::e_counterClockwise);
    CTestSurface clockwise(30, 30);
    withRedPen(clockwise).context().arc(5, 5, 25, 25, {30, 15}, {15, 0}, CDeviceContext::e_clockwise);
    EXPECT_TRUE(changedBox(counter.bitmap()).left >= 15 && changedBox(counter.bitmap()).bottom <= 15);
    EXPECT_GT(countNot(counter.bitmap()), 10);
    EXPECT_GT(countNot(clockwise.bitmap()), 2 * countNot(counter.bitmap()));
}

TEST(DeviceContext, ReadsOutsideTheClipOrWithoutBitmapAreInvalid)
{
    CTestSurface surface(20, 20, BLACK);
    surface.context().setClipBox({10, 10, 20, 20});
    EXPECT_EQ(surface.context().getPixel(5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(surface.context().getPixel(15, 15), 0u) << "black as a colour reference";
    CDeviceContext context;
    context.lineTo(10, 10);
    context.rectangle(0, 0, 10, 10);
    EXPECT_EQ(context.getPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_TRUE(context.getWritableBox().isEmpty());
}

TEST(Blitter, StretchPicksTheNearestSourcePixel)
{
    // Every source pixel names its own coordinates: red = x, green = y.
    CBitmap source;
    source.create(4, 2);
    for (long index = 0; index < 8; ++index)
    {
        source.setPixel(index % 4, index / 4, CBitmap::pack(index % 4, index / 4, 0, 255));
    }
    CTestSurface surface(20, 20);
    surface.context().stretchBlt(0, 0, 8, 6, source, 0, 0, 4, 2);
    for (long index = 0; index < 48; ++index)
    {
        EXPECT_EQ(surface.at(index % 8, index / 8), source.getPixel(index % 8 / 2, index / 8 / 3)) << index;
    }
    CTestSurface shrunk(20, 20);
    shrunk.context().stretchBlt(0, 0, 2, 1, source, 0, 0, 4, 2);
    EXPECT_EQ(shrunk.at(0, 0), source.getPixel(1, 1)) << "the centre of a 2×2 block falls on its lower right";
    EXPECT_EQ(shrunk.at(1, 0), source.getPixel(3, 1));
}

TEST(Blitter, CopyOntoItselfReadsTheOriginalPixels)
{
    CTestSurface surface(8, 1);
    for (long x = 0; x < 8; ++x)
    {
        surface.bitmap().setPixel(x, 0, CBitmap::pack(static_cast<uint32_t>(x), 0, 0, 255));
    }
    surface.context().bitBlt(1, 0, 7, 1, surface.bitmap(), 0, 0);
    for (long x = 1; x < 8; ++x)
    {
        EXPECT_EQ(CBitmap::redOf(surface.at(x, 0)), static_cast<uint32_t>(x - 1)) << x;
    }
}

// Premultiplied source over: result = source × k + destination × (1 − alpha × k), each exactly rounded.
TEST(Blitter, BlendFollowsPremultipliedSourceOver)
{
    // Destination, source, constant alpha.
    const std::tuple<uint32_t, uint32_t, uint32_t> cases[] = {
        {0xFF000000, 0x80800000, 255}, {0xFFFFFFFF, 0x80800000, 255}, {0xFF204060, 0xFF0000FF, 64},
        {0x00000000, 0x40404040, 255}, {0xFFFFFFFF, 0x00000000, 255}, {0xFF102030, 0xC0604020, 200},
        {0xFF336699, 0xFFFFFFFF, 0},   {0xFF000000, 0xFFFFFFFF, 127}};
    for (const auto &[destination, source, constantAlpha] : cases)
    {
        const uint32_t result = CBlitter::blendOver(destination, source, constantAlpha);
        const double k = constantAlpha / 255.0;
        const double sourceAlpha = std::floor(CBitmap::alphaOf(source) * k + 0.5);
        for (unsigned shift : {0u, 8u, 16u, 24u})
        {
            const double weighted = std::floor(((source >> shift) & 0xFF) * k + 0.5);
            const double expected = weighted + ((destination >> shift) & 0xFF) * (255.0 - sourceAlpha) / 255.0;
            EXPECT_NEAR(static_cast<double>((result >> shift) & 0xFF), expected, 0.5 + 1e-9)
                << std::hex << destination << " under " << source << " k " << std::dec << constantAlpha << " channel "
                << shift;
        }
    }
}

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
    EXPECT_EQ(image.getBitmap().getPixel(0, 0), BLACK);
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
    EXPECT_EQ(target.getBitmap().getPixel(2, 2), BLACK);
    EXPECT_EQ(target.getBitmap().getPixel(3, 3), WHITE) << "only this surface's size is copied";
    CNativeImage other;
    other.initialise(1, nullptr, CDimension(3, 3));
    source.copyFrom(other);
    EXPECT_EQ(source.getBitmap().getPixel(1, 1), WHITE);
}

TEST(NativeImage, ConstantAlphaIsTheTruncatedAlphaLimitedToOne)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const std::pair<double, uint32_t> cases[] = {{0.5, 127}, {1.0, 255}, {0.999, 254}, {2.0, 255},
                                                 {-1.0, 0},  {0.0, 0},   {nan, 0},     {infinity, 255}};
    for (const auto &[alpha, constant] : cases)
    {
        EXPECT_EQ(CNativeImage::constantAlphaOf(alpha), constant) << alpha;
    }
}
} // namespace
