#include "tests/gui/graphics/CImageFixtures.h"

#include "gui/graphics/CPNGWriter.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <jpeglib.h>
#include <zlib.h>

namespace Orvalite::Testing
{
using GUI::Graphics::CBitmap;

namespace
{
void appendWord(std::string &bytes, long value)
{
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void putBigEndian32(std::string &bytes, size_t offset, uint32_t value)
{
    for (int shift = 24, index = 0; shift >= 0; shift -= 8, ++index)
    {
        bytes[offset + static_cast<size_t>(index)] = static_cast<char>((value >> shift) & 0xFF);
    }
}
} // namespace

std::string CImageFixtures::targaFile(long width, long height, const std::vector<STargaPixel> &pixels)
{
    std::string bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    appendWord(bytes, width);
    appendWord(bytes, height);
    bytes.push_back(32);
    bytes.push_back(8);
    for (const STargaPixel &pixel : pixels)
    {
        bytes.push_back(static_cast<char>(pixel.blue));
        bytes.push_back(static_cast<char>(pixel.green));
        bytes.push_back(static_cast<char>(pixel.red));
        bytes.push_back(static_cast<char>(pixel.alpha));
    }
    return bytes;
}

CBitmap CImageFixtures::patternBitmap(long width, long height)
{
    CBitmap bitmap;
    bitmap.create(width, height);
    for (long y = 0; y < height; ++y)
    {
        for (long x = 0; x < width; ++x)
        {
            const uint32_t alpha = static_cast<uint32_t>((x * 97 + y * 31) % 256);
            bitmap.setPixel(x, y,
                            CBitmap::packPremultiplied(static_cast<uint32_t>(x * 40 % 256),
                                                       static_cast<uint32_t>(y * 60 % 256), 200, alpha));
        }
    }
    return bitmap;
}

std::string CImageFixtures::pngBytes(const std::string &folder, const CBitmap &bitmap)
{
    const std::string path = folder + "/fixture-source.png";
    Basics::CString error;
    if (!GUI::Graphics::CPNGWriter::writeToFile(bitmap, Basics::CSystemString(path.c_str()), error))
    {
        throw std::runtime_error(error.getString());
    }
    std::ifstream input(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
    std::remove(path.c_str());
    return bytes;
}

std::string CImageFixtures::jpegBytes(long width, long height, unsigned char red, unsigned char green,
                                      unsigned char blue)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    for (size_t index = 0; index < row.size(); index += 3)
    {
        row[index] = red;
        row[index + 1] = green;
        row[index + 2] = blue;
    }
    while (info.next_scanline < info.image_height)
    {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char *>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

std::string CImageFixtures::withPngSize(std::string png, uint32_t width, uint32_t height)
{
    // Signature (8), IHDR length (4), "IHDR" (4), width, height, ...; CRC after 13 data bytes.
    putBigEndian32(png, 16, width);
    putBigEndian32(png, 20, height);
    putBigEndian32(png, 29, crc32(0, reinterpret_cast<const Bytef *>(png.data() + 12), 17));
    return png;
}

std::string CImageFixtures::withJpegSize(std::string jpeg, uint16_t width, uint16_t height)
{
    for (size_t index = 0; index + 8 < jpeg.size(); ++index)
    {
        if (static_cast<unsigned char>(jpeg[index]) == 0xFF && static_cast<unsigned char>(jpeg[index + 1]) == 0xC0)
        {
            // Marker, length (2), precision (1), height (2), width (2).
            jpeg[index + 5] = static_cast<char>(height >> 8);
            jpeg[index + 6] = static_cast<char>(height & 0xFF);
            jpeg[index + 7] = static_cast<char>(width >> 8);
            jpeg[index + 8] = static_cast<char>(width & 0xFF);
            return jpeg;
        }
    }
    throw std::runtime_error("no start-of-frame marker");
}
} // namespace Orvalite::Testing
