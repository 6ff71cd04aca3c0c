// What a careful host vendor checks before shipping a plug-in: the built Zelo.so
// driven through the VST 2.4 interface through long lifecycles, every rate and block
// size, hostile parameter values, automation from a second thread and state round trips.
#include "tests/plugin/ZeloPlugin.h"

#include "tests/support/CDeadline.h"
#include <gtest/gtest.h>

#include <atomic>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <cstring>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace Zelo::Testing;
using Zelo::Tools::CPluginInstance;

namespace
{
constexpr VstInt32 NUM_PARAMETERS = 23;
constexpr VstInt32 NUM_PROGRAMS = 13;
// Selects the A or B half of the current program; lies beyond the published parameters.
constexpr VstInt32 HALF_SELECTOR = 26;

// Odd, even, tiny and the largest sizes, in an order that changes size on every call.
const VstInt32 BLOCK_SIZES[] = {1,   8192, 2,   3,   4097, 7,    16,  31,  1024, 64,
                                127, 2047, 128, 255, 441,  8191, 512, 999, 4096};
const double SAMPLE_RATES[] = {22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0, 384000.0};
} // namespace

// A hundred instances, each opened just after a scanner's instance was asked and
// closed without opening, while the seven opened before it still run with their own
// changes: every instance starts from the factory state, and none sees another's change.
TEST(Lifecycle, InstancesNeverShareState)
{
    const auto factoryBank = openZelo()->getChunk(false);
    const auto factoryProgram = openZelo()->getChunk(true);
    ASSERT_EQ(93964u, factoryBank.size());
    std::vector<std::unique_ptr<CPluginInstance>> running(8);
    std::vector<std::vector<uint8_t>> ownBanks(running.size());
    for (int round = 0; round < 100; ++round)
    {
        CPluginInstance scanned(zeloModule());
        ASSERT_EQ(2400, scanned.dispatch(effGetVstVersion)) << "round " << round;
        ASSERT_EQ(1, scanned.dispatch(effClose));
        const size_t slot = static_cast<size_t>(round) % running.size();
        running[slot] = openZelo(round % 2 ? 48000.0 : 44100.0, 256);
        CPluginInstance &zelo = *running[slot];
        ASSERT_EQ(factoryBank, zelo.getChunk(false)) << "instance " << round;
        ASSERT_EQ(factoryProgram, zelo.getChunk(true)) << "instance " << round;
        zelo.setProgram(round % NUM_PROGRAMS);
        zelo.setParameter(round % NUM_PARAMETERS, 0.37f);
        zelo.setParameter(HALF_SELECTOR, 1.0f);
        zelo.setProgramName("Changed " + std::to_string(round));
        ownBanks[slot] = zelo.getChunk(false);
        for (size_t other = 0; other < running.size() && running[other]; ++other)
            ASSERT_TRUE(SStream().process(*running[other], 64) && ownBanks[other] == running[other]->getChunk(false))
                << "round " << round << ": the instance in slot " << other << " saw another's change";
    }
}

// Empty and short calls are checked on the effect itself.
TEST(Processing, OutputStaysCleanWhateverTheRateBlockSizeOrSuspension)
{
    for (size_t rateIndex = 0; rateIndex < std::size(SAMPLE_RATES); ++rateIndex)
    {
        const double rate = SAMPLE_RATES[rateIndex];
        // Hosts change the rate of a running effect without suspending it first.
        const double nextRate = SAMPLE_RATES[(rateIndex + 1) % std::size(SAMPLE_RATES)];
        auto zelo = openZelo(rate, 8192);
        zelo->setProgram(static_cast<VstInt32>(rateIndex * 2 % NUM_PROGRAMS));
        zelo->setParameter(11, 0.95f); // long feedback tails are where subnormal numbers appear
        zelo->setParameter(12, 0.95f);
        zelo->setParameter(15, 1.0f);
        zelo->setParameter(17, rateIndex % 2 ? 1.0f : 0.0f);
        SStream stream;
        for (double current : {rate, nextRate})
        {
            zelo->setSampleRate(static_cast<float>(current));
            // Loud, then barely above the smallest normal float (products turn subnormal), then silent.
            for (float amplitude : {0.9f, 1e-36f, 0.0f})
                for (VstInt32 frames : BLOCK_SIZES)
                    ASSERT_TRUE(stream.process(*zelo, frames, amplitude))
                        << current << " Hz (opened at " << rate << "), " << frames << " frames, amplitude "
                        << amplitude;
            // Hosts may also process a suspended effect.
            zelo->suspend();
            ASSERT_TRUE(stream.process(*zelo, 256)) << "suspended at " << current << " Hz";
            zelo->resume();
        }
    }
}

// Each hostile value in turn on every parameter index, the selector and a few
// beyond, a block after each; program changes inside and outside the bank between
// values, so that parameters meet each other's extremes.
TEST(HostileValues, NeitherCrashNorHangNorDirtyTheOutput)
{
    const float hostile[] = {
        NAN,          INFINITY,      -INFINITY,      1e30f, -1e30f, -5.0f, 5.0f,
        FLT_TRUE_MIN, -FLT_TRUE_MIN, FLT_MIN / 4.0f, -0.0f, 0.0f,   1.0f,  std::nextafter(1.0f, 2.0f)};
    // A hung plug-in never returns, so no assertion after the call could report it:
    // past the deadline the whole program ends, which fails the test.
    const CDeadline deadline(120);
    auto zelo = openZelo();
    SStream stream;
    for (size_t step = 0; step < std::size(hostile); ++step)
    {
        for (VstInt32 index = 0; index < 31; ++index)
        {
            zelo->setParameter(index, hostile[step]);
            zelo->getParameter(index);
            zelo->parameterDisplay(index);
            ASSERT_TRUE(stream.process(*zelo, 1 + 19 * index)) << "parameter " << index << " = " << hostile[step];
        }
        const VstInt32 programs[] = {-2, 6, 13, 3};
        if (step % 3 == 2)
            zelo->setProgram(programs[step / 3]);
    }
}

TEST(Threads, AutomationFromAnotherThreadWhileProcessingKeepsTheOutputFinite)
{
    const CDeadline deadline(120); // as above
    auto zelo = openZelo(48000.0, 128);
    std::atomic<bool> stop{false}, dirtyOutput{false};
    std::atomic<long> blocks{0}, edits{0};
    std::thread audio([&] {
        SStream stream;
        for (; !stop.load(); ++blocks)
            if (!stream.process(*zelo, 128))
                dirtyOutput = true;
    });
    std::thread editor([&] {
        std::mt19937 random(7u);
        while (!stop.load())
        {
            const auto index = static_cast<VstInt32>(random() % (NUM_PARAMETERS + 1));
            zelo->setParameter(index == NUM_PARAMETERS ? HALF_SELECTOR : index,
                               static_cast<float>(random() % 1001) / 1000.0f);
            zelo->getParameter(index);
            zelo->parameterDisplay(index);
            zelo->parameterName(index);
            if (random() % 64 == 0)
            {
                zelo->setProgram(static_cast<VstInt32>(random() % NUM_PROGRAMS));
                zelo->programName();
            }
            // The host records the plug-in's latency announcements; keep that record short.
            if (++edits % 1000 == 0)
                zelo->clearRequests();
        }
    });
    std::this_thread::sleep_for(std::chrono::seconds(1));
    stop = true;
    audio.join();
    editor.join();
    EXPECT_FALSE(dirtyOutput.load());
    // Both loops ran many times, so their calls really overlapped.
    EXPECT_GT(blocks.load(), 100);
    EXPECT_GT(edits.load(), 1000);
}

// Hosts that load a project make and close instances on several threads at once;
// every instance makes its editor (not its window) as it is made.
TEST(Threads, InstancesMadeAndClosedOnSeveralThreadsAtOnce)
{
    const CDeadline deadline(120); // as above
    std::atomic<int> cleanBlocks{0};
    std::vector<std::thread> loaders;
    for (int thread = 0; thread < 4; ++thread)
    {
        loaders.emplace_back([&] {
            for (int round = 0; round < 20; ++round)
            {
                auto zelo = openZelo(44100.0, 64);
                cleanBlocks += SStream().process(*zelo, 64) ? 1 : 0;
            }
        });
    }
    for (std::thread &loader : loaders)
    {
        loader.join();
    }
    EXPECT_EQ(cleanBlocks.load(), 80);
}

namespace
{
// The current program as the host sees it: its name and, for the live half as it
// stands and then (when asked) the other one, every value and display. Values as
// bit patterns, so that a NaN restored as a NaN compares equal.
std::string stateOf(CPluginInstance &plugin, float liveHalf, bool withOtherHalf)
{
    std::ostringstream state;
    state << plugin.programName();
    for (int pass = 0; pass < (withOtherHalf ? 2 : 1); ++pass)
    {
        if (pass == 1)
            plugin.setParameter(HALF_SELECTOR, 1.0f - liveHalf);
        for (VstInt32 index = 0; index < NUM_PARAMETERS; ++index)
        {
            uint32_t bits;
            const float value = plugin.getParameter(index);
            std::memcpy(&bits, &value, sizeof(bits));
            state << '|' << bits << ' ' << plugin.parameterDisplay(index);
        }
    }
    if (withOtherHalf)
        plugin.setParameter(HALF_SELECTOR, liveHalf);
    return state.str();
}
} // namespace

TEST(State, ChunksRestoreTheInstanceExactly)
{
    for (unsigned seed : {1u, 2u, 3u, 4u})
        for (bool isProgram : {false, true})
        {
            SCOPED_TRACE(testing::Message() << "seed " << seed << (isProgram ? ", program chunk" : ", bank chunk"));
            std::mt19937 random(seed);
            auto source = openZelo();
            const auto program = static_cast<VstInt32>(random() % NUM_PROGRAMS);
            source->setProgram(program);
            for (float half : {0.0f, 1.0f})
            {
                source->setParameter(HALF_SELECTOR, half);
                for (int change = 0; change < 12; ++change)
                    source->setParameter(static_cast<VstInt32>(random() % NUM_PARAMETERS),
                                         static_cast<float>(random() % 1001) / 1000.0f);
            }
            const float half = seed % 2 ? 1.0f : 0.0f;
            source->setParameter(HALF_SELECTOR, half);
            source->setProgramName("Restored " + std::to_string(seed));
            const auto chunk = source->getChunk(isProgram);
            ASSERT_EQ(isProgram ? 7228u : 93964u, chunk.size());
            const std::string liveHalf = stateOf(*source, half, false), bothHalves = stateOf(*source, half, true);

            auto target = openZelo();
            target->setProgram(program);
            ASSERT_EQ(1, target->setChunk(chunk, isProgram));
            // A program chunk carries both halves but not which one is live; the host picks it.
            if (isProgram)
                target->setParameter(HALF_SELECTOR, half);
            EXPECT_EQ(chunk, target->getChunk(isProgram)) << "read back byte for byte";
            EXPECT_EQ(liveHalf, stateOf(*target, half, false)) << "right after the chunk";
            // Many hosts select the saved program again right after restoring the chunk.
            target->setProgram(target->program());
            EXPECT_EQ(program, target->program());
            EXPECT_EQ(bothHalves, stateOf(*target, half, true)) << "after effSetProgram(current)";

            SStream fromSource, fromTarget;
            for (VstInt32 frames : {1, 255, 1024, 4097})
                ASSERT_TRUE(fromSource.process(*source, frames) && fromTarget.process(*target, frames) &&
                            fromSource.outLeft == fromTarget.outLeft && fromSource.outRight == fromTarget.outRight)
                    << "restored instance renders other samples";
        }
}
