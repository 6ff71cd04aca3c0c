// An image decoded from a JPEG file (through ImageCodec); opaque, so it has no alpha.
#pragma once

#include "gui/graphics/CBaseImage.h"

namespace Orvalite::GUI::Graphics
{
class CJPEGImage : public CBaseImage
{
public:
    CJPEGImage();
    // Loads at once; check imageHasLoaded().
    explicit CJPEGImage(const Orvalite::Basics::CSystemString &path);

    long getImageFileFormat() const override { return e_jpegImage; }
    // The name must end with "jpg" or "jpeg" (case-sensitive).
    bool loadFromFile(const Orvalite::Basics::CSystemString &path) override;

    ORVALITE_CLASS_RECORD(CJPEGImage)
};
} // namespace Orvalite::GUI::Graphics
