#include "effect/VeltrixProgram.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using Orvalite::Veltrix::PROGRAM_RECORD_SIZE;
using Orvalite::Veltrix::VeltrixProgram;

namespace
{
using Bytes = std::vector<unsigned char>;

// The record as a host sees it in a chunk.
Bytes bytesOf(const VeltrixProgram &program)
{
    Bytes bytes(PROGRAM_RECORD_SIZE);
    std::memcpy(bytes.data(), &program, PROGRAM_RECORD_SIZE);
    return bytes;
}

Bytes slice(const Bytes &bytes, size_t offset, size_t size)
{
    return Bytes(bytes.begin() + offset, bytes.begin() + offset + size);
}

std::string nameOf(const VeltrixProgram &program)
{
    char text[VeltrixProgram::NAME_SIZE];
    program.getName(text);
    return text;
}
} // namespace

TEST(VeltrixProgram, NewRecordIsTheInitialChunkImage)
{
    const Bytes bytes = bytesOf(VeltrixProgram());
    EXPECT_EQ((Bytes{'O', 'V', 'A', '5', 1, 0, 0, 0}), slice(bytes, 0, 8));
    EXPECT_EQ((Bytes{'d', 'e', 'f', 'a', 'u', 'l', 't', 0}), slice(bytes, 8, 8));
    EXPECT_EQ(Bytes(16 + 24 + 4, 0), slice(bytes, 16, 16 + 24 + 4)) << "name tail, reserved bytes, A half entry 0";

    // Offset of each 1024-byte block and the pattern of its 4-byte entries (1.0f is 00 00 80 3F).
    const struct
    {
        size_t offset;
        Bytes entry;
    } blocks[] = {{56, {0, 0, 0, 0}},   {1080, {0, 0, 0x80, 0x3F}}, {2104, {0, 0, 0x80, 0x3F}}, {3128, {0, 0, 0, 0}},
                  {4152, {0, 0, 0, 0}}, {5176, {0, 0, 0, 0}},       {6200, {0, 0, 0, 0}},       {7224, {0, 0, 0, 0}}};
    for (const auto &block : blocks)
    {
        const size_t entries = block.offset == 7224 ? 1 : 256;
        for (size_t entry = 0; entry < entries; ++entry)
        {
            ASSERT_EQ(block.entry, slice(bytes, block.offset + 4 * entry, 4)) << "block at " << block.offset;
        }
    }
}

TEST(VeltrixProgram, LiveHalfIsAForSelectorZeroAndBForAnyOther)
{
    VeltrixProgram program;
    program.setLiveValue(0, 9, 1.0f);
    program.setLiveValue(-1, 10, 0.5f);
    program.setSelector(1);
    const Bytes bytes = bytesOf(program);
    EXPECT_EQ((Bytes{0, 0, 0x80, 0x3F}), slice(bytes, 56 + 9 * 4, 4));
    EXPECT_EQ((Bytes{0, 0, 0, 0x3F}), slice(bytes, 1080 + 10 * 4, 4));
    EXPECT_EQ((Bytes{1, 0, 0, 0}), slice(bytes, 7224, 4));
    EXPECT_EQ(1.0f, program.getLiveValue(0, 9));
    EXPECT_EQ(0.5f, program.getLiveValue(7, 10));

    program.setLiveValue(0, VeltrixProgram::HALF_SIZE, 0.25f);
    program.setLiveValue(1, -1, 0.25f);
    EXPECT_EQ(bytes, bytesOf(program)) << "entries outside a half are not written";
    EXPECT_EQ(0.0f, program.getLiveValue(1, VeltrixProgram::HALF_SIZE));
}

TEST(VeltrixProgram, HeaderCheckNeedsMagicAndVersionOne)
{
    const struct
    {
        const char *bytes;
        size_t size;
        bool valid;
    } cases[] = {
        {"OVA5\x01", 5, true},  {"OVA5\x01rest", 9, true}, {"OVA5\x02", 5, false}, {"OVA5\x00", 5, false},
        {"Ova5\x01", 5, false}, {"OVA4\x01", 5, false},    {"OVA5\x01", 4, false}, {nullptr, 7228, false},
    };
    for (const auto &test : cases)
    {
        EXPECT_EQ(test.valid, VeltrixProgram::hasValidHeader(test.bytes, test.size))
            << (test.bytes ? test.bytes : "null") << " size " << test.size;
    }
}

TEST(VeltrixProgram, NameIsBoundedToTwentyThreeCharactersBothWays)
{
    VeltrixProgram program;
    program.setName("A program name that is far too long");
    EXPECT_EQ("A program name that is ", nameOf(program));
    program.setName("Short");
    EXPECT_EQ(Bytes(19, 0), slice(bytesOf(program), 13, 19)) << "no trace of the longer name is saved";

    // A chunk from a host may carry a name without terminator.
    std::memset(program.m_name, 'x', VeltrixProgram::NAME_SIZE);
    char text[64];
    std::memset(text, 'X', sizeof(text));
    program.getName(text);
    EXPECT_EQ(std::string(23, 'x'), text);
}
