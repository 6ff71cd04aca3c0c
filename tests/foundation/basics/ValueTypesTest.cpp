#include "foundation/basics/CBool.h"
#include "foundation/basics/CDouble.h"
#include "foundation/basics/CFloat.h"
#include "foundation/basics/CLong.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace Orvalite::Basics;

namespace
{
std::string description(const CCountedObject &object, long size = 64)
{
    char buffer[64] = {};
    object.getObjectDescription(buffer, size);
    return buffer;
}
} // namespace

TEST(Bool, ComparesWithPlainValuesAndWrappers)
{
    CBool value(true);
    EXPECT_TRUE(value == true);
    EXPECT_TRUE(value != false);
    EXPECT_TRUE(value == CBool(true));
    EXPECT_TRUE(value != CBool(false));
    value = false;
    EXPECT_FALSE(value.getValue());
    value = CBool(true);
    EXPECT_TRUE(value.getValue());
}

TEST(Bool, TextIsTrueOrFalse)
{
    EXPECT_STREQ("True", CBool(true).toString().getString());
    EXPECT_STREQ("False", CBool(false).toString().getString());
    CString text("old");
    CBool(false).toString(text);
    EXPECT_STREQ("False", text.getString());
    EXPECT_EQ("True", description(CBool(true)));
    EXPECT_EQ("Fal", description(CBool(false), 4));
}

TEST(Long, ArithmeticWithPlainValuesAndWrappers)
{
    CLong value(7);
    value += 5;
    value -= CLong(2);
    EXPECT_EQ(10, value.getValue());
    value *= CLong(-3);
    EXPECT_EQ(-30, value.getValue());
    value /= 4;
    EXPECT_EQ(-7, value.getValue()) << "division truncates towards zero";
    value = CLong(9);
    value *= 2;
    value /= CLong(3);
    EXPECT_TRUE(value == 6);
    EXPECT_TRUE(value != CLong(7));
    EXPECT_TRUE(value == CLong(6));
    EXPECT_FALSE(value.isZero());
}

TEST(Long, DivisionByZeroGivesZero)
{
    CLong value(7);
    value /= 0;
    EXPECT_TRUE(value.isZero());
    value = 7;
    value /= CLong(0);
    EXPECT_TRUE(value.isZero());
}

TEST(Long, ArithmeticWrapsAtThirtyTwoBitsInsteadOfOverflowing)
{
    CLong value(INT32_MAX);
    value += 1;
    EXPECT_EQ(INT32_MIN, value.getValue());
    value /= -1;
    EXPECT_EQ(INT32_MIN, value.getValue()) << "the one quotient that does not fit";
    value *= 2;
    EXPECT_TRUE(value.isZero());
    value -= CLong(INT32_MIN);
    EXPECT_EQ(INT32_MIN, value.getValue());
}

struct DigitsCase
{
    double value;
    long digits;
    const char *expected;
};

class LongText : public testing::TestWithParam<DigitsCase>
{
};

TEST_P(LongText, IsZeroPaddedToTheDigits)
{
    const auto &example = GetParam();
    EXPECT_STREQ(example.expected, CLong(static_cast<long>(example.value)).toString(example.digits).getString())
        << example.value << " with " << example.digits << " digits";
}

INSTANTIATE_TEST_SUITE_P(Examples, LongText,
                         testing::Values(DigitsCase{5, 3, "005"}, DigitsCase{7, 2, "07"}, DigitsCase{-7, 3, "-07"},
                                         DigitsCase{1234, 2, "1234"}, DigitsCase{5, 0, "5"}, DigitsCase{5, -4, "5"},
                                         DigitsCase{5, LONG_MAX, "00000000000000000000000000000005"}));

TEST(Long, DescriptionUsesTwoDigits)
{
    EXPECT_EQ("03", description(CLong(3)));
}

// CFloat and CDouble share their behaviour; each is checked against the same examples.
template <class TValue> class FloatingValue : public testing::Test
{
};

using FloatingTypes = testing::Types<CFloat, CDouble>;
TYPED_TEST_SUITE(FloatingValue, FloatingTypes);

TYPED_TEST(FloatingValue, ArithmeticWithPlainValuesAndWrappers)
{
    TypeParam value(1.5f);
    value += 2.5f;
    value -= TypeParam(1.0f);
    EXPECT_TRUE(value == 3.0f);
    value *= TypeParam(-2.0f);
    value /= 4.0f;
    EXPECT_TRUE(value == TypeParam(-1.5f));
    EXPECT_TRUE(value != 1.5f);
    EXPECT_TRUE(value != TypeParam(1.5f));
    value = TypeParam(6.0f);
    value *= 0.5f;
    value /= TypeParam(2.0f);
    EXPECT_TRUE(value == 1.5f);
    EXPECT_FALSE(value.isZero());
}

TYPED_TEST(FloatingValue, DivisionByExactlyZeroGivesZero)
{
    TypeParam value(7.0f);
    value /= 0.0f;
    EXPECT_TRUE(value.isZero());
    value = 7.0f;
    value /= TypeParam(-0.0f);
    EXPECT_TRUE(value.isZero());
    value = 1.0f;
    value /= 1e-30f;
    EXPECT_FALSE(value.isZero()) << "only exactly zero is refused";
}

TYPED_TEST(FloatingValue, TextHasTheDigitsAsDecimals)
{
    EXPECT_STREQ("1.00", TypeParam(1.0f).toString(2).getString());
    EXPECT_STREQ("0.50", TypeParam(0.5f).toString(2).getString());
    EXPECT_STREQ("-2.250", TypeParam(-2.25f).toString(3).getString());
    EXPECT_STREQ("2", TypeParam(2.25f).toString(0).getString());
    EXPECT_STREQ("2", TypeParam(2.25f).toString(-3).getString());
    EXPECT_EQ(std::string("0.") + std::string(32, '0'), TypeParam(0.0f).toString(LONG_MAX).getString());
    EXPECT_EQ("0.25", description(TypeParam(0.25f)));
}

TEST(ValueTypes, RecordsNameTheClassAndItsParent)
{
    const CCountedObject *const objects[] = {new CBool(), new CLong(), new CFloat(), new CDouble()};
    const char *const names[] = {"CBool", "CLong", "CFloat", "CDouble"};
    for (int index = 0; index < 4; ++index)
    {
        EXPECT_STREQ(names[index], objects[index]->getClass().getClassName());
        EXPECT_STREQ("CCountedObject", objects[index]->getClass().getParentClassName()) << names[index];
        delete objects[index];
    }
}
