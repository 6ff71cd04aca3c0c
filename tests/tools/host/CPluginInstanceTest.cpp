#include "tools/host/CPluginInstance.h"
#include "tests/support/CAllocationCounter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

using namespace Zelo::Tools;
using Zelo::Testing::CAllocationCounter;

namespace
{
std::shared_ptr<const CPluginModule> loadModule(const char *path = ZELO_FIXTURE_PLUGIN)
{
    return std::make_shared<const CPluginModule>(path);
}

// Makes the fixture put a request to the host, as a plug-in would from inside (see FixtureProtocol.h).
VstIntPtr askHost(CPluginInstance &instance, VstInt32 opcode, VstIntPtr value = 0, void *ptr = nullptr,
                  float opt = 0.0f)
{
    return instance.dispatch(effVendorSpecific, opcode, value, ptr, opt);
}
} // namespace

TEST(PluginInstance, RefusedOrForeignRecordIsALoadErrorNamingTheModule)
{
    CHostSettings silentHost;
    silentHost.vstVersion = 0;
    const std::tuple<const char *, CHostSettings, const char *> refusals[] = {
        // The fixture refuses a host without a version by handing back no record at all.
        {ZELO_FIXTURE_PLUGIN, silentHost, "plug-in refused to load"},
        {ZELO_FIXTURE_BAD_MAGIC, {}, "magic 0x12345678"},
    };
    for (const auto &[path, settings, reason] : refusals)
    {
        std::string error = "(created)";
        try
        {
            CPluginInstance instance(loadModule(path), settings);
        }
        catch (const std::runtime_error &failure)
        {
            error = failure.what();
        }
        EXPECT_NE(std::string::npos, error.find(path)) << error;
        EXPECT_NE(std::string::npos, error.find(reason)) << error;
    }
}

TEST(PluginInstance, RequestsReachTheirOwnInstanceDuringAndAfterTheEntry)
{
    CHostSettings settings;
    settings.vstVersion = 2300;
    settings.sampleRate = 48000.0;
    CPluginInstance first(loadModule(), settings);
    settings.sampleRate = 96000.0;
    CPluginInstance second(loadModule(ZELO_FIXTURE_MAIN_ENTRY), settings);

    for (const auto &[instance, rate] : {std::pair{&first, 48000}, std::pair{&second, 96000}})
    {
        // The version asked with a null effect, then the sample rate with a record not yet handed back.
        const auto requests = instance->requests();
        ASSERT_EQ(2u, requests.size()) << rate;
        EXPECT_EQ(audioMasterVersion, requests[0].opcode) << rate;
        EXPECT_EQ(2300, requests[0].answer) << rate;
        EXPECT_EQ(audioMasterGetSampleRate, requests[1].opcode) << rate;
        EXPECT_EQ(rate, requests[1].answer) << rate;
        // Once created, through the record: the second creation must not capture the first's requests.
        EXPECT_EQ(rate, askHost(*instance, audioMasterGetSampleRate)) << rate;
    }
}

TEST(PluginInstance, AnswersFromItsSettingsWithoutAllocating)
{
    CHostSettings settings;
    settings.sampleRate = 96000.0;
    settings.blockSize = 256;
    settings.vendorVersion = 77;
    settings.otherCanDoAnswer = -1;
    settings.canDos.erase("acceptIOChanges");
    settings.vendor = std::string(100, 'v');
    settings.timeInfo = VstTimeInfo{};
    settings.timeInfo->tempo = 120.0;
    CPluginInstance instance(loadModule(), settings);

    long allocations = 0;
    const auto ask = [&](VstInt32 opcode, void *ptr = nullptr) {
        CAllocationCounter counter;
        counter.start();
        const VstIntPtr answer = askHost(instance, opcode, 5, ptr, 0.25f);
        allocations += counter.stop();
        return answer;
    };
    // The question is only read for audioMasterCanDo.
    const std::tuple<VstInt32, const char *, VstIntPtr> cases[] = {
        {audioMasterVersion, "", kVstVersion},
        {audioMasterGetSampleRate, "", 96000},
        {audioMasterGetBlockSize, "", 256},
        {audioMasterGetVendorVersion, "", 77},
        // Longer than a short string holds: looking it up through a std::string would allocate.
        {audioMasterCanDo, "receiveVstMidiEvent", 1},
        {audioMasterCanDo, "acceptIOChanges", -1},
        {audioMasterIOChanged, "", 0},
        {audioMasterAutomate, "", 1},
        {audioMasterIdle, "", 0},
    };
    for (const auto &[opcode, text, answer] : cases)
    {
        char question[64];
        std::strcpy(question, text);
        EXPECT_EQ(answer, ask(opcode, question)) << opcode << " " << text;
        const auto recorded = instance.lastRequest(opcode);
        ASSERT_TRUE(recorded.has_value()) << opcode;
        EXPECT_EQ(5, recorded->value);
        EXPECT_EQ(0.25f, recorded->opt);
        EXPECT_EQ(answer, recorded->answer);
        EXPECT_EQ(text, recorded->text());
    }

    // The plug-in's buffer holds 64 bytes; the byte after it must stay untouched.
    char vendor[65];
    vendor[64] = '#';
    EXPECT_EQ(1, ask(audioMasterGetVendorString, vendor));
    EXPECT_EQ(std::string(63, 'v'), vendor);
    EXPECT_EQ('#', vendor[64]);

    const auto *time = reinterpret_cast<const VstTimeInfo *>(ask(audioMasterGetTime));
    ASSERT_NE(nullptr, time);
    EXPECT_EQ(120.0, time->tempo);
    EXPECT_EQ(0, allocations);

    instance.setTimeInfo(std::nullopt);
    instance.setSampleRate(22050.0f);
    instance.setBlockSize(64);
    EXPECT_EQ(0, askHost(instance, audioMasterGetTime));
    EXPECT_EQ(22050, askHost(instance, audioMasterGetSampleRate));
    EXPECT_EQ(64, askHost(instance, audioMasterGetBlockSize));
}

TEST(PluginInstance, RequestsFromManyThreadsAreAllRecorded)
{
    CPluginInstance instance(loadModule());
    // Far more than the reserved record, so it grows while the threads race.
    constexpr int THREADS = 4;
    constexpr int MOVES = 20000;
    std::atomic<int> waiting{THREADS};
    std::vector<std::thread> threads;
    for (int thread = 0; thread < THREADS; ++thread)
    {
        threads.emplace_back([&instance, &waiting] {
            for (--waiting; waiting > 0;)
            {
            }
            for (int move = 0; move < MOVES; ++move)
            {
                askHost(instance, audioMasterAutomate);
            }
        });
    }
    for (auto &thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(static_cast<size_t>(THREADS * MOVES), instance.countRequests(audioMasterAutomate));
}

TEST(PluginInstance, ClosedInstanceNeverReachesTheFreedRecord)
{
    for (const bool rawClose : {false, true})
    {
        SCOPED_TRACE(rawClose ? "closed by dispatching effClose" : "closed by close()");
        CPluginInstance instance(loadModule());
        instance.resume();
        if (rawClose)
        {
            instance.dispatch(effClose);
        }
        else
        {
            instance.close();
        }

        // The fixture freed its record: any call reaching it is a use after free.
        EXPECT_EQ(nullptr, instance.effect());
        EXPECT_EQ(0, askHost(instance, audioMasterVersion));
        instance.setParameter(0, 1.0f);
        EXPECT_EQ(0.0f, instance.getParameter(0));
        float samples[1] = {};
        float *channels[1] = {samples};
        double doubleSamples[1] = {};
        double *doubleChannels[1] = {doubleSamples};
        EXPECT_FALSE(instance.processReplacing(channels, channels, 1));
        EXPECT_FALSE(instance.processAccumulating(channels, channels, 1));
        EXPECT_FALSE(instance.processDoubleReplacing(doubleChannels, doubleChannels, 1));
        EXPECT_EQ(0, instance.sendMidi({{0, 0x90, 60, 100}}));
        // A second close, and the destructor's, must not close it again.
        instance.close();
    }
}
