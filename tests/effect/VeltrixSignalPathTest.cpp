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
// Voice one at 0 dB, unshifted and unmodulated, 20 ms of delay, panned as given;
// voice two, fed the right input, on the left; the dry path at the given gain.
void isolateVoiceOne(CVeltrix &effect, float pan, float feedback, float dryGain, float sync)
{
    const std::pair<int, float> settings[] = {
        {PARAMETER_MASTER, 0.5f},        {PARAMETER_PITCH_ONE, 0.5f}, {PARAMETER_GAIN_ONE, 1.0f},
        {PARAMETER_PAN_ONE, pan},        {PARAMETER_PAN_TWO, 0.0f},   {PARAMETER_DRY_GAIN, dryGain},
        {PARAMETER_GRAIN_SIZE, 0.0f},    {PARAMETER_DELAY_ONE, 0.0f}, {PARAMETER_FEEDBACK_ONE, feedback},
        {PARAMETER_LFO_DEPTH_ONE, 0.5f}, {PARAMETER_SYNC_AUDIO, sync}};
    for (const auto &[index, value] : settings)
        effect.setParameter(index, value);
}

uint64_t checksum(const SStereo &audio)
{
    uint64_t hash = 14695981039346656037ull;
    for (const auto *channel : {&audio.left, &audio.right})
    {
        const auto *bytes = reinterpret_cast<const unsigned char *>(channel->data());
        for (size_t index = 0; index < channel->size() * sizeof(float); ++index)
            hash = (hash ^ bytes[index]) * 1099511628211ull;
    }
    return hash;
}
} // namespace

// An unshifted voice is the shifter's frozen two-tap echo for the 551-sample small
// grain (taps at 185 and 461, the first weighing 197.5 / 275.5) behind the 882
// samples of 20 ms, recurring every 882 samples scaled by the feedback (at 100 % a
// lossless comb) and panned with equal power. The dry path, fed the left input only,
// comes out at its gain, half a grain late in sync.
TEST(SignalPath, IsolatedVoiceIsAPannedFrozenEchoBesideTheDryPath)
{
    const int voiceDelay = 882;
    const double nearWeight = 197.5 / 275.5;
    struct SCase
    {
        float pan, feedback, dryGain, sync;
        size_t dryFrame;
        double dryLevel;
    };
    const SCase cases[] = {{1.0f, 0.0f, 0.0f, 0.0f, 0, 0.01}, {1.0f, 1.0f, 0.0f, 0.0f, 0, 0.01},
                           {0.0f, 0.5f, 0.0f, 0.0f, 0, 0.01}, {0.25f, 0.0f, 0.0f, 0.0f, 0, 0.01},
                           {0.8f, 0.0f, 0.0f, 0.0f, 0, 0.01}, {0.5f, 0.0f, 1.0f, 1.0f, 275, 1.0}};
    for (const auto &[pan, feedback, dryGain, sync, dryFrame, dryLevel] : cases)
    {
        CVeltrixFixture fixture;
        isolateVoiceOne(fixture.effect(), pan, feedback, dryGain, sync);
        const SStereo output = fixture.render(CVeltrixFixture::impulse(6 * voiceDelay, true, false));
        std::vector<double> voice(output.left.size());
        for (int echo = 1; echo < 6; ++echo)
        {
            const double level = std::pow(static_cast<double>(feedback), echo - 1.0);
            voice[static_cast<size_t>(echo * voiceDelay + 185)] = level * nearWeight;
            voice[static_cast<size_t>(echo * voiceDelay + 461)] = level * (1.0 - nearWeight);
        }
        for (size_t n = 0; n < voice.size(); ++n)
        {
            const double dry = n == dryFrame ? dryLevel : 0.0;
            ASSERT_NEAR(dry + voice[n] * std::sqrt(1.0 - pan), output.left[n], 1e-6)
                << "left frame " << n << ", pan " << pan << ", feedback " << feedback << ", sync " << sync;
            ASSERT_NEAR(voice[n] * std::sqrt(pan), output.right[n], 1e-6)
                << "right frame " << n << ", pan " << pan << ", feedback " << feedback << ", sync " << sync;
        }
    }
}

// Settings are read once per block and the stages run in slices: neither may show.
TEST(SignalPath, OutputDoesNotDependOnTheBlockSize)
{
    const SStereo input = CVeltrixFixture::signal(9000);
    std::vector<float> reference;
    for (int blockSize : {4096, 64, 1, 333})
    {
        CVeltrixFixture fixture;
        fixture.effect().setProgram(6);
        fixture.effect().setParameter(PARAMETER_SYNC_AUDIO, 1.0f);
        SStereo output = fixture.render(input, blockSize);
        output.left.insert(output.left.end(), output.right.begin(), output.right.end());
        if (reference.empty())
            reference = output.left;
        EXPECT_EQ(0, std::memcmp(reference.data(), output.left.data(), reference.size() * sizeof(float)))
            << "block size " << blockSize;
    }
}

// Rates below 44.1 kHz run at 44.1 kHz. Grains, the dry delay, the latency, the
// voice delays (whole milliseconds once resumed) and the LFO follow the working rate.
TEST(SignalPath, LengthsAndLfoFollowTheWorkingRate)
{
    struct SCase
    {
        float hostRate, workingRate;
        long smallGrain, largeGrain;
        float delayAt95Thousandths;
    };
    const SCase cases[] = {{44100.0f, 44100.0f, 551, 2205, 1234.8f},
                           {48000.0f, 48000.0f, 600, 2400, 1344.0f},
                           {96000.0f, 96000.0f, 1200, 4800, 2688.0f},
                           {192000.0f, 192000.0f, 2400, 9600, 5376.0f},
                           {22050.0f, 44100.0f, 551, 2205, 1234.8f}};
    for (const auto &[hostRate, workingRate, smallGrain, largeGrain, delayAt95Thousandths] : cases)
    {
        SCOPED_TRACE(testing::Message() << "host rate " << hostRate);
        CVeltrixFixture fixture;
        CVeltrix &effect = fixture.effect();
        effect.setParameter(PARAMETER_DELAY_ONE, 0.095f);
        effect.setParameter(PARAMETER_LFO_RATE_ONE, 1.0f);
        EXPECT_NEAR(1217.16, effect.getVoiceDelay(0).getLength(), 1e-3) << "27.6 ms at 44.1 kHz, unrounded";
        fixture.setSampleRateAndResume(hostRate);
        EXPECT_EQ(workingRate, effect.getWorkingSampleRate());
        EXPECT_EQ(smallGrain, effect.getGrainLength());
        EXPECT_EQ(smallGrain, effect.getShifter(0).getWindow());
        EXPECT_EQ(static_cast<float>(smallGrain / 2), effect.getDryDelay(1).getLength());
        EXPECT_NEAR(delayAt95Thousandths, effect.getVoiceDelay(0).getLength(), 1e-3) << "28 whole milliseconds";
        const long double cyclesPerSample = 5.0L / static_cast<long double>(workingRate);
        EXPECT_EQ(static_cast<uint32_t>(std::trunc(cyclesPerSample * 4294967296.0L)), effect.getLfo(0).getIncrement())
            << "5 Hz";

        effect.setParameter(PARAMETER_GRAIN_SIZE, 1.0f);
        effect.setParameter(PARAMETER_SYNC_AUDIO, 1.0f);
        EXPECT_EQ(largeGrain, effect.getGrainLength());
        EXPECT_EQ(largeGrain / 2, effect.getAeffect()->initialDelay);
        effect.setParameter(PARAMETER_DELAY_ONE, 1.0f);
        EXPECT_NEAR(std::min(100.0 * workingRate * 0.001, 19200.0), effect.getVoiceDelay(0).getLength(), 1e-2);
    }
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
