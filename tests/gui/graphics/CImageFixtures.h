// Image files for the tests: Targa bytes by hand, PNGs through CPNGWriter, and
// single-colour JPEGs checked in under fixtures/ (made by make-fixtures.sh there).
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

    // A checked-in baseline JPEG of one colour: "solid-24x16-200-100-50.jpg" and the like.
    static std::string jpegBytes(const std::string &name)
    {
        std::ifstream input(std::string(ZELO_IMAGE_FIXTURES_DIR) + "/" + name, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
        if (bytes.empty())
        {
            throw std::runtime_error("missing fixture " + name);
        }
        return bytes;
    }

    // PNG's CRC-32 (the reflected polynomial 0xEDB88320) of `length` bytes from `offset`.
    static uint32_t crc32(const std::string &bytes, size_t offset, size_t length)
    {
        uint32_t crc = 0xFFFFFFFF;
        for (size_t index = offset; index < offset + length; ++index)
        {
            crc ^= static_cast<unsigned char>(bytes[index]);
            for (int bit = 0; bit < 8; ++bit)
            {
                crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
            }
        }
        return ~crc;
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
        put(29, crc32(png, 12, 17));
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
