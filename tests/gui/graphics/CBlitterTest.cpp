#include "gui/graphics/CBlitter.h"
#include "tests/gui/graphics/CTestSurface.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::Testing;

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
    for (long y = 0; y < 6; ++y)
    {
        for (long x = 0; x < 8; ++x)
        {
            EXPECT_EQ(surface.at(x, y), source.getPixel(x / 2, y / 3)) << x << "," << y;
        }
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
    const struct
    {
        uint32_t destination, source, constantAlpha;
    } cases[] = {
        {0xFF000000, 0x80800000, 255}, {0xFFFFFFFF, 0x80800000, 255}, {0xFF204060, 0xFF0000FF, 64},
        {0x00000000, 0x40404040, 255}, {0xFFFFFFFF, 0x00000000, 255}, {0xFF102030, 0xC0604020, 200},
        {0xFF336699, 0xFFFFFFFF, 0},   {0xFF000000, 0xFFFFFFFF, 127},
    };
    for (const auto &entry : cases)
    {
        const uint32_t result = CBlitter::blendOver(entry.destination, entry.source, entry.constantAlpha);
        const double k = entry.constantAlpha / 255.0;
        const double sourceAlpha = std::floor(CBitmap::alphaOf(entry.source) * k + 0.5);
        for (unsigned shift : {0u, 8u, 16u, 24u})
        {
            const double source = std::floor(((entry.source >> shift) & 0xFF) * k + 0.5);
            const double expected = source + ((entry.destination >> shift) & 0xFF) * (255.0 - sourceAlpha) / 255.0;
            EXPECT_NEAR(static_cast<double>((result >> shift) & 0xFF), expected, 0.5 + 1e-9)
                << std::hex << entry.destination << " under " << entry.source << " k " << std::dec
                << entry.constantAlpha << " channel " << shift;
        }
    }
}
} // namespace
