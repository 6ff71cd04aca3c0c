// A colour header first on purpose: it declares Orvalite::GUI::Basics, which the
// factory's declarations must not mistake for Orvalite::Basics.
#include "gui/basics/CColour.h"

#include "gui/graphics/ImageFactory.h"

#include "gui/graphics/CBaseImage.h"
#include "gui/graphics/CTGAImage.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>
#include <tuple>

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

const char *lastError(const IImage *image)
{
    return dynamic_cast<const CBaseImage &>(*image).getLastErrorMessage().getString();
}

// The type follows the extension in any case, but each loader takes only its lower-case extensions.
TEST(ImageFactory, ReturnsTheTypeOfTheExtensionWhetherItLoadsOrNot)
{
    // Name, type, and the message of the failed load (empty when it loads).
    const std::tuple<const char *, long, const char *> cases[] = {
        {"a.jpg", IImage::e_jpegImage, ""},
        {"a.jpeg", IImage::e_jpegImage, ""},
        {"a.JPG", IImage::e_jpegImage, "Filename is not of JPEG type"},
        {"a.JPEG", IImage::e_jpegImage, "Filename is not of JPEG type"},
        {"a.tga", IImage::e_targaImage, ""},
        {"a.TGA", IImage::e_targaImage, "Filename is not of TARGA type"},
        {"a.png", IImage::e_pngImage, ""},
        {"a.PNG", IImage::e_pngImage, "Filename is not of PNG type"}};
    CTemporaryFolder folder;
    for (const auto &[name, format, message] : cases)
    {
        folder.write(name, format == IImage::e_targaImage ? CImageFixtures::targaFile(1, 1, {{1, 2, 3, 4}})
                           : format == IImage::e_pngImage
                               ? CImageFixtures::pngBytes(folder.path(), CImageFixtures::patternBitmap(2, 2))
                               : CImageFixtures::jpegBytes("solid-8x8-1-2-3.jpg"));
        IImage *image = createImage(CString(folder.path().c_str()), CString(name));
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->getImageFileFormat(), format) << name;
        EXPECT_EQ(image->imageHasLoaded(), *message == '\0') << name;
        EXPECT_STREQ(lastError(image), message) << name;
        EXPECT_EQ(std::string(image->getFilename().getString()), folder.file(name)) << name;
        release(image);
    }
}

// Every reader refuses a file that is cut short, is not of its format or declares
// a size its data cannot fill, before allocating for that size.
TEST(ImageFactory, ReadersRefuseTruncatedAndLyingFiles)
{
    CTemporaryFolder folder;
    const std::string png = CImageFixtures::pngBytes(folder.path(), CImageFixtures::patternBitmap(64, 64));
    const std::string jpeg = CImageFixtures::jpegBytes("solid-64x64-30-60-90.jpg");
    const std::string tga = CImageFixtures::targaFile(1, 1, {{1, 2, 3, 4}});
    const auto tgaWith = [&tga](size_t offset, char value) {
        std::string bytes = tga;
        bytes[offset] = value;
        return bytes;
    };
    const char *const decode = "Failed to aquire HBITMAP from Bitmap image";
    const char *const header = "Header information did not match\nFile must be 32 bit Targa, colour map of 0, bpp = 8";
    const char *const shorter = "File is shorter than its header says";
    const char *const bitmap = "Failed to create window DIB section from targa data";
    const struct
    {
        const char *name;
        const char *what;
        std::string bytes;
        const char *message;
    } cases[] = {
        {"a.png", "cut in half", png.substr(0, png.size() / 2), decode},
        {"a.png", "header only", png.substr(0, 33), decode},
        {"a.png", "empty", "", decode},
        {"a.png", "not a PNG", "GIF89a and then some bytes", decode},
        {"a.png", "claims 65535 x 65535", CImageFixtures::withPngSize(png, 65535, 65535), decode},
        {"a.png", "claims 16384 x 16384", CImageFixtures::withPngSize(png, 16384, 16384), decode},
        {"a.png", "claims 64 x 4096, more rows than it holds", CImageFixtures::withPngSize(png, 64, 4096), decode},
        {"a.jpg", "cut in half", jpeg.substr(0, jpeg.size() / 2), decode},
        {"a.jpg", "empty", "", decode},
        {"a.jpg", "not a JPEG", "\x89PNG and so on", decode},
        {"a.jpg", "claims 65000 x 65000", CImageFixtures::withJpegSize(jpeg, 65000, 65000), decode},
        {"a.jpg", "claims 16000 x 16000", CImageFixtures::withJpegSize(jpeg, 16000, 16000), decode},
        {"a.jpg", "claims 64 x 640, more rows than it holds", CImageFixtures::withJpegSize(jpeg, 64, 640), decode},
        {"a.tga", "identification field", tgaWith(0, 1), header},
        {"a.tga", "colour map", tgaWith(1, 1), header},
        {"a.tga", "run-length image type 10", tgaWith(2, 10), header},
        {"a.tga", "24-bit pixels", tgaWith(16, 24), header},
        {"a.tga", "top-left origin", tgaWith(17, 0x28), header},
        {"a.tga", "header cut after 10 bytes", tga.substr(0, 10), header},
        {"a.tga", "empty", "", header},
        {"a.tga", "claims 65535 x 65535, holds one pixel", CImageFixtures::targaFile(65535, 65535, {{1, 2, 3, 4}}),
         shorter},
        {"a.tga", "claims 2 x 2, holds three pixels", CImageFixtures::targaFile(2, 2, {{}, {}, {}}), shorter},
        {"a.tga", "zero width", CImageFixtures::targaFile(0, 5), bitmap},
        {"a.tga", "wider than any bitmap",
         CImageFixtures::targaFile(20000, 1, std::vector<CImageFixtures::STargaPixel>(20000)), bitmap},
    };
    for (const auto &entry : cases)
    {
        const std::string input = std::string(entry.name) + ", " + entry.what;
        folder.write(entry.name, entry.bytes);
        IImage *image = createImage(CString(folder.path().c_str()), CString(entry.name));
        ASSERT_NE(image, nullptr) << input;
        EXPECT_FALSE(image->imageHasLoaded()) << input;
        EXPECT_EQ(image->getImageHandle(), nullptr) << input;
        EXPECT_EQ(image->getImageSize().getWidth(), 0) << input;
        EXPECT_STREQ(lastError(image), entry.message) << input;
        EXPECT_TRUE(entry.name[2] != 't' || std::string(image->getFilename().getString()) == " ")
            << input << ": the Targa reader blanks the name of a file it cannot read";
        release(image);
    }
}

TEST(ImageFactory, ReturnsNothingForMissingFilesFoldersAndUnknownExtensions)
{
    CTemporaryFolder folder;
    folder.write("picture.bmp", "BM");
    std::filesystem::create_directory(folder.file("folder.png"));
    for (const char *name : {"missing.png", "picture.bmp", "folder.png"})
    {
        EXPECT_EQ(createImage(pathIn(folder, name)), nullptr) << name;
    }
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

TEST(ImageFactory, JoinsFolderAndNameWithOneSeparator)
{
    EXPECT_STREQ(joinImagePath(CString(""), CString("a.png")).getString(), "a.png");
    const std::string joined = std::string("skins") + PATH_SEPARATOR + "a.png";
    EXPECT_EQ(joinImagePath(CString("skins"), CString("a.png")).getString(), joined);
    EXPECT_EQ(joinImagePath(CString((std::string("skins") + PATH_SEPARATOR).c_str()), CString("a.png")).getString(),
              joined);
}
} // namespace
