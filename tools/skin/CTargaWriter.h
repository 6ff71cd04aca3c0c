// Writes an image as an uncompressed 32-bit Targa file: true colour, eight
// alpha bits, straight (not premultiplied) colours, rows stored bottom-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Zelo::Tools
{
class CTargaWriter
{
public:
    // `pixels` holds width × height premultiplied 0xAARRGGBB words, the top row
    // first (cairo's ARGB32). False with the reason in `error` when the size
    // does not fit the format or the file cannot be written.
    static bool write(const std::string &path, int width, int height, const std::vector<uint32_t> &pixels,
                      std::string &error);

private:
    // The format's limit on either side.
    static constexpr int MAXIMUM_SIDE = 0xFFFF;

    static std::vector<unsigned char> header(int width, int height);
    // One pixel's blue, green, red and alpha bytes, the colours divided back out of the alpha.
    static void appendPixel(std::vector<unsigned char> &bytes, uint32_t pixel);
};
} // namespace Zelo::Tools
