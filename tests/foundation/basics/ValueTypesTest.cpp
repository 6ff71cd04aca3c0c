#include "foundation/basics/CBool.h"
#include "foundation/basics/CDouble.h"
#include "foundation/basics/CFloat.h"
#include "foundation/basics/CLong.h"

#include "tests/foundation/FoundationTestSupport.h"

using namespace Orvalite::Basics;

// Long pads with zeros to the digits, the floating types write that many decimals; the count is clamped to 0 … 32.
TEST(ValueTypes, TextFormsOfTheValues)
{
    CString falseText("old");
    CBool(false).toString(falseText);
    const std::string zeros(32, '0');
    const std::tuple<const char *, std::string, std::string> cases[] = {
        {"CLong(5), -4 digits", CLong(5).toString(-4).getString(), "5"},
        {"CLong(5), LONG_MAX digits", CLong(5).toString(LONG_MAX).getString(), zeros.substr(1) + "5"},
        {"CFloat(-2.25), 3 digits", CFloat(-2.25f).toString(3).getString(), "-2.250"},
        {"CFloat(2.25), -3 digits", CFloat(2.25f).toString(-3).getString(), "2"},
        {"CDouble(2.25), -3 digits", CDouble(2.25).toString(-3).getString(), "2"},
        {"CFloat(0), LONG_MAX digits", CFloat(0.0f).toString(LONG_MAX).getString(), "0." + zeros},
        {"CDouble(0), LONG_MAX digits", CDouble(0.0).toString(LONG_MAX).getString(), "0." + zeros},
        {"CBool(true)", CBool(true).toString().getString(), "True"},
        {"CBool(false) into a string", falseText.getString(), "False"},
    };
    for (const auto &[value, text, expected] : cases)
        EXPECT_EQ(expected, text) << value;
}

// A CLong is 32-bit however wide long is: results wrap, INT32_MIN / -1 stays, and division by zero gives zero.
TEST(Long, ArithmeticIsDefinedForEveryOperand)
{
    CLong value(-30);
    value /= 8;
    value *= CLong(-5);
    EXPECT_EQ(15, value.getValue()) << "-30 / 8 is -3";
    value += INT32_MAX;
    value -= CLong(14);
    EXPECT_EQ(INT32_MIN, value.getValue()) << "wrapped";
    value /= CLong(-1);
    EXPECT_EQ(INT32_MIN, value.getValue()) << "the one quotient that does not fit";
    value *= 2;
    EXPECT_TRUE(value.isZero()) << "wrapped";
    value += CLong(7);
    value /= 0;
    EXPECT_TRUE(value.isZero()) << "divided by zero";
    value -= INT32_MIN;
    value -= 1;
    EXPECT_EQ(INT32_MAX, value.getValue()) << "wrapped below";
}

template <class TValue> class FloatingValue : public testing::Test
{
};

using FloatingTypes = testing::Types<CFloat, CDouble>;
TYPED_TEST_SUITE(FloatingValue, FloatingTypes);

// Only an exact zero is refused; a tiny divisor divides.
TYPED_TEST(FloatingValue, DivisionByExactlyZeroGivesZero)
{
    for (const float divisor : {1e-30f, 0.0f, -0.0f})
    {
        TypeParam byPlain(7.0f), byWrapped(7.0f);
        byPlain /= divisor;
        byWrapped /= TypeParam(divisor);
        EXPECT_EQ(divisor == 0.0f, byPlain.isZero()) << divisor;
        EXPECT_EQ(divisor == 0.0f, byWrapped.isZero()) << "wrapped " << divisor;
    }
}
