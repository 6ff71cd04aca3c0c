#include "effect/CVstParamFloat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

namespace
{
std::string displayOf(const CVstParam &parameter)
{
    char text[CVstParam::TEXT_SIZE];
    parameter.getDisplay(text);
    return text;
}
} // namespace

TEST(VstParamFloat, ConstructionDerivesTheNormalisedValueWithoutClamping)
{
    CVstParamFloat belowRange("Delay", "ms", 20.0f, 100.0f, 0.0f);
    EXPECT_FLOAT_EQ(-0.25f, belowRange.getValue());
    EXPECT_EQ("0.000", displayOf(belowRange));

    CVstParamFloat emptyRange("Fixed", "", 5.0f, 5.0f, 5.0f);
    EXPECT_EQ(0.0f, emptyRange.getValue());
}

TEST(VstParamFloat, ValuesOutsideTheUnitRangeExtrapolateAndSaturateAtTheFloatRange)
{
    CVstParamFloat parameter("Master", "dB", -20.0f, 20.0f, 0.0f);
    parameter.setValue(2.0f);
    EXPECT_EQ(2.0f, parameter.getValue());
    EXPECT_EQ("60.00", displayOf(parameter));
    parameter.setValue(-5.0f);
    EXPECT_EQ("-220.0", displayOf(parameter));

    parameter.setValue(1e38f);
    EXPECT_EQ(static_cast<double>(FLT_MAX), parameter.getRealValue());
    EXPECT_EQ("3.40282e+38", displayOf(parameter));
    EXPECT_EQ(INT_MAX, parameter.getIntValue());
    parameter.setValue(-1e38f);
    EXPECT_EQ(INT_MIN, parameter.getIntValue());
}

TEST(VstParamFloat, DisplayUsesExponentNotationFromOneHundredThousand)
{
    const struct
    {
        bool showPlus;
        float real;
        const char *display;
    } cases[] = {
        {false, 9.999f, "9.999"},
        {false, 10.0f, "10.00"},
        {false, 99.99f, "99.99"},
        {false, 100.0f, "100.0"},
        {false, 999.9f, "999.9"},
        {false, 1000.0f, "1000"},
        {false, 99999.0f, "99999"},
        {false, -99999.0f, "-99999"},
        {false, 100000.0f, "100000"},
        {false, -100000.0f, "-100000"},
        {false, 1234567.0f, "1.23457e+06"},
        {true, 5.0f, "+5.000"},
        {true, 0.0f, "+0.000"},
        {true, -5.0f, "-5.000"},
        {true, 200000.0f, "+200000"},
    };
    CVstParamFloat parameter("Identity", "", 0.0f, 1.0f, 0.0f);
    for (const auto &test : cases)
    {
        parameter.setShowPlus(test.showPlus);
        parameter.setValue(test.real);
        EXPECT_EQ(test.display, displayOf(parameter)) << "real " << test.real;
    }
}

TEST(VstParamFloat, IntValueRoundsTheRealValueHalfUp)
{
    CVstParamFloat parameter("Master", "dB", -20.0f, 20.0f, 0.0f);
    parameter.setValue(0.5625f);
    EXPECT_EQ(3, parameter.getIntValue()) << "2.5 dB";
    parameter.setValue(0.4375f);
    EXPECT_EQ(-2, parameter.getIntValue()) << "-2.5 dB";
}

TEST(VstParamFloat, SetRangeMapsTheCurrentValueOntoTheNewRange)
{
    CVstParamFloat parameter("Identity", "", 0.0f, 1.0f, 0.0f);
    parameter.setValue(0.5f);
    parameter.setRange(0.0f, 200.0f);
    EXPECT_EQ(0.5f, parameter.getValue());
    EXPECT_EQ("100.0", displayOf(parameter));

    parameter.setRange(NAN, 1.0f);
    EXPECT_EQ(100.0, parameter.getRealValue()) << "non-finite bounds are ignored";
}
