// An image read from one strict form of Targa file: uncompressed 32-bit true
// colour with eight alpha bits, rows stored bottom-up. Our own reader.
#pragma once

#include "gui/graphics/CBaseImage.h"

namespace Orvalite::IO
{
class CFileStream;
}

namespace Orvalite::GUI::Graphics
{
class CTGAImage : public CBaseImage
{
public:
    static constexpr long HEADER_SIZE = 18;

    CTGAImage();
    // Loads at once; check imageHasLoaded().
    explicit CTGAImage(const Orvalite::Basics::CSystemString &path);

    long getImageFileFormat() const override { return e_targaImage; }
    // The name must end with "tga" (case-sensitive).
    bool loadFromFile(const Orvalite::Basics::CSystemString &path) override;

    // A premultiplied channel, truncating: (c × alpha) / 255.
    static uint32_t premultiply(uint32_t channel, uint32_t alpha);

    ORVALITE_CLASS_RECORD(CTGAImage)

private:
    // Fails with the file name blanked out, as every failure after opening does.
    bool failReading(const char *message);
    // Reads the header; false when it is short or not the one accepted form.
    static bool readHeader(IO::CFileStream &file, long &width, long &height);
    // Reads the bottom-up rows into the top-down bitmap, premultiplying.
    bool readPixels(IO::CFileStream &file);
};
} // namespace Orvalite::GUI::Graphics
