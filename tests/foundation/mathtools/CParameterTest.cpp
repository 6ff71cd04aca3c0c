#include "foundation/mathtools/CParameter.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

using namespace Orvalite::MathTools;
using Range = std::vector<double>;

namespace
{
// minimum, maximum, range
Range rangeOf(const CParameter &parameter)
{
    return {parameter.getMinimum(), parameter.getMaximum(), parameter.getRange()};
}
} // namespace

TEST(Parameter, NormalisedPositionMapsLinearlyWithoutClamping)
{
    const double cases[][4] = {
        {20.0, 20000.0, 0.5, 10010.0}, {-1.0, 1.0, 0.25, -0.5}, {0.0, 1.0, 1.5, 1.5}, {0.0, 10.0, -0.5, -5.0}};
    for (const auto &[minimum, maximum, normalised, expected] : cases)
        EXPECT_DOUBLE_EQ(expected, CParameter(minimum, maximum, normalised).getValue())
            << minimum << " .. " << maximum << " at " << normalised;
}

TEST(Parameter, NewRangeKeepsTheValueAndReversedOrNaNRangesAreRefused)
{
    CParameter parameter;
    EXPECT_EQ((Range{0.0, 1.0, 1.0}), rangeOf(parameter));
    parameter.setRange(20.0, 20000.0);
    EXPECT_EQ(0.5, parameter.getValue()) << "the value is not recomputed";
    const double refusals[][2] = {{1.0, 0.0}, {NAN, 5.0}, {0.0, NAN}};
    for (const auto &[minimum, maximum] : refusals)
    {
        parameter.setRange(minimum, maximum);
        EXPECT_EQ((Range{20.0, 20000.0, 19980.0}), rangeOf(parameter)) << minimum << " .. " << maximum;
    }
    const CParameter refused(1.0, 0.0, 0.5);
    EXPECT_EQ((Range{0.0, 0.0, 0.0}), rangeOf(refused));
    EXPECT_EQ(0.0, refused.getValue());
}

TEST(Parameter, TextHasTwoDecimalsAndTheHelpersInterpolateAndNormalise)
{
    Orvalite::Basics::CString text("old");
    CParameter(20.0, 20000.0, 0.5).getValueAsString(text);
    EXPECT_STREQ("10010.00", text.getString());
    CParameter(-1.0, 0.0, 0.995).getValueAsString(text);
    EXPECT_STREQ("-0.01", text.getString());
    EXPECT_DOUBLE_EQ(2.5, CParameter::interpolate(2.0, 4.0, 0.25));
    EXPECT_DOUBLE_EQ(1.0, CParameter::interpolate(4.0, 2.0, 1.5));
    EXPECT_DOUBLE_EQ(0.99999, CParameter::normalise(10, 0, 10));
    EXPECT_DOUBLE_EQ(0.99999 / 4.0, CParameter::normalise(-2, -3, 1));
    EXPECT_DOUBLE_EQ(0.99999, CParameter::normalise(LONG_MAX, LONG_MIN, LONG_MAX)) << "no overflow in the span";
    EXPECT_EQ(0.0, CParameter::normalise(7, 5, 5)) << "an empty range";
}
