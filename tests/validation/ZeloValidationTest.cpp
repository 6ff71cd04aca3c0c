// What a careful host vendor checks before shipping a plug-in: the built Zelo.so
// driven through the VST 2.4 interface through long lifecycles, every rate and block
// size, hostile parameter values, automation from a second thread and state round trips.
#include "tools/host/CPluginInstance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

using Zelo::Tools::CHostSettings;
using Zelo::Tools::CPluginInstance;
using Zelo::Tools::CPluginModule;

namespace
{
constexpr VstInt32 NUM_PARAMETERS = 23;
constexpr VstInt32 NUM_PROGRAMS = 13;
// Selects the A or B half of the current program; lies beyond the published parameters.
constexpr VstInt32 HALF_SELECTOR = 26;

std::shared_ptr<const CPluginModule> zeloModule()
{
    static const auto module = std::make_shared<const CPluginModule>(ZELO_PLUGIN_PATH);
    return module;
}

std::unique_ptr<CPluginInstance> openZelo(double sampleRate = 44100.0, VstInt32 blockSize = 512)
{
    CHostSettings settings;
    settings.sampleRate = sampleRate;
    settings.blockSize = blockSize;
    auto instance = std::make_unique<CPluginInstance>(zeloModule(), settings);
    instance->open();
    instance->setSampleRate(static_cast<float>(sampleRate));
    instance->setBlockSize(blockSize);
    instance->resume();
    return instance;
}

bool isCleanSample(float sample)
{
    return std::isfinite(sample) && std::fpclassify(sample) != FP_SUBNORMAL;
}

// A continuous two-tone stereo input and the plug-in's output, for any block size.
struct SStream
{
    // False when the plug-in refuses the call or any output sample is a NaN, an
    // infinity or subnormal. Outputs start as NaN so a sample left unwritten shows.
    bool process(CPluginInstance &plugin, VstInt32 frames, float amplitude = 0.5f)
    {
        const auto size = static_cast<size_t>(frames);
        left.resize(size);
        right.resize(size);
        outLeft.assign(size, std::numeric_limits<float>::quiet_NaN());
        outRight.assign(size, std::numeric_limits<float>::quiet_NaN());
        for (size_t n = 0; n < size; ++n, ++position)
        {
            left[n] = amplitude * static_cast<float>(std::sin(0.031 * static_cast<double>(position)));
            right[n] = amplitude * static_cast<float>(std::sin(0.047 * static_cast<double>(position) + 1.0));
        }
        float *inputs[2] = {left.data(), right.data()};
        float *outputs[2] = {outLeft.data(), outRight.data()};
        if (!plugin.processReplacing(inputs, outputs, frames))
        {
            return false;
        }
        if (record)
        {
            rendered.insert(rendered.end(), outLeft.begin(), outLeft.end());
            rendered.insert(rendered.end(), outRight.begin(), outRight.end());
        }
        for (size_t n = 0; n < size; ++n)
        {
            if (!isCleanSample(outLeft[n]) || !isCleanSample(outRight[n]))
            {
                return false;
            }
        }
        return true;
    }

    long position = 0;
    bool record = false;
    std::vector<float> left, right, outLeft, outRight, rendered;
};

// Aborts the whole program when a test outlives its deadline: a hung plug-in
// never returns, so no assertion after the call could report it.
class CWatchdog
{
public:
    CWatchdog(const char *what, std::chrono::seconds deadline)
        : m_thread([this, what, deadline] {
              std::unique_lock<std::mutex> lock(m_mutex);
              if (!m_finished.wait_for(lock, deadline, [this] { return m_done; }))
              {
                  std::fprintf(stderr, "%s hung for %lld s\n", what, static_cast<long long>(deadline.count()));
                  std::abort();
              }
          })
    {
    }
    ~CWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_finished.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_done = false;
    std::thread m_thread;
};

// Odd, even, tiny and the largest sizes, in an order that changes size on every call.
const VstInt32 BLOCK_SIZES[] = {1,   8192, 2,   3,   4097, 7,    16,  31,  1024, 64,
                                127, 2047, 128, 255, 441,  8191, 512, 999, 4096};
const double SAMPLE_RATES[] = {22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0, 384000.0};
} // namespace

TEST(Lifecycle, HundredInstancesInARowEachStartFromTheFactoryState)
{
    std::vector<uint8_t> factoryBank, factoryProgram;
    for (int round = 0; round < 100; ++round)
    {
        auto zelo = openZelo();
        if (round == 0)
        {
            factoryBank = zelo->getChunk(false);
            factoryProgram = zelo->getChunk(true);
            ASSERT_EQ(93964u, factoryBank.size());
        }
        ASSERT_EQ(factoryBank, zelo->getChunk(false)) << "instance " << round;
        ASSERT_EQ(factoryProgram, zelo->getChunk(true)) << "instance " << round;
        // Leave changed state behind: a plug-in sharing state between instances shows it in the next one.
        zelo->setProgram(round % NUM_PROGRAMS);
        zelo->setParameter(round % NUM_PARAMETERS, 0.37f);
        zelo->setParameter(HALF_SELECTOR, 1.0f);
        SStream stream;
        ASSERT_TRUE(stream.process(*zelo, 64)) << "instance " << round;
    }
}

TEST(Lifecycle, EightInstancesAtOnceKeepTheirOwnState)
{
    const auto factoryBank = openZelo()->getChunk(false);
    std::vector<std::unique_ptr<CPluginInstance>> instances;
    for (int index = 0; index < 8; ++index)
    {
        instances.push_back(openZelo(48000.0, 256));
    }
    instances[0]->setProgram(6);
    instances[0]->setParameter(HALF_SELECTOR, 1.0f);
    instances[0]->setParameter(10, 0.9f);
    instances[0]->setProgramName("Changed");
    for (auto &instance : instances)
    {
        SStream stream;
        ASSERT_TRUE(stream.process(*instance, 256));
    }
    EXPECT_NE(factoryBank, instances[0]->getChunk(false));
    for (size_t index = 1; index < instances.size(); ++index)
    {
        EXPECT_EQ(factoryBank, instances[index]->getChunk(false)) << "instance " << index << " saw another's change";
    }
}

TEST(Lifecycle, ScannerMayCloseWithoutOpening)
{
    const VstIntPtr category = openZelo()->dispatch(effGetPlugCategory);
    for (int round = 0; round < 20; ++round)
    {
        CPluginInstance scanned(zeloModule());
        EXPECT_EQ(2400, scanned.dispatch(effGetVstVersion)) << "round " << round;
        EXPECT_EQ(category, scanned.dispatch(effGetPlugCategory)) << "round " << round;
        scanned.dispatch(effClose);
        EXPECT_EQ(nullptr, scanned.effect());
    }
    SStream stream;
    EXPECT_TRUE(stream.process(*openZelo(), 128)) << "the module still works after the scan";
}

TEST(Processing, StaysFiniteAndNormalAtEveryRateBlockSizeAndRateChange)
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
            {
                for (VstInt32 frames : BLOCK_SIZES)
                {
                    ASSERT_TRUE(stream.process(*zelo, frames)) << current << " Hz (opened at " << rate << "), "
                                                               << frames << " frames, amplitude " << amplitude;
                }
            }
        }
    }
}

TEST(Processing, SuspendedAndEmptyCallsAreHarmless)
{
    auto zelo = openZelo();
    std::vector<float> left(256, 0.5f), right(256, -0.5f), outLeft(256, 0.0f), outRight(256, 0.0f);
    float *inputs[2] = {left.data(), right.data()};
    float *outputs[2] = {outLeft.data(), outRight.data()};
    zelo->suspend();
    zelo->processReplacing(inputs, outputs, 256);
    for (size_t n = 0; n < outLeft.size(); ++n)
    {
        ASSERT_TRUE(isCleanSample(outLeft[n]) && isCleanSample(outRight[n])) << "suspended, frame " << n;
    }
    zelo->resume();
    outLeft.assign(256, 0.25f);
    zelo->processReplacing(inputs, outputs, 0);
    EXPECT_EQ(0.25f, outLeft[0]) << "zero frames write nothing";
    SStream stream;
    EXPECT_TRUE(stream.process(*zelo, 256));
}

TEST(Fuzzing, HostileParameterValuesNeitherCrashNorHangNorBreakTheOutput)
{
    using Limits = std::numeric_limits<float>;
    const float hostile[] = {Limits::quiet_NaN(),
                             Limits::infinity(),
                             -Limits::infinity(),
                             1e30f,
                             -1e30f,
                             -5.0f,
                             5.0f,
                             Limits::denorm_min(),
                             -Limits::denorm_min(),
                             Limits::min() / 4.0f,
                             -0.0f,
                             0.0f,
                             1.0f,
                             std::nextafter(1.0f, 2.0f)};
    CWatchdog watchdog("parameter fuzzing", std::chrono::seconds(120));
    std::mt19937 random(20240611u); // fixed: a failure replays exactly
    auto zelo = openZelo();
    SStream stream;
    for (int step = 0; step < 10000; ++step)
    {
        const auto index = static_cast<VstInt32>(random() % 31);
        const float value =
            random() % 3 == 0 ? static_cast<float>(random() % 1001) / 1000.0f : hostile[random() % std::size(hostile)];
        zelo->setParameter(index, value);
        zelo->getParameter(index);
        zelo->parameterDisplay(index);
        if (random() % 16 == 0)
        {
            // Includes numbers outside the bank on both sides.
            zelo->setProgram(static_cast<VstInt32>(random() % (NUM_PROGRAMS + 4)) - 2);
        }
        if (random() % 4 == 0)
        {
            const auto frames = static_cast<VstInt32>(1 + random() % 600);
            ASSERT_TRUE(stream.process(*zelo, frames))
                << "step " << step << ": parameter " << index << " = " << value << ", " << frames << " frames";
        }
        if (step % 500 == 0)
        {
            zelo->clearRequests();
        }
    }
}

TEST(Threads, AutomationFromAnotherThreadWhileProcessingKeepsTheOutputFinite)
{
    CWatchdog watchdog("automation from two threads", std::chrono::seconds(120));
    auto zelo = openZelo(48000.0, 128);
    std::atomic<bool> stop{false}, dirtyOutput{false};
    std::atomic<long> blocks{0}, edits{0};
    std::thread audio([&] {
        SStream stream;
        while (!stop.load())
        {
            if (!stream.process(*zelo, 128))
            {
                dirtyOutput = true;
            }
            ++blocks;
        }
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
            {
                zelo->clearRequests();
            }
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

namespace
{
struct SSnapshot
{
    std::vector<float> values;
    std::vector<std::string> displays;
    std::string programName;
    bool operator==(const SSnapshot &other) const
    {
        // Bit patterns, so a NaN restored as a NaN compares equal.
        return std::memcmp(values.data(), other.values.data(), values.size() * sizeof(float)) == 0 &&
               displays == other.displays && programName == other.programName;
    }
};

SSnapshot snapshot(CPluginInstance &plugin)
{
    SSnapshot result{{}, {}, plugin.programName()};
    for (VstInt32 index = 0; index < NUM_PARAMETERS; ++index)
    {
        result.values.push_back(plugin.getParameter(index));
        result.displays.push_back(plugin.parameterDisplay(index));
    }
    return result;
}

// Both halves of the current program, so the half not shown is compared too.
std::vector<SSnapshot> bothHalves(CPluginInstance &plugin, float currentHalf)
{
    plugin.setParameter(HALF_SELECTOR, 1.0f - currentHalf);
    auto other = snapshot(plugin);
    plugin.setParameter(HALF_SELECTOR, currentHalf);
    return {snapshot(plugin), other};
}
} // namespace

TEST(State, ChunksRestoreParametersDisplaysAndAudioExactly)
{
    for (unsigned seed : {1u, 2u, 3u, 4u})
    {
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
                {
                    source->setParameter(static_cast<VstInt32>(random() % NUM_PARAMETERS),
                                         static_cast<float>(random() % 1001) / 1000.0f);
                }
            }
            const float half = seed % 2 ? 1.0f : 0.0f;
            source->setParameter(HALF_SELECTOR, half);
            source->setProgramName("Restored " + std::to_string(seed));
            const auto chunk = source->getChunk(isProgram);
            ASSERT_EQ(isProgram ? 7228u : 93964u, chunk.size());
            const auto expected = bothHalves(*source, half);

            auto target = openZelo();
            target->setProgram(program);
            ASSERT_EQ(1, target->setChunk(chunk, isProgram));
            if (isProgram)
            {
                // A program chunk carries both halves but not which one is live; the host picks it.
                target->setParameter(HALF_SELECTOR, half);
            }
            EXPECT_EQ(chunk, target->getChunk(isProgram)) << "read back byte for byte";
            EXPECT_TRUE(expected[0] == snapshot(*target)) << "right after the chunk";
            // Many hosts select the saved program again right after restoring the chunk.
            target->setProgram(target->program());
            EXPECT_EQ(program, target->program());
            EXPECT_TRUE(expected == bothHalves(*target, half)) << "after effSetProgram(current)";

            SStream fromSource, fromTarget;
            fromSource.record = fromTarget.record = true;
            for (VstInt32 frames : {1, 255, 1024, 4097})
            {
                ASSERT_TRUE(fromSource.process(*source, frames));
                ASSERT_TRUE(fromTarget.process(*target, frames));
            }
            ASSERT_EQ(fromSource.rendered.size(), fromTarget.rendered.size());
            EXPECT_EQ(0, std::memcmp(fromSource.rendered.data(), fromTarget.rendered.data(),
                                     fromSource.rendered.size() * sizeof(float)))
                << "restored instance renders other samples";
        }
    }
}
