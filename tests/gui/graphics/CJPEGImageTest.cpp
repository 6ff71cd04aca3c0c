#include "gui/graphics/CJPEGImage.h"

#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
using Orvalite::Basics::CSystemString;
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::GUI::Graphics::CJPEGImage;
using Orvalite::GUI::Graphics::IImage;
using Orvalite::Testing::CImageFixtures;
using Orvalite::Testing::CTemporaryFolder;

CSystemString pathOf(const CTemporaryFolder &folder, const std::string &name)
{
    return CSystemString(folder.file(name).c_str());
}

TEST(JPEGImage, DecodesOpaquePixelsCloseToTheSourceColour)
{
    CTemporaryFolder folder;
    for (const char *name : {"photo.jpg", "photo.jpeg"})
    {
        folder.write(name, CImageFixtures::jpegBytes(24, 16, 200, 100, 50));
        CJPEGImage image(pathOf(folder, name));
        ASSERT_TRUE(image.imageHasLoaded()) << name << ": " << image.getLastErrorMessage().getString();
        EXPECT_FALSE(image.hasAlpha());
        EXPECT_EQ(image.getImageFileFormat(), IImage::e_jpegImage);
        EXPECT_EQ(image.getImageSize().getWidth(), 24);
        EXPECT_EQ(image.getImageSize().getHeight(), 16);
        // Lossy coding: a tolerance of 3 steps per channel.
        const uint32_t pixel = image.getImageHandle()->getPixel(13, 9);
        EXPECT_EQ(CBitmap::alphaOf(pixel), 255u) << name;
        EXPECT_NEAR(CBitmap::redOf(pixel), 200, 3) << name;
        EXPECT_NEAR(CBitmap::greenOf(pixel), 100, 3) << name;
        EXPECT_NEAR(CBitmap::blueOf(pixel), 50, 3) << name;
    }
}

TEST(JPEGImage, LoaderRefusesOtherExtensions)
{
    CTemporaryFolder folder;
    folder.write("PHOTO.JPG", CImageFixtures::jpegBytes(8, 8, 1, 2, 3));
    CJPEGImage image(pathOf(folder, "PHOTO.JPG"));
    EXPECT_FALSE(image.imageHasLoaded());
    EXPECT_STREQ(image.getLastErrorMessage().getString(), "Filename is not of JPEG type");
}

struct SBrokenCase
{
    const char *what;
    std::string (*bytes)(const std::string &valid);
};

class JPEGBrokenFile : public testing::TestWithParam<SBrokenCase>
{
};

TEST_P(JPEGBrokenFile, FailsToLoadWithTheDecodeMessage)
{
    CTemporaryFolder folder;
    folder.write("broken.jpg", GetParam().bytes(CImageFixtures::jpegBytes(64, 64, 30, 60, 90)));
    CJPEGImage image(pathOf(folder, "broken.jpg"));
    EXPECT_FALSE(image.imageHasLoaded()) << GetParam().what;
    EXPECT_EQ(image.getImageHandle(), nullptr) << GetParam().what;
    EXPECT_STREQ(image.getLastErrorMessage().getString(), "Failed to aquire HBITMAP from Bitmap image")
        << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    JPEGImage, JPEGBrokenFile,
    testing::Values(
        SBrokenCase{"cut in half", [](const std::string &valid) { return valid.substr(0, valid.size() / 2); }},
        SBrokenCase{"empty", [](const std::string &) { return std::string(); }},
        SBrokenCase{"not a JPEG", [](const std::string &) { return std::string("\x89PNG and so on"); }},
        SBrokenCase{"claims 65000 x 65000",
                    [](const std::string &valid) { return CImageFixtures::withJpegSize(valid, 65000, 65000); }},
        SBrokenCase{"claims 16000 x 16000, more than its data can hold",
                    [](const std::string &valid) { return CImageFixtures::withJpegSize(valid, 16000, 16000); }},
        SBrokenCase{"claims 64 x 640, more rows than it holds",
                    [](const std::string &valid) { return CImageFixtures::withJpegSize(valid, 64, 640); }}));
} // namespace
