// Interface of every image the toolkit draws: a counted object that loads from a
// file (or is drawn into) and ends up as a premultiplied 32-bit bitmap.
#pragma once

#include "foundation/basics/CSystemString.h"
#include "foundation/basics/ICountedObject.h"
#include "foundation/mathtools/CDimension.h"
#include "foundation/mathtools/CRect.h"

namespace Orvalite::GUI::Graphics
{
class CBitmap;

class IImage : public ::Orvalite::Basics::ICountedObject
{
public:
    // What getImageFileFormat answers.
    enum EImageFileFormat
    {
        e_rgbaImage = 0,
        e_targaImage = 1,
        e_pngImage = 2,
        e_jpegImage = 3,
    };

    virtual const MathTools::CDimension &getImageSize() const = 0;
    // (0, 0, width, height)
    virtual const MathTools::CRect &getImageSizeArea() const = 0;
    virtual long getImageFileFormat() const = 0;
    virtual const ::Orvalite::Basics::CSystemString &getFilename() const = 0;
    // True when the image loaded; on failure the image keeps a message saying why.
    virtual bool loadFromFile(const ::Orvalite::Basics::CSystemString &path) = 0;
    virtual void unloadImage() = 0;
    virtual bool hasAlpha() const = 0;
    virtual bool imageHasLoaded() const = 0;
    // The decoded pixels, premultiplied when the image has alpha; null when not loaded.
    virtual const CBitmap *getImageHandle() const = 0;
};
} // namespace Orvalite::GUI::Graphics
