// Image files made by the tests themselves: Targa bytes by hand, PNGs through
// CPNGWriter, JPEGs through libjpeg's compressor.
#pragma once

#include "gui/graphics/CBitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Orvalite::Testing
{
class CImageFixtures
{
public:
    // One Targa pixel as stored in the file.
    struct STargaPixel
    {
        unsigned char blue, green, red, alpha;
    };

    // The 18-byte header of the accepted form (type 2, 32 bits, descriptor 8), then
    // `pixels` in file order (bottom row first).
    static std::string targaFile(long width, long height, const std::vector<STargaPixel> &pixels = {});
    // A width × height bitmap of distinct, valid premultiplied pixels.
    static GUI::Graphics::CBitmap patternBitmap(long width, long height);
    // PNG bytes of the bitmap, written through CPNGWriter into `folder`.
    static std::string pngBytes(const std::string &folder, const GUI::Graphics::CBitmap &bitmap);
    // A baseline JPEG of one colour.
    static std::string jpegBytes(long width, long height, unsigned char red, unsigned char green, unsigned char blue);
    // Rewrites the width and height of a PNG's IHDR chunk, fixing its CRC.
    static std::string withPngSize(std::string png, uint32_t width, uint32_t height);
    // Rewrites the frame size in a JPEG's start-of-frame marker.
    static std::string withJpegSize(std::string jpeg, uint16_t width, uint16_t height);
};
} // namespace Orvalite::Testing
