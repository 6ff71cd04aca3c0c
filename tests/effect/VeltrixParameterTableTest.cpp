#include "effect/VeltrixParameterTable.h"
#include "effect/CVstParam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>

using namespace Orvalite::Veltrix;

namespace
{
std::string textOf(const CVstParam &parameter, void (CVstParam::*writer)(char *) const)
{
    char text[CVstParam::TEXT_SIZE];
    (parameter.*writer)(text);
    return text;
}
} // namespace

// The normalised value at construction and the display at the top of the range
// pin each range from both ends.
TEST(VeltrixParameterTable, BuildsTheTwentyThreeParametersInIndexOrder)
{
    // name, label, normalised value and display at construction, display at 1
    const std::tuple<const char *, const char *, float, const char *, const char *> rows[PARAMETER_FIRST_BLANK + 1] = {
        {"Master", "dB", 0.5f, "0.000", "20.00"},
        {"Pan Two", " ", 0.0f, "0.000", "1.000"},
        {"Pitch One", "Cents", 0.505f, "1.000", "100.0"},
        {"Pitch Two", "Cents", 0.505f, "1.000", "100.0"},
        {"Gain One", "dB", 1.0f, "0.000", "0.000"},
        {"Right Gain", "dB", 1.0f, "0.000", "0.000"},
        {"Pan One", " ", 1.0f, "1.000", "1.000"},
        {"Dry Gain", " ", 1.0125f, "0.500", "0.000"},
        {"Grain Size", " ", 0.0f, "Small", "Large"},
        {"Delay One", "ms", -0.25f, "0.000", "100.0"},
        {"Delay Two", "ms", -0.25f, "0.000", "100.0"},
        {"FeedBack One", "%", 0.0f, "0.000", "100.0"},
        {"FeedBack Two", "%", 0.0f, "0.000", "100.0"},
        {"Lfo Rate One", "Hz", 0.0981964f, "0.500", "5.000"},
        {"Lfo Rate Two", "Hz", 0.0981964f, "0.500", "5.000"},
        {"Lfo Depth One", "%", 0.5025f, "0.500", "100.0"},
        {"Lfo Depth Two", "%", 0.5025f, "0.500", "100.0"},
        {"Sync Audio", " ", 0.0f, "Off", "On"},
        {"Blank", " ", 0.5f, "0.500", "1.000"}, // all five placeholders
    };
    for (int index = 0; index < NUMBER_OF_PARAMETERS; ++index)
    {
        const auto &[name, label, normalised, display, displayAtOne] =
            rows[std::min(index, static_cast<int>(PARAMETER_FIRST_BLANK))];
        const std::unique_ptr<CVstParam> parameter(createParameter(index));
        ASSERT_NE(nullptr, parameter) << index;
        EXPECT_EQ(name, textOf(*parameter, &CVstParam::getName)) << index;
        EXPECT_EQ(label, textOf(*parameter, &CVstParam::getLabel)) << index;
        EXPECT_NEAR(normalised, parameter->getValue(), 1e-7) << index;
        EXPECT_EQ(display, textOf(*parameter, &CVstParam::getDisplay)) << index;
        parameter->setValue(1.0f);
        EXPECT_EQ(displayAtOne, textOf(*parameter, &CVstParam::getDisplay)) << index;
    }
    for (const int index : {-1, NUMBER_OF_PARAMETERS, AB_SELECTOR_INDEX})
        EXPECT_TRUE(createParameter(index) == nullptr && findParameterDefinition(index) == nullptr) << index;
}
