// The module at other sample rates and with broken input, as hosts drive it:
// the latency it reports after a rate change and its recovery from samples that
// are not numbers.
#include "tests/plugin/ZeloPlugin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

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

namespace
{
const VstInt32 MASTER = 0, AB_SELECTOR = 26;
const size_t RECORD_SIZE = 7228, HALF_A = 56, HALF_B = 1080;

float floatAt(const std::vector<uint8_t> &chunk, size_t offset)
{
    float value = 0.0f;
    std::memcpy(&value, chunk.data() + offset, sizeof(value));
    return value;
}
void putFloat(std::vector<uint8_t> &chunk, size_t offset, float value)
{
    std::memcpy(chunk.data() + offset, &value, sizeof(value));
}

std::vector<float> renderLeft(Zelo::Tools::CPluginInstance &zelo)
{
    SStream stream;
    std::vector<float> left;
    for (int block = 0; block < 8; ++block)
    {
        stream.process(zelo, 512);
        left.insert(left.end(), stream.outLeft.begin(), stream.outLeft.end());
    }
    return left;
}
} // namespace

// A damaged or hand-edited value, whatever way it enters, is held to 0 … 1: the
// plug-in plays and shows exactly what the clamped value gives, and hands back
// only the clamped value in its chunks.
TEST(PluginHardening, ValuesOutOfRangeAreClampedWhicheverWayTheyEnter)
{
    struct SWay
    {
        const char *name;
        // Puts `value` into "Master" of program 3's B half and makes that half live.
        void (*enter)(Zelo::Tools::CPluginInstance &zelo, float value);
    };
    const SWay ways[] = {
        {"host", [](auto &zelo, float value) { zelo.setParameter(MASTER, value); }},
        {"program chunk",
         [](auto &zelo, float value) {
             std::vector<uint8_t> program = zelo.getChunk(true);
             putFloat(program, HALF_B, value);
             ASSERT_EQ(1, zelo.setChunk(program, true));
         }},
        {"bank chunk, then a program change",
         [](auto &zelo, float value) {
             zelo.setProgram(0);
             std::vector<uint8_t> bank = zelo.getChunk(false);
             putFloat(bank, 3 * RECORD_SIZE + HALF_B, value);
             ASSERT_EQ(1, zelo.setChunk(bank, false));
             zelo.setProgram(3);
         }},
    };
    for (const float value : {2.0f, 1e30f, -5.0f})
    {
        const float clamped = std::clamp(value, 0.0f, 1.0f);
        auto reference = openZelo();
        reference->setProgram(3);
        reference->setParameter(AB_SELECTOR, 1.0f);
        reference->setParameter(MASTER, clamped);
        const std::vector<float> expected = renderLeft(*reference);
        for (const SWay &way : ways)
        {
            auto zelo = openZelo();
            zelo->setProgram(3);
            zelo->setParameter(AB_SELECTOR, 1.0f);
            way.enter(*zelo, value);
            const std::string what = std::string(way.name) + ", " + std::to_string(value);
            EXPECT_EQ(clamped, zelo->getParameter(MASTER)) << what;
            EXPECT_EQ(reference->parameterDisplay(MASTER), zelo->parameterDisplay(MASTER)) << what;
            EXPECT_EQ(clamped, floatAt(zelo->getChunk(true), HALF_B)) << what;
            EXPECT_EQ(clamped, floatAt(zelo->getChunk(false), 3 * RECORD_SIZE + HALF_B)) << what;
            EXPECT_EQ(expected, renderLeft(*zelo)) << what;
        }
    }
}

// A value that is not a number, in any used entry of either half, makes the
// whole chunk a bad one: refused, and nothing changes. Unused entries are not read.
TEST(PluginHardening, ChunksHoldingNonNumbersInUsedEntriesAreRefusedWhole)
{
    auto zelo = openZelo();
    const std::vector<uint8_t> bank = zelo->getChunk(false);
    const float inf = std::numeric_limits<float>::infinity();
    for (const float bad : {std::numeric_limits<float>::quiet_NaN(), inf, -inf})
        for (const size_t entry : {HALF_A, HALF_A + 22 * 4, HALF_B, HALF_B + 22 * 4})
            for (const bool isProgram : {true, false})
            {
                std::vector<uint8_t> chunk = isProgram ? zelo->getChunk(true) : bank;
                putFloat(chunk, (isProgram ? 0 : 12 * RECORD_SIZE) + entry, bad);
                EXPECT_EQ(0, zelo->setChunk(chunk, isProgram)) << bad << " at " << entry << ", program " << isProgram;
                EXPECT_EQ(bank, zelo->getChunk(false)) << bad << " at " << entry;
            }
    std::vector<uint8_t> unused = bank;
    putFloat(unused, HALF_A + 23 * 4, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(1, zelo->setChunk(unused, false)) << "entry 23 is carried, not read";
}
