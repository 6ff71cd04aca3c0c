#include "effect/VeltrixParameterTable.h"
#include "tests/effect/VeltrixTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <sstream>

using namespace Orvalite::Veltrix;
using Orvalite::Testing::CVeltrixFixture;
using Orvalite::Testing::SStereo;

namespace
{
// Voice one alone on the right at 0 dB, unshifted and unmodulated, 20 ms of
// delay; voice two on the left; the dry path at -40 dB.
void isolateVoiceOne(CVeltrix &effect, float feedback = 0.0f)
{
    const std::pair<int, float> settings[] = {
        {PARAMETER_MASTER, 0.5f},        {PARAMETER_PITCH_ONE, 0.5f}, {PARAMETER_GAIN_ONE, 1.0f},
        {PARAMETER_PAN_ONE, 1.0f},       {PARAMETER_PAN_TWO, 0.0f},   {PARAMETER_DRY_GAIN, 0.0f},
        {PARAMETER_GRAIN_SIZE, 0.0f},    {PARAMETER_DELAY_ONE, 0.0f}, {PARAMETER_FEEDBACK_ONE, feedback},
        {PARAMETER_LFO_DEPTH_ONE, 0.5f}, {PARAMETER_SYNC_AUDIO, 0.0f}};
    for (const auto &[index, value] : settings)
    {
        effect.setParameter(index, value);
    }
}

// The frozen taps of an unshifted voice with the small grain at 44.1 kHz: the
// shifter's initial delays 1012 and 1012 + L/2 folded into the window 12 … L + 12.
struct SFrozenTaps
{
    int nearDelay;
    int farDelay;
    double nearWeight;
    double farWeight;
};

SFrozenTaps frozenTaps(double window)
{
    double far = 1012.0;
    while (far > window + 12.0)
    {
        far -= window;
    }
    double nearTap = far + window * 0.5;
    while (nearTap > window + 12.0)
    {
        nearTap -= window;
    }
    const double nearWeight = std::fabs(far - window * 0.5 + 12.0) / (window * 0.5);
    return {static_cast<int>(nearTap), static_cast<int>(far), nearWeight, 1.0 - nearWeight};
}

const int VOICE_DELAY_AT_20_MS = 882;

uint64_t checksum(const SStereo &audio)
{
    uint64_t hash = 14695981039346656037ull;
    for (const auto *channel : {&audio.left, &audio.right})
    {
        const auto *bytes = reinterpret_cast<const unsigned char *>(channel->data());
        for (size_t index = 0; index < channel->size() * sizeof(float); ++index)
        {
            hash = (hash ^ bytes[index]) * 1099511628211ull;
        }
    }
    return hash;
}

} // namespace

TEST(SignalPath, UnshiftedVoiceIsAFrozenTwoTapEcho)
{
    CVeltrixFixture fixture;
    isolateVoiceOne(fixture.effect());
    const SStereo output = fixture.render(CVeltrixFixture::impulse(2048));
    const SFrozenTaps taps = frozenTaps(551.0);
    ASSERT_EQ(185, taps.nearDelay);
    ASSERT_EQ(461, taps.farDelay);
    EXPECT_NEAR(0.01f, output.right[0], 1e-6) << "the dry impulse at -40 dB";
    for (size_t n = 1; n < output.right.size(); ++n)
    {
        double expected = 0.0;
        expected += n == static_cast<size_t>(taps.nearDelay + VOICE_DELAY_AT_20_MS) ? taps.nearWeight : 0.0;
        expected += n == static_cast<size_t>(taps.farDelay + VOICE_DELAY_AT_20_MS) ? taps.farWeight : 0.0;
        ASSERT_NEAR(expected, output.right[n], 1e-6) << "frame " << n;
    }
}

TEST(SignalPath, FullFeedbackIsALosslessComb)
{
    CVeltrixFixture fixture;
    isolateVoiceOne(fixture.effect(), 1.0f);
    const SStereo output = fixture.render(CVeltrixFixture::impulse(8 * VOICE_DELAY_AT_20_MS));
    const SFrozenTaps taps = frozenTaps(551.0);
    for (int repeat = 1; repeat < 7; ++repeat)
    {
        EXPECT_NEAR(taps.nearWeight, output.right[static_cast<size_t>(taps.nearDelay + repeat * VOICE_DELAY_AT_20_MS)],
                    1e-6)
            << "repeat " << repeat;
        EXPECT_NEAR(taps.farWeight, output.right[static_cast<size_t>(taps.farDelay + repeat * VOICE_DELAY_AT_20_MS)],
                    1e-6)
            << "repeat " << repeat;
    }
}

TEST(SignalPath, PansKeepEqualPower)
{
    const SFrozenTaps taps = frozenTaps(551.0);
    const size_t peak = static_cast<size_t>(taps.nearDelay + VOICE_DELAY_AT_20_MS);
    for (float pan : {0.0f, 0.25f, 0.5f, 0.8f, 1.0f})
    {
        CVeltrixFixture fixture;
        isolateVoiceOne(fixture.effect());
        fixture.effect().setParameter(PARAMETER_PAN_ONE, pan);
        const SStereo output = fixture.render(CVeltrixFixture::impulse(2048, true, false));
        EXPECT_NEAR(taps.nearWeight * std::sqrt(1.0 - pan), output.left[peak], 1e-6) << "pan " << pan;
        EXPECT_NEAR(taps.nearWeight * std::sqrt(pan), output.right[peak], 1e-6) << "pan " << pan;
    }
}

TEST(SignalPath, OutputDoesNotDependOnTheBlockSize)
{
    const SStereo input = CVeltrixFixture::signal(9000);
    SStereo reference;
    for (int blockSize : {4096, 64, 1, 333})
    {
        CVeltrixFixture fixture;
        fixture.effect().setProgram(6);
        fixture.effect().setParameter(PARAMETER_SYNC_AUDIO, 1.0f);
        const SStereo output = fixture.render(input, blockSize);
        if (reference.left.empty())
        {
            reference = output;
            continue;
        }
        EXPECT_EQ(0, std::memcmp(reference.left.data(), output.left.data(), input.left.size() * sizeof(float)))
            << "block size " << blockSize;
        EXPECT_EQ(0, std::memcmp(reference.right.data(), output.right.data(), input.right.size() * sizeof(float)))
            << "block size " << blockSize;
    }
}

TEST(SignalPath, SyncAudioDelaysTheDryPathByHalfAGrain)
{
    CVeltrixFixture fixture;
    isolateVoiceOne(fixture.effect());
    fixture.effect().setParameter(PARAMETER_DRY_GAIN, 1.0f);
    fixture.effect().setParameter(PARAMETER_SYNC_AUDIO, 1.0f);
    const SStereo output = fixture.render(CVeltrixFixture::impulse(1024, true, false));
    EXPECT_FLOAT_EQ(0.0f, output.left[0]);
    EXPECT_FLOAT_EQ(1.0f, output.left[275]) << "551 / 2 samples later";
}

struct SRateCase
{
    float hostRate;
    float workingRate;
    long smallGrain;
    long largeGrain;
    float delayAt95Thousandths;
};

class RateDerivedLengths : public testing::TestWithParam<SRateCase>
{
};

TEST_P(RateDerivedLengths, FollowTheWorkingRate)
{
    const SRateCase &row = GetParam();
    CVeltrixFixture fixture(true);
    CVeltrix &effect = fixture.effect();
    effect.setParameter(PARAMETER_DELAY_ONE, 0.095f);
    EXPECT_NEAR(1217.16, effect.getVoiceDelay(0).getLength(), 1e-3) << "27.6 ms at 44.1 kHz, unrounded";
    fixture.setSampleRateAndResume(row.hostRate);
    EXPECT_EQ(row.workingRate, effect.getWorkingSampleRate());
    EXPECT_EQ(row.smallGrain, effect.getGrainLength());
    EXPECT_EQ(row.smallGrain, effect.getShifter(0).getWindow());
    EXPECT_EQ(static_cast<float>(row.smallGrain / 2), effect.getDryDelay(1).getLength());
    EXPECT_NEAR(row.delayAt95Thousandths, effect.getVoiceDelay(0).getLength(), 1e-3) << "28 whole milliseconds";

    const size_t notices = fixture.host().count(audioMasterIOChanged);
    effect.setParameter(PARAMETER_GRAIN_SIZE, 1.0f);
    effect.setParameter(PARAMETER_SYNC_AUDIO, 1.0f);
    EXPECT_EQ(row.largeGrain, effect.getGrainLength());
    EXPECT_EQ(row.largeGrain / 2, effect.getAeffect()->initialDelay);
    EXPECT_EQ(notices + 2, static_cast<size_t>(fixture.host().count(audioMasterIOChanged)));
    effect.setParameter(PARAMETER_DELAY_ONE, 1.0f);
    EXPECT_NEAR(std::min(100.0 * row.workingRate * 0.001, 19200.0), effect.getVoiceDelay(0).getLength(), 1e-2);
}

INSTANTIATE_TEST_SUITE_P(HostRates, RateDerivedLengths,
                         testing::Values(SRateCase{44100.0f, 44100.0f, 551, 2205, 1234.8f},
                                         SRateCase{48000.0f, 48000.0f, 600, 2400, 1344.0f},
                                         SRateCase{96000.0f, 96000.0f, 1200, 4800, 2688.0f},
                                         SRateCase{192000.0f, 192000.0f, 2400, 9600, 5376.0f},
                                         SRateCase{22050.0f, 44100.0f, 551, 2205, 1234.8f}));

TEST(SignalPath, LfoKeepsItsFrequencyAcrossRateChanges)
{
    CVeltrixFixture fixture;
    fixture.effect().setParameter(PARAMETER_LFO_RATE_ONE, 1.0f);
    fixture.setSampleRateAndResume(96000.0f);
    const double expected = std::trunc(5.0L / 96000.0L * 256.0L * 16777216.0L);
    EXPECT_EQ(static_cast<uint32_t>(expected), fixture.effect().getLfo(0).getIncrement());
}

TEST(SignalPath, NotANumberKeepsThePreviousValue)
{
    CVeltrixFixture fixture;
    fixture.effect().setParameter(PARAMETER_DELAY_ONE, 0.5f);
    fixture.effect().setParameter(PARAMETER_DELAY_ONE, NAN);
    EXPECT_EQ(0.5f, fixture.effect().getParameter(PARAMETER_DELAY_ONE));
    fixture.effect().setParameter(PARAMETER_DELAY_ONE, 2.0f);
    char display[32];
    fixture.effect().getParameterDisplay(PARAMETER_DELAY_ONE, display);
    EXPECT_STREQ("180.0", display) << "finite values outside 0 … 1 extrapolate";
    EXPECT_NEAR(7938.0f, fixture.effect().getVoiceDelay(0).getLength(), 1e-3);
}

TEST(SignalPath, ShortOrMissingBuffersAreHarmless)
{
    CVeltrixFixture fixture;
    float samples[4] = {1, 1, 1, 1};
    float *buffers[2] = {samples, samples};
    float *missing[2] = {samples, nullptr};
    fixture.effect().processReplacing(buffers, buffers, 0);
    fixture.effect().processReplacing(buffers, buffers, -7);
    fixture.effect().processReplacing(missing, buffers, 4);
    fixture.effect().processReplacing(nullptr, nullptr, 4);
    EXPECT_EQ(1.0f, samples[0]);
}

// Any change of arithmetic shows here. Regenerate after an intended change with
// ZELO_UPDATE_GOLDEN=1 build/release/tests/effect/effect_tests --gtest_filter='SignalPath.Factory*'
TEST(SignalPath, FactoryProgramsRenderTheKeptChecksums)
{
    const std::string path = std::string(ZELO_GOLDEN_DIR) + "/factory_program_checksums.txt";
    const SStereo input = CVeltrixFixture::signal(16384);
    std::ostringstream actual;
    for (int half : {0, 1})
    {
        for (int program = 0; program < NUMBER_OF_PROGRAMS; ++program)
        {
            CVeltrixFixture fixture;
            fixture.effect().setParameter(AB_SELECTOR_INDEX, static_cast<float>(half));
            fixture.effect().setProgram(program);
            actual << program << (half ? " B " : " A ") << std::hex << std::setw(16) << std::setfill('0')
                   << checksum(fixture.render(input)) << std::dec << "\n";
        }
    }
    if (std::getenv("ZELO_UPDATE_GOLDEN"))
    {
        std::ofstream(path) << actual.str();
    }
    std::ifstream kept(path);
    std::ostringstream expected;
    expected << kept.rdbuf();
    EXPECT_EQ(expected.str(), actual.str()) << "kept in " << path;
}
