#include "foundation/basics/CBool.h"
#include "foundation/basics/CDouble.h"
#include "foundation/basics/CFloat.h"
#include "foundation/basics/CLong.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

using namespace Orvalite::Basics;

namespace
{
// All eight comparison operators, against a plain value and a wrapper, true and false.
template <class TValue, class TPlain> void expectComparisons(TPlain value, TPlain other)
{
    const TValue wrapped(value);
    EXPECT_TRUE(wrapped == value && wrapped == TValue(value)) << wrapped.getClass().getClassName();
    EXPECT_FALSE(wrapped == other || wrapped == TValue(other)) << wrapped.getClass().getClassName();
    EXPECT_TRUE(wrapped != other && wrapped != TValue(other)) << wrapped.getClass().getClassName();
    EXPECT_FALSE(wrapped != value || wrapped != TValue(value)) << wrapped.getClass().getClassName();
}
} // namespace

TEST(ValueTypes, BoolAndLongCompareAndWriteTheirText)
{
    expectComparisons<CBool>(true, false);
    expectComparisons<CLong>(6L, 7L);
    EXPECT_STREQ("True", CBool(true).toString().getString());
    CString text("old");
    CBool(false).toString(text);
    EXPECT_STREQ("False", text.getString());
    // Zero-padded to the digits, which are clamped to 0 … 32.
    EXPECT_STREQ("005", CLong(5).toString(3).getString());
    EXPECT_STREQ("5", CLong(5).toString(-4).getString());
    EXPECT_EQ(std::string(31, '0') + "5", CLong(5).toString(LONG_MAX).getString());
    char description[8];
    CLong(3).getObjectDescription(description, sizeof(description));
    EXPECT_STREQ("03", description);
}

TEST(Long, ArithmeticTruncatesTowardsZeroWrapsAtThirtyTwoBitsAndDividesByZeroToZero)
{
    CLong value(-30);
    value /= 8;
    value *= CLong(-5);
    value -= 1;
    EXPECT_EQ(14, value.getValue()) << "-30 / 8 is -3";
    value += INT32_MAX;
    value -= CLong(13);
    EXPECT_EQ(INT32_MIN, value.getValue());
    value /= CLong(-1);
    EXPECT_EQ(INT32_MIN, value.getValue()) << "the one quotient that does not fit";
    value *= 2;
    EXPECT_TRUE(value.isZero());
    value += CLong(7);
    value /= 0;
    EXPECT_TRUE(value.isZero());
}

// CFloat and CDouble share their behaviour; each is checked against the same examples.
template <class TValue> class FloatingValue : public testing::Test
{
};

using FloatingTypes = testing::Types<CFloat, CDouble>;
TYPED_TEST_SUITE(FloatingValue, FloatingTypes);

TYPED_TEST(FloatingValue, ComparisonArithmeticDivisionByExactlyZeroAndText)
{
    expectComparisons<TypeParam>(1.5f, -1.5f);
    TypeParam value(1.5f);
    value += 2.5f;
    value += TypeParam(-1.0f);
    value -= 0.5f;
    value -= TypeParam(-0.5f);
    value *= -2.0f;
    value *= TypeParam(0.5f);
    value /= 4.0f;
    value /= TypeParam(-0.25f);
    EXPECT_EQ(3.0f, value.getValue());
    value /= 1e-30f;
    EXPECT_FALSE(value.isZero());
    value /= 0.0f;
    EXPECT_TRUE(value.isZero());
    value = 7.0f;
    value /= TypeParam(-0.0f);
    EXPECT_TRUE(value.isZero());
    // The digits are decimals, clamped to 0 … 32.
    EXPECT_STREQ("-2.250", TypeParam(-2.25f).toString(3).getString());
    EXPECT_STREQ("2", TypeParam(2.25f).toString(-3).getString());
    EXPECT_EQ("0." + std::string(32, '0'), TypeParam(0.0f).toString(LONG_MAX).getString());
    char description[8];
    TypeParam(0.25f).getObjectDescription(description, sizeof(description));
    EXPECT_STREQ("0.25", description);
}
