#include "effect/VeltrixLfo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

using Orvalite::Veltrix::VeltrixLfo;

namespace
{
constexpr double PI = 3.14159265358979323846;
constexpr std::uint32_t QUARTER_CYCLE = 1u << 30;

double expRise(int i)
{
    return 2.0 * (std::exp(i / 128.0) - 1.0) / (std::exp(1.0) - 1.0) - 1.0;
}
} // namespace

TEST(VeltrixLfo, IncrementIsTruncatedCyclesPerSampleTimesTwoToThe32ModuloACycle)
{
    struct
    {
        float rate, frequency;
        std::uint32_t increment;
    } cases[] = {
        {44100.0f, 1.0f, 97391u},                 // 97391.55
        {48000.0f, 5.0f, 447392u},                // 447392.43
        {44100.0f, 0.01f, 973u},                  // 0.01f is a little below 0.01: 973.92
        {44100.0f, 0.0f, 0u},                     // a standing phase
        {44100.0f, -1.0f, 4294967296u - 97391u},  // backwards
        {1.0f, 1000.25f, QUARTER_CYCLE},          // whole cycles per sample alias away
        {1.0f, -1000.25f, 3u * QUARTER_CYCLE},    // ... backwards too
        {1.0f, 1e30f, 0u},                        // 1e30f is a whole number
        {44100.0f, 33075.0f, 3u * QUARTER_CYCLE}, // three quarters of the rate
    };
    for (const auto &c : cases)
    {
        VeltrixLfo lfo;
        lfo.setSampleRate(c.rate);
        lfo.setFrequency(c.frequency);
        EXPECT_EQ(c.increment, lfo.getIncrement()) << c.frequency << " Hz at " << c.rate << " Hz";
    }
    // 2^40 Hz at 3 Hz is 366503875925⅓ cycles per sample, beyond any integer type the
    // count could pass through: only the third remains (give or take the quotient's
    // rounding, coarser where long double is double).
    for (const float sign : {1.0f, -1.0f})
    {
        VeltrixLfo lfo;
        lfo.setSampleRate(3.0f);
        lfo.setFrequency(sign * 1099511627776.0f);
        EXPECT_NEAR((sign > 0.0f ? 1.0 : 2.0) * 4294967296.0 / 3.0, lfo.getIncrement(), 1 << 20) << "sign " << sign;
    }
}

TEST(VeltrixLfo, TablesHoldTheirShapeAndInterpolateLinearlyUpToTheGuard)
{
    const struct
    {
        VeltrixLfo::EWaveform waveform;
        std::function<double(int)> entry; // i = 0 … 256, the last one the guard
    } shapes[] = {
        {VeltrixLfo::EWaveform::Sine, [](int i) { return std::sin(2.0 * PI * i / 256.0); }},
        {VeltrixLfo::EWaveform::Triangle, [](int i) { return 2.0 / PI * std::asin(std::sin(2.0 * PI * i / 256.0)); }},
        {VeltrixLfo::EWaveform::RisingRamp, [](int i) { return i < 256 ? 2.0 * i / 255.0 - 1.0 : -1.0; }},
        {VeltrixLfo::EWaveform::Square, [](int i) { return i < 128 || i == 256 ? 1.0 : -1.0; }},
        {VeltrixLfo::EWaveform::ExponentialRiseFall,
         [](int i) { return i < 128   ? expRise(i)
                            : i < 256 ? expRise(255 - i)
                                      : -1.0; }},
    };
    for (const auto &shape : shapes)
    {
        VeltrixLfo lfo;
        lfo.buildTable(shape.waveform);
        lfo.setSampleRate(1024.0f);
        lfo.setFrequency(1.0f); // a quarter of an entry per sample
        for (int n = 0; n < 1024; ++n)
        {
            const double fraction = (n % 4) / 4.0;
            const double expected = (1.0 - fraction) * shape.entry(n / 4) + fraction * shape.entry(n / 4 + 1);
            ASSERT_NEAR(expected, lfo.read(), 2e-6)
                << "shape " << static_cast<int>(shape.waveform) << " at entry " << n / 4.0;
        }
        EXPECT_EQ(0u, lfo.getPhase()) << "one cycle later the phase has wrapped to its start";
    }
}

TEST(VeltrixLfo, NegativeFrequencyRunsThePhaseBackwards)
{
    VeltrixLfo forwards;
    VeltrixLfo backwards;
    forwards.setFrequency(3.7f);
    backwards.setFrequency(-3.7f);
    for (int n = 0; n < 44100; ++n)
    {
        // The sine is odd, up to the table's own approximation of 2π.
        ASSERT_NEAR(-forwards.read(), backwards.read(), 2e-6) << "sample " << n;
        ASSERT_EQ(0u - forwards.getPhase(), backwards.getPhase()) << "sample " << n;
    }
}

TEST(VeltrixLfo, NewSampleRateTakesEffectAtTheNextFrequency)
{
    VeltrixLfo lfo; // 1 Hz at 44100 Hz
    lfo.setSampleRate(88200.0f);
    EXPECT_EQ(97391u, lfo.getIncrement()) << "the old increment runs on, now at half the frequency";
    lfo.setFrequency(1.0f);
    EXPECT_EQ(48695u, lfo.getIncrement());
}

TEST(VeltrixLfo, HostileValuesAreIgnoredOrWrappedWithoutLeavingTheTable)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float max = std::numeric_limits<float>::max();
    const float tiny = std::numeric_limits<float>::denorm_min();
    VeltrixLfo lfo;
    for (const float rate : {0.0f, -44100.0f, nan, inf, -inf})
    {
        lfo.setSampleRate(rate);
        EXPECT_EQ(44100.0f, lfo.getSampleRate()) << "sample rate " << rate;
    }
    for (const float frequency : {nan, inf, -inf})
    {
        lfo.setFrequency(frequency);
        EXPECT_EQ(97391u, lfo.getIncrement()) << "frequency " << frequency;
    }
    // The sanitizer builds check that no conversion overflows on the way.
    for (const float rate : {tiny, 1.0f, max})
    {
        for (const float frequency : {max, -max, -5.0f, tiny, -tiny})
        {
            lfo.setSampleRate(rate);
            lfo.setFrequency(frequency);
            const float value = lfo.read();
            ASSERT_TRUE(value >= -1.0f && value <= 1.0f) << frequency << " Hz at " << rate << " Hz: " << value;
        }
    }
}
