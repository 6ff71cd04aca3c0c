#include "foundation/io/CFileStream.h"

#include "foundation/io/CFileSystem.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace Orvalite::IO
{
ORVALITE_DEFINE_CLASS_RECORD(CFileStream, "CFileStream", "CCountedObject")

namespace
{
template <class TValue> void reverseBytes(TValue &value)
{
    unsigned char bytes[sizeof(TValue)];
    std::memcpy(bytes, &value, sizeof(TValue));
    std::reverse(bytes, bytes + sizeof(TValue));
    std::memcpy(&value, bytes, sizeof(TValue));
}
} // namespace

CFileStream::CFileStream(const Basics::CSystemString &path, long mode, bool streamIsLittleEndian)
{
    openStream(path, mode, streamIsLittleEndian);
}

CFileStream::~CFileStream()
{
    closeStream();
}

bool CFileStream::openStream(const Basics::CSystemString &path, long mode, bool streamIsLittleEndian,
                             bool ignoreByteOrder)
{
    closeStream();
    m_failed = false;
    m_mode = mode;
    m_streamIsLittleEndian = streamIsLittleEndian;
    m_ignoreByteOrder = ignoreByteOrder;
    const char *fileMode = mode == MODE_WRITE ? "w+b" : mode == MODE_READ ? "rb" : nullptr;
    m_file = fileMode ? CFileSystem::openFile(path, fileMode) : nullptr;
    m_isOpen = m_file != nullptr;
    return m_isOpen;
}

void CFileStream::closeStream()
{
    if (m_file)
    {
        if (std::fclose(m_file) != 0)
        {
            m_failed = true;
        }
        m_file = nullptr;
    }
    m_isOpen = false;
}

bool CFileStream::fail()
{
    m_failed = true;
    return false;
}

long CFileStream::getStreamSize()
{
    if (!isOpenForReading())
    {
        fail();
        return -1;
    }
    const long position = std::ftell(m_file);
    if (position < 0 || std::fseek(m_file, 0, SEEK_END) != 0)
    {
        fail();
        return -1;
    }
    const long size = std::ftell(m_file);
    if (std::fseek(m_file, position, SEEK_SET) != 0 || size < 0)
    {
        fail();
        return -1;
    }
    return size;
}

long CFileStream::getPosition() const
{
    return m_isOpen ? std::ftell(m_file) : -1;
}

bool CFileStream::seekFromStart(long offset)
{
    if (!m_isOpen || offset < 0 || std::fseek(m_file, offset, SEEK_SET) != 0)
    {
        return fail();
    }
    return true;
}

bool CFileStream::seekFromCurrent(long offset)
{
    if (!m_isOpen || std::fseek(m_file, offset, SEEK_CUR) != 0)
    {
        return fail();
    }
    return true;
}

bool CFileStream::moveToStart()
{
    return seekFromStart(0);
}

bool CFileStream::isAtEnd() const
{
    if (!m_isOpen)
    {
        return true;
    }
    const long remaining = remainingBytes();
    return remaining < 0 ? std::feof(m_file) != 0 : remaining == 0;
}

long CFileStream::remainingBytes() const
{
    const long position = std::ftell(m_file);
    if (position < 0 || std::fseek(m_file, 0, SEEK_END) != 0)
    {
        return -1;
    }
    const long end = std::ftell(m_file);
    std::fseek(m_file, position, SEEK_SET);
    return end < position ? 0 : end - position;
}

bool CFileStream::readData(void *data, long bytes)
{
    if (!isOpenForReading() || bytes < 0 || (!data && bytes > 0))
    {
        return fail();
    }
    if (bytes > 0 && std::fread(data, 1, static_cast<size_t>(bytes), m_file) != static_cast<size_t>(bytes))
    {
        return fail();
    }
    return true;
}

bool CFileStream::writeData(const void *data, long bytes)
{
    if (!isOpenForWriting() || bytes < 0 || (!data && bytes > 0))
    {
        return fail();
    }
    if (bytes > 0 && std::fwrite(data, 1, static_cast<size_t>(bytes), m_file) != static_cast<size_t>(bytes))
    {
        return fail();
    }
    return true;
}

bool CFileStream::needsSwapping() const
{
    return !m_ignoreByteOrder && m_streamIsLittleEndian != isMachineLittleEndian();
}

template <class TValue> bool CFileStream::readValue(TValue &value)
{
    TValue read;
    if (!readData(&read, sizeof(TValue)))
    {
        return false;
    }
    if (needsSwapping())
    {
        reverseBytes(read);
    }
    value = read;
    return true;
}

template <class TValue> bool CFileStream::writeValue(TValue value)
{
    if (needsSwapping())
    {
        reverseBytes(value);
    }
    return writeData(&value, sizeof(TValue));
}

bool CFileStream::readChar(char &value)
{
    return readValue(value);
}

bool CFileStream::readBool(bool &value)
{
    unsigned char byte = 0;
    if (!readValue(byte))
    {
        return false;
    }
    value = byte == 1;
    return true;
}

bool CFileStream::readInt16(int16_t &value)
{
    return readValue(value);
}

bool CFileStream::readInt32(int32_t &value)
{
    return readValue(value);
}

bool CFileStream::readInt24(int32_t &value)
{
    unsigned char bytes[3];
    if (!readData(bytes, sizeof(bytes)))
    {
        return false;
    }
    const bool fileIsLittleEndian = m_ignoreByteOrder ? isMachineLittleEndian() : m_streamIsLittleEndian;
    if (!fileIsLittleEndian)
    {
        std::reverse(bytes, bytes + sizeof(bytes));
    }
    value = fromLittleEndian24(bytes);
    return true;
}

bool CFileStream::readInt64(int64_t &value)
{
    return readValue(value);
}

bool CFileStream::readFloat(float &value)
{
    return readValue(value);
}

bool CFileStream::readDouble(double &value)
{
    return readValue(value);
}

bool CFileStream::readInt16Array(int16_t *values, long count)
{
    if (!isOpenForReading() || count < 0 || (!values && count > 0) || count > LONG_MAX / 2)
    {
        return fail();
    }
    // A count read from a damaged file must not make us allocate what the file cannot hold.
    const long bytes = count * static_cast<long>(sizeof(int16_t));
    const long remaining = remainingBytes();
    if (remaining >= 0 && bytes > remaining)
    {
        return fail();
    }
    // Read aside first so that a short read leaves the caller's array as it was.
    std::vector<int16_t> buffer(static_cast<size_t>(count));
    if (!readData(buffer.data(), bytes))
    {
        return false;
    }
    if (needsSwapping())
    {
        std::for_each(buffer.begin(), buffer.end(), [](int16_t &value) { swapBytes(value); });
    }
    std::copy(buffer.begin(), buffer.end(), values);
    return true;
}

bool CFileStream::writeChar(char value)
{
    return writeValue(value);
}

bool CFileStream::writeBool(bool value)
{
    return writeValue(static_cast<unsigned char>(value ? 1 : 0));
}

bool CFileStream::writeInt16(int16_t value)
{
    return writeValue(value);
}

bool CFileStream::writeInt32(int32_t value)
{
    return writeValue(value);
}

bool CFileStream::writeInt24(int32_t value)
{
    unsigned char bytes[3];
    toLittleEndian24(value, bytes);
    const bool fileIsLittleEndian = m_ignoreByteOrder ? isMachineLittleEndian() : m_streamIsLittleEndian;
    if (!fileIsLittleEndian)
    {
        std::reverse(bytes, bytes + sizeof(bytes));
    }
    return writeData(bytes, sizeof(bytes));
}

bool CFileStream::writeInt64(int64_t value)
{
    return writeValue(value);
}

bool CFileStream::writeFloat(float value)
{
    return writeValue(value);
}

bool CFileStream::writeDouble(double value)
{
    return writeValue(value);
}

bool CFileStream::writeInt16Array(const int16_t *values, long count)
{
    if (count < 0 || (!values && count > 0) || count > LONG_MAX / 2)
    {
        return fail();
    }
    if (!needsSwapping())
    {
        return writeData(values, count * static_cast<long>(sizeof(int16_t)));
    }
    std::vector<int16_t> swapped(values, values + count);
    std::for_each(swapped.begin(), swapped.end(), [](int16_t &value) { swapBytes(value); });
    return writeData(swapped.data(), count * static_cast<long>(sizeof(int16_t)));
}

bool CFileStream::isMachineLittleEndian()
{
    return __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;
}

int32_t CFileStream::fromLittleEndian24(const unsigned char bytes[3])
{
    const uint32_t bits =
        static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 | static_cast<uint32_t>(bytes[2]) << 16;
    // Bit 23 is the sign: values with it set lie 2^24 below their unsigned reading.
    return (bits & 0x800000u) ? static_cast<int32_t>(bits) - 0x1000000 : static_cast<int32_t>(bits);
}

void CFileStream::toLittleEndian24(int32_t value, unsigned char bytes[3])
{
    const uint32_t bits = static_cast<uint32_t>(value);
    bytes[0] = static_cast<unsigned char>(bits & 0xFFu);
    bytes[1] = static_cast<unsigned char>(bits >> 8 & 0xFFu);
    bytes[2] = static_cast<unsigned char>(bits >> 16 & 0xFFu);
}

void CFileStream::swapBytes(int16_t &value)
{
    reverseBytes(value);
}

void CFileStream::swapBytes(int32_t &value)
{
    reverseBytes(value);
}
} // namespace Orvalite::IO
