#include "gui/graphics/CJPEGImage.h"

#include "gui/graphics/ImageCodec.h"

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CSystemString;

ORVALITE_DEFINE_CLASS_RECORD(CJPEGImage, "CJPEGImage", "CBaseImage")

CJPEGImage::CJPEGImage() : CBaseImage(false) {}

CJPEGImage::CJPEGImage(const CSystemString &path) : CBaseImage(false)
{
    loadFromFile(path);
}

bool CJPEGImage::loadFromFile(const CSystemString &path)
{
    setFilename(path);
    if (!path.hasExtension("jpg") && !path.hasExtension("jpeg"))
    {
        return fail("Filename is not of JPEG type");
    }
    unloadImage();
    setFilename(path);
    if (!decodeJPEGFile(path, getBitmap()))
    {
        return fail("Failed to aquire HBITMAP from Bitmap image");
    }
    return finishLoad();
}
} // namespace Orvalite::GUI::Graphics
