#include "effect/PitShift.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <sstream>
#include <unistd.h>
#include <vector>

using Orvalite::Veltrix::PitShift;

namespace
{
constexpr double PI = 3.14159265358979323846;
constexpr double RATE = 44100.0;

// STK reports a refused delay on std::cerr, after formatting it (which allocates).
class CStkMessages
{
public:
    CStkMessages() : m_previous(std::cerr.rdbuf(m_text.rdbuf())) {}
    ~CStkMessages() { std::cerr.rdbuf(m_previous); }
    std::string text() const { return m_text.str(); }

private:
    std::ostringstream m_text;
    std::streambuf *m_previous;
};

std::vector<double> noise(int count)
{
    std::vector<double> samples;
    std::uint32_t state = 987654321u;
    for (int n = 0; n < count; ++n)
    {
        state = state * 1664525u + 1013904223u;
        samples.push_back(static_cast<double>(state >> 8) / 8388608.0 - 1.0);
    }
    return samples;
}

// The frequency, in half-hertz steps within low … high, with the most energy (Goertzel).
double dominantFrequency(const std::vector<double> &signal, double low, double high)
{
    double best = low;
    double bestPower = -1.0;
    for (double frequency = low; frequency <= high; frequency += 0.5)
    {
        const double coefficient = 2.0 * std::cos(2.0 * PI * frequency / RATE);
        double s1 = 0.0;
        double s2 = 0.0;
        for (const double x : signal)
        {
            const double s0 = x + coefficient * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
        if (power > bestPower)
        {
            bestPower = power;
            best = frequency;
        }
    }
    return best;
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
        shifter.setShift(1.0);
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
        EXPECT_EQ(delay0, shifter.getTapDelay(0)) << "window " << window;
        EXPECT_EQ(delay1, shifter.getTapDelay(1)) << "window " << window;
    }
}

TEST(PitShift, SineComesOutAtTheShiftedFrequency)
{
    // The taps sweep at 1 − shift samples per sample, which scales the frequency by the
    // shift. Each tap jumps back a window every L / |1 − shift| samples, which splits
    // the output into lines that far apart; the strongest is the one nearest the shift.
    constexpr double input = 441.0;
    for (const double window : {551.0, 2205.0})
    {
        for (const double shift : {std::pow(2.0, 100.0 / 1200.0), std::pow(2.0, -100.0 / 1200.0), 1.25, 0.8, 1.0})
        {
            PitShift shifter;
            shifter.setWindow(window);
            shifter.setShift(shift);
            std::vector<double> output;
            for (int n = 0; n < 4096 + 22050; ++n)
            {
                const double y = shifter.tick(std::sin(2.0 * PI * input * n / RATE));
                if (n >= 4096)
                {
                    output.push_back(y);
                }
            }
            const double expected = input * shift;
            const double lineSpacing = std::fabs(1.0 - shift) * RATE / window;
            EXPECT_NEAR(expected, dominantFrequency(output, expected - 40.0, expected + 40.0), lineSpacing / 2.0 + 0.5)
                << "shift " << shift << ", window " << window;
        }
    }
}

TEST(PitShift, WindowIsClampedToWhatTheTapLinesHoldAndTheirLastSampleIsReached)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double cases[][2] = {{551.0, 551.0}, {nan, 551.0},     {0.0, 1.0},         {-5.0, 1.0},
                               {0.5, 1.0},     {-inf, 1.0},      {16373.0, 16372.0}, {16372.5, 16372.0},
                               {inf, 16372.0}, {2400.0, 2400.0}, {1e30, 16372.0}};
    PitShift shifter;
    for (const auto &[given, window] : cases)
    {
        shifter.setWindow(given);
        EXPECT_EQ(window, shifter.getWindow()) << "set to " << given;
    }
    // The widest window sweeps tap delays up to 16384, the tap lines' capacity.
    CStkMessages messages;
    double longest = 0.0;
    for (int n = 0; n < 40000; ++n)
    {
        shifter.tick(1.0);
        longest = std::max({longest, shifter.getTapDelay(0), shifter.getTapDelay(1)});
    }
    EXPECT_EQ(16384.0, longest);
    EXPECT_EQ("", messages.text()) << "STK refused a delay";
}

TEST(PitShift, HostileRatesAndWindowsFinishQuicklyAndKeepTheTapsInRange)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double max = std::numeric_limits<double>::max();
    const double rates[] = {nan, inf, -inf, 1e30, -1e30, max, -max, 1e-300, 3.5 * 16372.0, -7.0 * 551.0, -1e15};
    const double windows[] = {nan, inf, 0.0, -5.0, 0.5, 1.5, 551.0, 16372.0, 1e30, 2400.0};

    alarm(60); // an endless wrap would hang the run; the alarm ends it as a failure
    CStkMessages messages;
    PitShift shifter; // one throughout: each case starts where the last left the taps
    for (const double window : windows)
    {
        for (const double rate : rates)
        {
            shifter.setWindow(window);
            for (int n = 0; n < 128; ++n)
            {
                // Half the time as a rate, half as a shift (rate 1 − shift).
                n % 64 == 0 ? shifter.setRate(rate) : n % 64 == 32 ? shifter.setShift(rate) : void();
                ASSERT_TRUE(std::isfinite(shifter.tick(std::sin(0.1 * n)))) << "window " << window << ", rate " << rate;
                for (const double delay : {shifter.getTapDelay(0), shifter.getTapDelay(1)})
                {
                    ASSERT_TRUE(delay >= 12.0 && delay <= shifter.getWindow() + 12.0 && delay <= 16384.0)
                        << "tap at " << delay << " with window " << window << ", rate " << rate;
                }
            }
        }
    }
    alarm(0);
    EXPECT_TRUE(std::isfinite(shifter.getRate()));
    EXPECT_EQ("", messages.text()) << "STK refused a delay";
}

TEST(PitShift, ClearSilencesTheTapsButKeepsTheirPlaces)
{
    PitShift shifter;
    shifter.setWindow(551.0);
    shifter.setShift(1.1);
    for (const double x : noise(5000))
    {
        shifter.tick(x);
    }
    const double delay0 = shifter.getTapDelay(0);
    shifter.clear();
    EXPECT_EQ(0.0, shifter.lastOut());
    EXPECT_EQ(delay0, shifter.getTapDelay(0));
    for (int n = 0; n < 2000; ++n)
    {
        ASSERT_EQ(0.0, shifter.tick(0.0)) << "sample " << n << " after clear";
    }
}
