// The rendering's measures against signals whose answers follow from their
// definitions, and the loudness against the EBU Tech 3341 test signals.
#include "tools/zelo/CRenderReport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <vector>

namespace
{
using Zelo::Tools::CRenderReport;
using Zelo::Tools::CStereoMeasure;

constexpr int RATE = 48000;

// A 1 kHz sine of `dbfs` peak level in each channel whose gain is not zero; stretches in sequence.
struct SStretch
{
    double seconds, dbfs, leftGain, rightGain;
};

CStereoMeasure::Figures measure(const std::vector<SStretch> &stretches)
{
    CStereoMeasure measure(RATE);
    size_t start = 0;
    for (const SStretch &stretch : stretches)
    {
        const size_t frames = static_cast<size_t>(stretch.seconds * RATE);
        std::vector<float> left(frames), right(frames);
        for (size_t frame = 0; frame < frames; ++frame)
        {
            const double sample =
                std::pow(10.0, stretch.dbfs / 20.0) * std::sin(2.0 * M_PI * 1000.0 * (start + frame) / RATE);
            left[frame] = static_cast<float>(stretch.leftGain * sample);
            right[frame] = static_cast<float>(stretch.rightGain * sample);
        }
        measure.add(left.data(), right.data(), frames);
        start += frames;
    }
    return measure.figures();
}

// L = -0.691 + 10 log10(sum of the channels' mean squares) after K-weighting, which
// is +0.691 dB at 1 kHz: a sine of peak A in both channels gives 20 log10(A),
// in one channel 3.01 dB less. Tech 3341 cases 1 to 4 expect -23.0 and -33.0 LUFS.
TEST(StereoMeasure, LoudnessOfTheReferenceSignalsWithinATenthOfALoudnessUnit)
{
    const std::pair<std::vector<SStretch>, double> cases[] = {
        {{{20.0, -23.0, 1, 1}}, -23.0},
        {{{20.0, -33.0, 1, 1}}, -33.0},
        {{{20.0, -20.0, 1, 1}}, -20.0},
        {{{20.0, -20.0, 1, 0}}, -23.01},
        {{{10.0, -36.0, 1, 1}, {60.0, -23.0, 1, 1}, {10.0, -36.0, 1, 1}}, -23.0},
        {{{10.0, -72.0, 1, 1}, {10.0, -36.0, 1, 1}, {20.0, -23.0, 1, 1}, {10.0, -36.0, 1, 1}, {10.0, -72.0, 1, 1}},
         -23.0}};
    for (const auto &[stretches, expected] : cases)
        EXPECT_NEAR(measure(stretches).loudness, expected, 0.1)
            << stretches.size() << " stretches, first at " << stretches.front().dbfs << " dBFS";
}

TEST(StereoMeasure, StereoFiguresOfSignalsWithKnownAnswers)
{
    const struct
    {
        const char *name;
        double rightGain, correlation, monoSumDb, width;
    } cases[] = {{"mono", 1.0, 1.0, 0.0, 0.0},
                 {"opposite polarity", -1.0, -1.0, -HUGE_VAL, HUGE_VAL},
                 // L = 2R: mid (3R)² against side R², mono sum 9/4 of R² against the mean 5/2 of R².
                 {"right at half the left", 0.5, 1.0, 10.0 * std::log10(0.9), 1.0 / 9.0}};
    for (const auto &test : cases)
    {
        const CStereoMeasure::Figures figures = measure({{2.0, -6.0206, 1.0, test.rightGain}});
        EXPECT_NEAR(figures.correlation, test.correlation, 1e-9) << test.name;
        EXPECT_EQ(std::isinf(figures.monoSumDb), std::isinf(test.monoSumDb)) << test.name;
        EXPECT_EQ(std::isinf(figures.width), std::isinf(test.width)) << test.name;
        if (std::isfinite(test.monoSumDb))
        {
            EXPECT_NEAR(figures.monoSumDb, test.monoSumDb, 1e-6) << test.name;
            EXPECT_NEAR(figures.width, test.width, 1e-9) << test.name;
        }
        // A sine of peak 0.5 in the left channel.
        EXPECT_NEAR(figures.peakDb, -6.0206, 1e-3) << test.name;
    }
}

TEST(StereoMeasure, UnrelatedChannelsAndSilence)
{
    // Sine and cosine: uncorrelated, equal energies, mono sum 3 dB down, side as strong as mid.
    CStereoMeasure quadrature(RATE);
    std::vector<float> sine(RATE), cosine(RATE);
    for (size_t frame = 0; frame < sine.size(); ++frame)
    {
        sine[frame] = static_cast<float>(std::sin(2.0 * M_PI * 100.0 * frame / RATE));
        cosine[frame] = static_cast<float>(std::cos(2.0 * M_PI * 100.0 * frame / RATE));
    }
    quadrature.add(sine.data(), cosine.data(), sine.size());
    const CStereoMeasure::Figures figures = quadrature.figures();
    EXPECT_NEAR(figures.correlation, 0.0, 1e-6);
    EXPECT_NEAR(figures.monoSumDb, -3.0103, 1e-4);
    EXPECT_NEAR(figures.width, 1.0, 1e-6);
    EXPECT_NEAR(figures.rmsDb, -3.0103, 1e-4);

    const std::vector<float> zeros(RATE);
    CStereoMeasure silence(RATE);
    silence.add(zeros.data(), zeros.data(), zeros.size());
    const CStereoMeasure::Figures quiet = silence.figures();
    EXPECT_TRUE(std::isnan(quiet.correlation) && std::isnan(quiet.width) && std::isnan(quiet.monoSumDb));
    EXPECT_TRUE(std::isinf(quiet.peakDb) && std::isinf(quiet.loudness));
    EXPECT_NE(CRenderReport(quiet, figures).json().find("\"correlation\": null"), std::string::npos);
    // In the table and the plot: silence is -inf, what is undefined (or infinite
    // from samples that were not numbers) is n/a.
    std::ostringstream table;
    CRenderReport(quiet, figures).print(table);
    EXPECT_NE(table.str().find("-inf"), std::string::npos) << table.str();
    EXPECT_EQ(table.str().find("nan"), std::string::npos) << table.str();
    EXPECT_EQ("n/a", CRenderReport::figure("%+.2f", HUGE_VAL));
}
} // namespace
