#include "effect/VeltrixDelayLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

using Orvalite::Veltrix::VeltrixDelayLine;

namespace
{
// Deterministic noise in −1 … 1.
std::vector<float> noise(int count)
{
    std::vector<float> samples;
    std::uint32_t state = 12345u;
    for (int n = 0; n < count; ++n)
    {
        state = state * 1664525u + 1013904223u;
        samples.push_back(static_cast<float>(state >> 8) / 8388608.0f - 1.0f);
    }
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
} // namespace

TEST(VeltrixDelayLine, DelaysByItsLengthRoundedUpAsTheBufferWrapsThere)
{
    for (const float length : {1.0f, 3.0f, 4410.0f, 19200.0f, 1.5f, 275.5f, 1217.16f})
    {
        const int delay = static_cast<int>(std::ceil(length));
        auto line = makeLine(length);
        const auto input = noise(2 * delay + 50);
        for (int n = 0; n < static_cast<int>(input.size()); ++n)
        {
            ASSERT_EQ(n >= delay ? input[n - delay] : 0.0f, line->process(input[n]))
                << "length " << length << ", sample " << n;
        }
    }
}

TEST(VeltrixDelayLine, ImpulseRecursEveryLengthScaledByTheFeedback)
{
    // y[n] = x[n − D] + feedback · y[n − D]; at 100 % a lossless comb.
    for (const float feedback : {0.0f, 0.5f, 1.0f})
    {
        auto line = makeLine(100.0f, feedback);
        float echo = 1.0f;
        for (int n = 0; n <= 5000; ++n)
        {
            const bool onEcho = n > 0 && n % 100 == 0;
            ASSERT_EQ(onEcho ? echo : 0.0f, line->process(n == 0 ? 1.0f : 0.0f))
                << "feedback " << feedback << ", sample " << n;
            echo *= onEcho ? feedback : 1.0f;
        }
    }
}

TEST(VeltrixDelayLine, LengthCutBelowTheWritePositionReadsCatmullRomBetweenSamples)
{
    // 80 samples of the ramp 1000, 1001, … written into a long line, then the line is
    // cut to L: the read lands once at 80 − L, between samples. The neighbours wrap
    // at trunc(L): past it they are the line's first sample, before 0 its last.
    struct
    {
        float length, expected;
    } cases[] = {
        {50.25f, 1029.75f}, // a straight line comes out exactly
        {60.125f, 1019.875f},
        {41.0f, 1039.0f},                                              // on a sample
        {40.5f, catmullRom(1038.0f, 1039.0f, 1000.0f, 1000.0f, 0.5f)}, // right neighbours wrap to 0
        {79.5f, catmullRom(1078.0f, 1000.0f, 1001.0f, 1002.0f, 0.5f)}, // left neighbour wraps to 78
    };
    for (const auto &c : cases)
    {
        auto line = makeLine(100.0f);
        for (int n = 0; n < 80; ++n)
        {
            line->process(1000.0f + n);
        }
        line->setLength(c.length);
        EXPECT_NEAR(c.expected, line->process(0.0f), 1e-3) << "cut to " << c.length;
        EXPECT_EQ(1000.0f, line->process(0.0f)) << "past the new length, the write position wraps to 0";
    }
}

TEST(VeltrixDelayLine, LengthChangesMidStreamStayInsideTheBuffer)
{
    // Long to short and back with the write position high when it shrinks; 0 and 1e9
    // are clamped. The sanitizer builds watch the reads.
    auto line = makeLine(19200.0f, 0.9f);
    const auto input = noise(4000);
    const float lengths[] = {19200.0f, 1.0f, 19199.5f, 1.5f, 2.0f, 18000.25f, 3.0f, 0.0f, 1e9f, 0.25f};
    for (int round = 0, n = 0; round < 40; ++round)
    {
        line->setLength(lengths[round % 10]);
        for (int step = 0; step < 100 + 613 * (round % 7); ++step, ++n)
        {
            ASSERT_TRUE(std::isfinite(line->process(input[n % input.size()])))
                << "length " << line->getLength() << ", sample " << n;
        }
    }
}

TEST(VeltrixDelayLine, SettersClampAndIgnoreNonFiniteValues)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    auto line = makeLine(4410.0f);
    // Below 1 the left neighbour of the read, trunc(length) − 1, would precede the buffer.
    const float lengths[][2] = {{nan, 4410.0f},   {0.0f, 1.0f},      {-5.0f, 1.0f},        {0.5f, 1.0f},    {inf, 1.0f},
                                {275.5f, 275.5f}, {1e30f, 19200.0f}, {19200.5f, 19200.0f}, {-inf, 19200.0f}};
    for (const auto &c : lengths)
    {
        line->setLength(c[0]);
        EXPECT_EQ(c[1], line->getLength()) << "set to " << c[0];
    }
    const float feedbacks[][2] = {{0.3f, 0.3f}, {nan, 0.3f}, {-0.5f, 0.0f}, {inf, 0.0f}, {2.0f, 1.0f}, {-inf, 1.0f}};
    for (const auto &c : feedbacks)
    {
        line->setFeedback(c[0]);
        EXPECT_EQ(c[1], line->getFeedback()) << "set to " << c[0];
    }
}

TEST(VeltrixDelayLine, ClearSilencesAndRestartsAtTheFirstSampleButKeepsLengthAndFeedback)
{
    auto line = makeLine(300.0f, 0.5f);
    for (const float x : noise(1000))
    {
        line->process(x); // leaves the write position at 100
    }
    line->clear();
    EXPECT_EQ(300.0f, line->getLength());
    // Cut to 50: written at sample 0, an impulse comes back every 50 samples, halving
    // each time (written at 100 it would be lost); nothing of the old signal remains.
    line->setLength(50.0f);
    for (int n = 0; n <= 300; ++n)
    {
        const float expected = n > 0 && n % 50 == 0 ? std::ldexp(1.0f, 1 - n / 50) : 0.0f;
        ASSERT_EQ(expected, line->process(n == 0 ? 1.0f : 0.0f)) << "sample " << n;
    }
}
