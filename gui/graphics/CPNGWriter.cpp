#include "gui/graphics/CPNGWriter.h"

#include "foundation/host/CFileUtilities.h"
#include "gui/graphics/CBitmap.h"

#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;

namespace
{
// What the libpng callbacks share with the encoder: the growing output and
// libpng's last error text.
struct SEncoderState
{
    std::vector<unsigned char> output;
    char errorText[256] = "";
};

void appendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto *state = static_cast<SEncoderState *>(png_get_io_ptr(png));
    state->output.insert(state->output.end(), data, data + length);
}

void flushNothing(png_structp) {}

void reportError(png_structp png, png_const_charp message)
{
    auto *state = static_cast<SEncoderState *>(png_get_error_ptr(png));
    std::snprintf(state->errorText, sizeof(state->errorText), "%s", message);
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Straight RGBA rows of the bitmap, top row first.
std::vector<unsigned char> straightRows(const CBitmap &bitmap)
{
    std::vector<unsigned char> bytes(static_cast<size_t>(bitmap.getWidth() * bitmap.getHeight()) * 4);
    unsigned char *out = bytes.data();
    for (long y = 0; y < bitmap.getHeight(); ++y)
    {
        const uint32_t *row = bitmap.getRow(y);
        for (long x = 0; x < bitmap.getWidth(); ++x)
        {
            const uint32_t alpha = CBitmap::alphaOf(row[x]);
            *out++ = CPNGWriter::unpremultiply(CBitmap::redOf(row[x]), alpha);
            *out++ = CPNGWriter::unpremultiply(CBitmap::greenOf(row[x]), alpha);
            *out++ = CPNGWriter::unpremultiply(CBitmap::blueOf(row[x]), alpha);
            *out++ = static_cast<unsigned char>(alpha);
        }
    }
    return bytes;
}

// libpng reports errors with longjmp, so this function holds no object with a
// destructor: everything it fills lives in the caller's frame.
bool encode(png_structp png, png_infop info, const CBitmap &bitmap, std::vector<png_bytep> &rows)
{
    if (setjmp(png_jmpbuf(png)))
    {
        return false;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.getWidth()), static_cast<png_uint_32>(bitmap.getHeight()),
                 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

bool encodeToMemory(const CBitmap &bitmap, SEncoderState &state)
{
    std::vector<unsigned char> pixels = straightRows(bitmap);
    std::vector<png_bytep> rows(static_cast<size_t>(bitmap.getHeight()));
    for (size_t y = 0; y < rows.size(); ++y)
    {
        rows[y] = pixels.data() + y * static_cast<size_t>(bitmap.getWidth()) * 4;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, reportError, ignoreWarning);
    if (!png)
    {
        std::snprintf(state.errorText, sizeof(state.errorText), "Could not create the PNG encoder");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    bool encoded = false;
    if (info)
    {
        png_set_write_fn(png, &state, appendBytes, flushNothing);
        encoded = encode(png, info, bitmap, rows);
    }
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return encoded;
}
} // namespace

unsigned char CPNGWriter::unpremultiply(unsigned int channel, unsigned int alpha)
{
    if (alpha == 0)
    {
        return 0;
    }
    const unsigned int straight = (channel * 255 + alpha / 2) / alpha;
    return static_cast<unsigned char>(straight > 255 ? 255 : straight);
}

bool CPNGWriter::writeToFile(const CBitmap &bitmap, const CSystemString &path, CString &errorOut)
{
    if (bitmap.isEmpty())
    {
        errorOut = "Bitmap is empty";
        return false;
    }
    SEncoderState state;
    if (!encodeToMemory(bitmap, state))
    {
        errorOut.setStringWithFormat("Failed to encode PNG: %s", state.errorText);
        return false;
    }
    if (!Host::CFileUtilities::writeWholeFile(path, state.output.data(), state.output.size()))
    {
        errorOut.setStringWithFormat("Could not write file %s", path.getString());
        return false;
    }
    return true;
}
} // namespace Orvalite::GUI::Graphics
