#include "gui/graphics/CTGAImage.h"

#include "tests/foundation/CTemporaryFolder.h"
#include "tests/gui/graphics/CImageFixtures.h"

#include <gtest/gtest.h>

namespace
{
using namespace Orvalite::Basics;
using namespace Orvalite::GUI::Graphics;
using namespace Orvalite::Testing;

const char *const HEADER_MESSAGE =
    "Header information did not match\nFile must be 32 bit Targa, colour map of 0, bpp = 8";
const char *const SHORT_MESSAGE = "File is shorter than its header says";
const char *const BITMAP_MESSAGE = "Failed to create window DIB section from targa data";

// Loads `bytes` from a file called `name` in a fresh folder.
struct SLoadedTarga
{
    CTemporaryFolder folder;
    CTGAImage *image = new CTGAImage;
    bool loaded = false;

    SLoadedTarga(const std::string &bytes, const std::string &name = "image.tga")
    {
        image->referenced();
        folder.write(name, bytes);
        loaded = image->loadFromFile(CSystemString(folder.file(name).c_str()));
    }
    ~SLoadedTarga() { image->dereference(); }
};

TEST(TGAImage, PremultipliesTurnsBottomUpRowsTopDownAndNamesTheFile)
{
    // File order: the bottom row first.
    SLoadedTarga targa(CImageFixtures::targaFile(1, 2, {{200, 100, 50, 128}, {10, 20, 30, 255}}));
    ASSERT_TRUE(targa.loaded) << targa.image->getLastErrorMessage().getString();
    const CBitmap *bitmap = targa.image->getImageHandle();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->getPixel(0, 0), CBitmap::pack(30, 20, 10, 255));
    // Blue 200, green 100, red 50, alpha 128 is stored as 100, 50, 25, 128.
    EXPECT_EQ(bitmap->getPixel(0, 1), CBitmap::pack(25, 50, 100, 128));
    EXPECT_EQ(targa.image->getImageSizeArea().getHeight(), 2);
    EXPECT_TRUE(targa.image->hasAlpha());
    char description[512];
    targa.image->getObjectDescription(description, sizeof(description));
    EXPECT_EQ(std::string(description), "File loaded is = " + targa.folder.file("image.tga"));
    targa.image->unloadImage();
    targa.image->getObjectDescription(description, sizeof(description));
    EXPECT_STREQ(description, "No Image loaded");
}

TEST(TGAImage, PremultiplyTruncates)
{
    for (uint32_t alpha = 0; alpha < 256; ++alpha)
    {
        for (uint32_t channel = 0; channel < 256; ++channel)
        {
            ASSERT_EQ(CTGAImage::premultiply(channel, alpha), channel * alpha / 255)
                << "channel " << channel << ", alpha " << alpha;
        }
    }
}

struct SHeaderCase
{
    const char *what;
    size_t offset;
    unsigned char value;
};

class TGAHeaderRule : public testing::TestWithParam<SHeaderCase>
{
};

TEST_P(TGAHeaderRule, RejectsAnyOtherFormWithTheHeaderMessage)
{
    std::string bytes = CImageFixtures::targaFile(1, 1, {{1, 2, 3, 4}});
    bytes[GetParam().offset] = static_cast<char>(GetParam().value);
    SLoadedTarga targa(bytes);
    EXPECT_FALSE(targa.loaded) << GetParam().what;
    EXPECT_FALSE(targa.image->imageHasLoaded()) << GetParam().what;
    EXPECT_EQ(targa.image->getImageHandle(), nullptr) << GetParam().what;
    EXPECT_STREQ(targa.image->getLastErrorMessage().getString(), HEADER_MESSAGE) << GetParam().what;
    EXPECT_STREQ(targa.image->getFilename().getString(), " ") << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(TGAImage, TGAHeaderRule,
                         testing::Values(SHeaderCase{"identification field", 0, 1}, SHeaderCase{"colour map", 1, 1},
                                         SHeaderCase{"run-length image type 10", 2, 10},
                                         SHeaderCase{"24-bit pixels", 16, 24},
                                         SHeaderCase{"top-left origin", 17, 0x28}));

struct SShortCase
{
    const char *what;
    std::string bytes;
    const char *message;
};

class TGAShortFile : public testing::TestWithParam<SShortCase>
{
};

TEST_P(TGAShortFile, FailsWithoutReadingPastTheData)
{
    SLoadedTarga targa(GetParam().bytes);
    EXPECT_FALSE(targa.loaded) << GetParam().what;
    EXPECT_STREQ(targa.image->getLastErrorMessage().getString(), GetParam().message) << GetParam().what;
    EXPECT_STREQ(targa.image->getFilename().getString(), " ") << GetParam().what;
    EXPECT_EQ(targa.image->getImageSize().getWidth(), 0) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    TGAImage, TGAShortFile,
    testing::Values(
        SShortCase{"65535 x 65535 declared, one pixel present", CImageFixtures::targaFile(65535, 65535, {{1, 2, 3, 4}}),
                   SHORT_MESSAGE},
        SShortCase{"2 x 2 declared, three pixels present",
                   CImageFixtures::targaFile(2, 2, {{1, 2, 3, 4}, {1, 2, 3, 4}, {1, 2, 3, 4}}), SHORT_MESSAGE},
        SShortCase{"header cut after 10 bytes", CImageFixtures::targaFile(1, 1).substr(0, 10), HEADER_MESSAGE},
        SShortCase{"empty file", std::string(), HEADER_MESSAGE},
        SShortCase{"zero width", CImageFixtures::targaFile(0, 5), BITMAP_MESSAGE},
        SShortCase{"wider than any bitmap",
                   CImageFixtures::targaFile(20000, 1, std::vector<CImageFixtures::STargaPixel>(20000)),
                   BITMAP_MESSAGE}));

TEST(TGAImage, AFailedReloadLeavesNothingOfThePreviousImage)
{
    SLoadedTarga targa(CImageFixtures::targaFile(1, 1, {{1, 2, 3, 4}}));
    ASSERT_TRUE(targa.loaded);
    CTGAImage missing(CSystemString(targa.folder.file("missing.tga").c_str()));
    EXPECT_STREQ(missing.getLastErrorMessage().getString(), "Could not find file with matching details");
    targa.folder.write("bad.tga", CImageFixtures::targaFile(4, 4));
    EXPECT_FALSE(targa.image->loadFromFile(CSystemString(targa.folder.file("bad.tga").c_str())));
    EXPECT_EQ(targa.image->getImageHandle(), nullptr);
    EXPECT_EQ(targa.image->getImageSize().getWidth(), 0);
}
} // namespace
