// The parameter objects, the program record and the factory data, without the effect.
#include "effect/CVstParam.h"
#include "effect/CVstParamFloat.h"
#include "effect/CVstParamSelect.h"
#include "effect/VeltrixFactoryPresets.h"
#include "effect/VeltrixParameterTable.h"
#include "effect/VeltrixProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace Orvalite::Veltrix;

namespace
{
std::string displayOf(const CVstParam &parameter)
{
    char text[CVstParam::TEXT_SIZE];
    parameter.getDisplay(text);
    return text;
}

// A normalised value, its display and its int value.
using SReadOut = std::tuple<float, const char *, int>;

// Sets each value, then the non-finite values a host may send, which must change
// nothing, and compares the read-outs.
template <size_t N> void expectReadOuts(CVstParam &parameter, const SReadOut (&cases)[N])
{
    for (const auto &[value, display, intValue] : cases)
    {
        parameter.setValue(value);
        for (const float hostile : {NAN, INFINITY, -INFINITY})
            parameter.setValue(hostile);
        EXPECT_EQ(value, parameter.getValue()) << "the normalised value is kept as given";
        EXPECT_EQ(display, displayOf(parameter)) << parameter.getClass().getClassName() << " at " << value;
        EXPECT_EQ(intValue, parameter.getIntValue()) << parameter.getClass().getClassName() << " at " << value;
    }
}

using Bytes = std::vector<unsigned char>;

// A new record's chunk image: magic, version, name, and 1.0f (00 00 80 3F) through
// the B half and the first unused block; zeros everywhere else.
Bytes initialImage()
{
    Bytes bytes(PROGRAM_RECORD_SIZE, 0);
    std::memcpy(bytes.data(), "OVA5\x01", 5);
    std::memcpy(bytes.data() + 8, "default", 7);
    for (size_t offset = 1080; offset < 3128; offset += 4)
        std::memcpy(bytes.data() + offset, "\0\0\x80\x3F", 4);
    return bytes;
}

// The offset of the first byte where the record differs; the record size when none does.
size_t firstDifference(const Bytes &expected, const VeltrixProgram &program)
{
    const auto *actual = reinterpret_cast<const unsigned char *>(&program);
    return std::mismatch(expected.begin(), expected.end(), actual).first - expected.begin();
}

// The factory A halves in each parameter's own units (dB, cents, ms, %, Hz; pan
// positions 0 … 1; selections as their index), rounded to four significant digits.
const double OWN_UNITS[NUMBER_OF_PROGRAMS][NUMBER_OF_FACTORY_ENTRIES] = {
    {0, 0, 6, -6, -5, -5, 1, 0, 0, 20, 30, 0, 0, 0.01, 0.01, 0, 0, 0},
    {0, 0, -7, 5, -5, -5, 1, 0, 0, 35.03, 60, 20, 11, 0.01, 0.01, 0, 0, 0},
    {0, 0, 6, -6, -5, -5, 1, 0, 0, 27.6, 24, 9.5, 7.5, 0.01, 0.01, 0, 0, 0},
    {0, 0, 6, -6, -5, -5, 1, 0, 0, 27.6, 25.6, 0, 0, 0.01, 0.01, 0, 0, 0},
    {0, 0, 6, -6, -5, -5, 1, 0, 0, 51.6, 31.6, 15, 19.5, 0.1597, 0.2844, 0, 0, 0},
    {0, 0.5, 0, 0, -5, -5, 0.5, 0, 0, 100, 35.6, 19.5, 20, 0.502, 1.004, 0, 0, 0},
    {0, 0, 10, -10, -5, -5, 1, 0, 0, 31.6, 36, 14.5, 10, 0.8084, 0.8084, 65, -65, 0},
    {0, 0, 10, -10, -5, -5, 1, 0, 0, 31.6, 36, 14.5, 10, 0.8084, 0.8084, 17, -17, 0},
    {0, 0, 0, 0, -40, -40, 1, 0, 0, 20, 20, 0, 0, 0.01, 0.01, 0, 0, 0},
    {0, 0, 6, -6, -5, -5, 1, 0, 0, 27.6, 41.2, 0, 0, 0.01, 0.01, 0, 0, 0},
    {0, 0, 6, -6, -5, -5, 1, 0, 0, 27.6, 41.2, 0, 0, 0.01, 0.01, 0, 0, 0},
    {0, 0, 6, -6, -5, -5, 1, 0, 0, 27.6, 41.2, 0, 0, 0.01, 0.01, 0, 0, 0},
    {0, 0, 6, -6, -5, -5, 1, 0, 0, 27.6, 41.2, 0, 0, 0.01, 0.01, 0, 0, 0},
};

double realValueOf(int entry, float normalised)
{
    const std::unique_ptr<CVstParam> parameter(createParameter(entry));
    parameter->setValue(normalised);
    return parameter->getRealValue();
}
} // namespace

// Decimals drop as the magnitude grows, judged before rounding. Exponent notation
// starts at 10^6 for the base and 10^5 for floats: only values such as 99999.9 and
// 999999.5 tell the two apart, as %g prints the ones between as integers. The int
// value rounds half up and saturates; a selection's is its index.
TEST(VstParam, ReadOutsOfEachKind)
{
    CVstParam base("Base", "");
    CVstParamFloat identity("Identity", "", 0.0f, 1.0f, 0.0f);
    CVstParamFloat master("Master", "dB", -20.0f, 20.0f, 0.0f);
    master.setShowPlus(true);
    CVstParamSelect grainSize("Grain Size", "Small", "Large");
    const SReadOut decimals[] = {{9.999f, "9.999", 10},    {9.9996f, "10.000", 10},    {10.0f, "10.00", 10},
                                 {-10.0f, "-10.00", -10},  {99.99f, "99.99", 100},     {100.0f, "100.0", 100},
                                 {999.9f, "999.9", 1000},  {1000.0f, "1000", 1000},    {999999.5f, "1000000", 1000000},
                                 {1e6f, "1e+06", 1000000}, {-1e6f, "-1e+06", -1000000}};
    expectReadOuts(base, decimals);
    const SReadOut rounding[] = {{0.49f, "0.490", 0},    {0.5f, "0.500", 1},       {-0.5f, "-0.500", 0},
                                 {-0.51f, "-0.510", -1}, {3e9f, "3e+09", INT_MAX}, {-FLT_MAX, "-3.40282e+38", INT_MIN}};
    expectReadOuts(base, rounding);
    const SReadOut floating[] = {{99999.9f, "100000", 100000}, {999999.5f, "1e+06", 1000000}};
    expectReadOuts(identity, floating);
    // -20 … 20 dB, extrapolated outside 0 … 1 and saturated at the float range.
    const SReadOut decibels[] = {{0.5625f, "+2.500", 3},        {0.4375f, "-2.500", -2},
                                 {-5.0f, "-220.0", -220},       {-1e38f, "-3.40282e+38", INT_MIN},
                                 {50000.5f, "+2e+06", 2000000}, {0.0f, "-20.00", -20}};
    expectReadOuts(master, decibels);
    const SReadOut entries[] = {{0.49999997f, "Small", 0}, {0.5f, "Large", 1},  {5.0f, "Large", 1},
                                {1e30f, "Large", 1},       {-3.0f, "Small", 0}, {-FLT_MAX, "Small", 0}};
    expectReadOuts(grainSize, entries);
}

// Hosts hand out small fixed buffers: no writer may pass 24 bytes, whatever the value.
TEST(VstParam, NoWriterPassesTwentyFourBytes)
{
    const std::string longText(40, 'n');
    CVstParam base(longText.c_str(), longText.c_str());
    CVstParamFloat floating(longText.c_str(), longText.c_str(), -FLT_MAX, FLT_MAX, 0.0f);
    floating.setShowPlus(true);
    CVstParamSelect select(longText.c_str(), longText.c_str(), longText.c_str());
    for (const float value : {-FLT_MAX, -999999.9f, -1e-30f, FLT_MAX})
        for (CVstParam *parameter : std::initializer_list<CVstParam *>{&base, &floating, &select})
        {
            parameter->setValue(value);
            for (auto writer : {&CVstParam::getName, &CVstParam::getLabel, &CVstParam::getDisplay})
            {
                char text[64];
                std::memset(text, 'X', sizeof(text));
                (parameter->*writer)(text);
                EXPECT_TRUE(strnlen(text, sizeof(text)) < CVstParam::TEXT_SIZE && text[CVstParam::TEXT_SIZE] == 'X')
                    << parameter->getClass().getClassName() << " at " << value;
            }
        }
    EXPECT_EQ(std::string(23, 'n'), displayOf(select));
    char name[CVstParam::TEXT_SIZE];
    base.getName(name);
    EXPECT_EQ(std::string(23, 'n'), name);
}

TEST(VstParamFloat, EmptyRangeStartsAtZeroAndANewRangeKeepsTheNormalisedValue)
{
    EXPECT_EQ(0.0f, CVstParamFloat("Fixed", "", 5.0f, 5.0f, 5.0f).getValue());
    CVstParamFloat parameter("Delay", "ms", 20.0f, 100.0f, 0.0f);
    parameter.setValue(0.5f);
    parameter.setRange(0.0f, 200.0f);
    EXPECT_EQ(100.0, parameter.getRealValue());
    parameter.setRange(NAN, 1.0f);
    EXPECT_EQ(100.0, parameter.getRealValue()) << "non-finite bounds are ignored";
}

TEST(VstParamSelect, NewEntriesAreSelectedByTheCurrentValueUpToTheStorageLimit)
{
    CVstParamSelect parameter("Mode", "A", "B");
    parameter.setValue(0.5f);
    const char *const names[] = {"Low", "Mid", "High"};
    parameter.setEntries(3, names);
    EXPECT_EQ("Mid", displayOf(parameter));
    const std::vector<const char *> many(200, "Entry");
    parameter.setEntries(200, many.data());
    EXPECT_EQ(CVstParamSelect::MAX_ENTRIES / 2, parameter.getIntValue());
    parameter.setEntries(-1, names);
    EXPECT_EQ(0, parameter.getIntValue());
    EXPECT_EQ("", displayOf(parameter));
}

TEST(VstParamSelect, WritesOutsideTheEntriesAreIgnored)
{
    CVstParamSelect parameter("Grain Size", "Small", "Large");
    parameter.setValue(1.0f);
    // Writes outside the entries would land on the count or the selection.
    for (const int index : {-1, 2, CVstParamSelect::MAX_ENTRIES})
        parameter.setEntryName(index, "Outside");
    parameter.setEntryName(1, "Huge");
    EXPECT_EQ("Huge", displayOf(parameter));
    std::vector<int> values(300);
    std::generate(values.begin(), values.end(), [n = 0]() mutable { return 10 * n++; });
    EXPECT_EQ(0, parameter.setEntryValues(0, values.data()));
    EXPECT_EQ(0, parameter.setEntryValues(3, nullptr));
    EXPECT_EQ(CVstParamSelect::MAX_ENTRIES, parameter.setEntryValues(300, values.data()));
    EXPECT_EQ(10, parameter.getSelectedEntryValue());
}

// Hosts save the record's bytes as they are, so every byte is pinned.
TEST(VeltrixProgram, NewRecordIsTheInitialChunkImage)
{
    EXPECT_EQ(PROGRAM_RECORD_SIZE, firstDifference(initialImage(), VeltrixProgram()));
}

TEST(VeltrixProgram, LiveValuesGoToTheHalfTheSelectorPicks)
{
    VeltrixProgram program;
    Bytes expected = initialImage();
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

// A shorter name leaves no trace of a longer one, and a name without terminator
// (from a host's chunk) reads bounded. Cutting long names to 23 characters is
// checked through the plug-in's interface.
TEST(VeltrixProgram, NamesStayInsideTheirField)
{
    VeltrixProgram program;
    program.setName("A program name that is far too long");
    program.setName("Short");
    EXPECT_EQ(Bytes(19, 0), Bytes(program.m_name + 5, program.m_name + VeltrixProgram::NAME_SIZE));
    std::memset(program.m_name, 'x', VeltrixProgram::NAME_SIZE);
    char text[64];
    std::memset(text, 'X', sizeof(text));
    program.getName(text);
    EXPECT_EQ(std::string(23, 'x'), text);
}

// The B halves differ from the A halves only by the large grain.
TEST(VeltrixFactoryPresets, SettingsAreTheIntendedOnesInOwnUnits)
{
    for (int program = 0; program < NUMBER_OF_PROGRAMS; ++program)
        for (int entry = 0; entry < NUMBER_OF_FACTORY_ENTRIES; ++entry)
        {
            const double expected = OWN_UNITS[program][entry];
            const float a = getFactoryValueA(program, entry);
            const float b = getFactoryValueB(program, entry);
            // Four significant digits round by at most 0.05 %; 0.1 % still catches a mistyped digit.
            EXPECT_NEAR(expected, realValueOf(entry, a), std::fmax(1e-3 * std::fabs(expected), 1e-4))
                << "program " << program << " entry " << entry;
            EXPECT_TRUE(entry == PARAMETER_GRAIN_SIZE ? realValueOf(entry, b) == 1.0 : b == a)
                << "program " << program << " B entry " << entry;
        }
    EXPECT_EQ(0.0f, getFactoryValueB(0, NUMBER_OF_FACTORY_ENTRIES)) << "blank parameters are not factory entries";
}

// A fresh bank must match saved songs bit for bit: the stored floats are the
// ones the presets were saved with, not their tidy neighbours.
TEST(VeltrixFactoryPresets, KeepsTheExactSavedFloats)
{
    EXPECT_EQ(std::nextafter(0.875f, 0.0f), getFactoryValueA(0, PARAMETER_GAIN_ONE));
    EXPECT_EQ(std::nextafter(0.125f, 1.0f), getFactoryValueA(0, PARAMETER_DELAY_TWO));
    EXPECT_NE(9.0f / 127.0f, getFactoryValueA(0, PARAMETER_GRAIN_SIZE));
    EXPECT_EQ(1.0f, getFactoryValueB(8, PARAMETER_GRAIN_SIZE));
    EXPECT_EQ(0.9291339f, getFactoryValueB(9, PARAMETER_GRAIN_SIZE));
}
