#include "effect/VeltrixParameterTable.h"
#include "effect/CVstParamFloat.h"
#include "effect/CVstParamSelect.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Orvalite::Veltrix;

namespace
{
std::unique_ptr<CVstParam> make(int index)
{
    return std::unique_ptr<CVstParam>(createParameter(index));
}

std::string displayAt(int index, float value)
{
    auto parameter = make(index);
    parameter->setValue(value);
    char text[CVstParam::TEXT_SIZE];
    parameter->getDisplay(text);
    return text;
}
} // namespace

TEST(VeltrixParameterTable, BuildsTheTwentyThreeParametersInIndexOrder)
{
    const struct
    {
        const char *name;
        const char *label;
        const char *className;
        float normalised;
        const char *display;
    } expected[NUMBER_OF_PARAMETERS] = {
        {"Master", "dB", "CVstParamFloat", 0.5f, "0.000"},
        {"Pan Two", " ", "CVstParamFloat", 0.0f, "0.000"},
        {"Pitch One", "Cents", "CVstParamFloat", 0.505f, "1.000"},
        {"Pitch Two", "Cents", "CVstParamFloat", 0.505f, "1.000"},
        {"Gain One", "dB", "CVstParamFloat", 1.0f, "0.000"},
        {"Right Gain", "dB", "CVstParamFloat", 1.0f, "0.000"},
        {"Pan One", " ", "CVstParamFloat", 1.0f, "1.000"},
        {"Dry Gain", " ", "CVstParamFloat", 1.0125f, "0.500"},
        {"Grain Size", " ", "CVstParamSelect", 0.0f, "Small"},
        {"Delay One", "ms", "CVstParamFloat", -0.25f, "0.000"},
        {"Delay Two", "ms", "CVstParamFloat", -0.25f, "0.000"},
        {"FeedBack One", "%", "CVstParamFloat", 0.0f, "0.000"},
        {"FeedBack Two", "%", "CVstParamFloat", 0.0f, "0.000"},
        {"Lfo Rate One", "Hz", "CVstParamFloat", 0.0981964f, "0.500"},
        {"Lfo Rate Two", "Hz", "CVstParamFloat", 0.0981964f, "0.500"},
        {"Lfo Depth One", "%", "CVstParamFloat", 0.5025f, "0.500"},
        {"Lfo Depth Two", "%", "CVstParamFloat", 0.5025f, "0.500"},
        {"Sync Audio", " ", "CVstParamSelect", 0.0f, "Off"},
        {"Blank", " ", "CVstParamFloat", 0.5f, "0.500"},
        {"Blank", " ", "CVstParamFloat", 0.5f, "0.500"},
        {"Blank", " ", "CVstParamFloat", 0.5f, "0.500"},
        {"Blank", " ", "CVstParamFloat", 0.5f, "0.500"},
        {"Blank", " ", "CVstParamFloat", 0.5f, "0.500"},
    };
    for (int index = 0; index < NUMBER_OF_PARAMETERS; ++index)
    {
        const auto parameter = make(index);
        ASSERT_NE(nullptr, parameter) << index;
        char text[CVstParam::TEXT_SIZE];
        parameter->getName(text);
        EXPECT_STREQ(expected[index].name, text) << index;
        parameter->getLabel(text);
        EXPECT_STREQ(expected[index].label, text) << index;
        EXPECT_STREQ(expected[index].className, parameter->getClass().getClassName()) << index;
        EXPECT_NEAR(expected[index].normalised, parameter->getValue(), 1e-7) << index;
        parameter->getDisplay(text);
        EXPECT_STREQ(expected[index].display, text) << index;
    }
}

TEST(VeltrixParameterTable, DisplaysReadOutsInEachParametersUnits)
{
    const struct
    {
        int index;
        float value;
        const char *display;
    } cases[] = {
        {PARAMETER_MASTER, 0.5f, "0.000"},           {PARAMETER_MASTER, 1.0f, "20.00"},
        {PARAMETER_MASTER, 0.0f, "-20.00"},          {PARAMETER_DELAY_ONE, 1.0f, "100.0"},
        {PARAMETER_DELAY_ONE, 0.095f, "27.60"},      {PARAMETER_GAIN_ONE, 0.0f, "-40.00"},
        {PARAMETER_PITCH_ONE, 0.53f, "6.000"},       {PARAMETER_LFO_RATE_ONE, 1.0f, "5.000"},
        {PARAMETER_LFO_DEPTH_TWO, 0.175f, "-65.00"}, {PARAMETER_FEEDBACK_TWO, 1.0f, "100.0"},
        {PARAMETER_GRAIN_SIZE, 0.49f, "Small"},      {PARAMETER_GRAIN_SIZE, 0.5f, "Large"},
        {PARAMETER_SYNC_AUDIO, 0.7f, "On"},          {PARAMETER_SYNC_AUDIO, 0.3f, "Off"},
    };
    for (const auto &test : cases)
    {
        EXPECT_EQ(test.display, displayAt(test.index, test.value)) << "index " << test.index << " at " << test.value;
    }
}

TEST(VeltrixParameterTable, IndicesOutsideTheTableHaveNoParameter)
{
    for (const int index : {-1, NUMBER_OF_PARAMETERS, AB_SELECTOR_INDEX})
    {
        EXPECT_EQ(nullptr, createParameter(index)) << index;
        EXPECT_EQ(nullptr, findParameterDefinition(index)) << index;
    }
}
