// The module at other sample rates and with broken input, as hosts drive it:
// the latency it reports after a rate change and its recovery from samples that
// are not numbers.
#include "tests/plugin/ZeloPlugin.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Zelo::Testing;

namespace
{
const VstInt32 GRAIN_SIZE = 8, DELAY_ONE = 9, DELAY_TWO = 10, SYNC_AUDIO = 17;

// The first frame at which either output channel carries a signal.
long firstSoundingFrame(const std::vector<float> &left, const std::vector<float> &right)
{
    for (size_t n = 0; n < left.size(); ++n)
        if (std::fabs(left[n]) > 1e-3f || std::fabs(right[n]) > 1e-3f)
            return static_cast<long>(n);
    return -1;
}
} // namespace

// A host switches the plug-in off, changes the rate and switches it on again,
// then reads the latency: an impulse must come out exactly that late. The voices
// are delayed well past the dry path so the first sound is the dry impulse.
TEST(PluginHardening, ReportedLatencyMatchesTheDryPathAfterARateChange)
{
    const VstInt32 frames = 8192;
    for (const double rate : {48000.0, 96000.0, 192000.0})
        for (const float grain : {0.0f, 1.0f})
        {
            auto zelo = openZelo(44100.0, frames);
            for (const VstInt32 index : {DELAY_ONE, DELAY_TWO, SYNC_AUDIO})
                zelo->setParameter(index, 1.0f);
            zelo->setParameter(GRAIN_SIZE, grain);
            zelo->suspend();
            zelo->setSampleRate(static_cast<float>(rate));
            zelo->resume();
            std::vector<float> left(frames), right(frames), outLeft(frames), outRight(frames);
            left[0] = right[0] = 1.0f;
            float *inputs[2] = {left.data(), right.data()};
            float *outputs[2] = {outLeft.data(), outRight.data()};
            ASSERT_TRUE(zelo->processReplacing(inputs, outputs, frames));
            EXPECT_EQ(firstSoundingFrame(outLeft, outRight), zelo->effect()->initialDelay)
                << rate << " Hz, grain " << grain;
        }
}

// One sample that is not a number must not poison the delay lines' feedback
// for good: the plug-in hears it as silence.
TEST(PluginHardening, NonFiniteInputGivesFiniteOutputWithinOneBlock)
{
    const float inf = std::numeric_limits<float>::infinity();
    for (const float bad : {std::numeric_limits<float>::quiet_NaN(), inf, -inf})
        for (const float sync : {0.0f, 1.0f})
        {
            auto zelo = openZelo();
            zelo->setParameter(SYNC_AUDIO, sync);
            SStream stream;
            ASSERT_TRUE(stream.process(*zelo, 512));
            stream.left[100] = bad;
            float *inputs[2] = {stream.left.data(), stream.right.data()};
            float *outputs[2] = {stream.outLeft.data(), stream.outRight.data()};
            zelo->processReplacing(inputs, outputs, 512);
            EXPECT_TRUE(stream.process(*zelo, 512) && stream.process(*zelo, 4096)) << bad << ", sync " << sync;
        }
}
