// A binary file read or written with typed values in a chosen byte order
// (little- or big-endian data, or bytes taken as they come). Owned by its user.
#pragma once

#include "foundation/basics/CSystemString.h"

#include <cstdint>
#include <cstdio>

namespace Orvalite::IO
{
class CFileStream : public Basics::CCountedObject
{
public:
    static constexpr long MODE_READ = 0;
    static constexpr long MODE_WRITE = 1;

    CFileStream() = default;
    CFileStream(const Basics::CSystemString &path, long mode, bool streamIsLittleEndian);
    CFileStream(const CFileStream &) = delete;
    CFileStream &operator=(const CFileStream &) = delete;
    ~CFileStream() override;

    // Closes what is open and clears the failure flag, then opens `path`
    // ("rb" for reading, "w+b" for writing, which truncates); false when that failed.
    bool openStream(const Basics::CSystemString &path, long mode, bool streamIsLittleEndian,
                    bool ignoreByteOrder = false);
    void closeStream();
    bool isOpenForReading() const { return m_isOpen && m_mode == MODE_READ; }
    bool isOpenForWriting() const { return m_isOpen && m_mode == MODE_WRITE; }
    // Set by any failed read, write or seek, or use in the wrong mode; cleared only by reopening.
    bool hasFailed() const { return m_failed; }

    // Size in bytes (reading only); -1 and a failure otherwise.
    long getStreamSize();
    // Byte offset from the start; -1 when not open.
    long getPosition() const;
    bool seekFromStart(long offset);
    bool seekFromCurrent(long offset);
    bool moveToStart();
    // True when no byte is left to read (or nothing is open).
    bool isAtEnd() const;

    // Raw transfers; true when all `bytes` were transferred. A short read may
    // have filled part of `data`.
    bool readData(void *data, long bytes);
    bool writeData(const void *data, long bytes);

    // Typed reads: false, a failure and an unchanged target when the value
    // could not be read whole (past the end, wrong mode).
    bool readChar(char &value);
    // True only when the byte is 1.
    bool readBool(bool &value);
    bool readInt16(int16_t &value);
    bool readInt32(int32_t &value);
    // Three bytes, sign-extended, in the stream's byte order.
    bool readInt24(int32_t &value);
    bool readInt64(int64_t &value);
    bool readFloat(float &value);
    bool readDouble(double &value);
    bool readInt16Array(int16_t *values, long count);

    bool writeChar(char value);
    // One byte, 1 for true and 0 for false.
    bool writeBool(bool value);
    bool writeInt16(int16_t value);
    bool writeInt32(int32_t value);
    // The low 24 bits as three bytes in the stream's byte order.
    bool writeInt24(int32_t value);
    bool writeInt64(int64_t value);
    bool writeFloat(float value);
    bool writeDouble(double value);
    bool writeInt16Array(const int16_t *values, long count);

    static bool isMachineLittleEndian();
    // A 24-bit little-endian value from three bytes, the top byte's sign extended.
    static int32_t fromLittleEndian24(const unsigned char bytes[3]);
    // The low 24 bits of `value` as three little-endian bytes.
    static void toLittleEndian24(int32_t value, unsigned char bytes[3]);
    static void swapBytes(int16_t &value);
    static void swapBytes(int32_t &value);

    ORVALITE_CLASS_RECORD(CFileStream)

private:
    // Whether values of more than one byte change order between memory and file.
    bool needsSwapping() const;
    // Bytes between the position and the end; -1 when the file cannot seek.
    long remainingBytes() const;
    template <class TValue> bool readValue(TValue &value);
    template <class TValue> bool writeValue(TValue value);
    bool fail();

    std::FILE *m_file = nullptr;
    long m_mode = MODE_READ;
    bool m_isOpen = false;
    bool m_failed = false;
    bool m_streamIsLittleEndian = true;
    bool m_ignoreByteOrder = false;
};
} // namespace Orvalite::IO
