// An image decoded from a PNG file (through ImageCodec) into premultiplied pixels.
#pragma once

#include "gui/graphics/CBaseImage.h"

namespace Orvalite::GUI::Graphics
{
class CPNGImage : public CBaseImage
{
public:
    CPNGImage();
    // Loads at once; check imageHasLoaded().
    explicit CPNGImage(const Orvalite::Basics::CSystemString &path);

    long getImageFileFormat() const override { return e_pngImage; }
    // The name must end with "png" (case-sensitive).
    bool loadFromFile(const Orvalite::Basics::CSystemString &path) override;

    // A premultiplied channel by the exact divide-by-255 rule.
    static uint32_t premultiply(uint32_t channel, uint32_t alpha);

    ORVALITE_CLASS_RECORD(CPNGImage)
};
} // namespace Orvalite::GUI::Graphics
