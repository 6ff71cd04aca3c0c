#include "gui/graphics/CFilmStrip.h"

#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CRGBAImage.h"
#include "gui/graphics/CTGAImage.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace
{
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::MathTools;
using namespace Orvalite::Testing;

TEST(FilmStrip, FrameIndexTruncatesAndWrapsIntoTheStrip)
{
    // Value, frames, inverted, frame.
    const std::tuple<double, long, bool, long> cases[] = {
        {1.0, 10, false, 9},   {1.0, 10, true, 0},    {0.0, 10, false, 0}, {0.0, 10, true, 9}, {0.5, 10, false, 4},
        {0.999, 10, false, 8}, {0.5, 129, false, 64}, {1.5, 10, false, 3}, {1.5, 10, true, 6}, {4.0, 10, false, 6},
        {0.7, 1, false, 0},    {0.7, 0, false, 0},    {0.7, -3, false, 0}};
    for (const auto &[value, frames, inverted, frame] : cases)
    {
        EXPECT_EQ(CFilmStrip::frameIndexFor(value, frames, inverted), frame)
            << "value " << value << ", " << frames << " frames" << (inverted ? ", inverted" : "");
    }
    for (double value : {1e300, -1e300, 1e18, std::numeric_limits<double>::infinity()})
    {
        const long frame = CFilmStrip::frameIndexFor(value, 10, false);
        EXPECT_TRUE(frame >= 0 && frame < 10) << "value " << value << " gave frame " << frame;
    }
}

// A negative value (or not a number) keeps the frame shown.
// Three 1 × 2 frames, opaque red, green and blue from the top; the file holds rows bottom-up.
TEST(FilmStrip, DrawsTheFrameTheValueSelects)
{
    CTemporaryFolder folder;
    folder.write("strip.tga", CImageFixtures::targaFile(1, 6,
                                                        {{255, 0, 0, 255},
                                                         {255, 0, 0, 255},
                                                         {0, 255, 0, 255},
                                                         {0, 255, 0, 255},
                                                         {0, 0, 255, 255},
                                                         {0, 0, 255, 255}}));
    auto *image = new CTGAImage(pathIn(folder, "strip.tga"));
    CFilmStrip strip;
    strip.setStrip(image, 2, 3, false);
    EXPECT_EQ(image->getReferenceCount(), 1) << "the strip holds the image";
    const auto drawn = [&strip](double value) {
        strip.setValue(value);
        CRGBAImage target;
        target.initialise(2, 4);
        strip.draw(*target.getGraphics(), CRect(0, 0, 2, 4));
        target.uninitialise();
        const uint32_t corner = target.getImageHandle()->getPixel(0, 0);
        return corner == target.getImageHandle()->getPixel(1, 3) ? corner : 0;
    };
    EXPECT_EQ(drawn(0.0), CBitmap::pack(255, 0, 0, 255)) << "the frame covers the whole area";
    EXPECT_EQ(drawn(0.5), CBitmap::pack(0, 255, 0, 255));
    EXPECT_EQ(drawn(1.0), CBitmap::pack(0, 0, 255, 255));
    EXPECT_TRUE(strip.getSourceRect() == CRect(0, 4, 1, 2));
    for (double kept : {-0.25, -1.0, std::numeric_limits<double>::quiet_NaN()})
    {
        EXPECT_EQ(drawn(kept), CBitmap::pack(0, 0, 255, 255)) << "value " << kept;
        EXPECT_EQ(strip.getCurrentFrame(), 2) << "value " << kept;
    }
    strip.setInverted(true);
    EXPECT_EQ(drawn(1.0), CBitmap::pack(255, 0, 0, 255)) << "inverted";
}
} // namespace
