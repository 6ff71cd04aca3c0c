// A colour header first on purpose: it declares Orvalite::GUI::Basics, which the
// factory's declarations must not mistake for Orvalite::Basics.
#include "gui/basics/CColour.h"

#include "gui/graphics/ImageFactory.h"

#include "gui/graphics/CBaseImage.h"
#include "gui/graphics/CTGAImage.h"
#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <functional>
#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::Testing;

// Releases an image the test created.
void release(IImage *image)
{
    image->referenced();
    image->dereference();
}

struct SExtensionCase
{
    const char *name;
    long format;
    // Empty when the image loads.
    const char *message;
};

class ImageFactoryExtension : public testing::TestWithParam<SExtensionCase>
{
};

// The type follows the extension in any case, but each loader takes only its lower-case extensions.
TEST_P(ImageFactoryExtension, ChoosesTheTypeByExtensionAndReturnsItLoadedOrNot)
{
    CTemporaryFolder folder;
    const std::string name = GetParam().name;
    const long format = GetParam().format;
    folder.write(name, format == IImage::e_targaImage ? CImageFixtures::targaFile(1, 1, {{1, 2, 3, 4}})
                       : format == IImage::e_pngImage
                           ? CImageFixtures::pngBytes(folder.path(), CImageFixtures::patternBitmap(2, 2))
                           : CImageFixtures::jpegBytes(8, 8, 1, 2, 3));
    IImage *image = createImage(CString(folder.path().c_str()), CString(name.c_str()));
    ASSERT_NE(image, nullptr) << name;
    EXPECT_EQ(image->getImageFileFormat(), format) << name;
    EXPECT_EQ(image->imageHasLoaded(), *GetParam().message == '\0') << name;
    EXPECT_STREQ(dynamic_cast<CBaseImage &>(*image).getLastErrorMessage().getString(), GetParam().message) << name;
    EXPECT_EQ(std::string(image->getFilename().getString()), folder.file(name)) << name;
    release(image);
}

INSTANTIATE_TEST_SUITE_P(ImageFactory, ImageFactoryExtension,
                         testing::Values(SExtensionCase{"a.jpg", IImage::e_jpegImage, ""},
                                         SExtensionCase{"a.jpeg", IImage::e_jpegImage, ""},
                                         SExtensionCase{"a.JPG", IImage::e_jpegImage, "Filename is not of JPEG type"},
                                         SExtensionCase{"a.JPEG", IImage::e_jpegImage, "Filename is not of JPEG type"},
                                         SExtensionCase{"a.tga", IImage::e_targaImage, ""},
                                         SExtensionCase{"a.TGA", IImage::e_targaImage, "Filename is not of TARGA type"},
                                         SExtensionCase{"a.png", IImage::e_pngImage, ""},
                                         SExtensionCase{"a.PNG", IImage::e_pngImage, "Filename is not of PNG type"}));

TEST(ImageFactory, TruncatedOrLyingPngAndJpegFilesFailWithTheDecodeMessage)
{
    CTemporaryFolder folder;
    const std::string png = CImageFixtures::pngBytes(folder.path(), CImageFixtures::patternBitmap(64, 64));
    const std::string jpeg = CImageFixtures::jpegBytes(64, 64, 30, 60, 90);
    const auto half = [](const std::string &valid) { return valid.substr(0, valid.size() / 2); };
    const auto empty = [](const std::string &) { return std::string(); };
    const struct
    {
        const char *name;
        const char *what;
        std::function<std::string(const std::string &)> bytes;
    } cases[] = {
        {"a.png", "cut in half", half},
        {"a.png", "header only", [](const std::string &valid) { return valid.substr(0, 33); }},
        {"a.png", "empty", empty},
        {"a.png", "not a PNG", [](const std::string &) { return std::string("GIF89a and then some bytes"); }},
        {"a.png", "claims 65535 x 65535",
         [](const std::string &valid) { return CImageFixtures::withPngSize(valid, 65535, 65535); }},
        {"a.png", "claims 16384 x 16384, more than its data can hold",
         [](const std::string &valid) { return CImageFixtures::withPngSize(valid, 16384, 16384); }},
        {"a.png", "claims 64 x 4096, more rows than it holds",
         [](const std::string &valid) { return CImageFixtures::withPngSize(valid, 64, 4096); }},
        {"a.jpg", "cut in half", half},
        {"a.jpg", "empty", empty},
        {"a.jpg", "not a JPEG", [](const std::string &) { return std::string("\x89PNG and so on"); }},
        {"a.jpg", "claims 65000 x 65000",
         [](const std::string &valid) { return CImageFixtures::withJpegSize(valid, 65000, 65000); }},
        {"a.jpg", "claims 16000 x 16000, more than its data can hold",
         [](const std::string &valid) { return CImageFixtures::withJpegSize(valid, 16000, 16000); }},
        {"a.jpg", "claims 64 x 640, more rows than it holds",
         [](const std::string &valid) { return CImageFixtures::withJpegSize(valid, 64, 640); }},
    };
    for (const auto &entry : cases)
    {
        const std::string input = std::string(entry.name) + ", " + entry.what;
        folder.write(entry.name, entry.bytes(entry.name[2] == 'p' ? png : jpeg));
        IImage *image = createImage(CString(folder.path().c_str()), CString(entry.name));
        ASSERT_NE(image, nullptr) << input;
        EXPECT_FALSE(image->imageHasLoaded()) << input;
        EXPECT_EQ(image->getImageHandle(), nullptr) << input;
        EXPECT_STREQ(dynamic_cast<CBaseImage &>(*image).getLastErrorMessage().getString(),
                     "Failed to aquire HBITMAP from Bitmap image")
            << input;
        release(image);
    }
}

TEST(ImageFactory, ReturnsNothingForMissingFilesFoldersAndUnknownExtensions)
{
    CTemporaryFolder folder;
    folder.write("picture.bmp", "BM");
    EXPECT_EQ(createImage(CSystemString(folder.file("missing.png").c_str())), nullptr);
    EXPECT_EQ(createImage(CSystemString(folder.file("picture.bmp").c_str())), nullptr);
    std::filesystem::create_directory(folder.file("folder.png"));
    EXPECT_EQ(createImage(CSystemString(folder.file("folder.png").c_str())), nullptr);
}

TEST(ImageFactory, TargaHelperAddsTheMissingExtension)
{
    CTemporaryFolder folder;
    folder.write("knob.tga", CImageFixtures::targaFile(1, 1, {{1, 2, 3, 4}}));
    CTGAImage *image = createTGAImage(CString(folder.path().c_str()), CString("knob"));
    EXPECT_TRUE(image->imageHasLoaded());
    EXPECT_EQ(std::string(image->getFilename().getString()), folder.file("knob.tga"));
    release(image);
}

TEST(ImageFactory, JoiningWithAnEmptyFolderGivesTheNameAlone)
{
    EXPECT_STREQ(joinImagePath(CString(""), CString("a.png")).getString(), "a.png");
    EXPECT_STREQ(joinImagePath(CString("skins"), CString("a.png")).getString(), "skins/a.png");
    EXPECT_STREQ(joinImagePath(CString("skins/"), CString("a.png")).getString(), "skins/a.png");
}
} // namespace
