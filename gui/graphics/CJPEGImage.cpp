#include "gui/graphics/CJPEGImage.h"

#include "gui/graphics/ImageFileSize.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include <jerror.h>

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CSystemString;

ORVALITE_DEFINE_CLASS_RECORD(CJPEGImage, "CJPEGImage", "CBaseImage")

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

[[noreturn]] void abortDecoding(j_common_ptr info)
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
        abortDecoding(info);
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
        abortDecoding(info);
    }
}

// Everything the decoder touches across libjpeg's longjmp lives here, in the
// caller's frame.
struct SDecoderState
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

void copyInto(const SDecoderState &state, CBitmap &bitmap)
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
bool decodeInto(SDecoderState &state)
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

bool decodeFile(const CSystemString &path, CBitmap &bitmap)
{
    SDecoderState state;
    state.file = std::fopen(path.getString(), "rb");
    if (!state.file)
    {
        return false;
    }
    state.fileSize = imageFileSize(state.file);
    state.info.err = jpeg_std_error(&state.errors.manager);
    state.errors.manager.error_exit = abortDecoding;
    state.errors.manager.emit_message = handleMessage;
    state.errors.manager.output_message = printNothing;
    state.progress.progress_monitor = limitScans;
    jpeg_create_decompress(&state.info);
    state.info.progress = &state.progress;
    const bool decoded =
        state.fileSize > 0 && decodeInto(state) && bitmap.create(state.info.output_width, state.info.output_height);
    if (decoded)
    {
        copyInto(state, bitmap);
    }
    jpeg_destroy_decompress(&state.info);
    std::fclose(state.file);
    return decoded;
}
} // namespace

CJPEGImage::CJPEGImage() : CBaseImage(false) {}

CJPEGImage::CJPEGImage(const CSystemString &path) : CBaseImage(false)
{
    loadFromFile(path);
}

bool CJPEGImage::loadFromFile(const CSystemString &path)
{
    setFilename(path);
    if (!path.hasExtension("jpg") && !path.hasExtension("jpeg"))
    {
        return fail("Filename is not of JPEG type");
    }
    unloadImage();
    setFilename(path);
    if (!decodeFile(path, getBitmap()))
    {
        return fail("Failed to aquire HBITMAP from Bitmap image");
    }
    return finishLoad();
}
} // namespace Orvalite::GUI::Graphics
