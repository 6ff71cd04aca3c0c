#include "effect/VeltrixLfo.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <functional>
#include <tuple>
#include <utility>

using Orvalite::Veltrix::VeltrixLfo;

namespace
{
constexpr double PI = 3.14159265358979323846;
constexpr std::uint32_t QUARTER_CYCLE = 1u << 30;

double expRise(int i)
{
    return 2.0 * (std::exp(i / 128.0) - 1.0) / (std::exp(1.0) - 1.0) - 1.0;
}

// The next value of the LFO.
float readOne(VeltrixLfo &lfo)
{
    float value = 0.0f;
    lfo.read(&value, 1);
    return value;
}
} // namespace

TEST(VeltrixLfo, IncrementIsTruncatedCyclesPerSampleTimesTwoToThe32ModuloACycle)
{
    // sample rate, frequency, increment
    const std::tuple<float, float, std::uint32_t> cases[] = {
        {44100.0f, 1.0f, 97391u},                 // 97391.55
        {44100.0f, 0.01f, 973u},                  // 0.01f is a little below 0.01: 973.92
        {44100.0f, -1.0f, 4294967296u - 97391u},  // backwards
        {1.0f, 1000.25f, QUARTER_CYCLE},          // whole cycles per sample alias away
        {1.0f, -1000.25f, 3u * QUARTER_CYCLE},    // ... backwards too
        {1.0f, 1e30f, 0u},                        // 1e30f is a whole number
        {44100.0f, 33075.0f, 3u * QUARTER_CYCLE}, // three quarters of the rate
    };
    for (const auto &[rate, frequency, increment] : cases)
    {
        VeltrixLfo lfo;
        lfo.setSampleRate(rate);
        lfo.setFrequency(frequency);
        EXPECT_EQ(increment, lfo.getIncrement()) << frequency << " Hz at " << rate << " Hz";
    }
    // 2^40 Hz at 3 Hz is 366503875925⅓ cycles per sample, beyond any integer type the
    // count could pass through: only the third remains (give or take the quotient's
    // rounding, coarser where long double is double).
    VeltrixLfo lfo;
    lfo.setSampleRate(3.0f);
    lfo.setFrequency(1099511627776.0f);
    EXPECT_NEAR(4294967296.0 / 3.0, lfo.getIncrement(), 1 << 20);
}

TEST(VeltrixLfo, NewSampleRateTakesEffectAtTheNextFrequencyAndHostileValuesAreIgnored)
{
    VeltrixLfo lfo; // 1 Hz at 44100 Hz
    for (const float rate : {88200.0f, 0.0f, -44100.0f, NAN, INFINITY})
        lfo.setSampleRate(rate);
    EXPECT_EQ(97391u, lfo.getIncrement()) << "the old increment runs on, now at half the frequency";
    for (const float frequency : {1.0f, NAN, INFINITY, -INFINITY})
        lfo.setFrequency(frequency);
    EXPECT_EQ(48695u, lfo.getIncrement());
    // The sanitizer builds check that no conversion overflows on the way.
    for (const float rate : {FLT_TRUE_MIN, 1.0f, FLT_MAX})
        for (const float frequency : {FLT_MAX, -FLT_MAX, -5.0f, FLT_TRUE_MIN, -FLT_TRUE_MIN})
        {
            lfo.setSampleRate(rate);
            lfo.setFrequency(frequency);
            const float value = readOne(lfo);
            ASSERT_TRUE(value >= -1.0f && value <= 1.0f) << frequency << " Hz at " << rate << " Hz: " << value;
        }
}

TEST(VeltrixLfo, TablesHoldTheirShapeAndInterpolateLinearlyUpToTheGuard)
{
    const std::pair<VeltrixLfo::EWaveform, std::function<double(int)>> shapes[] = {
        // i = 0 … 256, the last one the guard
        {VeltrixLfo::EWaveform::Sine, [](int i) { return std::sin(2.0 * PI * i / 256.0); }},
        {VeltrixLfo::EWaveform::Triangle, [](int i) { return 2.0 / PI * std::asin(std::sin(2.0 * PI * i / 256.0)); }},
        {VeltrixLfo::EWaveform::RisingRamp, [](int i) { return i < 256 ? 2.0 * i / 255.0 - 1.0 : -1.0; }},
        {VeltrixLfo::EWaveform::Square, [](int i) { return i < 128 || i == 256 ? 1.0 : -1.0; }},
        {VeltrixLfo::EWaveform::ExponentialRiseFall,
         [](int i) { return i < 256 ? expRise(i < 128 ? i : 255 - i) : -1.0; }},
    };
    for (const auto &[waveform, entry] : shapes)
    {
        VeltrixLfo lfo;
        lfo.buildTable(waveform);
        lfo.setSampleRate(1024.0f);
        lfo.setFrequency(1.0f); // a quarter of an entry per sample
        for (int n = 0; n < 1024; ++n)
        {
            const double fraction = (n % 4) / 4.0;
            const double expected = (1.0 - fraction) * entry(n / 4) + fraction * entry(n / 4 + 1);
            ASSERT_NEAR(expected, readOne(lfo), 2e-6)
                << "shape " << static_cast<int>(waveform) << " at entry " << n / 4.0;
        }
        EXPECT_EQ(0u, lfo.getPhase()) << "one cycle later the phase has wrapped to its start";
    }
}
