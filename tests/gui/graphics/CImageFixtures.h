// Image files made by the tests themselves: Targa bytes by hand, PNGs through
// CPNGWriter, JPEGs through libjpeg's compressor.
#pragma once

#include "gui/graphics/CBitmap.h"
#include "gui/graphics/CPNGWriter.h"
#include "tests/foundation/CTemporaryFolder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <zlib.h>

namespace Orvalite::Testing
{
// The file `name` in `folder`, as the framework's path string.
inline Basics::CSystemString pathIn(const CTemporaryFolder &folder, const std::string &name)
{
    return Basics::CSystemString(folder.file(name).c_str());
}

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
    static std::string targaFile(long width, long height, const std::vector<STargaPixel> &pixels = {})
    {
        std::string bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        for (const long word : {width, height})
        {
            bytes += {static_cast<char>(word & 0xFF), static_cast<char>((word >> 8) & 0xFF)};
        }
        bytes += {32, 8};
        for (const STargaPixel &pixel : pixels)
        {
            bytes += {static_cast<char>(pixel.blue), static_cast<char>(pixel.green), static_cast<char>(pixel.red),
                      static_cast<char>(pixel.alpha)};
        }
        return bytes;
    }

    // A width × height bitmap of distinct, valid premultiplied pixels.
    static GUI::Graphics::CBitmap patternBitmap(long width, long height)
    {
        GUI::Graphics::CBitmap bitmap;
        bitmap.create(width, height);
        for (long index = 0; index < width * height; ++index)
        {
            const long x = index % width, y = index / width;
            bitmap.setPixel(x, y,
                            GUI::Graphics::CBitmap::packPremultiplied(static_cast<uint32_t>(x * 40 % 256),
                                                                      static_cast<uint32_t>(y * 60 % 256), 200,
                                                                      static_cast<uint32_t>((x * 97 + y * 31) % 256)));
        }
        return bitmap;
    }

    // PNG bytes of the bitmap, written through CPNGWriter into `folder`.
    static std::string pngBytes(const std::string &folder, const GUI::Graphics::CBitmap &bitmap)
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

    // A baseline JPEG of one colour.
    static std::string jpegBytes(long width, long height, unsigned char red, unsigned char green, unsigned char blue)
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
        std::vector<unsigned char> row;
        for (long x = 0; x < width; ++x)
        {
            row.insert(row.end(), {red, green, blue});
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

    // Rewrites the width and height of a PNG's IHDR chunk, fixing its CRC.
    static std::string withPngSize(std::string png, uint32_t width, uint32_t height)
    {
        // Signature (8), IHDR length (4), "IHDR" (4), width, height, ...; CRC after 13 data bytes.
        const auto put = [&png](size_t offset, uint32_t value) {
            for (size_t index = 0; index < 4; ++index)
            {
                png[offset + index] = static_cast<char>((value >> (24 - 8 * index)) & 0xFF);
            }
        };
        put(16, width);
        put(20, height);
        put(29, crc32(0, reinterpret_cast<const Bytef *>(png.data() + 12), 17));
        return png;
    }

    // Rewrites the frame size in a JPEG's start-of-frame marker: after the marker,
    // its length (2) and precision (1) come the height and width, big-endian.
    static std::string withJpegSize(std::string jpeg, uint16_t width, uint16_t height)
    {
        const size_t marker = jpeg.find("\xFF\xC0");
        if (marker == std::string::npos || marker + 8 >= jpeg.size())
        {
            throw std::runtime_error("no start-of-frame marker");
        }
        const char size[] = {static_cast<char>(height >> 8), static_cast<char>(height & 0xFF),
                             static_cast<char>(width >> 8), static_cast<char>(width & 0xFF)};
        jpeg.replace(marker + 5, 4, size, 4);
        return jpeg;
    }
};
} // namespace Orvalite::Testing
