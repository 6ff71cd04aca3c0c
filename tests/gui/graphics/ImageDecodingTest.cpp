// What the Targa, PNG and JPEG readers make of valid files, and the PNG writer.
// Files a reader must refuse are in ImageFactoryTest.
#include "gui/graphics/CJPEGImage.h"
#include "gui/graphics/CPNGImage.h"
#include "gui/graphics/CPNGWriter.h"
#include "gui/graphics/CTGAImage.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::Testing;

TEST(TGAImage, DecodesRowsTopDownPremultiplied)
{
    CTemporaryFolder folder;
    // File order: the bottom row first.
    folder.write("image.tga", CImageFixtures::targaFile(1, 2, {{201, 100, 50, 128}, {10, 20, 30, 255}}));
    CTGAImage image(pathIn(folder, "image.tga"));
    ASSERT_TRUE(image.imageHasLoaded()) << image.getLastErrorMessage().getString();
    EXPECT_TRUE(image.hasAlpha());
    EXPECT_TRUE(image.getImageSizeArea() == Orvalite::MathTools::CRect(0, 0, 1, 2));
    EXPECT_EQ(image.getImageHandle()->getPixel(0, 0), CBitmap::pack(30, 20, 10, 255));
    // Blue 201, green 100, red 50 at alpha 128 are stored truncated: 100 (not 101), 50, 25.
    EXPECT_EQ(image.getImageHandle()->getPixel(0, 1), CBitmap::pack(25, 50, 100, 128));
}

TEST(TGAImage, AFailedReloadLeavesNothingOfThePreviousImage)
{
    CTemporaryFolder folder;
    folder.write("good.tga", CImageFixtures::targaFile(1, 1, {{1, 2, 3, 4}}));
    folder.write("bad.tga", CImageFixtures::targaFile(4, 4));
    CTGAImage image(pathIn(folder, "good.tga"));
    ASSERT_TRUE(image.imageHasLoaded());
    EXPECT_FALSE(image.loadFromFile(pathIn(folder, "bad.tga")));
    EXPECT_EQ(image.getImageHandle(), nullptr);
    EXPECT_EQ(image.getImageSize().getWidth(), 0);
    EXPECT_FALSE(image.loadFromFile(pathIn(folder, "missing.tga")));
    EXPECT_STREQ(image.getLastErrorMessage().getString(), "Could not find file with matching details");
}

TEST(ImageDecoding, PremultiplicationTruncatesForTargaAndRoundsForPng)
{
    for (uint32_t alpha = 0; alpha < 256; ++alpha)
    {
        for (uint32_t channel = 0; channel < 256; ++channel)
        {
            ASSERT_EQ(CTGAImage::premultiply(channel, alpha), channel * alpha / 255) << channel << ", " << alpha;
            ASSERT_EQ(CPNGImage::premultiply(channel, alpha),
                      static_cast<uint32_t>(std::lround(channel * alpha / 255.0)))
                << channel << ", " << alpha;
        }
    }
}

TEST(PNGImage, RoundTripsThroughWriterAndReaderWithinOneStep)
{
    CTemporaryFolder folder;
    const CBitmap original = CImageFixtures::patternBitmap(7, 5);
    CString error;
    ASSERT_TRUE(CPNGWriter::writeToFile(original, pathIn(folder, "round.png"), error)) << error.getString();
    EXPECT_EQ(folder.countEntries(), 1) << "no temporary file is left behind";
    CPNGImage image(pathIn(folder, "round.png"));
    ASSERT_TRUE(image.imageHasLoaded()) << image.getLastErrorMessage().getString();
    EXPECT_TRUE(image.hasAlpha());
    const CBitmap *loaded = image.getImageHandle();
    ASSERT_TRUE(loaded->getWidth() == 7 && loaded->getHeight() == 5);
    for (long index = 0; index < 35; ++index)
    {
        // Alpha exactly, colour within one step.
        for (unsigned shift : {0u, 8u, 16u, 24u})
        {
            const int want = static_cast<int>((original.getPixel(index % 7, index / 7) >> shift) & 0xFF);
            const int got = static_cast<int>((loaded->getPixel(index % 7, index / 7) >> shift) & 0xFF);
            EXPECT_LE(std::abs(got - want), shift == 24 ? 0 : 1) << "pixel " << index << " channel " << shift;
        }
    }
}

// Rounding is checked through the window icon, which shares the writer's unpremultiply.
TEST(PNGImage, WriterUnpremultiplyGuardsZeroAlphaAndSaturates)
{
    EXPECT_EQ(CPNGWriter::unpremultiply(0, 0), 0);
    // A channel above its alpha is not valid premultiplied colour; it saturates.
    EXPECT_EQ(CPNGWriter::unpremultiply(90, 10), 255);
}

TEST(PNGImage, WriterFailsWithAMessageLeavingNoFile)
{
    CTemporaryFolder folder;
    CString error;
    EXPECT_FALSE(CPNGWriter::writeToFile(CImageFixtures::patternBitmap(2, 2), pathIn(folder, "no/such.png"), error));
    EXPECT_FALSE(error.equals(""));
    EXPECT_FALSE(CPNGWriter::writeToFile(CBitmap(), pathIn(folder, "empty.png"), error));
    EXPECT_STREQ(error.getString(), "Bitmap is empty");
    EXPECT_EQ(folder.countEntries(), 0);
}

TEST(JPEGImage, DecodesOpaquePixelsCloseToTheSourceColour)
{
    CTemporaryFolder folder;
    folder.write("photo.jpg", CImageFixtures::jpegBytes("solid-24x16-200-100-50.jpg"));
    CJPEGImage image(pathIn(folder, "photo.jpg"));
    ASSERT_TRUE(image.imageHasLoaded()) << image.getLastErrorMessage().getString();
    EXPECT_FALSE(image.hasAlpha());
    EXPECT_TRUE(image.getImageSize().getWidth() == 24 && image.getImageSize().getHeight() == 16);
    // Lossy coding: a tolerance of 3 steps per channel.
    const uint32_t pixel = image.getImageHandle()->getPixel(13, 9);
    EXPECT_EQ(CBitmap::alphaOf(pixel), 255u);
    EXPECT_NEAR(CBitmap::redOf(pixel), 200, 3);
    EXPECT_NEAR(CBitmap::greenOf(pixel), 100, 3);
    EXPECT_NEAR(CBitmap::blueOf(pixel), 50, 3);
}
} // namespace
