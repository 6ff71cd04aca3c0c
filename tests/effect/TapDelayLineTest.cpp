// The pitch shifter's tap line against STK's DelayL, the arithmetic it keeps:
// the same input into both, the same delays set, and every output compared bit
// for bit, sample by sample and stretch by stretch.
#include "effect/CTapDelayLine.h"

#include <gtest/gtest.h>
#include <stk/DelayL.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

using Orvalite::Veltrix::CTapDelayLine;

namespace
{
constexpr long MAXIMUM = 16384;

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

// Two STK lines, one per tap, fed the same input: what the tap line replaces.
struct SStkTaps
{
    stk::DelayL lines[CTapDelayLine::TAPS] = {stk::DelayL(1012.0, MAXIMUM), stk::DelayL(2512.0, MAXIMUM)};
};
} // namespace

// Phases of delay changes between stretches of random length: whole delays that
// step or jump, fractional ones, the ends of the range and beyond it (refused by
// both), a line cleared now and then. One tap line ticks sample by sample, one
// takes each stretch whole with random weights; both must give STK's bits.
TEST(TapDelayLine, BothTicksGiveStkDelayLsBitsForEveryDelay)
{
    stk::Stk::showWarnings(false);
    std::mt19937 random(20261207);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto whole = [&](long low, long high) { return std::uniform_int_distribution<long>(low, high)(random); };
    struct SPhase
    {
        const char *name;
        int longestStretch;
        std::function<double(double current)> nextDelay;
    };
    const SPhase phases[] = {
        {"whole delays stepping every sample", 1, [&](double d) { return std::max(0.0, d + double(whole(-1, 1))); }},
        {"whole delays moving now and then", 700, [&](double d) { return std::max(0.0, d + double(whole(-3, 3))); }},
        {"jumps across the whole range", 300, [&](double) { return double(whole(0, MAXIMUM)); }},
        {"fractional delays", 200, [&](double) { return uniform(0.0, double(MAXIMUM)); }},
        {"small fractional delays", 40, [&](double) { return uniform(0.0, 3.0); }},
        {"the ends of the range", 500, [&](double) { return whole(0, 1) ? 0.0 : double(MAXIMUM); }},
        {"beyond the range", 100,
         [&](double) {
             const double refused[] = {-1.0, -1e-9, MAXIMUM + 1e-6, MAXIMUM + 1.0, 1e30};
             return refused[whole(0, 4)];
         }},
    };
    SStkTaps stk;
    // Sample by sample; stretch by stretch into doubles (every rounding shows) and
    // into floats (as the shifter takes them).
    CTapDelayLine bySample(MAXIMUM, 1012.0, 2512.0), byStretch(MAXIMUM, 1012.0, 2512.0),
        byFloatStretch(MAXIMUM, 1012.0, 2512.0);
    CTapDelayLine *const lines[] = {&bySample, &byStretch, &byFloatStretch};
    for (const SPhase &phase : phases)
        for (int stretch = 0; stretch < 400; ++stretch)
        {
            const std::string where = std::string(phase.name) + ", stretch " + std::to_string(stretch);
            if (stretch % 97 == 50)
            {
                for (stk::DelayL &line : stk.lines)
                    line.clear();
                for (CTapDelayLine *line : lines)
                    line->clear();
            }
            for (int tap = 0; tap < CTapDelayLine::TAPS; ++tap)
                if (whole(0, 3) != 0)
                {
                    const double delay = phase.nextDelay(stk.lines[tap].getDelay());
                    stk.lines[tap].setDelay(delay);
                    for (CTapDelayLine *line : lines)
                        line->setDelay(tap, delay);
                    ASSERT_EQ(stk.lines[tap].getDelay(), byStretch.getDelay(tap)) << where;
                }
            const auto length = static_cast<size_t>(whole(1, phase.longestStretch));
            std::vector<float> input(length), floatOutput(length);
            std::vector<double> output(length);
            std::vector<double> weights[2] = {std::vector<double>(length), std::vector<double>(length)};
            for (size_t n = 0; n < length; ++n)
            {
                input[n] = n % 31 == 7 ? -0.0f : static_cast<float>(uniform(-1.0, 1.0));
                weights[0][n] = uniform(-0.5, 1.5);
                weights[1][n] = 1.0 - weights[0][n];
            }
            const double last = byStretch.tickWeighted(input.data(), weights[0].data(), weights[1].data(),
                                                       output.data(), static_cast<int>(length));
            byFloatStretch.tickWeighted(input.data(), weights[0].data(), weights[1].data(), floatOutput.data(),
                                        static_cast<int>(length));
            double expected = 0.0;
            for (size_t n = 0; n < length; ++n)
            {
                const double taps[2] = {stk.lines[0].tick(input[n]), stk.lines[1].tick(input[n])};
                double ours[CTapDelayLine::TAPS];
                bySample.tick(input[n], ours);
                ASSERT_TRUE(sameBits(taps[0], ours[0]) && sameBits(taps[1], ours[1])) << where << ", sample " << n;
                expected = weights[0][n] * taps[0] + weights[1][n] * taps[1];
                ASSERT_TRUE(sameBits(expected, output[n])) << where << ", sample " << n;
                ASSERT_EQ(static_cast<float>(expected), floatOutput[n]) << where << ", sample " << n;
            }
            ASSERT_TRUE(sameBits(expected, last)) << where;
        }
}
