#include "effect/PitShift.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <sstream>
#include <unistd.h>
#include <utility>
#include <vector>

using Orvalite::Veltrix::PitShift;

namespace
{
// STK reports a refused delay on std::cerr, after formatting it (which allocates).
struct SStkMessages
{
    std::ostringstream text;
    std::streambuf *previous = std::cerr.rdbuf(text.rdbuf());
    ~SStkMessages() { std::cerr.rdbuf(previous); }
};

std::vector<double> noise(int count)
{
    std::vector<double> samples(count);
    std::uint32_t state = 987654321u;
    for (double &x : samples)
        x = static_cast<double>((state = state * 1664525u + 1013904223u) >> 8) / 8388608.0 - 1.0;
    return samples;
}
} // namespace

TEST(PitShift, FrozenTapsGiveAFixedTwoTapEcho)
{
    // Shift 1 stops the taps where the window puts the initial delays 1012 and 2512:
    // tap 0 at 1012 stepped into 12 … L + 12 by whole windows, tap 1 half a window on,
    // stepped likewise; tap 1 weighs |d0 − L/2 + 12| / (L/2), tap 0 the rest.
    const double cases[][3] = {
        {551.0, 461.0, 185.5},     // 1012 − 551; 461 + 275.5 − 551
        {2400.0, 1012.0, 2212.0},  // already inside
        {16372.0, 1012.0, 9198.0}, // the initial window
        {100.0, 112.0, 62.0},      // nine windows down to the upper edge; tap 0 then weighs −0.48
    };
    for (const auto &[window, delay0, delay1] : cases)
    {
        PitShift shifter;
        shifter.setWindow(window);
        shifter.setRate(PitShift::rateForShift(1.0));
        const double weight1 = std::fabs(delay0 - window / 2.0 + 12.0) / (window / 2.0);
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
TEST(PitShift, TapsSweepAtOneMinusTheShiftAndClearingKeepsTheirPlaces)
{
    for (const auto &[shift, delay0] : {std::pair(0.75, 1262.0), std::pair(1.25, 762.0)})
    {
        PitShift shifter; // the widest window, 16372: no wrap within these 1000 samples
        shifter.setRate(PitShift::rateForShift(shift));
        for (const double x : noise(1000))
            shifter.tick(x);
        EXPECT_EQ(delay0, shifter.getTapDelay(0)) << "from 1012 at shift " << shift;
        EXPECT_EQ(delay0 + 8186.0, shifter.getTapDelay(1)) << "half a window on, at shift " << shift;
        shifter.clear();
        EXPECT_EQ(delay0, shifter.getTapDelay(0)) << "shift " << shift;
        EXPECT_EQ(0.0, shifter.lastOut());
        for (int n = 0; n < 20000; ++n)
            ASSERT_EQ(0.0, shifter.tick(0.0)) << "sample " << n << " after clear, shift " << shift;
    }
}

// Windows are clamped to what the tap lines hold, and any rate, however hostile,
// wraps the taps back into the window at once: STK never sees a delay it refuses.
TEST(PitShift, WindowsAreClampedAndHostileRatesFinishQuicklyWithTheTapsInRange)
{
    const double max = std::numeric_limits<double>::max();
    const double rates[] = {NAN,  INFINITY, -INFINITY,     1e30,         -1e30, max,
                            -max, 1e-300,   3.5 * 16372.0, -7.0 * 551.0, -1e15};
    // The window given and the one taken; non-finite ones are ignored.
    const double windows[][2] = {{NAN, 16372.0},   {INFINITY, 16372.0}, {0.0, 1.0},        {-5.0, 1.0},
                                 {0.5, 1.0},       {1.5, 1.5},          {551.0, 551.0},    {1e30, 16372.0},
                                 {2400.0, 2400.0}, {-INFINITY, 2400.0}, {16372.5, 16372.0}};
    alarm(60); // an endless wrap would hang the run; the alarm ends it as a failure
    SStkMessages messages;
    PitShift shifter; // one throughout: each case starts where the last left the taps
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
                ASSERT_TRUE(std::isfinite(shifter.tick(std::sin(0.1 * n)))) << "window " << window << ", rate " << rate;
                for (const double delay : {shifter.getTapDelay(0), shifter.getTapDelay(1)})
                    ASSERT_TRUE(delay >= 12.0 && delay <= window + 12.0 && delay <= 16384.0)
                        << "tap at " << delay << " with window " << window << ", rate " << rate;
            }
        }
    alarm(0);
    // The widest window sweeps the taps up to 16384, the tap lines' last sample.
    shifter.setRate(1.0);
    double longest = 0.0;
    for (int n = 0; n < 40000; ++n)
    {
        shifter.tick(1.0);
        longest = std::max({longest, shifter.getTapDelay(0), shifter.getTapDelay(1)});
    }
    EXPECT_EQ(16384.0, longest);
    EXPECT_EQ("", messages.text.str()) << "STK refused a delay";
}

// The block tick, as the effect runs it, gives the samples of per-sample ticks
// with the rate set before each, split anywhere; a non-finite rate keeps the one before.
TEST(PitShift, BlockTickEqualsSampleTicksAcrossSplitsAndSkipsNonFiniteRates)
{
    const auto noisy = noise(3000);
    std::vector<float> input(noisy.begin(), noisy.end());
    std::vector<double> rates(input.size());
    for (size_t n = 0; n < rates.size(); ++n)
        rates[n] = n % 700 == 5 ? NAN : n % 900 == 7 ? INFINITY : 0.02 - 0.4 * std::sin(0.003 * n);
    PitShift bySample;
    PitShift byBlock;
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
