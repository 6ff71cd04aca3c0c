#include "gui/graphics/CPNGImage.h"

#include "gui/graphics/CPNGWriter.h"
#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace
{
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::GUI::Graphics::CPNGImage;
using Orvalite::GUI::Graphics::CPNGWriter;
using Orvalite::GUI::Graphics::IImage;
using Orvalite::Testing::CImageFixtures;
using Orvalite::Testing::CTemporaryFolder;

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
            const uint32_t want = original.getPixel(x, y);
            const uint32_t got = loaded->getPixel(x, y);
            EXPECT_EQ(CBitmap::alphaOf(got), CBitmap::alphaOf(want)) << x << "," << y;
            EXPECT_LE(std::abs(int(CBitmap::redOf(got)) - int(CBitmap::redOf(want))), 1) << x << "," << y;
            EXPECT_LE(std::abs(int(CBitmap::greenOf(got)) - int(CBitmap::greenOf(want))), 1) << x << "," << y;
            EXPECT_LE(std::abs(int(CBitmap::blueOf(got)) - int(CBitmap::blueOf(want))), 1) << x << "," << y;
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

struct SBrokenCase
{
    const char *what;
    std::string (*bytes)(const std::string &valid);
};

class PNGBrokenFile : public testing::TestWithParam<SBrokenCase>
{
};

TEST_P(PNGBrokenFile, FailsToLoadWithTheDecodeMessage)
{
    CTemporaryFolder folder;
    const std::string valid = CImageFixtures::pngBytes(folder.path(), CImageFixtures::patternBitmap(64, 64));
    folder.write("broken.png", GetParam().bytes(valid));
    CPNGImage image(pathOf(folder, "broken.png"));
    EXPECT_FALSE(image.imageHasLoaded()) << GetParam().what;
    EXPECT_EQ(image.getImageHandle(), nullptr) << GetParam().what;
    EXPECT_STREQ(image.getLastErrorMessage().getString(), "Failed to aquire HBITMAP from Bitmap image")
        << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    PNGImage, PNGBrokenFile,
    testing::Values(
        SBrokenCase{"cut in half", [](const std::string &valid) { return valid.substr(0, valid.size() / 2); }},
        SBrokenCase{"header only", [](const std::string &valid) { return valid.substr(0, 33); }},
        SBrokenCase{"empty", [](const std::string &) { return std::string(); }},
        SBrokenCase{"not a PNG", [](const std::string &) { return std::string("GIF89a and then some bytes"); }},
        SBrokenCase{"claims 65535 x 65535",
                    [](const std::string &valid) { return CImageFixtures::withPngSize(valid, 65535, 65535); }},
        SBrokenCase{"claims 16384 x 16384, more than its data can hold",
                    [](const std::string &valid) { return CImageFixtures::withPngSize(valid, 16384, 16384); }},
        SBrokenCase{"claims 64 x 4096, more rows than it holds",
                    [](const std::string &valid) { return CImageFixtures::withPngSize(valid, 64, 4096); }}));

TEST(PNGImage, LoaderRefusesUpperCaseExtension)
{
    CTemporaryFolder folder;
    CString error;
    ASSERT_TRUE(CPNGWriter::writeToFile(CImageFixtures::patternBitmap(2, 2), pathOf(folder, "IMAGE.PNG"), error));
    CPNGImage image(pathOf(folder, "IMAGE.PNG"));
    EXPECT_FALSE(image.imageHasLoaded());
    EXPECT_STREQ(image.getLastErrorMessage().getString(), "Filename is not of PNG type");
    EXPECT_EQ(std::string(image.getFilename().getString()), folder.file("IMAGE.PNG"));
}
} // namespace
