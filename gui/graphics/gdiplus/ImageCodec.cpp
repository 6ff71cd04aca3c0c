#include "gui/graphics/ImageCodec.h"

#include "foundation/io/CFileSystem.h"
#include "gui/graphics/gdiplus/CGdiPlusSession.h"
#include "gui/graphics/gdiplus/TGdiPlusObject.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

namespace Orvalite::GUI::Graphics
{
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;

namespace
{
// GDI+ decodes whatever format it recognises and fills what a file lacks, so
// the format, the size and the completeness are checked here, from the bytes,
// before GDI+ sees them or anything is allocated for the image.

// Deflate never expands data by more than this factor, so decoded rows larger
// than this multiple of the file cannot be in it: such a header lies.
constexpr double MAXIMUM_DEFLATE_RATIO = 1032.0;
// GDI+'s built-in PNG encoder.
const CLSID PNG_ENCODER = {0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

using CStreamPointer = std::unique_ptr<IStream, void (*)(IStream *)>;

void releaseStream(IStream *stream)
{
    if (stream)
    {
        stream->Release();
    }
}

std::string readFile(const CSystemString &path)
{
    std::FILE *file = IO::CFileSystem::openFile(path, "rb");
    std::string bytes;
    if (!file)
    {
        return bytes;
    }
    char buffer[65536];
    for (size_t count; (count = std::fread(buffer, 1, sizeof(buffer), file)) > 0;)
    {
        bytes.append(buffer, count);
    }
    std::fclose(file);
    return bytes;
}

unsigned long bigEndian(const std::string &bytes, size_t offset, size_t length)
{
    unsigned long value = 0;
    for (size_t index = offset; index < offset + length; ++index)
    {
        value = (value << 8) | static_cast<unsigned char>(bytes[index]);
    }
    return value;
}

bool isSideAcceptable(unsigned long side)
{
    return side > 0 && side <= static_cast<unsigned long>(CBitmap::MAXIMUM_SIDE);
}

// The signature, then an IHDR chunk whose rows could fit in the file.
bool isPlausiblePNG(const std::string &bytes)
{
    static const char SIGNATURE[] = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 33 || bytes.compare(0, 8, SIGNATURE, 8) != 0 || bytes.compare(12, 4, "IHDR") != 0)
    {
        return false;
    }
    const unsigned long width = bigEndian(bytes, 16, 4);
    const unsigned long height = bigEndian(bytes, 20, 4);
    const unsigned long bitDepth = bigEndian(bytes, 24, 1);
    const unsigned long colourType = bigEndian(bytes, 25, 1);
    const unsigned long channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    const double rowBytes = std::ceil(static_cast<double>(width) * channels * bitDepth / 8.0);
    return isSideAcceptable(width) && isSideAcceptable(height) &&
           static_cast<double>(height) * (1.0 + rowBytes) <= static_cast<double>(bytes.size()) * MAXIMUM_DEFLATE_RATIO;
}

// Offset of the first start-of-frame segment (markers C0 … CF but for the
// table markers C4, C8 and CC) before the scan, or npos.
size_t findJPEGFrame(const std::string &bytes)
{
    for (size_t offset = 2; offset + 4 <= bytes.size();)
    {
        const auto type = static_cast<unsigned char>(bytes[offset + 1]);
        if (static_cast<unsigned char>(bytes[offset]) != 0xFF || type == 0xDA)
        {
            return std::string::npos;
        }
        if ((type & 0xF0) == 0xC0 && type != 0xC4 && type != 0xC8 && type != 0xCC)
        {
            return offset;
        }
        offset += 2 + bigEndian(bytes, offset + 2, 2);
    }
    return std::string::npos;
}

// 8 × 8 blocks of all the frame's components. Every block's DC coefficient is
// coded with at least one bit, so coded data holding fewer bits than this
// stops before the image does (GDI+ would fill the missing rows with grey).
double countJPEGBlocks(const std::string &bytes, size_t frame, unsigned long width, unsigned long height)
{
    const size_t components = bigEndian(bytes, frame + 9, 1);
    if (components == 0 || frame + 10 + 3 * components > bytes.size())
    {
        return 0.0;
    }
    double largestH = 1.0;
    double largestV = 1.0;
    for (size_t index = 0; index < components; ++index)
    {
        const unsigned long factors = bigEndian(bytes, frame + 11 + 3 * index, 1);
        largestH = std::max(largestH, static_cast<double>(factors >> 4));
        largestV = std::max(largestV, static_cast<double>(factors & 0xF));
    }
    double blocks = 0.0;
    for (size_t index = 0; index < components; ++index)
    {
        const unsigned long factors = bigEndian(bytes, frame + 11 + 3 * index, 1);
        blocks += std::ceil(std::ceil(width * (factors >> 4) / largestH) / 8.0) *
                  std::ceil(std::ceil(height * (factors & 0xF) / largestV) / 8.0);
    }
    return blocks;
}

// A baseline or progressive Huffman frame (C0 … C2) no larger than a bitmap,
// coded data from the first scan to an end-of-image marker (a file cut short
// has none), and at least one bit of it for every block.
bool isPlausibleJPEG(const std::string &bytes)
{
    const size_t frame = bytes.compare(0, 2, "\xFF\xD8") == 0 ? findJPEGFrame(bytes) : std::string::npos;
    if (frame == std::string::npos || frame + 10 > bytes.size() || static_cast<unsigned char>(bytes[frame + 1]) > 0xC2)
    {
        return false;
    }
    const unsigned long height = bigEndian(bytes, frame + 5, 2);
    const unsigned long width = bigEndian(bytes, frame + 7, 2);
    const size_t scan = bytes.find("\xFF\xDA", frame);
    const size_t end = bytes.rfind("\xFF\xD9");
    if (!isSideAcceptable(width) || !isSideAcceptable(height) || scan == std::string::npos ||
        end == std::string::npos || end < scan)
    {
        return false;
    }
    const double blocks = countJPEGBlocks(bytes, frame, width, height);
    return blocks > 0.0 && 8.0 * static_cast<double>(end - scan) >= blocks;
}

CStreamPointer streamOver(const std::string &bytes)
{
    IStream *stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
    {
        return {nullptr, releaseStream};
    }
    CStreamPointer owned(stream, releaseStream);
    ULONG written = 0;
    const LARGE_INTEGER start = {};
    if (FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) || written != bytes.size() ||
        FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
    {
        owned.reset();
    }
    return owned;
}

// Copies the decoded pixels as straight ARGB; `opaque` sets every alpha to 255.
bool copyPixels(Gdiplus::GpBitmap *decoded, CBitmap &bitmap, bool opaque)
{
    UINT width = 0;
    UINT height = 0;
    Gdip::GdipGetImageWidth(decoded, &width);
    Gdip::GdipGetImageHeight(decoded, &height);
    if (!isSideAcceptable(width) || !isSideAcceptable(height) || !bitmap.create(width, height))
    {
        return false;
    }
    const Gdiplus::GpRect area(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData data = {};
    if (Gdip::GdipBitmapLockBits(decoded, &area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
        Gdiplus::Ok)
    {
        return false;
    }
    const uint32_t alpha = opaque ? 0xFF000000U : 0;
    for (long y = 0; y < bitmap.getHeight(); ++y)
    {
        const auto *source =
            reinterpret_cast<const uint32_t *>(static_cast<const BYTE *>(data.Scan0) + y * data.Stride);
        uint32_t *target = bitmap.getRow(y);
        for (long x = 0; x < bitmap.getWidth(); ++x)
        {
            target[x] = source[x] | alpha;
        }
    }
    Gdip::GdipBitmapUnlockBits(decoded, &data);
    return true;
}

bool decode(const CSystemString &path, CBitmap &bitmap, bool (*isPlausible)(const std::string &), bool opaque)
{
    const CGdiPlusSession session;
    const std::string bytes = readFile(path);
    const CStreamPointer stream =
        session.isRunning() && isPlausible(bytes) ? streamOver(bytes) : CStreamPointer(nullptr, releaseStream);
    Gdiplus::GpBitmap *made = nullptr;
    const Gdiplus::GpStatus status =
        stream ? Gdip::GdipCreateBitmapFromStream(stream.get(), &made) : Gdiplus::InvalidParameter;
    const TGdiPlusObject<Gdiplus::GpBitmap> decoded(status, made);
    if (!decoded || !copyPixels(decoded.get(), bitmap, opaque))
    {
        bitmap.destroy();
        return false;
    }
    return true;
}

// The whole content of a stream GDI+ wrote.
bool readBack(IStream *stream, std::vector<unsigned char> &output)
{
    STATSTG status = {};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(stream, &memory)))
    {
        return false;
    }
    const void *bytes = GlobalLock(memory);
    if (!bytes)
    {
        return false;
    }
    const auto *first = static_cast<const unsigned char *>(bytes);
    output.assign(first, first + status.cbSize.QuadPart);
    GlobalUnlock(memory);
    return true;
}
} // namespace

bool decodePNGFile(const CSystemString &path, CBitmap &bitmap)
{
    return decode(path, bitmap, isPlausiblePNG, false);
}

bool decodeJPEGFile(const CSystemString &path, CBitmap &bitmap)
{
    return decode(path, bitmap, isPlausibleJPEG, true);
}

bool encodePNG(const CBitmap &straight, std::vector<unsigned char> &output, CString &errorOut)
{
    const CGdiPlusSession session;
    const CStreamPointer stream = streamOver(std::string());
    if (!session.isRunning() || !stream)
    {
        errorOut = "Failed to encode PNG: GDI+ is not available";
        return false;
    }
    // GDI+ only reads the pixels while it saves them.
    Gdiplus::GpBitmap *made = nullptr;
    const Gdiplus::GpStatus created =
        Gdip::GdipCreateBitmapFromScan0(static_cast<INT>(straight.getWidth()), static_cast<INT>(straight.getHeight()),
                                        static_cast<INT>(straight.getStride()), PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE *>(const_cast<uint32_t *>(straight.getPixels())), &made);
    const TGdiPlusObject<Gdiplus::GpBitmap> source(created, made);
    const Gdiplus::GpStatus status =
        source ? Gdip::GdipSaveImageToStream(source.get(), stream.get(), &PNG_ENCODER, nullptr) : created;
    if (status != Gdiplus::Ok || !readBack(stream.get(), output))
    {
        errorOut.setStringWithFormat("Failed to encode PNG: GDI+ status %d", static_cast<int>(status));
        return false;
    }
    return true;
}
} // namespace Orvalite::GUI::Graphics
