// The gains' and pitch ratios' exponentials of our own, which make them the same
// on every C runtime: the floats the effect keeps are glibc's.
#include "effect/CRoundedExponential.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using Orvalite::Veltrix::CRoundedExponential;

TEST(RoundedExponential, PowersOfTwoOfWholeNumbersAreExact)
{
    for (int power = -60; power <= 60; ++power)
        EXPECT_EQ(std::ldexp(1.0, power), CRoundedExponential::powerOfTwo(power)) << power;
    EXPECT_EQ(1.0, CRoundedExponential::exponential(0.0));
}

#ifdef __GLIBC__
// Every float a gain in dB (−40 … 20) or a pitch in cents (±100) can take, sampled:
// rounded to float, ours and glibc's exp and pow agree, so Linux keeps its samples.
TEST(RoundedExponential, GivesGlibcsFloatsForEveryGainAndPitch)
{
    std::mt19937 random(1207);
    std::uniform_real_distribution<float> normalised(0.0f, 1.0f);
    for (int sample = 0; sample < 200000; ++sample)
    {
        const float value = normalised(random);
        const double exponent = static_cast<double>(-40.0f + 60.0f * value) * 0.115129255;
        ASSERT_EQ(static_cast<float>(std::exp(exponent)),
                  static_cast<float>(CRoundedExponential::exponential(exponent)))
            << exponent;
        const double octaves = static_cast<double>(-100.0f + 200.0f * value) / 1200.0;
        ASSERT_EQ(static_cast<float>(std::pow(2.0, octaves)),
                  static_cast<float>(CRoundedExponential::powerOfTwo(octaves)))
            << octaves;
    }
}
#endif
