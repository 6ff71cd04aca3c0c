// One program of the effect's bank: two complete sets of normalised parameter
// values (the A and B halves) and a name. The record's bytes are the host's
// chunk format, so the effect hands its array of records to the host as is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace Orvalite::Veltrix
{
// Bytes of one record, which is also the size of a program chunk.
constexpr size_t PROGRAM_RECORD_SIZE = 7228;
constexpr int NUMBER_OF_PROGRAMS = 13;
// A bank chunk is the records back to back.
constexpr size_t BANK_SIZE = PROGRAM_RECORD_SIZE * NUMBER_OF_PROGRAMS;
constexpr int NUMBER_OF_PARAMETERS = 23;

struct VeltrixProgram
{
    // The record opens with these four bytes, without their terminator.
    static constexpr char MAGIC[] = "OVA5";
    static constexpr size_t MAGIC_SIZE = sizeof(MAGIC) - 1;
    // Format version written after the magic; chunks with another one are refused.
    static constexpr uint8_t FORMAT_VERSION = 1;
    // Name bytes, terminator included.
    static constexpr size_t NAME_SIZE = 24;
    // Floats per half; entries 0 … NUMBER_OF_PARAMETERS - 1 are used.
    static constexpr int HALF_SIZE = 256;
    static constexpr int BLOCK_SIZE = 256;

    // The initial record: magic, version, name "default", the A half 0.0, the B half 1.0.
    VeltrixProgram();

    // True when `data` holds at least the five header bytes and they read "OVA5" and FORMAT_VERSION.
    static bool hasValidHeader(const void *data, size_t size);

    // The one rule for every parameter value that enters the effect, by any way
    // (host, chunk, program change, MIDI, editor): a finite value is held to
    // 0 … 1 and admitted; a value that is not a number is refused (false).
    static bool admitValue(float &value);
    // Whether the record image at `record` (PROGRAM_RECORD_SIZE bytes, any
    // alignment) holds only admissible values in the used entries of both halves.
    static bool holdsAdmissibleValues(const void *record);
    // Holds the used entries of both halves to 0 … 1.
    void admitValues();

    // Writes the name (at most NAME_SIZE - 1 characters and a terminator) into
    // `text`; a name loaded without a terminator is cut. A null `text` is ignored.
    void getName(char *text) const;
    // Stores at most NAME_SIZE - 1 characters and zero-fills the rest; null is ignored.
    void setName(const char *text);

    // The live half is A when the bank's selector is 0 and B otherwise. Entries
    // outside 0 … HALF_SIZE - 1 read as 0 and are not written.
    float getLiveValue(int32_t selector, int entry) const;
    void setLiveValue(int32_t selector, int entry, float value);

    // The A/B selector of the whole bank lives in record 0; in other records the word is unused.
    int32_t getSelector() const { return m_abSelector; }
    void setSelector(int32_t selector) { m_abSelector = selector; }

    char m_magic[MAGIC_SIZE] = {MAGIC[0], MAGIC[1], MAGIC[2], MAGIC[3]};
    uint8_t m_version = FORMAT_VERSION;
    uint8_t m_zero[3] = {};
    char m_name[NAME_SIZE] = "default";
    uint8_t m_reserved[24] = {};
    float m_halfA[HALF_SIZE] = {};
    float m_halfB[HALF_SIZE];
    // Blocks carried in every chunk but never interpreted.
    float m_unusedFloatsOne[BLOCK_SIZE];
    float m_unusedFloatsTwo[BLOCK_SIZE] = {};
    int32_t m_unusedIntegersOne[BLOCK_SIZE] = {};
    float m_unusedFloatsThree[BLOCK_SIZE] = {};
    int32_t m_unusedIntegersTwo[BLOCK_SIZE] = {};
    int32_t m_abSelector = 0;
};

// The chunk is the record's memory image, written and read on little-endian
// hosts with IEEE floats: any change of layout breaks every saved song.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "chunks are the little-endian memory image");
static_assert(std::numeric_limits<float>::is_iec559, "chunks hold IEEE 754 single-precision floats");
static_assert(std::is_standard_layout_v<VeltrixProgram>, "the record must have a defined layout");
static_assert(std::is_trivially_copyable_v<VeltrixProgram>, "chunks are copied into records byte by byte");
static_assert(sizeof(VeltrixProgram) == PROGRAM_RECORD_SIZE);
static_assert(sizeof(VeltrixProgram[NUMBER_OF_PROGRAMS]) == BANK_SIZE, "a bank is the records back to back");
static_assert(BANK_SIZE == 93964);
static_assert(offsetof(VeltrixProgram, m_magic) == 0);
static_assert(offsetof(VeltrixProgram, m_version) == 4);
static_assert(offsetof(VeltrixProgram, m_name) == 8);
static_assert(offsetof(VeltrixProgram, m_reserved) == 32);
static_assert(offsetof(VeltrixProgram, m_halfA) == 56);
static_assert(offsetof(VeltrixProgram, m_halfB) == 1080);
static_assert(offsetof(VeltrixProgram, m_unusedFloatsOne) == 2104);
static_assert(offsetof(VeltrixProgram, m_unusedFloatsTwo) == 3128);
static_assert(offsetof(VeltrixProgram, m_unusedIntegersOne) == 4152);
static_assert(offsetof(VeltrixProgram, m_unusedFloatsThree) == 5176);
static_assert(offsetof(VeltrixProgram, m_unusedIntegersTwo) == 6200);
static_assert(offsetof(VeltrixProgram, m_abSelector) == 7224);
} // namespace Orvalite::Veltrix
