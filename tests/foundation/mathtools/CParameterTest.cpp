#include "foundation/mathtools/CParameter.h"

#include "tests/foundation/FoundationTestSupport.h"

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

// The position maps linearly onto the range without clamping; the text has two decimals.
TEST(Parameter, ValueTextOfANormalisedPosition)
{
    // minimum, maximum, normalised position, text
    const std::tuple<double, double, double, const char *> cases[] = {{20.0, 20000.0, 0.5, "10010.00"},
                                                                      {-1.0, 0.0, 0.995, "-0.01"},
                                                                      {0.0, 1.0, 1.5, "1.50"},
                                                                      {0.0, 10.0, -0.5, "-5.00"}};
    for (const auto &[minimum, maximum, normalised, expected] : cases)
    {
        Orvalite::Basics::CString text("old");
        CParameter(minimum, maximum, normalised).getValueAsString(text);
        EXPECT_STREQ(expected, text.getString()) << minimum << " .. " << maximum << " at " << normalised;
    }
}

TEST(Parameter, ReversedOrNaNRangesAreRefused)
{
    CParameter parameter;
    parameter.setRange(20.0, 20000.0);
    EXPECT_EQ(0.5, parameter.getValue()) << "a new range does not recompute the value";
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

TEST(Parameter, NormaliseStaysBelowOneWithoutOverflow)
{
    EXPECT_DOUBLE_EQ(0.99999, CParameter::normalise(10, 0, 10));
    EXPECT_DOUBLE_EQ(0.99999 / 4.0, CParameter::normalise(-2, -3, 1));
    EXPECT_DOUBLE_EQ(0.99999, CParameter::normalise(LONG_MAX, LONG_MIN, LONG_MAX)) << "no overflow in the span";
    EXPECT_EQ(0.0, CParameter::normalise(7, 5, 5)) << "an empty range";
}
