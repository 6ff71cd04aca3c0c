#include "gui/graphics/CFilmStrip.h"

#include "gui/graphics/CGraphics.h"
#include "gui/graphics/CRGBAImage.h"
#include "gui/graphics/CTGAImage.h"
#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
using Orvalite::Basics::CSystemString;
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::GUI::Graphics::CFilmStrip;
using Orvalite::GUI::Graphics::CRGBAImage;
using Orvalite::GUI::Graphics::CTGAImage;
using Orvalite::MathTools::CRect;
using Orvalite::Testing::CImageFixtures;
using Orvalite::Testing::CTemporaryFolder;

struct SFrameCase
{
    double value;
    long frames;
    bool inverted;
    long frame;
};

class FilmStripFrame : public testing::TestWithParam<SFrameCase>
{
};

TEST_P(FilmStripFrame, TruncatesAndWrapsIntoTheStrip)
{
    const SFrameCase &c = GetParam();
    EXPECT_EQ(CFilmStrip::frameIndexFor(c.value, c.frames, c.inverted), c.frame)
        << "value " << c.value << ", " << c.frames << " frames" << (c.inverted ? ", inverted" : "");
}

INSTANTIATE_TEST_SUITE_P(FilmStrip, FilmStripFrame,
                         testing::Values(SFrameCase{1.0, 10, false, 9}, SFrameCase{1.0, 10, true, 0},
                                         SFrameCase{0.0, 10, false, 0}, SFrameCase{0.0, 10, true, 9},
                                         SFrameCase{0.5, 10, false, 4}, SFrameCase{0.999, 10, false, 8},
                                         SFrameCase{0.5, 129, false, 64}, SFrameCase{1.5, 10, false, 3},
                                         SFrameCase{1.5, 10, true, 6}, SFrameCase{4.0, 10, false, 6},
                                         SFrameCase{0.7, 1, false, 0}, SFrameCase{0.7, 0, false, 0},
                                         SFrameCase{0.7, -3, false, 0}));

TEST(FilmStrip, HugeValuesStillSelectAFrameOfTheStrip)
{
    for (double value : {1e300, -1e300, 1e18, std::numeric_limits<double>::infinity()})
    {
        const long frame = CFilmStrip::frameIndexFor(value, 10, false);
        EXPECT_TRUE(frame >= 0 && frame < 10) << "value " << value << " gave frame " << frame;
    }
}

TEST(FilmStrip, SelectsTheSourceRectangleAndKeepsItForNegativeValues)
{
    CTemporaryFolder folder;
    folder.write("strip.tga", CImageFixtures::targaFile(4, 40, std::vector<CImageFixtures::STargaPixel>(160)));
    auto *image = new CTGAImage(CSystemString(folder.file("strip.tga").c_str()));
    ASSERT_TRUE(image->imageHasLoaded());
    CFilmStrip strip;
    strip.setStrip(image, 4, 10, false);
    EXPECT_EQ(image->getReferenceCount(), 1);
    EXPECT_EQ(strip.getSourceRect().getWidth(), 4);
    EXPECT_EQ(strip.getSourceRect().getTop(), 0);

    strip.setValue(1.0);
    EXPECT_EQ(strip.getCurrentFrame(), 9);
    EXPECT_EQ(strip.getSourceRect().getTop(), 36);
    EXPECT_EQ(strip.getSourceRect().getHeight(), 4);
    for (double kept : {-0.25, -1.0, std::numeric_limits<double>::quiet_NaN()})
    {
        strip.setValue(kept);
        EXPECT_EQ(strip.getCurrentFrame(), 9) << "value " << kept;
    }
    strip.setInverted(true);
    strip.setValue(1.0);
    EXPECT_EQ(strip.getCurrentFrame(), 0);
}

TEST(FilmStrip, DrawsTheSelectedFrameOverTheArea)
{
    // Three 1 × 2 frames, opaque red, green and blue from the top; the file holds rows bottom-up.
    CTemporaryFolder folder;
    folder.write("strip.tga", CImageFixtures::targaFile(1, 6,
                                                        {{255, 0, 0, 255},
                                                         {255, 0, 0, 255},
                                                         {0, 255, 0, 255},
                                                         {0, 255, 0, 255},
                                                         {0, 0, 255, 255},
                                                         {0, 0, 255, 255}}));
    CFilmStrip strip;
    strip.setStrip(new CTGAImage(CSystemString(folder.file("strip.tga").c_str())), 2, 3, false);
    struct SCase
    {
        double value;
        uint32_t colour;
    };
    for (const SCase &c : {SCase{0.0, CBitmap::pack(255, 0, 0, 255)}, SCase{0.5, CBitmap::pack(0, 255, 0, 255)},
                           SCase{1.0, CBitmap::pack(0, 0, 255, 255)}})
    {
        strip.setValue(c.value);
        CRGBAImage target;
        ASSERT_TRUE(target.initialise(2, 4));
        strip.draw(*target.getGraphics(), CRect(0, 0, 2, 4));
        ASSERT_TRUE(target.uninitialise());
        EXPECT_EQ(target.getImageHandle()->getPixel(0, 0), c.colour) << "value " << c.value;
        EXPECT_EQ(target.getImageHandle()->getPixel(1, 3), c.colour) << "value " << c.value;
    }
}
} // namespace
