// An image for the drawing tests: a loaded bitmap of a given size whose pixels
// come from a function, with or without alpha.
#pragma once

#include "gui/graphics/CBaseImage.h"

#include <functional>

namespace Orvalite::Testing
{
class CTestImage : public GUI::Graphics::CBaseImage
{
public:
    CTestImage(long width, long height, bool hasAlpha, const std::function<uint32_t(long, long)> &pixelAt)
        : CBaseImage(hasAlpha)
    {
        getBitmap().create(width, height);
        for (long y = 0; y < height; ++y)
        {
            for (long x = 0; x < width; ++x)
            {
                getBitmap().setPixel(x, y, pixelAt(x, y));
            }
        }
        finishLoad();
    }

    long getImageFileFormat() const override { return e_rgbaImage; }
};
} // namespace Orvalite::Testing
