#include "gui/graphics/CPNGWriter.h"

#include "foundation/host/CFileUtilities.h"
#include "gui/graphics/CBitmap.h"
#include "gui/graphics/ImageCodec.h"

#include <vector>

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;

namespace
{
// The bitmap with every pixel turned back into straight colour, which PNG stores.
CBitmap straightCopy(const CBitmap &bitmap)
{
    CBitmap straight;
    straight.create(bitmap.getWidth(), bitmap.getHeight());
    const uint32_t *source = bitmap.getPixels();
    uint32_t *target = straight.getPixels();
    for (long index = 0; index < bitmap.getWidth() * bitmap.getHeight(); ++index)
    {
        const uint32_t alpha = CBitmap::alphaOf(source[index]);
        target[index] = CBitmap::pack(CPNGWriter::unpremultiply(CBitmap::redOf(source[index]), alpha),
                                      CPNGWriter::unpremultiply(CBitmap::greenOf(source[index]), alpha),
                                      CPNGWriter::unpremultiply(CBitmap::blueOf(source[index]), alpha), alpha);
    }
    return straight;
}
} // namespace

unsigned char CPNGWriter::unpremultiply(unsigned int channel, unsigned int alpha)
{
    if (alpha == 0)
    {
        return 0;
    }
    const unsigned int straight = (channel * 255 + alpha / 2) / alpha;
    return static_cast<unsigned char>(straight > 255 ? 255 : straight);
}

bool CPNGWriter::writeToFile(const CBitmap &bitmap, const CSystemString &path, CString &errorOut)
{
    if (bitmap.isEmpty())
    {
        errorOut = "Bitmap is empty";
        return false;
    }
    std::vector<unsigned char> output;
    if (!encodePNG(straightCopy(bitmap), output, errorOut))
    {
        return false;
    }
    if (!Host::CFileUtilities::writeWholeFile(path, output.data(), output.size()))
    {
        errorOut.setStringWithFormat("Could not write file %s", path.getString());
        return false;
    }
    return true;
}
} // namespace Orvalite::GUI::Graphics
