#include "gui/graphics/CPNGImage.h"

#include "gui/graphics/CPNGWriter.h"
#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::Testing;

CSystemString pathOf(const CTemporaryFolder &folder, const std::string &name)
{
    return CSystemString(folder.file(name).c_str());
}

TEST(PNGImage, PremultiplyRoundsToTheNearestExactQuotient)
{
    for (uint32_t alpha = 0; alpha < 256; ++alpha)
    {
        for (uint32_t channel = 0; channel < 256; ++channel)
        {
            const auto nearest = static_cast<uint32_t>(std::lround(channel * alpha / 255.0));
            ASSERT_EQ(CPNGImage::premultiply(channel, alpha), nearest) << "channel " << channel << ", alpha " << alpha;
        }
    }
}

TEST(PNGImage, RoundTripsThroughWriterAndReaderWithinOneStep)
{
    CTemporaryFolder folder;
    const CBitmap original = CImageFixtures::patternBitmap(7, 5);
    CString error;
    ASSERT_TRUE(CPNGWriter::writeToFile(original, pathOf(folder, "round.png"), error)) << error.getString();
    EXPECT_EQ(folder.countEntries(), 1) << "no temporary file is left behind";

    CPNGImage image(pathOf(folder, "round.png"));
    ASSERT_TRUE(image.imageHasLoaded()) << image.getLastErrorMessage().getString();
    EXPECT_EQ(image.getImageFileFormat(), IImage::e_pngImage);
    EXPECT_TRUE(image.hasAlpha());
    const CBitmap *loaded = image.getImageHandle();
    ASSERT_EQ(loaded->getWidth(), 7);
    ASSERT_EQ(loaded->getHeight(), 5);
    for (long y = 0; y < 5; ++y)
    {
        for (long x = 0; x < 7; ++x)
        {
            // Alpha exactly, colour within one step.
            for (unsigned shift : {0u, 8u, 16u, 24u})
            {
                const int want = static_cast<int>((original.getPixel(x, y) >> shift) & 0xFF);
                const int got = static_cast<int>((loaded->getPixel(x, y) >> shift) & 0xFF);
                EXPECT_LE(std::abs(got - want), shift == 24 ? 0 : 1) << x << "," << y << " channel " << shift;
            }
        }
    }
}

TEST(PNGImage, WriterUnpremultipliesToStraightColour)
{
    EXPECT_EQ(CPNGWriter::unpremultiply(100, 128), 199);
    EXPECT_EQ(CPNGWriter::unpremultiply(0, 0), 0);
    EXPECT_EQ(CPNGWriter::unpremultiply(200, 255), 200);
    // A channel above its alpha is not valid premultiplied colour; it saturates.
    EXPECT_EQ(CPNGWriter::unpremultiply(90, 10), 255);
}

TEST(PNGImage, WriterReportsFailureAndLeavesNoFile)
{
    CTemporaryFolder folder;
    CString error;
    EXPECT_FALSE(
        CPNGWriter::writeToFile(CImageFixtures::patternBitmap(2, 2), pathOf(folder, "no/such/folder.png"), error));
    EXPECT_FALSE(error.equals(""));
    EXPECT_FALSE(CPNGWriter::writeToFile(CBitmap(), pathOf(folder, "empty.png"), error));
    EXPECT_STREQ(error.getString(), "Bitmap is empty");
    EXPECT_EQ(folder.countEntries(), 0);
}

} // namespace
