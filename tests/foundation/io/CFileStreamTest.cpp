#include "foundation/io/CFileStream.h"

#include "tests/foundation/CTemporaryFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using Orvalite::Basics::CSystemString;
using Orvalite::IO::CFileStream;
using Orvalite::Testing::CTemporaryFolder;

namespace
{
CSystemString pathOf(const CTemporaryFolder &folder, const char *name)
{
    return CSystemString(folder.file(name).c_str());
}

struct SByteOrderCase
{
    const char *name;
    bool streamIsLittleEndian;
    bool ignoreByteOrder;
    // The bytes 0x1234 (16 bit), 0x01020304 (32 bit) and 0x123456 (24 bit) become.
    std::string expectedBytes;
};
} // namespace

TEST(FileStream, WritesAndReadsEveryTypeInEachByteOrder)
{
    const std::vector<SByteOrderCase> cases = {
        {"little-endian", true, false, std::string("\x34\x12\x04\x03\x02\x01\x56\x34\x12", 9)},
        {"big-endian", false, false, std::string("\x12\x34\x01\x02\x03\x04\x12\x34\x56", 9)},
        {"byte order ignored", false, true, std::string("\x34\x12\x04\x03\x02\x01\x56\x34\x12", 9)},
    };
    const int16_t samples[] = {1, -2, 0x1234, INT16_MIN};
    for (const SByteOrderCase &order : cases)
    {
        CTemporaryFolder folder;
        {
            CFileStream stream;
            ASSERT_TRUE(stream.openStream(pathOf(folder, "data.bin"), CFileStream::MODE_WRITE,
                                          order.streamIsLittleEndian, order.ignoreByteOrder));
            EXPECT_TRUE(stream.writeInt16(0x1234) && stream.writeInt32(0x01020304) && stream.writeInt24(0x123456));
            EXPECT_TRUE(stream.writeInt24(-2) && stream.writeInt24(-8388608) && stream.writeInt64(-1234567890123LL));
            EXPECT_TRUE(stream.writeFloat(-0.75f) && stream.writeDouble(6.02e23) && stream.writeChar('z'));
            EXPECT_TRUE(stream.writeBool(true) && stream.writeBool(false) && stream.writeInt16Array(samples, 4));
            EXPECT_FALSE(stream.hasFailed()) << order.name;
        }
        const std::string bytes = folder.read("data.bin");
        EXPECT_EQ(bytes.substr(0, 9), order.expectedBytes) << order.name;
        EXPECT_EQ(bytes.size(), 9u + 3 + 3 + 8 + 4 + 8 + 1 + 2 + 8) << order.name;

        CFileStream stream;
        ASSERT_TRUE(stream.openStream(pathOf(folder, "data.bin"), CFileStream::MODE_READ, order.streamIsLittleEndian,
                                      order.ignoreByteOrder));
        int16_t shortValue = 0;
        int32_t longValue = 0, positive24 = 0, negative24 = 0, lowest24 = 0;
        int64_t wide = 0;
        float single = 0;
        double real = 0;
        char character = 0;
        bool yes = false, no = true;
        int16_t readSamples[4] = {};
        EXPECT_TRUE(stream.readInt16(shortValue) && stream.readInt32(longValue) && stream.readInt24(positive24));
        EXPECT_TRUE(stream.readInt24(negative24) && stream.readInt24(lowest24) && stream.readInt64(wide));
        EXPECT_TRUE(stream.readFloat(single) && stream.readDouble(real) && stream.readChar(character));
        EXPECT_TRUE(stream.readBool(yes) && stream.readBool(no) && stream.readInt16Array(readSamples, 4));
        EXPECT_EQ(shortValue, 0x1234) << order.name;
        EXPECT_EQ(longValue, 0x01020304) << order.name;
        EXPECT_EQ(positive24, 0x123456) << order.name;
        EXPECT_EQ(negative24, -2) << order.name;
        EXPECT_EQ(lowest24, -8388608) << order.name;
        EXPECT_EQ(wide, -1234567890123LL) << order.name;
        EXPECT_EQ(single, -0.75f) << order.name;
        EXPECT_EQ(real, 6.02e23) << order.name;
        EXPECT_EQ(character, 'z') << order.name;
        EXPECT_TRUE(yes);
        EXPECT_FALSE(no);
        EXPECT_EQ(std::vector<int16_t>(readSamples, readSamples + 4), std::vector<int16_t>(samples, samples + 4))
            << order.name;
        EXPECT_TRUE(stream.isAtEnd()) << order.name;
        EXPECT_FALSE(stream.hasFailed()) << order.name;
    }
}

TEST(FileStream, ReadsPastTheEndFailAndLeaveTheTargetUnchanged)
{
    CTemporaryFolder folder;
    folder.write("short.bin", std::string("\x01\x02\x03", 3));
    CFileStream stream(pathOf(folder, "short.bin"), CFileStream::MODE_READ, true);
    int32_t value = 77;
    EXPECT_FALSE(stream.readInt32(value));
    EXPECT_EQ(value, 77);
    EXPECT_TRUE(stream.hasFailed());

    ASSERT_TRUE(stream.moveToStart());
    int32_t value24 = 0;
    EXPECT_TRUE(stream.readInt24(value24));
    EXPECT_EQ(value24, 0x030201);
    char character = 'k';
    bool flag = true;
    int16_t shortValue = 5;
    int64_t wide = 6;
    float single = 7;
    double real = 8;
    int16_t array[3] = {9, 9, 9};
    EXPECT_FALSE(stream.readChar(character) || stream.readBool(flag) || stream.readInt16(shortValue) ||
                 stream.readInt24(value24) || stream.readInt64(wide) || stream.readFloat(single) ||
                 stream.readDouble(real) || stream.readInt16Array(array, 3));
    EXPECT_EQ(character, 'k');
    EXPECT_TRUE(flag);
    EXPECT_EQ(shortValue, 5);
    EXPECT_EQ(value24, 0x030201);
    EXPECT_EQ(wide, 6);
    EXPECT_EQ(single, 7.0f);
    EXPECT_EQ(real, 8.0);
    EXPECT_EQ(array[0], 9);
    EXPECT_EQ(array[2], 9);
}

TEST(FileStream, ShortArrayReadLeavesTheWholeArrayUnchanged)
{
    CTemporaryFolder folder;
    folder.write("three.bin", std::string("\x01\x00\x02\x00\x03", 5));
    CFileStream stream(pathOf(folder, "three.bin"), CFileStream::MODE_READ, true);
    int16_t array[3] = {-1, -1, -1};
    EXPECT_FALSE(stream.readInt16Array(array, 3));
    EXPECT_EQ(array[0], -1);
    int16_t huge[1] = {-1};
    EXPECT_FALSE(stream.readInt16Array(huge, LONG_MAX / 4)) << "a damaged count must not allocate the impossible";
    EXPECT_FALSE(stream.readInt16Array(huge, -1));
    EXPECT_EQ(huge[0], -1);
}

TEST(FileStream, BoolIsTrueOnlyForTheByteOne)
{
    CTemporaryFolder folder;
    folder.write("bools.bin", std::string("\x01\x02\x00\xff", 4));
    CFileStream stream(pathOf(folder, "bools.bin"), CFileStream::MODE_READ, true);
    const bool expected[] = {true, false, false, false};
    for (bool value : expected)
    {
        bool read = !value;
        EXPECT_TRUE(stream.readBool(read));
        EXPECT_EQ(read, value);
    }
}

TEST(FileStream, TwentyFourBitHelpersExtendTheSign)
{
    const struct
    {
        unsigned char bytes[3];
        int32_t value;
    } cases[] = {
        {{0x00, 0x00, 0x00}, 0},  {{0xff, 0xff, 0x7f}, 8388607},  {{0x00, 0x00, 0x80}, -8388608},
        {{0xff, 0xff, 0xff}, -1}, {{0x56, 0x34, 0x12}, 0x123456}, {{0xfe, 0xff, 0xff}, -2},
    };
    for (const auto &testCase : cases)
    {
        EXPECT_EQ(CFileStream::fromLittleEndian24(testCase.bytes), testCase.value) << testCase.value;
        unsigned char bytes[3] = {};
        CFileStream::toLittleEndian24(testCase.value, bytes);
        EXPECT_EQ(std::string(reinterpret_cast<char *>(bytes), 3),
                  std::string(reinterpret_cast<const char *>(testCase.bytes), 3))
            << testCase.value;
    }
    int16_t shortValue = 0x1234;
    int32_t longValue = 0x01020304;
    CFileStream::swapBytes(shortValue);
    CFileStream::swapBytes(longValue);
    EXPECT_EQ(shortValue, 0x3412);
    EXPECT_EQ(longValue, 0x04030201);
    EXPECT_TRUE(CFileStream::isMachineLittleEndian());
}

TEST(FileStream, UseInTheWrongModeFails)
{
    CTemporaryFolder folder;
    CFileStream writer(pathOf(folder, "out.bin"), CFileStream::MODE_WRITE, true);
    ASSERT_TRUE(writer.isOpenForWriting());
    EXPECT_FALSE(writer.isOpenForReading());
    EXPECT_FALSE(writer.hasFailed());
    char byte = 0;
    EXPECT_FALSE(writer.readChar(byte));
    EXPECT_EQ(writer.getStreamSize(), -1);
    EXPECT_TRUE(writer.hasFailed());

    folder.write("in.bin", "abcd");
    CFileStream reader(pathOf(folder, "in.bin"), CFileStream::MODE_READ, true);
    EXPECT_EQ(reader.getStreamSize(), 4);
    EXPECT_FALSE(reader.writeChar('x'));
    EXPECT_TRUE(reader.hasFailed());
    EXPECT_TRUE(reader.openStream(pathOf(folder, "in.bin"), CFileStream::MODE_READ, true));
    EXPECT_FALSE(reader.hasFailed()) << "reopening clears the failure";

    CFileStream closed;
    EXPECT_FALSE(closed.readData(&byte, 1));
    EXPECT_EQ(closed.getPosition(), -1);
    EXPECT_TRUE(closed.isAtEnd());
    EXPECT_FALSE(closed.openStream(pathOf(folder, "missing.bin"), CFileStream::MODE_READ, true));
}

TEST(FileStream, SeeksMoveThePosition)
{
    CTemporaryFolder folder;
    folder.write("seek.bin", "0123456789");
    CFileStream stream(pathOf(folder, "seek.bin"), CFileStream::MODE_READ, true);
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
