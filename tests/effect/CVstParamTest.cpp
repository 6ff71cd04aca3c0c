#include "effect/CVstParamFloat.h"
#include "effect/CVstParamSelect.h"
#include "foundation/basics/CClassManager.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace
{
std::string displayOf(const CVstParam &parameter)
{
    char text[CVstParam::TEXT_SIZE];
    parameter.getDisplay(text);
    return text;
}

struct SReadOut
{
    float value;
    const char *display;
    int intValue;
};

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
} // namespace

// Two of the kinds are never built and are registered by name only, so that class
// reports and type tests still know them.
TEST(VstParamClasses, RegisterUnderTheirNamesBelowTheBase)
{
    for (const char *name : {"CVstParamFloat", "CVstParamSelect", "CVstParamFloatExp", "CVstParamInt"})
    {
        const auto *record = Orvalite::Basics::CClassManager::findClass(name);
        ASSERT_NE(nullptr, record) << name;
        EXPECT_STREQ("CVstParam", record->getParentClassName()) << name;
    }
    EXPECT_STREQ("CCountedObject", CVstParam::getClassRecord().getParentClassName());
    EXPECT_STREQ("CVstParamFloat", CVstParamFloat("Float", "", 0.0f, 1.0f, 0.0f).getClass().getClassName());
    EXPECT_STREQ("CVstParamSelect", CVstParamSelect("Select", "Off", "On").getClass().getClassName());
}

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
TEST(VstParam, TextsAreCutToTwentyThreeCharactersAndNoWriterPassesTwentyFourBytes)
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

// Initial values outside the range are kept unclamped (see VeltrixParameterTable).
TEST(VstParamFloat, EmptyRangeStartsAtZeroAndANewRangeRescalesTheValue)
{
    CVstParamFloat parameter("Delay", "ms", 20.0f, 100.0f, 0.0f);
    EXPECT_EQ(0.0f, CVstParamFloat("Fixed", "", 5.0f, 5.0f, 5.0f).getValue()) << "an empty range";
    parameter.setValue(0.5f);
    parameter.setRange(0.0f, 200.0f);
    EXPECT_EQ(100.0, parameter.getRealValue());
    parameter.setRange(NAN, 1.0f);
    EXPECT_EQ(100.0, parameter.getRealValue()) << "non-finite bounds are ignored";
}

TEST(VstParamSelect, NewEntriesReselectWithTheCurrentValueUpToTheStorageLimit)
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

TEST(VstParamSelect, EntryNamesAndValuesOutsideTheEntriesAreIgnored)
{
    CVstParamSelect parameter("Grain Size", "Small", "Large");
    parameter.setValue(1.0f);
    // Writes outside the entries would land on the count or the selection.
    for (const int index : {-1, 2, CVstParamSelect::MAX_ENTRIES})
        parameter.setEntryName(index, "Outside");
    parameter.setEntryName(1, "Huge");
    EXPECT_EQ("Huge", displayOf(parameter));
    std::vector<int> values(300);
    for (size_t index = 0; index < values.size(); ++index)
        values[index] = static_cast<int>(index) * 10;
    EXPECT_EQ(0, parameter.setEntryValues(0, values.data()));
    EXPECT_EQ(0, parameter.setEntryValues(3, nullptr));
    EXPECT_EQ(CVstParamSelect::MAX_ENTRIES, parameter.setEntryValues(300, values.data()));
    EXPECT_EQ(10, parameter.getSelectedEntryValue());
}
