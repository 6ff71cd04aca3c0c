#include "gui/graphics/ImageFactory.h"

#include "gui/graphics/CJPEGImage.h"
#include "gui/graphics/CPNGImage.h"
#include "gui/graphics/CTGAImage.h"
#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

namespace
{
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using namespace Orvalite::GUI::Graphics;
using Orvalite::Testing::CImageFixtures;
using Orvalite::Testing::CTemporaryFolder;

// Releases an image the test created.
void release(IImage *image)
{
    if (image)
    {
        image->referenced();
        image->dereference();
    }
}

struct SExtensionCase
{
    const char *name;
    long format;
    bool loads;
};

class ImageFactoryExtension : public testing::TestWithParam<SExtensionCase>
{
};

TEST_P(ImageFactoryExtension, ChoosesTheTypeByExtensionAndReturnsItLoadedOrNot)
{
    CTemporaryFolder folder;
    const std::string name = GetParam().name;
    const bool isTarga = name.find("tga") != std::string::npos || name.find("TGA") != std::string::npos;
    const bool isPng = name.find("png") != std::string::npos || name.find("PNG") != std::string::npos;
    folder.write(name, isTarga ? CImageFixtures::targaFile(1, 1, {{1, 2, 3, 4}})
                       : isPng ? CImageFixtures::pngBytes(folder.path(), CImageFixtures::patternBitmap(2, 2))
                               : CImageFixtures::jpegBytes(8, 8, 1, 2, 3));
    IImage *image = createImage(CString(folder.path().c_str()), CString(name.c_str()));
    ASSERT_NE(image, nullptr) << name;
    EXPECT_EQ(image->getImageFileFormat(), GetParam().format) << name;
    EXPECT_EQ(image->imageHasLoaded(), GetParam().loads) << name;
    release(image);
}

INSTANTIATE_TEST_SUITE_P(ImageFactory, ImageFactoryExtension,
                         testing::Values(SExtensionCase{"a.jpg", IImage::e_jpegImage, true},
                                         SExtensionCase{"a.jpeg", IImage::e_jpegImage, true},
                                         SExtensionCase{"a.JPG", IImage::e_jpegImage, false},
                                         SExtensionCase{"a.JPEG", IImage::e_jpegImage, false},
                                         SExtensionCase{"a.tga", IImage::e_targaImage, true},
                                         SExtensionCase{"a.TGA", IImage::e_targaImage, false},
                                         SExtensionCase{"a.png", IImage::e_pngImage, true},
                                         SExtensionCase{"a.PNG", IImage::e_pngImage, false}));

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

TEST(ImageFactory, TypedHelpersConstructTheirTypeWhateverTheFile)
{
    CTemporaryFolder folder;
    CPNGImage *png = createPNGImage(CString(folder.path().c_str()), CString("none.png"));
    CJPEGImage *jpeg = createJPEGImage(CString(folder.path().c_str()), CString("none.jpg"));
    EXPECT_FALSE(png->imageHasLoaded());
    EXPECT_FALSE(jpeg->imageHasLoaded());
    release(png);
    release(jpeg);
}

TEST(ImageFactory, JoiningWithAnEmptyFolderGivesTheNameAlone)
{
    EXPECT_STREQ(joinImagePath(CString(""), CString("a.png")).getString(), "a.png");
    EXPECT_STREQ(joinImagePath(CString("skins"), CString("a.png")).getString(), "skins/a.png");
    EXPECT_STREQ(joinImagePath(CString("skins/"), CString("a.png")).getString(), "skins/a.png");
}
} // namespace
