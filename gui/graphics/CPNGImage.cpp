#include "gui/graphics/CPNGImage.h"

#include "gui/graphics/ImageCodec.h"

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CSystemString;

ORVALITE_DEFINE_CLASS_RECORD(CPNGImage, "CPNGImage", "CBaseImage")

namespace
{
// Pixels arrive straight; the bitmap keeps them premultiplied.
void premultiplyBitmap(CBitmap &bitmap)
{
    uint32_t *pixel = bitmap.getPixels();
    uint32_t *const end = pixel + bitmap.getWidth() * bitmap.getHeight();
    for (; pixel != end; ++pixel)
    {
        const uint32_t alpha = CBitmap::alphaOf(*pixel);
        if (alpha != 255)
        {
            *pixel = CBitmap::pack(CPNGImage::premultiply(CBitmap::redOf(*pixel), alpha),
                                   CPNGImage::premultiply(CBitmap::greenOf(*pixel), alpha),
                                   CPNGImage::premultiply(CBitmap::blueOf(*pixel), alpha), alpha);
        }
    }
}
} // namespace

CPNGImage::CPNGImage() : CBaseImage(true) {}

CPNGImage::CPNGImage(const CSystemString &path) : CBaseImage(true)
{
    loadFromFile(path);
}

uint32_t CPNGImage::premultiply(uint32_t channel, uint32_t alpha)
{
    const uint32_t x = alpha * channel + 128;
    return ((x >> 8) + x) >> 8;
}

bool CPNGImage::loadFromFile(const CSystemString &path)
{
    setFilename(path);
    if (!path.hasExtension("png"))
    {
        return fail("Filename is not of PNG type");
    }
    unloadImage();
    setFilename(path);
    if (!decodePNGFile(path, getBitmap()))
    {
        return fail("Failed to aquire HBITMAP from Bitmap image");
    }
    premultiplyBitmap(getBitmap());
    return finishLoad();
}
} // namespace Orvalite::GUI::Graphics
