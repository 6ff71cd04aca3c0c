#include "gui/graphics/ImageCodec.h"

#include "foundation/io/CFileSystem.h"
#include "gui/graphics/ImageFileSize.h"

#include <csetjmp>
#include <cstdio>
#include <utility>
#include <vector>

#include <png.h>

#include <jpeglib.h>

#include <jerror.h>

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;

namespace
{
// Deflate never expands data by more than this factor, so decoded rows larger
// than this multiple of the file cannot be in it: such a header lies.
constexpr long MAXIMUM_DEFLATE_RATIO = 1032;
// Largest ancillary chunk libpng may allocate.
constexpr png_alloc_size_t MAXIMUM_CHUNK_BYTES = 8 * 1024 * 1024;

// Everything the decoder touches across libpng's longjmp lives here, in the
// caller's frame.
struct SPNGDecoderState
{
    std::FILE *file = nullptr;
    long fileSize = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<png_bytep> rows;
};

void abortPNGDecoding(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void ignorePNGWarning(png_structp, png_const_charp) {}

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
bool headerIsPlausible(const SPNGDecoderState &state)
{
    const double rawBytes = static_cast<double>(png_get_image_height(state.png, state.info)) *
                            (1.0 + png_get_rowbytes(state.png, state.info));
    return rawBytes <= static_cast<double>(state.fileSize) * MAXIMUM_DEFLATE_RATIO;
}

// libpng reports errors with longjmp to here, so this function keeps no object
// with a destructor of its own.
bool decodePNGInto(SPNGDecoderState &state, CBitmap &bitmap)
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

} // namespace

bool decodePNGFile(const CSystemString &path, CBitmap &bitmap)
{
    SPNGDecoderState state;
    state.file = IO::CFileSystem::openFile(path, "rb");
    if (!state.file)
    {
        return false;
    }
    state.fileSize = imageFileSize(state.file);
    state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, abortPNGDecoding, ignorePNGWarning);
    state.info = state.png ? png_create_info_struct(state.png) : nullptr;
    const bool decoded = state.info && state.fileSize > 0 && decodePNGInto(state, bitmap);
    png_destroy_read_struct(state.png ? &state.png : nullptr, state.info ? &state.info : nullptr, nullptr);
    std::fclose(state.file);
    if (!decoded)
    {
        bitmap.destroy();
    }
    return decoded;
}

namespace
{
// Huffman coding spends at least one bit on every 8 × 8 block, so a complete
// file holds at most 512 pixels per byte; twice that leaves room for
// subsampled components. A header promising more lies about the file.
constexpr double MAXIMUM_PIXELS_PER_FILE_BYTE = 1024.0;
// Progressive files with absurd numbers of scans cost time without end.
constexpr int MAXIMUM_SCANS = 1000;

// libjpeg's error manager extended with the place to jump back to: errors
// (and a file that ends early) abort the decode there instead of exiting.
struct SErrorManager
{
    jpeg_error_mgr manager;
    std::jmp_buf jumpBack;
};

[[noreturn]] void abortJPEGDecoding(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<SErrorManager *>(info->err)->jumpBack, 1);
}

// Warnings are ignored, except those saying the coded data ended before the
// image did: a truncated file, or one that promises more rows than it holds, fails.
void handleMessage(j_common_ptr info, int level)
{
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER))
    {
        abortJPEGDecoding(info);
    }
}

void printNothing(j_common_ptr) {}

void limitScans(j_common_ptr info)
{
    if (!info->is_decompressor)
    {
        return;
    }
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MAXIMUM_SCANS)
    {
        abortJPEGDecoding(info);
    }
}

// Everything the decoder touches across libjpeg's longjmp lives here, in the
// caller's frame.
struct SJPEGDecoderState
{
    std::FILE *file = nullptr;
    long fileSize = 0;
    jpeg_decompress_struct info{};
    SErrorManager errors{};
    jpeg_progress_mgr progress{};
    std::vector<unsigned char> pixels;
};

bool headerIsAcceptable(const jpeg_decompress_struct &info, long fileSize)
{
    const double pixels = static_cast<double>(info.image_width) * info.image_height;
    return !info.arith_code && info.image_width <= CBitmap::MAXIMUM_SIDE &&
           info.image_height <= CBitmap::MAXIMUM_SIDE &&
           pixels <= MAXIMUM_PIXELS_PER_FILE_BYTE * static_cast<double>(fileSize);
}

void copyInto(const SJPEGDecoderState &state, CBitmap &bitmap)
{
    const unsigned char *byte = state.pixels.data();
    for (long y = 0; y < bitmap.getHeight(); ++y)
    {
        uint32_t *row = bitmap.getRow(y);
        for (long x = 0; x < bitmap.getWidth(); ++x, byte += 3)
        {
            row[x] = CBitmap::pack(byte[0], byte[1], byte[2], 255);
        }
    }
}

// libjpeg reports errors with longjmp to here, so this function keeps no
// object with a destructor of its own. Rows are collected as they are decoded,
// so a file that ends early fails before the whole image is ever allocated.
bool decodeJPEGInto(SJPEGDecoderState &state)
{
    if (setjmp(state.errors.jumpBack))
    {
        return false;
    }
    jpeg_stdio_src(&state.info, state.file);
    jpeg_read_header(&state.info, TRUE);
    if (!headerIsAcceptable(state.info, state.fileSize))
    {
        return false;
    }
    state.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&state.info);
    const size_t rowBytes = static_cast<size_t>(state.info.output_width) * 3;
    while (state.info.output_scanline < state.info.output_height)
    {
        state.pixels.resize(state.pixels.size() + rowBytes);
        JSAMPROW row = state.pixels.data() + state.pixels.size() - rowBytes;
        jpeg_read_scanlines(&state.info, &row, 1);
    }
    // Every row is in; what follows the last scan (normally just the end marker) is not needed.
    return true;
}

} // namespace

bool decodeJPEGFile(const CSystemString &path, CBitmap &bitmap)
{
    SJPEGDecoderState state;
    state.file = IO::CFileSystem::openFile(path, "rb");
    if (!state.file)
    {
        return false;
    }
    state.fileSize = imageFileSize(state.file);
    state.info.err = jpeg_std_error(&state.errors.manager);
    state.errors.manager.error_exit = abortJPEGDecoding;
    state.errors.manager.emit_message = handleMessage;
    state.errors.manager.output_message = printNothing;
    state.progress.progress_monitor = limitScans;
    jpeg_create_decompress(&state.info);
    state.info.progress = &state.progress;
    const bool decoded =
        state.fileSize > 0 && decodeJPEGInto(state) && bitmap.create(state.info.output_width, state.info.output_height);
    if (decoded)
    {
        copyInto(state, bitmap);
    }
    else
    {
        bitmap.destroy();
    }
    jpeg_destroy_decompress(&state.info);
    std::fclose(state.file);
    return decoded;
}

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

void reportPNGError(png_structp png, png_const_charp message)
{
    auto *state = static_cast<SEncoderState *>(png_get_error_ptr(png));
    std::snprintf(state->errorText, sizeof(state->errorText), "%s", message);
    png_longjmp(png, 1);
}

// RGBA bytes of the straight bitmap, top row first.
std::vector<unsigned char> rgbaRows(const CBitmap &bitmap)
{
    std::vector<unsigned char> bytes(static_cast<size_t>(bitmap.getWidth() * bitmap.getHeight()) * 4);
    unsigned char *out = bytes.data();
    for (long y = 0; y < bitmap.getHeight(); ++y)
    {
        const uint32_t *row = bitmap.getRow(y);
        for (long x = 0; x < bitmap.getWidth(); ++x)
        {
            *out++ = static_cast<unsigned char>(CBitmap::redOf(row[x]));
            *out++ = static_cast<unsigned char>(CBitmap::greenOf(row[x]));
            *out++ = static_cast<unsigned char>(CBitmap::blueOf(row[x]));
            *out++ = static_cast<unsigned char>(CBitmap::alphaOf(row[x]));
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
    std::vector<unsigned char> pixels = rgbaRows(bitmap);
    std::vector<png_bytep> rows(static_cast<size_t>(bitmap.getHeight()));
    for (size_t y = 0; y < rows.size(); ++y)
    {
        rows[y] = pixels.data() + y * static_cast<size_t>(bitmap.getWidth()) * 4;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, reportPNGError, ignorePNGWarning);
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

bool encodePNG(const CBitmap &straight, std::vector<unsigned char> &output, CString &errorOut)
{
    SEncoderState state;
    if (!encodeToMemory(straight, state))
    {
        errorOut.setStringWithFormat("Failed to encode PNG: %s", state.errorText);
        return false;
    }
    output = std::move(state.output);
    return true;
}
} // namespace Orvalite::GUI::Graphics
