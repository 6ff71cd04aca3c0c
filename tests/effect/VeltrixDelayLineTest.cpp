#include "effect/VeltrixDelayLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using Orvalite::Veltrix::VeltrixDelayLine;

namespace
{
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
} // namespace

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
// sanitizer builds watch the reads. Non-finite settings are ignored.
TEST(VeltrixDelayLine, SettersClampAndLengthChangesMidStreamStayInsideTheBuffer)
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
    const float feedbacks[][2] = {{0.3f, 0.3f}, {NAN, 0.3f}, {-0.5f, 0.0f}, {INFINITY, 0.0f}, {2.0f, 1.0f}};
    for (const auto &[given, taken] : feedbacks)
    {
        line->setFeedback(given);
        EXPECT_EQ(taken, line->getFeedback()) << "set to " << given;
    }
}

TEST(VeltrixDelayLine, ClearSilencesAndRestartsAtTheFirstSampleButKeepsLengthAndFeedback)
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
