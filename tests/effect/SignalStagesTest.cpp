// The signal-path stages on their own: the pitch shifter, the delay line and the LFO.
#include "effect/PitShift.h"
#include "effect/VeltrixDelayLine.h"
#include "effect/VeltrixLfo.h"
#include "tests/support/CDeadline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

using Orvalite::Veltrix::PitShift;
using Orvalite::Veltrix::VeltrixDelayLine;
using Orvalite::Veltrix::VeltrixLfo;

namespace
{
std::vector<double> noise(int count)
{
    std::vector<double> samples(count);
    std::uint32_t state = 987654321u;
    for (double &x : samples)
        x = static_cast<double>((state = state * 1664525u + 1013904223u) >> 8) / 8388608.0 - 1.0;
    return samples;
}

// The Catmull-Rom spline through p1 and p2 at t, in its textbook form.
float catmullRom(float p0, float p1, float p2, float p3, float t)
{
    return 0.5f * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t * t +
                   (3.0f * p1 - p0 - 3.0f * p2 + p3) * t * t * t);
}

// On the heap, so that a read before the first sample lands in the sanitizer's red zone.
std::unique_ptr<VeltrixDelayLine> makeLine(float length, float feedback = 0.0f)
{
    auto line = std::make_unique<VeltrixDelayLine>();
    line->setLength(length);
    line->setFeedback(feedback);
    return line;
}

// One sample through the line.
float processOne(VeltrixDelayLine &line, float x)
{
    line.process(&x, 1);
    return x;
}

constexpr double PI = 3.14159265358979323846;
constexpr std::uint32_t QUARTER_CYCLE = 1u << 30;
} // namespace

TEST(PitShift, FrozenTapsGiveAFixedTwoTapEcho)
{
    // Shift 1 stops the taps where the window puts the initial delays 1012 and 2512:
    // tap 0 at 1012 stepped into 12 … L + 12 by whole windows, tap 1 half a window on,
    // stepped likewise; tap 1 weighs |d0 − L/2 + 12| / (L/2), tap 0 the rest.
    const double cases[][4] = {
        {551.0, 461.0, 185.5, 197.5 / 275.5},       // 1012 − 551; 461 + 275.5 − 551
        {2400.0, 1012.0, 2212.0, 176.0 / 1200.0},   // already inside
        {16372.0, 1012.0, 9198.0, 7162.0 / 8186.0}, // the initial window
        {100.0, 112.0, 62.0, 74.0 / 50.0},          // nine windows down to the upper edge; tap 0 then weighs −0.48
    };
    for (const auto &[window, delay0, delay1, weight1] : cases)
    {
        PitShift shifter;
        shifter.setWindow(window);
        shifter.setRate(PitShift::rateForShift(1.0));
        const int tap0 = static_cast<int>(delay0);
        const int tap1 = static_cast<int>(delay1);
        const auto input = noise(2 * (tap0 + tap1) + 100);
        for (int n = 0; n < static_cast<int>(input.size()); ++n)
        {
            const double expected =
                (1.0 - weight1) * (n >= tap0 ? input[n - tap0] : 0.0) + weight1 * (n >= tap1 ? input[n - tap1] : 0.0);
            ASSERT_NEAR(expected, shifter.tick(input[n]), 1e-12) << "window " << window << ", sample " << n;
        }
        EXPECT_EQ(delay1, shifter.getTapDelay(1)) << "window " << window;
    }
}

// The taps move by 1 − shift samples per sample, which scales the pitch by the shift.
TEST(PitShift, TapsSweepAtOneMinusTheShift)
{
    for (const auto &[shift, delay0] : {std::pair(0.75, 1262.0), std::pair(1.25, 762.0)})
    {
        PitShift shifter; // the widest window, 16372: no wrap within these 1000 samples
        shifter.setRate(PitShift::rateForShift(shift));
        for (const double x : noise(1000))
            shifter.tick(x);
        EXPECT_EQ(delay0, shifter.getTapDelay(0)) << "from 1012 at shift " << shift;
        EXPECT_EQ(delay0 + 8186.0, shifter.getTapDelay(1)) << "half a window on, at shift " << shift;
    }
}

TEST(PitShift, ClearSilencesTheLinesWhereTheTapsStand)
{
    PitShift shifter;
    shifter.setRate(PitShift::rateForShift(0.75));
    for (const double x : noise(1000))
        shifter.tick(x);
    shifter.clear();
    EXPECT_EQ(1262.0, shifter.getTapDelay(0));
    EXPECT_EQ(0.0, shifter.lastOut());
    for (int n = 0; n < 20000; ++n)
        ASSERT_EQ(0.0, shifter.tick(0.0)) << "sample " << n << " after clear";
}

// Windows are clamped to what the tap line holds, and any rate, however hostile,
// wraps the taps back into the window at once: the line never sees a delay it refuses.
TEST(PitShift, TapsStayInsideTheLinesForAnyWindowAndRate)
{
    const double max = std::numeric_limits<double>::max();
    const double rates[] = {NAN,  INFINITY, -INFINITY,     1e30,         -1e30, max,
                            -max, 1e-300,   3.5 * 16372.0, -7.0 * 551.0, -1e15};
    // The window given and the one taken; non-finite ones are ignored.
    const double windows[][2] = {{NAN, 16372.0},   {INFINITY, 16372.0}, {0.0, 1.0},        {-5.0, 1.0},
                                 {0.5, 1.0},       {1.5, 1.5},          {551.0, 551.0},    {1e30, 16372.0},
                                 {2400.0, 2400.0}, {-INFINITY, 2400.0}, {16372.5, 16372.0}};
    PitShift shifter; // one throughout: each case starts where the last left the taps
    {
        // An endless wrap would hang the run: the deadline ends it as a failure.
        const Zelo::Testing::CDeadline deadline(60);
        for (const auto &[given, window] : windows)
            for (const double rate : rates)
            {
                shifter.setWindow(given);
                ASSERT_EQ(window, shifter.getWindow()) << "set to " << given;
                for (int n = 0; n < 128; ++n)
                {
                    // Half the time as a rate, half as a shift (rate 1 − shift).
                    n % 64 == 0    ? shifter.setRate(rate)
                    : n % 64 == 32 ? shifter.setRate(PitShift::rateForShift(rate))
                                   : void();
                    ASSERT_TRUE(std::isfinite(shifter.tick(std::sin(0.1 * n))))
                        << "window " << window << ", rate " << rate;
                    for (const double delay : {shifter.getTapDelay(0), shifter.getTapDelay(1)})
                        ASSERT_TRUE(delay >= 12.0 && delay <= window + 12.0 && delay <= 16384.0)
                            << "tap at " << delay << " with window " << window << ", rate " << rate;
                }
            }
    }
    // The widest window sweeps the taps up to 16384, the tap lines' last sample.
    shifter.setRate(1.0);
    double longest = 0.0;
    for (int n = 0; n < 40000; ++n)
    {
        shifter.tick(1.0);
        longest = std::max({longest, shifter.getTapDelay(0), shifter.getTapDelay(1)});
    }
    EXPECT_EQ(16384.0, longest);
}

// The block tick, as the effect runs it, gives the samples of per-sample ticks
// with the rate set before each, split anywhere; a non-finite rate keeps the one before.
TEST(PitShift, BlockTickEqualsSampleTicksWithTheRateSetBeforeEach)
{
    const auto noisy = noise(3000);
    std::vector<float> input(noisy.begin(), noisy.end());
    std::vector<double> rates(input.size());
    for (size_t n = 0; n < rates.size(); ++n)
        rates[n] = n % 700 == 5 ? NAN : n % 900 == 7 ? INFINITY : 0.02 - 0.4 * std::sin(0.003 * n);
    PitShift bySample, byBlock;
    bySample.setWindow(551.0);
    byBlock.setWindow(551.0);
    std::vector<float> output(input.size());
    for (size_t start = 0, length = 1; start < input.size(); start += length, length = length * 2 + 1)
    {
        length = std::min(length, input.size() - start);
        byBlock.tick(&input[start], &rates[start], &output[start], static_cast<int>(length));
    }
    for (size_t n = 0; n < input.size(); ++n)
    {
        bySample.setRate(rates[n]);
        ASSERT_EQ(static_cast<float>(bySample.tick(input[n])), output[n]) << "sample " << n;
    }
    EXPECT_EQ(bySample.getRate(), byBlock.getRate());
    EXPECT_EQ(bySample.getTapDelay(1), byBlock.getTapDelay(1));
    EXPECT_EQ(bySample.lastOut(), byBlock.lastOut());
}

// The effect runs both voices in one two-lane pass: each lane must give exactly
// what its shifter's own block tick gives, with a different window per lane and
// rates that jump several windows (the lane-by-lane steps) now and then.
TEST(PitShift, PairTickGivesEachShiftersBlockTickBitForBit)
{
    const double windowPairs[][2] = {{551.0, 16372.0}, {1.0, 2400.0}, {16372.0, 16372.0}};
    const auto noisy = noise(3000);
    std::vector<float> inputs[2] = {std::vector<float>(noisy.begin(), noisy.end()),
                                    std::vector<float>(noisy.rbegin(), noisy.rend())};
    std::vector<double> rates[2] = {std::vector<double>(noisy.size()), std::vector<double>(noisy.size())};
    for (size_t n = 0; n < noisy.size(); ++n)
    {
        rates[0][n] = n % 500 == 3 ? 3.5 * 16372.0 : 0.02 - 0.4 * std::sin(0.003 * n);
        rates[1][n] = n % 700 == 9 ? -7.0 * 551.0 : -0.3 + 0.25 * std::cos(0.002 * n);
    }
    for (const auto &windows : windowPairs)
    {
        PitShift alone[2], paired[2];
        PitShift *const pair[2] = {&paired[0], &paired[1]};
        for (int lane = 0; lane < 2; ++lane)
        {
            alone[lane].setWindow(windows[lane]);
            paired[lane].setWindow(windows[lane]);
        }
        std::vector<float> expected[2] = {std::vector<float>(noisy.size()), std::vector<float>(noisy.size())};
        std::vector<float> actual[2] = {std::vector<float>(noisy.size()), std::vector<float>(noisy.size())};
        for (size_t start = 0, length = 1; start < noisy.size(); start += length, length = length * 2 + 1)
        {
            length = std::min(length, noisy.size() - start);
            const int count = static_cast<int>(length);
            for (int lane = 0; lane < 2; ++lane)
                alone[lane].tick(&inputs[lane][start], &rates[lane][start], &expected[lane][start], count);
            const float *const in[2] = {&inputs[0][start], &inputs[1][start]};
            const double *const rate[2] = {&rates[0][start], &rates[1][start]};
            float *const out[2] = {&actual[0][start], &actual[1][start]};
            PitShift::tickPair(pair, in, rate, out, count);
        }
        for (int lane = 0; lane < 2; ++lane)
        {
            const std::string where = "lane " + std::to_string(lane) + ", window " + std::to_string(windows[lane]);
            ASSERT_EQ(expected[lane], actual[lane]) << where;
            EXPECT_EQ(alone[lane].getRate(), paired[lane].getRate()) << where;
            for (int tap = 0; tap < 2; ++tap)
            {
                EXPECT_EQ(alone[lane].getTapDelay(tap), paired[lane].getTapDelay(tap)) << where;
                EXPECT_EQ(alone[lane].getEnvelope(tap), paired[lane].getEnvelope(tap)) << where;
            }
            EXPECT_EQ(alone[lane].lastOut(), paired[lane].lastOut()) << where;
        }
    }
}

// y[n] = x[n − D] + feedback · y[n − D], with D the length rounded up as the
// buffer wraps there; at 100 % a lossless comb.
TEST(VeltrixDelayLine, ImpulseRecursEveryLengthRoundedUpScaledByTheFeedback)
{
    for (const float length : {1.0f, 1.5f, 3.0f, 275.5f, 1217.16f, 19200.0f})
        for (const float feedback : {0.0f, 0.5f, 1.0f})
        {
            const int delay = static_cast<int>(std::ceil(length));
            auto line = makeLine(length, feedback);
            float echo = 1.0f;
            for (int n = 0; n <= 3 * delay + 500; ++n)
            {
                const bool onEcho = n > 0 && n % delay == 0;
                ASSERT_EQ(onEcho ? echo : 0.0f, processOne(*line, n == 0 ? 1.0f : 0.0f))
                    << "length " << length << ", feedback " << feedback << ", sample " << n;
                echo *= onEcho ? feedback : 1.0f;
            }
        }
}

// A stored negative zero comes back through the cubic read, whose sums can turn
// it positive: a whole block must give exactly what single samples give.
TEST(VeltrixDelayLine, AStoredNegativeZeroReadsTheSameInAWholeBlockAsSampleBySample)
{
    auto whole = makeLine(64.0f, 0.0f);
    auto single = makeLine(64.0f, 0.0f);
    const auto fill = [&](float value) {
        std::vector<float> block(64, value);
        whole->process(block.data(), 64);
        for (int n = 0; n < 64; ++n)
            processOne(*single, value);
    };
    fill(-1.0f);
    fill(-0.0f); // stores -0 + 0 · -1 = -0
    std::vector<float> block(64, 0.0f);
    block[7] = 0.5f;
    whole->process(block.data(), 64);
    int positive = 0;
    for (int n = 0; n < 64; ++n)
    {
        const float expected = processOne(*single, n == 7 ? 0.5f : 0.0f);
        ASSERT_EQ(std::signbit(expected), std::signbit(block[n])) << n;
        ASSERT_EQ(expected, block[n]) << n;
        positive += std::signbit(expected) ? 0 : 1;
    }
    EXPECT_GT(positive, 0) << "some stored negative zeros come back positive";
}

TEST(VeltrixDelayLine, LengthCutBelowTheWritePositionReadsCatmullRomBetweenSamples)
{
    // 80 samples of the ramp 1000, 1001, … written into a long line, then the line is
    // cut to L: the read lands once at 80 − L, between samples. The neighbours wrap
    // at trunc(L): past it they are the line's first sample, before 0 its last.
    const float cases[][2] = {
        {50.25f, 1029.75f},                                            // a straight line comes out exactly
        {41.0f, 1039.0f},                                              // on a sample
        {40.5f, catmullRom(1038.0f, 1039.0f, 1000.0f, 1000.0f, 0.5f)}, // right neighbours wrap to 0
        {79.5f, catmullRom(1078.0f, 1000.0f, 1001.0f, 1002.0f, 0.5f)}, // left neighbour wraps to 78
    };
    for (const auto &[length, expected] : cases)
    {
        auto line = makeLine(100.0f);
        for (int n = 0; n < 80; ++n)
            processOne(*line, 1000.0f + n);
        line->setLength(length);
        EXPECT_NEAR(expected, processOne(*line, 0.0f), 1e-3) << "cut to " << length;
        EXPECT_EQ(1000.0f, processOne(*line, 0.0f)) << "past the new length, the write position wraps to 0";
    }
}

// Long to short and back with the write position high when the line shrinks; the
// sanitizer builds watch the reads. Lengths are clamped, non-finite ones ignored.
TEST(VeltrixDelayLine, LengthChangesMidStreamStayInsideTheBuffer)
{
    auto line = makeLine(19200.0f, 0.9f);
    const float lengths[][2] = {{19200.0f, 19200.0f}, {1.0f, 1.0f},     {19199.5f, 19199.5f},   {1.5f, 1.5f},
                                {NAN, 1.5f},          {2.0f, 2.0f},     {18000.25f, 18000.25f}, {3.0f, 3.0f},
                                {0.0f, 1.0f},         {1e9f, 19200.0f}, {-INFINITY, 19200.0f},  {0.25f, 1.0f}};
    for (int round = 0, n = 0; round < 36; ++round)
    {
        line->setLength(lengths[round % 12][0]);
        ASSERT_EQ(lengths[round % 12][1], line->getLength()) << "set to " << lengths[round % 12][0];
        for (int step = 0; step < 100 + 613 * (round % 7); ++step, ++n)
            ASSERT_TRUE(std::isfinite(processOne(*line, std::sin(0.01f * static_cast<float>(n)))))
                << "length " << line->getLength();
    }
}

TEST(VeltrixDelayLine, FeedbackIsClampedToZeroToOne)
{
    auto line = makeLine(100.0f);
    const float feedbacks[][2] = {{0.3f, 0.3f}, {NAN, 0.3f}, {-0.5f, 0.0f}, {INFINITY, 0.0f}, {2.0f, 1.0f}};
    for (const auto &[given, taken] : feedbacks)
    {
        line->setFeedback(given);
        EXPECT_EQ(taken, line->getFeedback()) << "set to " << given;
    }
}

TEST(VeltrixDelayLine, ClearRestartsSilentAtTheFirstSample)
{
    auto line = makeLine(300.0f, 0.5f);
    for (int n = 0; n < 1000; ++n)
        processOne(*line, 1.0f); // leaves the write position at 100
    line->clear();
    EXPECT_EQ(300.0f, line->getLength());
    // Cut to 50: written at sample 0, an impulse comes back every 50 samples, halving
    // each time (written at 100 it would be lost); nothing of the old signal remains.
    line->setLength(50.0f);
    for (int n = 0; n <= 300; ++n)
    {
        const float expected = n > 0 && n % 50 == 0 ? std::ldexp(1.0f, 1 - n / 50) : 0.0f;
        ASSERT_EQ(expected, processOne(*line, n == 0 ? 1.0f : 0.0f)) << "sample " << n;
    }
}

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

// Rates and frequencies that are not finite (or rates not above 0) are ignored on the way.
TEST(VeltrixLfo, NewSampleRateTakesEffectAtTheNextFrequency)
{
    VeltrixLfo lfo; // 1 Hz at 44100 Hz
    for (const float rate : {88200.0f, 0.0f, -44100.0f, NAN, INFINITY})
        lfo.setSampleRate(rate);
    EXPECT_EQ(97391u, lfo.getIncrement()) << "the old increment runs on, now at half the frequency";
    for (const float frequency : {1.0f, NAN, INFINITY, -INFINITY})
        lfo.setFrequency(frequency);
    EXPECT_EQ(48695u, lfo.getIncrement());
}

// The sanitizer builds check that no conversion overflows on the way.
TEST(VeltrixLfo, ExtremeSettingsKeepTheOutputInRange)
{
    VeltrixLfo lfo;
    for (const float rate : {FLT_TRUE_MIN, 1.0f, FLT_MAX})
        for (const float frequency : {FLT_MAX, -FLT_MAX, -5.0f, FLT_TRUE_MIN, -FLT_TRUE_MIN})
        {
            lfo.setSampleRate(rate);
            lfo.setFrequency(frequency);
            float value = 0.0f;
            lfo.read(&value, 1);
            ASSERT_TRUE(value >= -1.0f && value <= 1.0f) << frequency << " Hz at " << rate << " Hz: " << value;
        }
}

TEST(VeltrixLfo, TablesInterpolateLinearlyBetweenTheirEntriesUpToTheGuard)
{
    const std::pair<VeltrixLfo::EWaveform, std::function<double(int)>> shapes[] = {
        // i = 0 … 256, the last one the guard
        {VeltrixLfo::EWaveform::Sine, [](int i) { return std::sin(2.0 * PI * i / 256.0); }},
        {VeltrixLfo::EWaveform::Triangle, [](int i) { return 2.0 / PI * std::asin(std::sin(2.0 * PI * i / 256.0)); }},
        {VeltrixLfo::EWaveform::RisingRamp, [](int i) { return i < 256 ? 2.0 * i / 255.0 - 1.0 : -1.0; }},
        {VeltrixLfo::EWaveform::Square, [](int i) { return i < 128 || i == 256 ? 1.0 : -1.0; }},
        {VeltrixLfo::EWaveform::ExponentialRiseFall,
         [](int i) { return i < 256 ? 2.0 * std::expm1(std::min(i, 255 - i) / 128.0) / std::expm1(1.0) - 1.0 : -1.0; }},
    };
    for (const auto &[waveform, entry] : shapes)
    {
        VeltrixLfo lfo;
        lfo.buildTable(waveform);
        lfo.setSampleRate(1024.0f);
        lfo.setFrequency(1.0f); // a quarter of an entry per sample
        std::vector<float> values(1024);
        lfo.read(values.data(), 1024);
        for (int n = 0; n < 1024; ++n)
        {
            const double fraction = (n % 4) / 4.0;
            const double expected = (1.0 - fraction) * entry(n / 4) + fraction * entry(n / 4 + 1);
            ASSERT_NEAR(expected, values[n], 2e-6) << "shape " << static_cast<int>(waveform) << " at entry " << n / 4.0;
        }
        EXPECT_EQ(0u, lfo.getPhase()) << "one cycle later the phase has wrapped to its start";
    }
}

// A block read (four values at a time where they share their table entries)
// gives the values one-by-one reads give, for slow, backward, fast and aliasing LFOs.
TEST(VeltrixLfo, BlockReadEqualsValueByValueReads)
{
    for (const float frequency : {1.0f, -3.0f, 5000.0f, 33075.0f, -20000.5f})
    {
        VeltrixLfo byBlock, byValue;
        byBlock.setFrequency(frequency);
        byValue.setFrequency(frequency);
        std::vector<float> block(4099), values(block.size());
        byBlock.read(block.data(), 7); // then off the groups of four
        byBlock.read(block.data() + 7, static_cast<int>(block.size()) - 7);
        for (float &value : values)
            byValue.read(&value, 1);
        ASSERT_EQ(values, block) << frequency << " Hz";
        EXPECT_EQ(byValue.getPhase(), byBlock.getPhase()) << frequency << " Hz";
    }
}
