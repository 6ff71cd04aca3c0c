#include "foundation/io/CFileStream.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::IO;
using Orvalite::Testing::CTemporaryFolder;

namespace
{
// One value read from `stream`, the read expected to succeed; -1 is never a value written.
template <class TValue> TValue readFrom(CFileStream &stream, bool (CFileStream::*read)(TValue &))
{
    TValue value = static_cast<TValue>(-1);
    EXPECT_TRUE((stream.*read)(value));
    return value;
}

// Whether a read from `stream` fails and leaves its target as it was.
template <class TValue> bool failsLeaving(CFileStream &stream, bool (CFileStream::*read)(TValue &), TValue before)
{
    TValue value = before;
    return !(stream.*read)(value) && value == before;
}
} // namespace

TEST(FileStream, EveryTypeRoundTripsInEachByteOrder)
{
    // What the bytes 0x1234 (16 bit), 0x01020304 (32 bit) and 0x123456 (24 bit) become.
    const std::string little("\x34\x12\x04\x03\x02\x01\x56\x34\x12", 9), big("\x12\x34\x01\x02\x03\x04\x12\x34\x56", 9);
    const std::tuple<const char *, bool, bool, std::string> orders[] = {{"little-endian", true, false, little},
                                                                        {"big-endian", false, false, big},
                                                                        {"order ignored", false, true, little}};
    const int16_t samples[] = {1, -2, 0x1234, INT16_MIN};
    const int32_t int24s[] = {0x123456, -2, -8388608, 8388607};
    for (const auto &[order, isLittleEndian, ignoreOrder, firstBytes] : orders)
    {
        CTemporaryFolder folder;
        CFileStream stream;
        ASSERT_TRUE(
            stream.openStream(folder.systemPath("data.bin"), CFileStream::MODE_WRITE, isLittleEndian, ignoreOrder));
        EXPECT_TRUE(stream.writeInt16(0x1234) && stream.writeInt32(0x01020304)) << order;
        for (const int32_t value : int24s)
            EXPECT_TRUE(stream.writeInt24(value)) << order;
        EXPECT_TRUE(stream.writeInt64(-1234567890123LL) && stream.writeFloat(-0.75f) && stream.writeDouble(6.02e23));
        EXPECT_TRUE(stream.writeChar('z') && stream.writeBool(true) && stream.writeBool(false));
        EXPECT_TRUE(stream.writeInt16Array(samples, 4) && !stream.hasFailed()) << order;
        ASSERT_TRUE(
            stream.openStream(folder.systemPath("data.bin"), CFileStream::MODE_READ, isLittleEndian, ignoreOrder));
        const std::string bytes = folder.read("data.bin");
        EXPECT_EQ(bytes.substr(0, 9), firstBytes) << order;
        EXPECT_EQ(bytes.size(), 9u + 3 * 3 + 8 + 4 + 8 + 1 + 2 + 8) << order;
        EXPECT_EQ(0x1234, readFrom(stream, &CFileStream::readInt16)) << order;
        EXPECT_EQ(0x01020304, readFrom(stream, &CFileStream::readInt32)) << order;
        for (const int32_t value : int24s)
            EXPECT_EQ(value, readFrom(stream, &CFileStream::readInt24)) << order;
        EXPECT_EQ(-1234567890123LL, readFrom(stream, &CFileStream::readInt64)) << order;
        EXPECT_EQ(-0.75f, readFrom(stream, &CFileStream::readFloat)) << order;
        EXPECT_EQ(6.02e23, readFrom(stream, &CFileStream::readDouble)) << order;
        EXPECT_EQ('z', readFrom(stream, &CFileStream::readChar)) << order;
        EXPECT_TRUE(readFrom(stream, &CFileStream::readBool)) << order;
        EXPECT_FALSE(readFrom(stream, &CFileStream::readBool)) << order;
        int16_t readSamples[4] = {};
        EXPECT_TRUE(stream.readInt16Array(readSamples, 4) && std::equal(samples, samples + 4, readSamples)) << order;
        EXPECT_TRUE(stream.isAtEnd() && !stream.hasFailed()) << order;
    }
}

TEST(FileStream, ReadsPastTheEndFailLeavingTheTargetUnchanged)
{
    CTemporaryFolder folder;
    folder.write("short.bin", std::string("\x01\x02\x03", 3));
    CFileStream stream(folder.systemPath("short.bin"), CFileStream::MODE_READ, true);
    EXPECT_TRUE(failsLeaving(stream, &CFileStream::readInt32, int32_t{77}));
    EXPECT_TRUE(stream.hasFailed());
    ASSERT_TRUE(stream.moveToStart());
    EXPECT_EQ(0x030201, readFrom(stream, &CFileStream::readInt24));
    EXPECT_TRUE(failsLeaving(stream, &CFileStream::readChar, 'k'));
    EXPECT_TRUE(failsLeaving(stream, &CFileStream::readBool, true));
    EXPECT_TRUE(failsLeaving(stream, &CFileStream::readInt16, int16_t{5}));
    EXPECT_TRUE(failsLeaving(stream, &CFileStream::readInt24, int32_t{6}));
    EXPECT_TRUE(failsLeaving(stream, &CFileStream::readInt64, int64_t{6}));
    EXPECT_TRUE(failsLeaving(stream, &CFileStream::readFloat, 7.0f));
    EXPECT_TRUE(failsLeaving(stream, &CFileStream::readDouble, 8.0));

    // Five bytes hold two and a half samples: a short array read changes none of them.
    folder.write("three.bin", std::string("\x01\x00\x02\x00\x03", 5));
    ASSERT_TRUE(stream.openStream(folder.systemPath("three.bin"), CFileStream::MODE_READ, true));
    int16_t array[3] = {-1, -1, -1};
    EXPECT_FALSE(stream.readInt16Array(array, 3));
    EXPECT_FALSE(stream.readInt16Array(array, LONG_MAX / 4)) << "a damaged count must not allocate the impossible";
    EXPECT_FALSE(stream.readInt16Array(array, -1));
    EXPECT_TRUE(array[0] == -1 && array[1] == -1 && array[2] == -1);
}

TEST(FileStream, BoolIsTrueOnlyForTheByteOne)
{
    CTemporaryFolder folder;
    folder.write("bools.bin", std::string("\x01\x02\x00\xff", 4));
    CFileStream stream(folder.systemPath("bools.bin"), CFileStream::MODE_READ, true);
    for (const bool expected : {true, false, false, false})
    {
        bool read = !expected;
        EXPECT_TRUE(stream.readBool(read) && read == expected) << expected;
    }
}

TEST(FileStream, UseInTheWrongModeFails)
{
    CTemporaryFolder folder;
    CFileStream writer(folder.systemPath("out.bin"), CFileStream::MODE_WRITE, true);
    ASSERT_TRUE(writer.isOpenForWriting());
    EXPECT_FALSE(writer.isOpenForReading());
    EXPECT_FALSE(writer.hasFailed());
    char byte = 0;
    EXPECT_FALSE(writer.readChar(byte));
    EXPECT_EQ(writer.getStreamSize(), -1);
    EXPECT_TRUE(writer.hasFailed());

    folder.write("in.bin", "abcd");
    CFileStream reader(folder.systemPath("in.bin"), CFileStream::MODE_READ, true);
    EXPECT_EQ(reader.getStreamSize(), 4);
    EXPECT_FALSE(reader.writeChar('x'));
    EXPECT_TRUE(reader.hasFailed());
    EXPECT_TRUE(reader.openStream(folder.systemPath("in.bin"), CFileStream::MODE_READ, true));
    EXPECT_FALSE(reader.hasFailed()) << "reopening clears the failure";

    CFileStream closed;
    EXPECT_FALSE(closed.readData(&byte, 1));
    EXPECT_EQ(closed.getPosition(), -1);
    EXPECT_TRUE(closed.isAtEnd());
    EXPECT_FALSE(closed.openStream(folder.systemPath("missing.bin"), CFileStream::MODE_READ, true));
}

TEST(FileStream, SeeksMoveThePosition)
{
    CTemporaryFolder folder;
    folder.write("seek.bin", "0123456789");
    CFileStream stream(folder.systemPath("seek.bin"), CFileStream::MODE_READ, true);
    char character = 0;
    EXPECT_TRUE(stream.seekFromStart(4));
    EXPECT_TRUE(stream.seekFromCurrent(2));
    EXPECT_EQ(stream.getPosition(), 6);
    EXPECT_TRUE(stream.readChar(character));
    EXPECT_EQ(character, '6');
    EXPECT_FALSE(stream.isAtEnd());
    EXPECT_FALSE(stream.hasFailed());
    EXPECT_FALSE(stream.seekFromStart(-1));
    EXPECT_TRUE(stream.hasFailed());
    EXPECT_TRUE(stream.seekFromStart(10));
    EXPECT_TRUE(stream.isAtEnd());
}
