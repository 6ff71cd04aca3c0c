#include "gui/graphics/CBlitter.h"
#include "tests/gui/graphics/CTestSurface.h"

#include <cmath>
#include <gtest/gtest.h>

namespace
{
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::GUI::Graphics::CBlitter;
using Orvalite::Testing::CTestSurface;

// A source whose every pixel names its own coordinates: red = x, green = y.
CBitmap coordinateBitmap(long width, long height)
{
    CBitmap bitmap;
    bitmap.create(width, height);
    for (long y = 0; y < height; ++y)
    {
        for (long x = 0; x < width; ++x)
        {
            bitmap.setPixel(x, y, CBitmap::pack(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 0, 255));
        }
    }
    return bitmap;
}

TEST(Blitter, CopyMovesPixelsOneToOne)
{
    CTestSurface surface(20, 20);
    const CBitmap source = coordinateBitmap(10, 10);
    surface.context().bitBlt(5, 6, 4, 3, source, 2, 1);
    EXPECT_EQ(surface.countNotBackground(), 12);
    for (long y = 0; y < 3; ++y)
    {
        for (long x = 0; x < 4; ++x)
        {
            EXPECT_EQ(surface.at(5 + x, 6 + y), source.getPixel(2 + x, 1 + y)) << x << "," << y;
        }
    }
}

TEST(Blitter, StretchPicksTheNearestSourcePixel)
{
    CTestSurface surface(20, 20);
    const CBitmap source = coordinateBitmap(4, 2);
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

TEST(Blitter, SourcePixelsOffTheSourceAreSkipped)
{
    CTestSurface surface(10, 10);
    const CBitmap source = coordinateBitmap(4, 4);
    surface.context().bitBlt(0, 0, 10, 10, source, -2, -2);
    EXPECT_EQ(surface.countNotBackground(), 16);
    EXPECT_EQ(surface.at(2, 2), source.getPixel(0, 0));
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

TEST(Blitter, ConstantAlphaOf127BlendsWhiteOverBlackTo127)
{
    CTestSurface surface(2, 2, CTestSurface::BLACK);
    CBitmap white;
    white.create(2, 2);
    white.fill(CTestSurface::WHITE);
    surface.context().alphaBlend(0, 0, 2, 2, white, 0, 0, 2, 2, 127);
    EXPECT_EQ(surface.at(0, 0), 0xFF7F7F7Fu);
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

TEST(Blitter, FullyTransparentSourceLeavesTheDestination)
{
    EXPECT_EQ(CBlitter::blendOver(0xFF336699, 0x00000000, 255), 0xFF336699u);
    EXPECT_EQ(CBlitter::blendOver(0xFF336699, 0xFFFFFFFF, 0), 0xFF336699u);
}
} // namespace
