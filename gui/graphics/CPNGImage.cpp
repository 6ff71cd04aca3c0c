#include "gui/graphics/CPNGImage.h"

#include "gui/graphics/ImageFileSize.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CSystemString;

ORVALITE_DEFINE_CLASS_RECORD(CPNGImage, "CPNGImage", "CBaseImage")

namespace
{
// Deflate never expands data by more than this factor, so decoded rows larger
// than this multiple of the file cannot be in it: such a header lies.
constexpr long MAXIMUM_DEFLATE_RATIO = 1032;
// Largest ancillary chunk libpng may allocate.
constexpr png_alloc_size_t MAXIMUM_CHUNK_BYTES = 8 * 1024 * 1024;

// Everything the decoder touches across libpng's longjmp lives here, in the
// caller's frame.
struct SDecoderState
{
    std::FILE *file = nullptr;
    long fileSize = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<png_bytep> rows;
};

void abortDecoding(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

bool isLittleEndian()
{
    const uint32_t probe = 1;
    return *reinterpret_cast<const unsigned char *>(&probe) == 1;
}

// Asks libpng for 8-bit channels in the byte order of a native 0xAARRGGBB word.
void requestNativeArgb(png_structp png, png_infop info)
{
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
    {
        png_set_palette_to_rgb(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
    {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS))
    {
        png_set_tRNS_to_alpha(png);
    }
    if (bitDepth == 16)
    {
        png_set_strip_16(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
    {
        png_set_gray_to_rgb(png);
    }
    if (isLittleEndian())
    {
        png_set_bgr(png);
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
    else
    {
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
        png_set_swap_alpha(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// Whether the compressed rows the header promises can fit in the file.
bool headerIsPlausible(const SDecoderState &state)
{
    const double rawBytes = static_cast<double>(png_get_image_height(state.png, state.info)) *
                            (1.0 + png_get_rowbytes(state.png, state.info));
    return rawBytes <= static_cast<double>(state.fileSize) * MAXIMUM_DEFLATE_RATIO;
}

// libpng reports errors with longjmp to here, so this function keeps no object
// with a destructor of its own.
bool decodeInto(SDecoderState &state, CBitmap &bitmap)
{
    if (setjmp(png_jmpbuf(state.png)))
    {
        return false;
    }
    png_init_io(state.png, state.file);
    png_set_user_limits(state.png, CBitmap::MAXIMUM_SIDE, CBitmap::MAXIMUM_SIDE);
    png_set_chunk_malloc_max(state.png, MAXIMUM_CHUNK_BYTES);
    png_read_info(state.png, state.info);
    if (!headerIsPlausible(state))
    {
        return false;
    }
    requestNativeArgb(state.png, state.info);
    const long width = static_cast<long>(png_get_image_width(state.png, state.info));
    const long height = static_cast<long>(png_get_image_height(state.png, state.info));
    if (png_get_rowbytes(state.png, state.info) != static_cast<png_size_t>(width) * 4 || !bitmap.create(width, height))
    {
        return false;
    }
    state.rows.resize(static_cast<size_t>(height));
    for (long y = 0; y < height; ++y)
    {
        state.rows[static_cast<size_t>(y)] = reinterpret_cast<png_bytep>(bitmap.getRow(y));
    }
    png_read_image(state.png, state.rows.data());
    return true;
}

bool decodeFile(const CSystemString &path, CBitmap &bitmap)
{
    SDecoderState state;
    state.file = std::fopen(path.getString(), "rb");
    if (!state.file)
    {
        return false;
    }
    state.fileSize = imageFileSize(state.file);
    state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, abortDecoding, ignoreWarning);
    state.info = state.png ? png_create_info_struct(state.png) : nullptr;
    const bool decoded = state.info && state.fileSize > 0 && decodeInto(state, bitmap);
    png_destroy_read_struct(state.png ? &state.png : nullptr, state.info ? &state.info : nullptr, nullptr);
    std::fclose(state.file);
    if (!decoded)
    {
        bitmap.destroy();
    }
    return decoded;
}

void premultiplyBitmap(CBitmap &bitmap)
{
    uint32_t *pixel = bitmap.getPixels();
    uint32_t *const end = pixel + bitmap.getWidth() * bitmap.getHeight();
    for (; pixel != end; ++pixel)
    {
        const uint32_t alpha = CBitmap::alphaOf(*pixel);
        if (alpha != 255)
        {
            *pixel = CBitmap::pack(CPNGImage::premultiply(CBitmap::redOf(*pixel), alpha),
                                   CPNGImage::premultiply(CBitmap::greenOf(*pixel), alpha),
                                   CPNGImage::premultiply(CBitmap::blueOf(*pixel), alpha), alpha);
        }
    }
}
} // namespace

CPNGImage::CPNGImage() : CBaseImage(true) {}

CPNGImage::CPNGImage(const CSystemString &path) : CBaseImage(true)
{
    loadFromFile(path);
}

uint32_t CPNGImage::premultiply(uint32_t channel, uint32_t alpha)
{
    const uint32_t x = alpha * channel + 128;
    return ((x >> 8) + x) >> 8;
}

bool CPNGImage::loadFromFile(const CSystemString &path)
{
    setFilename(path);
    if (!path.hasExtension("png"))
    {
        return fail("Filename is not of PNG type");
    }
    unloadImage();
    setFilename(path);
    if (!decodeFile(path, getBitmap()))
    {
        return fail("Failed to aquire HBITMAP from Bitmap image");
    }
    premultiplyBitmap(getBitmap());
    return finishLoad();
}
} // namespace Orvalite::GUI::Graphics
