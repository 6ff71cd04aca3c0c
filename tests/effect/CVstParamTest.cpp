#include "effect/CVstParam.h"
#include "effect/CVstParamFloat.h"
#include "effect/CVstParamSelect.h"

#include "foundation/basics/CClassManager.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

using Orvalite::Basics::CClassManager;
using Orvalite::Basics::CCountedObject;

namespace
{
std::string displayOf(const CVstParam &parameter)
{
    char text[CVstParam::TEXT_SIZE];
    parameter.getDisplay(text);
    return text;
}
} // namespace

TEST(VstParamClasses, RegisterUnderTheirNamesAndAreTypesOfTheirAncestors)
{
    const char *const children[] = {"CVstParamFloat", "CVstParamSelect", "CVstParamFloatExp", "CVstParamInt"};
    for (const char *name : children)
    {
        const auto *record = CClassManager::findClass(name);
        ASSERT_NE(nullptr, record) << name;
        EXPECT_STREQ("CVstParam", record->getParentClassName()) << name;
        EXPECT_TRUE(record->isTypeOf(CCountedObject::getClassRecord())) << name;
    }
    EXPECT_STREQ("CCountedObject", CVstParam::getClassRecord().getParentClassName());

    CVstParamFloat floating("Float", "", 0.0f, 1.0f, 0.0f);
    CVstParamSelect select("Select", "Off", "On");
    EXPECT_STREQ("CVstParamFloat", floating.getClass().getClassName());
    EXPECT_STREQ("CVstParamSelect", select.getClass().getClassName());
    EXPECT_FALSE(floating.getClass().isTypeOf(CVstParamSelect::getClassRecord()));
    EXPECT_FALSE(CVstParam::getClassRecord().isTypeOf(CVstParamFloat::getClassRecord()));
}

TEST(VstParam, DisplayKeepsFixedDecimalsBelowOneMillion)
{
    const struct
    {
        float real;
        const char *display;
    } cases[] = {
        {0.0f, "0.000"},
        {0.1236f, "0.124"},
        {9.999f, "9.999"},
        {10.0f, "10.00"},
        {-10.0f, "-10.00"},
        {99.99f, "99.99"},
        {100.0f, "100.0"},
        {999.9f, "999.9"},
        {1000.0f, "1000"},
        {999999.0f, "999999"},
        {1e6f, "1e+06"},
        {-1e6f, "-1e+06"},
        {1234567.0f, "1.23457e+06"},
        // The decimals follow the value before rounding.
        {9.9996f, "10.000"},
    };
    CVstParam parameter("Base", "");
    for (const auto &test : cases)
    {
        parameter.setValue(test.real);
        EXPECT_EQ(test.display, displayOf(parameter)) << "value " << test.real;
    }
}

TEST(VstParam, IntValueRoundsHalfUpAndSaturates)
{
    const struct
    {
        float value;
        int expected;
    } cases[] = {{0.49f, 0},      {0.5f, 1},        {-0.5f, 0},       {-0.51f, -1},
                 {3e9f, INT_MAX}, {1e30f, INT_MAX}, {-3e9f, INT_MIN}, {-FLT_MAX, INT_MIN}};
    CVstParam parameter("Base", "");
    for (const auto &test : cases)
    {
        parameter.setValue(test.value);
        EXPECT_EQ(test.expected, parameter.getIntValue()) << "value " << test.value;
    }
}

TEST(VstParam, NonFiniteValuesFromTheHostAreIgnoredByEveryKind)
{
    CVstParam base("Base", "");
    CVstParamFloat floating("Delay", "ms", 20.0f, 100.0f, 0.0f);
    CVstParamSelect select("Sync Audio", "Off", "On");
    CVstParam *const parameters[] = {&base, &floating, &select};
    for (CVstParam *parameter : parameters)
    {
        parameter->setValue(0.75f);
        const std::string display = displayOf(*parameter);
        for (const float value : {NAN, INFINITY, -INFINITY})
        {
            parameter->setValue(value);
            EXPECT_EQ(0.75f, parameter->getValue()) << parameter->getClass().getClassName() << " " << value;
            EXPECT_EQ(display, displayOf(*parameter)) << parameter->getClass().getClassName() << " " << value;
        }
    }
}

TEST(VstParam, NameAndLabelAreCutToTwentyThreeCharacters)
{
    CVstParam parameter("A parameter name far too long", "a unit label far too long");
    char text[64];
    std::memset(text, 'X', sizeof(text));
    parameter.getName(text);
    EXPECT_STREQ("A parameter name far to", text);
    parameter.getLabel(text);
    EXPECT_STREQ("a unit label far too lo", text);
}

// Hosts hand out small fixed buffers: no writer may pass 24 bytes, whatever the value.
TEST(VstParam, EveryTextStaysWithinTwentyFourBytes)
{
    const std::string longText(40, 'n');
    CVstParam base(longText.c_str(), longText.c_str());
    CVstParamFloat floating(longText.c_str(), longText.c_str(), -FLT_MAX, FLT_MAX, 0.0f);
    floating.setShowPlus(true);
    CVstParamSelect select(longText.c_str(), longText.c_str(), longText.c_str());
    CVstParam *const parameters[] = {&base, &floating, &select};
    for (const float value : {-FLT_MAX, -999999.9f, -99999.99f, -1e-30f, 0.9999f, 99999.99f, FLT_MAX})
    {
        for (CVstParam *parameter : parameters)
        {
            parameter->setValue(value);
            for (auto writer : {&CVstParam::getName, &CVstParam::getLabel, &CVstParam::getDisplay})
            {
                char text[64];
                std::memset(text, 'X', sizeof(text));
                (parameter->*writer)(text);
                EXPECT_NE(nullptr, std::memchr(text, '\0', CVstParam::TEXT_SIZE))
                    << parameter->getClass().getClassName() << " at " << value;
                EXPECT_EQ('X', text[CVstParam::TEXT_SIZE]) << parameter->getClass().getClassName() << " at " << value;
            }
        }
    }
}
