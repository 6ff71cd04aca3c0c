#include "effect/VeltrixFactoryPresets.h"
#include "effect/CVstParam.h"
#include "effect/VeltrixParameterTable.h"
#include "effect/VeltrixProgram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

using namespace Orvalite::Veltrix;

namespace
{
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

// Four significant digits round by at most 0.05 %; 0.1 % still catches a
// mistyped digit in the stored values.
double toleranceFor(double ownUnits)
{
    return std::fmax(1e-3 * std::fabs(ownUnits), 1e-4);
}

double realValueOf(int entry, float normalised)
{
    const std::unique_ptr<CVstParam> parameter(createParameter(entry));
    parameter->setValue(normalised);
    return parameter->getRealValue();
}
} // namespace

// A name longer than the record's 24 bytes would be cut silently. The B halves
// differ from the A halves only by the large grain.
TEST(VeltrixFactoryPresets, ProgramsHaveFittingNamesAndTheIntendedSettingsInOwnUnits)
{
    for (int program = 0; program < NUMBER_OF_PROGRAMS; ++program)
    {
        const size_t length = std::strlen(getFactoryProgramName(program));
        EXPECT_TRUE(length > 0 && length < VeltrixProgram::NAME_SIZE) << "program " << program;
        for (int entry = 0; entry < NUMBER_OF_FACTORY_ENTRIES; ++entry)
        {
            const double expected = OWN_UNITS[program][entry];
            const float a = getFactoryValueA(program, entry);
            const float b = getFactoryValueB(program, entry);
            EXPECT_NEAR(expected, realValueOf(entry, a), toleranceFor(expected))
                << "program " << program << " entry " << entry;
            EXPECT_TRUE(entry == PARAMETER_GRAIN_SIZE ? realValueOf(entry, b) == 1.0 : b == a)
                << "program " << program << " B entry " << entry;
        }
    }
    EXPECT_STREQ("", getFactoryProgramName(NUMBER_OF_PROGRAMS));
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
