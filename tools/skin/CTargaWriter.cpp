#include "tools/skin/CTargaWriter.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace Zelo::Tools
{
namespace
{
constexpr unsigned char UNCOMPRESSED_TRUE_COLOUR = 2;
constexpr unsigned char BITS_PER_PIXEL = 32;
// Eight alpha bits, origin at the bottom left.
constexpr unsigned char IMAGE_DESCRIPTOR = 8;

void appendWord(std::vector<unsigned char> &bytes, int value)
{
    bytes.push_back(static_cast<unsigned char>(value & 0xFF));
    bytes.push_back(static_cast<unsigned char>(value >> 8 & 0xFF));
}

// A premultiplied channel back to its straight value, rounded.
unsigned char straight(uint32_t channel, uint32_t alpha)
{
    return static_cast<unsigned char>(alpha == 0 ? 0 : (channel * 255 + alpha / 2) / alpha);
}
} // namespace

bool CTargaWriter::write(const std::string &path, int width, int height, const std::vector<uint32_t> &pixels,
                         std::string &error)
{
    if (width < 1 || height < 1 || width > MAXIMUM_SIDE || height > MAXIMUM_SIDE ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    {
        error = "the image's size does not fit a Targa file";
        return false;
    }
    std::vector<unsigned char> bytes = header(width, height);
    for (int row = height - 1; row >= 0; --row)
    {
        for (int x = 0; x < width; ++x)
        {
            appendPixel(bytes, pixels[static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(x)]);
        }
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
    {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

std::vector<unsigned char> CTargaWriter::header(int width, int height)
{
    // No identification field and no colour map; the colour map's fields and the origin stay 0.
    std::vector<unsigned char> bytes = {0, 0, UNCOMPRESSED_TRUE_COLOUR, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    appendWord(bytes, width);
    appendWord(bytes, height);
    bytes.push_back(BITS_PER_PIXEL);
    bytes.push_back(IMAGE_DESCRIPTOR);
    return bytes;
}

void CTargaWriter::appendPixel(std::vector<unsigned char> &bytes, uint32_t pixel)
{
    const uint32_t alpha = pixel >> 24;
    bytes.push_back(straight(pixel & 0xFF, alpha));
    bytes.push_back(straight(pixel >> 8 & 0xFF, alpha));
    bytes.push_back(straight(pixel >> 16 & 0xFF, alpha));
    bytes.push_back(static_cast<unsigned char>(alpha));
}
} // namespace Zelo::Tools
