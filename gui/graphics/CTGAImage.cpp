#include "gui/graphics/CTGAImage.h"

#include "foundation/io/CFileStream.h"

#include <vector>

namespace Orvalite::GUI::Graphics
{
using IO::CFileStream;
using Orvalite::Basics::CSystemString;

ORVALITE_DEFINE_CLASS_RECORD(CTGAImage, "CTGAImage", "CBaseImage")

namespace
{
const char *const HEADER_MESSAGE =
    "Header information did not match\nFile must be 32 bit Targa, colour map of 0, bpp = 8";
const char *const SHORT_FILE_MESSAGE = "File is shorter than its header says";
const char *const BITMAP_MESSAGE = "Failed to create window DIB section from targa data";

constexpr unsigned char UNCOMPRESSED_TRUE_COLOUR = 2;
constexpr unsigned char BITS_PER_PIXEL = 32;
// Eight alpha bits, origin at the bottom left.
constexpr unsigned char IMAGE_DESCRIPTOR = 8;

bool readByte(CFileStream &file, unsigned char &value)
{
    char character = 0;
    const bool read = file.readChar(character);
    value = static_cast<unsigned char>(character);
    return read;
}

bool readWord(CFileStream &file, long &value)
{
    int16_t word = 0;
    const bool read = file.readInt16(word);
    value = static_cast<uint16_t>(word);
    return read;
}
} // namespace

CTGAImage::CTGAImage() : CBaseImage(true) {}

CTGAImage::CTGAImage(const CSystemString &path) : CBaseImage(true)
{
    loadFromFile(path);
}

uint32_t CTGAImage::premultiply(uint32_t channel, uint32_t alpha)
{
    return channel * alpha / 255;
}

bool CTGAImage::loadFromFile(const CSystemString &path)
{
    setFilename(path);
    if (!path.hasExtension("tga"))
    {
        return fail("Filename is not of TARGA type");
    }
    unloadImage();
    setFilename(path);
    CFileStream file;
    if (!file.openStream(path, CFileStream::MODE_READ, true))
    {
        return fail("Could not find file with matching details");
    }
    long width = 0;
    long height = 0;
    if (!readHeader(file, width, height))
    {
        return failReading(HEADER_MESSAGE);
    }
    // The size is checked against the file before anything is allocated, so a
    // header that lies cannot ask for more memory than the file could fill.
    if (static_cast<int64_t>(file.getStreamSize()) - HEADER_SIZE < int64_t{width} * height * 4)
    {
        return failReading(SHORT_FILE_MESSAGE);
    }
    if (!getBitmap().create(width, height))
    {
        return failReading(BITMAP_MESSAGE);
    }
    if (!readPixels(file))
    {
        return failReading(SHORT_FILE_MESSAGE);
    }
    return finishLoad();
}

bool CTGAImage::failReading(const char *message)
{
    setFilename(" ");
    return fail(message);
}

bool CTGAImage::readHeader(CFileStream &file, long &width, long &height)
{
    unsigned char identificationLength = 0;
    unsigned char colourMapType = 0;
    unsigned char imageType = 0;
    unsigned char ignoredByte = 0;
    unsigned char pixelDepth = 0;
    unsigned char descriptor = 0;
    long ignoredWord = 0;
    const bool complete = readByte(file, identificationLength) && readByte(file, colourMapType) &&
                          readByte(file, imageType) && readWord(file, ignoredWord) && readWord(file, ignoredWord) &&
                          readByte(file, ignoredByte) && readWord(file, ignoredWord) && readWord(file, ignoredWord) &&
                          readWord(file, width) && readWord(file, height) && readByte(file, pixelDepth) &&
                          readByte(file, descriptor);
    return complete && identificationLength == 0 && colourMapType == 0 && imageType == UNCOMPRESSED_TRUE_COLOUR &&
           pixelDepth == BITS_PER_PIXEL && descriptor == IMAGE_DESCRIPTOR;
}

bool CTGAImage::readPixels(CFileStream &file)
{
    CBitmap &bitmap = getBitmap();
    std::vector<unsigned char> bytes(static_cast<size_t>(bitmap.getWidth()) * 4);
    for (long fileRow = 0; fileRow < bitmap.getHeight(); ++fileRow)
    {
        if (!file.readData(bytes.data(), static_cast<long>(bytes.size())))
        {
            return false;
        }
        uint32_t *row = bitmap.getRow(bitmap.getHeight() - 1 - fileRow);
        for (long x = 0; x < bitmap.getWidth(); ++x)
        {
            const unsigned char *pixel = &bytes[static_cast<size_t>(x) * 4];
            const uint32_t alpha = pixel[3];
            row[x] = CBitmap::pack(premultiply(pixel[2], alpha), premultiply(pixel[1], alpha),
                                   premultiply(pixel[0], alpha), alpha);
        }
    }
    return true;
}
} // namespace Orvalite::GUI::Graphics
