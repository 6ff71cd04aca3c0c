#include "foundation/mathtools/CParameter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace Orvalite::MathTools;
using Orvalite::Basics::CString;

namespace
{
void expectRange(const CParameter &parameter, double minimum, double maximum)
{
    EXPECT_DOUBLE_EQ(minimum, parameter.getMinimum());
    EXPECT_DOUBLE_EQ(maximum, parameter.getMaximum());
    EXPECT_DOUBLE_EQ(maximum - minimum, parameter.getRange());
}
} // namespace

TEST(Parameter, DefaultIsTheMiddleOfTheUnitRange)
{
    CParameter parameter;
    EXPECT_DOUBLE_EQ(0.5, parameter.getValue());
    expectRange(parameter, 0.0, 1.0);
}

struct NormalisedCase
{
    double minimum;
    double maximum;
    double normalised;
    double expected;
};

class ParameterMapping : public testing::TestWithParam<NormalisedCase>
{
};

TEST_P(ParameterMapping, NormalisedPositionMapsLinearlyWithoutClamping)
{
    const auto &example = GetParam();
    CParameter parameter(example.minimum, example.maximum, example.normalised);
    EXPECT_DOUBLE_EQ(example.expected, parameter.getValue())
        << example.minimum << " .. " << example.maximum << " at " << example.normalised;
    CParameter reused;
    reused.setRange(example.minimum, example.maximum);
    EXPECT_DOUBLE_EQ(example.expected, reused.setNormalisedValueAndGet(example.normalised));
}

INSTANTIATE_TEST_SUITE_P(Examples, ParameterMapping,
                         testing::Values(NormalisedCase{20.0, 20000.0, 0.5, 10010.0},
                                         NormalisedCase{20.0, 20000.0, 0.0, 20.0},
                                         NormalisedCase{20.0, 20000.0, 1.0, 20000.0},
                                         NormalisedCase{-1.0, 1.0, 0.25, -0.5}, NormalisedCase{0.0, 1.0, 1.5, 1.5},
                                         NormalisedCase{0.0, 10.0, -0.5, -5.0}, NormalisedCase{3.0, 3.0, 0.7, 3.0}));

TEST(Parameter, RangeWithMaximumBelowMinimumIsRefused)
{
    CParameter parameter(20.0, 20000.0, 0.5);
    parameter.setRange(1.0, 0.0);
    expectRange(parameter, 20.0, 20000.0);
    parameter.setRange(NAN, 5.0);
    parameter.setRange(0.0, NAN);
    expectRange(parameter, 20.0, 20000.0);
    EXPECT_DOUBLE_EQ(10010.0, parameter.getValue()) << "a new range leaves the value as it was";

    CParameter refused(1.0, 0.0, 0.5);
    expectRange(refused, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(0.0, refused.getValue());
}

TEST(Parameter, ValueTextHasTwoDecimals)
{
    CString text("old");
    CParameter(20.0, 20000.0, 0.5).getValueAsString(text);
    EXPECT_STREQ("10010.00", text.getString());
    CParameter(-1.0, 0.0, 0.995).getValueAsString(text);
    EXPECT_STREQ("-0.01", text.getString());
}

TEST(Parameter, InterpolationIsLinearInThePosition)
{
    EXPECT_DOUBLE_EQ(2.5, CParameter::interpolate(2.0, 4.0, 0.25));
    EXPECT_DOUBLE_EQ(4.0, CParameter::interpolate(2.0, 4.0, 1.0));
    EXPECT_DOUBLE_EQ(1.0, CParameter::interpolate(4.0, 2.0, 1.5));
}

TEST(Parameter, IntegerNormalisationKeepsTheTopJustBelowOne)
{
    EXPECT_DOUBLE_EQ(0.0, CParameter::normalise(0, 0, 10));
    EXPECT_DOUBLE_EQ(0.99999, CParameter::normalise(10, 0, 10));
    EXPECT_DOUBLE_EQ(0.99999 / 4.0, CParameter::normalise(-2, -3, 1));
    EXPECT_DOUBLE_EQ(0.99999, CParameter::normalise(LONG_MAX, LONG_MIN, LONG_MAX)) << "no overflow in the span";
}

TEST(Parameter, IntegerNormalisationOfAnEmptyRangeIsZero)
{
    EXPECT_EQ(0.0, CParameter::normalise(5, 5, 5));
    EXPECT_EQ(0.0, CParameter::normalise(7, 5, 5));
}

TEST(Parameter, RecordNamesTheClassAndItsParent)
{
    EXPECT_STREQ("CParameter", CParameter().getClass().getClassName());
    EXPECT_STREQ("CCountedObject", CParameter().getClass().getParentClassName());
}
