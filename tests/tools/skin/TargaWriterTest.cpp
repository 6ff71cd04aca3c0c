// The skin tool's Targa files read back through the toolkit's own reader, which
// accepts only the one form the scroll bar's default images must take.
#include "tools/skin/CTargaWriter.h"

#include "gui/graphics/CBitmap.h"
#include "gui/graphics/CTGAImage.h"
#include "tests/foundation/CTemporaryFolder.h"

#include <gtest/gtest.h>

namespace
{
using Orvalite::GUI::Graphics::CBitmap;
using Orvalite::GUI::Graphics::CTGAImage;
using Zelo::Tools::CTargaWriter;

TEST(TargaWriter, WritesWhatTheToolkitReadsBackAndRefusesSizesItCannotHold)
{
    Orvalite::Testing::CTemporaryFolder folder;
    const std::string path = folder.file("image.tga");
    // Premultiplied ARGB, top row first: opaque red, half-covered green; clear, an opaque mix.
    const std::vector<uint32_t> pixels = {0xFFFF0000u, 0x80008000u, 0x00000000u, 0xFF102030u};
    std::string error;
    ASSERT_TRUE(CTargaWriter::write(path, 2, 2, pixels, error)) << error;
    CTGAImage image(path.c_str());
    ASSERT_TRUE(image.imageHasLoaded()) << image.getLastErrorMessage().getString();
    const CBitmap &bitmap = *image.getImageHandle();
    ASSERT_EQ(bitmap.getWidth(), 2);
    ASSERT_EQ(bitmap.getHeight(), 2);
    for (long y = 0; y < 2; ++y)
    {
        for (long x = 0; x < 2; ++x)
        {
            const uint32_t written = pixels[static_cast<size_t>(y * 2 + x)];
            EXPECT_EQ(bitmap.getPixel(x, y),
                      CBitmap::pack(written >> 16 & 0xFF, written >> 8 & 0xFF, written & 0xFF, written >> 24))
                << "pixel " << x << ", " << y;
        }
    }
    for (const auto &[width, height] : {std::pair{0, 2}, std::pair{0x10000, 1}})
    {
        EXPECT_FALSE(CTargaWriter::write(path, width, height, std::vector<uint32_t>(size_t(width * height)), error))
            << width << " x " << height;
    }
}
} // namespace
