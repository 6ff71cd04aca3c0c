#include "editor/CTypedValue.h"

#include <gtest/gtest.h>

#include <optional>

namespace Orvalite::Testing
{
namespace
{
using namespace Veltrix;

struct STyped
{
    long id;
    const char *text;
    // Empty when the text is no value of the parameter.
    std::optional<double> normalised;
};

// The expected values from the read-outs' ranges: Delay 20 … 100 ms, Master
// -20 … 20 dB, Pitch -100 … 100 cents, the pans -1 … 1, FeedBack 0 … 100 %,
// Lfo Rate 0.01 … 5 Hz.
const STyped TYPED[] = {
    {PARAMETER_DELAY_ONE, "50", 0.375},
    {PARAMETER_DELAY_ONE, "50 ms", 0.375},
    {PARAMETER_DELAY_ONE, " 50MS ", 0.375},
    {PARAMETER_DELAY_ONE, "+50.0 ms", 0.375},
    {PARAMETER_DELAY_ONE, "50,0 ms", 0.375},
    {PARAMETER_DELAY_TWO, "5e1", 0.375},
    {PARAMETER_MASTER, "-3.5 dB", 0.4125},
    {PARAMETER_DRY_GAIN, "-10 db", 0.75},
    {PARAMETER_PITCH_ONE, "12 cents", 0.56},
    {PARAMETER_PITCH_TWO, "-50 Cents", 0.25},
    {PARAMETER_PAN_ONE, "0", 0.5},
    {PARAMETER_PAN_TWO, "-0.5", 0.25},
    {PARAMETER_FEEDBACK_ONE, "25%", 0.25},
    {PARAMETER_LFO_DEPTH_ONE, "-100 %", 0.0},
    {PARAMETER_LFO_RATE_ONE, "5 hz", 1.0},
    {PARAMETER_SYNC_AUDIO, "on", 1.0},
    {PARAMETER_SYNC_AUDIO, " OFF", 0.0},
    {PARAMETER_GRAIN_SIZE, "small", 0.0},
    {PARAMETER_GRAIN_SIZE, "Large", 1.0},
    // Outside the range: clamped.
    {PARAMETER_DELAY_ONE, "500 ms", 1.0},
    {PARAMETER_DELAY_ONE, "-5", 0.0},
    {PARAMETER_MASTER, "-100 dB", 0.0},
    // Nothing the parameter takes.
    {PARAMETER_DELAY_ONE, "", std::nullopt},
    {PARAMETER_DELAY_ONE, "fast", std::nullopt},
    {PARAMETER_DELAY_ONE, "50 dB", std::nullopt},
    {PARAMETER_DELAY_ONE, "5 0", std::nullopt},
    {PARAMETER_DELAY_ONE, "ms", std::nullopt},
    {PARAMETER_DELAY_ONE, "++50", std::nullopt},
    {PARAMETER_DELAY_ONE, "inf", std::nullopt},
    {PARAMETER_DELAY_ONE, "nan", std::nullopt},
    {PARAMETER_DELAY_ONE, "1e999", std::nullopt},
    {PARAMETER_PAN_ONE, "0 ms", std::nullopt},
    {PARAMETER_SYNC_AUDIO, "1", std::nullopt},
    {PARAMETER_SYNC_AUDIO, "onn", std::nullopt},
};

TEST(TypedValue, ReadsTheReadOutsUnitsClampsToTheRangeAndRefusesAnythingElse)
{
    for (const STyped &typed : TYPED)
    {
        double normalised = -7.0;
        const bool read = CTypedValue(typed.id).toNormalised(typed.text, normalised);
        EXPECT_EQ(read, typed.normalised.has_value()) << typed.id << " \"" << typed.text << "\"";
        EXPECT_NEAR(normalised, typed.normalised.value_or(-7.0), 1e-9) << typed.id << " \"" << typed.text << "\"";
    }
}

} // namespace
} // namespace Orvalite::Testing
