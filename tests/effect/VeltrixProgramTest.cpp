#include "effect/VeltrixProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

using Orvalite::Veltrix::PROGRAM_RECORD_SIZE;
using Orvalite::Veltrix::VeltrixProgram;

namespace
{
using Bytes = std::vector<unsigned char>;

// A new record's chunk image: magic, version, name, and 1.0f (00 00 80 3F) through
// the B half and the first unused block; zeros everywhere else.
Bytes initialImage()
{
    Bytes bytes(PROGRAM_RECORD_SIZE, 0);
    std::memcpy(bytes.data(), "OVA5\x01", 5);
    std::memcpy(bytes.data() + 8, "default", 7);
    for (size_t offset = 1080; offset < 3128; offset += 4)
    {
        bytes[offset + 2] = 0x80;
        bytes[offset + 3] = 0x3F;
    }
    return bytes;
}

// The offset of the first byte where the record differs; the record size when none does.
size_t firstDifference(const Bytes &expected, const VeltrixProgram &program)
{
    const auto *actual = reinterpret_cast<const unsigned char *>(&program);
    return std::mismatch(expected.begin(), expected.end(), actual).first - expected.begin();
}
} // namespace

// Hosts save the record's bytes as they are, so every byte is pinned.
TEST(VeltrixProgram, NewRecordIsTheInitialChunkImageAndTheLiveHalfFollowsTheSelector)
{
    VeltrixProgram program;
    Bytes expected = initialImage();
    EXPECT_EQ(PROGRAM_RECORD_SIZE, firstDifference(expected, program));
    program.setLiveValue(0, 9, 0.5f);
    program.setLiveValue(-1, 10, 0.5f);
    program.setSelector(1);
    program.setLiveValue(0, VeltrixProgram::HALF_SIZE, 0.25f);
    program.setLiveValue(1, -1, 0.25f);
    expected[56 + 9 * 4 + 3] = 0x3F;    // A half entry 9: 0.0f becomes 0.5f, 00 00 00 3F
    expected[1080 + 10 * 4 + 2] = 0x00; // B half entry 10: 1.0f becomes 0.5f
    expected[7224] = 1;                 // the selector word
    EXPECT_EQ(PROGRAM_RECORD_SIZE, firstDifference(expected, program)) << "entries outside a half are not written";
    EXPECT_EQ(0.5f, program.getLiveValue(0, 9));
    EXPECT_EQ(0.5f, program.getLiveValue(7, 10));
    EXPECT_EQ(0.0f, program.getLiveValue(1, VeltrixProgram::HALF_SIZE));
}

TEST(VeltrixProgram, HeaderCheckNeedsMagicAndVersionOne)
{
    EXPECT_TRUE(VeltrixProgram::hasValidHeader("OVA5\x01", 5));
    const std::pair<const char *, size_t> refused[] = {{"OVA5\x02", 5}, {"OVA5\x00", 5}, {"Ova5\x01", 5},
                                                       {"OVA4\x01", 5}, {"OVA5\x01", 4}, {nullptr, 7228}};
    for (const auto &[bytes, size] : refused)
        EXPECT_FALSE(VeltrixProgram::hasValidHeader(bytes, size)) << (bytes ? bytes : "null") << " size " << size;
}

// Cutting long names to 23 characters is checked through the plug-in's interface.
TEST(VeltrixProgram, NameLeavesNoTraceOfALongerOneAndReadsUnterminatedOnesBounded)
{
    VeltrixProgram program;
    program.setName("A program name that is far too long");
    program.setName("Short");
    EXPECT_EQ(Bytes(19, 0), Bytes(program.m_name + 5, program.m_name + VeltrixProgram::NAME_SIZE))
        << "no trace of the longer name is saved";
    // A chunk from a host may carry a name without terminator.
    std::memset(program.m_name, 'x', VeltrixProgram::NAME_SIZE);
    char text[64];
    std::memset(text, 'X', sizeof(text));
    program.getName(text);
    EXPECT_EQ(std::string(23, 'x'), text);
}
