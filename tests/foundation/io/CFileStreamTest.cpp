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
        EXPECT_EQ((std::vector<int64_t>{shortValue, longValue, positive24, negative24, lowest24, wide}),
                  (std::vector<int64_t>{0x1234, 0x01020304, 0x123456, -2, -8388608, -1234567890123LL}))
            << order.name;
        EXPECT_TRUE(single == -0.75f && real == 6.02e23 && character == 'z' && yes && !no) << order.name;
        EXPECT_EQ(std::vector<int16_t>(readSamples, readSamples + 4), std::vector<int16_t>(samples, samples + 4))
            << order.name;
        EXPECT_TRUE(stream.isAtEnd() && !stream.hasFailed()) << order.name;
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
    EXPECT_FALSE(stream.readChar(character) || stream.readBool(flag) || stream.readInt16(shortValue) ||
                 stream.readInt24(value24) || stream.readInt64(wide) || stream.readFloat(single) ||
                 stream.readDouble(real));
    EXPECT_TRUE(character == 'k' && flag && shortValue == 5 && value24 == 0x030201 && wide == 6 && single == 7.0f &&
                real == 8.0);

    // Five bytes hold two and a half samples: a short array read changes none of them.
    folder.write("three.bin", std::string("\x01\x00\x02\x00\x03", 5));
    ASSERT_TRUE(stream.openStream(pathOf(folder, "three.bin"), CFileStream::MODE_READ, true));
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
