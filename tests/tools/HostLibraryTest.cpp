// Our host library against fixture modules written directly on the binary interface,
// and the allocation counter the audio-thread rule is checked with.
#include "tests/support/CAllocationCounter.h"
#include "tests/tools/fixtures/FixtureProtocol.h"
#include "tools/host/CPluginInstance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <type_traits>
#include <utility>
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

// Allocations escape through here, so the optimiser cannot drop an allocate/free pair.
void *volatile g_escaped = nullptr;

template <typename T> T *escape(T *memory)
{
    g_escaped = memory;
    return memory;
}

using CacheLine = std::aligned_storage_t<64, 64>;

class AllocationCounter : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!CAllocationCounter::isAvailable())
            GTEST_SKIP() << "the allocation counter cannot run beside a sanitizer";
    }
    CAllocationCounter counter;
};
} // namespace

// Modules that cannot be loaded, and records the host cannot take, alike.
TEST(PluginModule, LoadErrorsNameTheFileOnceWithTheReason)
{
    const std::string textFile = testing::TempDir() + "zelo-host-not-a-library.so";
    std::ofstream(textFile) << "This is a text file, not a shared object.\n";
    CHostSettings silentHost;
    silentHost.vstVersion = 0;
    const std::tuple<std::string, CHostSettings, const char *> cases[] = {
        {"/nonexistent/Zelo.so", {}, "No such file"},
        // On the library search path, but a name without a slash means the working directory.
        {"libc.so.6", {}, "No such file"},
        {textFile, {}, "cannot load"},
        // Its dependency exports an entry, which is not this module's.
        {ZELO_FIXTURE_NO_ENTRY, {}, "no VST entry point"},
        // The fixture refuses a host without a version by handing back no record at all.
        {ZELO_FIXTURE_PLUGIN, silentHost, "plug-in refused to load"},
        {ZELO_FIXTURE_BAD_MAGIC, {}, "magic 0x12345678"}};
    for (const auto &[path, settings, reason] : cases)
    {
        std::string error = "(loaded)";
        try
        {
            CPluginInstance instance(loadModule(path.c_str()), settings);
        }
        catch (const std::runtime_error &failure)
        {
            error = failure.what();
        }
        EXPECT_NE(std::string::npos, error.find(reason)) << error;
        EXPECT_NE(std::string::npos, error.find(path)) << error;
        EXPECT_EQ(error.find(path), error.rfind(path)) << error;
    }
    std::remove(textFile.c_str());
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
        EXPECT_EQ(instance == &first ? "VSTPluginMain" : "main", instance->module().entryName()) << rate;
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
    // The question is only read for audioMasterCanDo; "receiveVstMidiEvent" is longer than a
    // short string holds, so looking it up through a std::string would allocate.
    const std::tuple<VstInt32, const char *, VstIntPtr> cases[] = {{audioMasterVersion, "", kVstVersion},
                                                                   {audioMasterGetSampleRate, "", 96000},
                                                                   {audioMasterGetBlockSize, "", 256},
                                                                   {audioMasterGetVendorVersion, "", 77},
                                                                   {audioMasterCanDo, "receiveVstMidiEvent", 1},
                                                                   {audioMasterCanDo, "acceptIOChanges", -1},
                                                                   {audioMasterIOChanged, "", 0},
                                                                   {audioMasterAutomate, "", 1},
                                                                   {audioMasterIdle, "", 0}};
    for (const auto &[opcode, text, answer] : cases)
    {
        char question[64];
        std::strcpy(question, text);
        EXPECT_EQ(answer, ask(opcode, question)) << opcode << " " << text;
        const auto recorded = instance.lastRequest(opcode);
        ASSERT_TRUE(recorded.has_value()) << opcode;
        EXPECT_TRUE(recorded->value == 5 && recorded->opt == 0.25f && recorded->answer == answer &&
                    recorded->text() == text)
            << "the request as recorded: " << opcode << " " << text;
    }

    // The plug-in's buffer holds 64 bytes; the byte after it must stay untouched.
    char vendor[65];
    vendor[64] = '#';
    EXPECT_EQ(1, ask(audioMasterGetVendorString, vendor));
    EXPECT_EQ(std::string(63, 'v'), vendor);
    EXPECT_EQ('#', vendor[64]);

    const auto *time = reinterpret_cast<const VstTimeInfo *>(ask(audioMasterGetTime));
    EXPECT_TRUE(time != nullptr && time->tempo == 120.0);
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
        threads.emplace_back([&instance, &waiting] {
            for (--waiting; waiting > 0;)
                std::this_thread::yield();
            for (int move = 0; move < MOVES; ++move)
                askHost(instance, audioMasterAutomate);
        });
    for (auto &thread : threads)
        thread.join();
    EXPECT_EQ(static_cast<size_t>(THREADS * MOVES), instance.countRequests(audioMasterAutomate));
}

TEST(PluginInstance, ClosedInstanceNeverReachesTheFreedRecord)
{
    for (const bool rawClose : {false, true})
    {
        SCOPED_TRACE(rawClose ? "closed by dispatching effClose" : "closed by close()");
        CPluginInstance instance(loadModule());
        instance.resume();
        rawClose ? static_cast<void>(instance.dispatch(effClose)) : instance.close();

        // The fixture freed its record: any call reaching it is a use after free.
        EXPECT_EQ(nullptr, instance.effect());
        EXPECT_EQ(0, askHost(instance, audioMasterVersion));
        instance.setParameter(0, 1.0f);
        EXPECT_EQ(0.0f, instance.getParameter(0));
        float samples[1] = {}, *channels[1] = {samples};
        double doubleSamples[1] = {}, *doubleChannels[1] = {doubleSamples};
        EXPECT_FALSE(instance.processReplacing(channels, channels, 1));
        EXPECT_FALSE(instance.processAccumulating(channels, channels, 1));
        EXPECT_FALSE(instance.processDoubleReplacing(doubleChannels, doubleChannels, 1));
        EXPECT_EQ(0, instance.sendMidi({{0, 0x90, 60, 100}}));
        // A second close, and the destructor's, must not close it again.
        instance.close();
    }
}

TEST_F(AllocationCounter, CountsEachAllocationOnce)
{
    const std::pair<const char *, void (*)()> cases[] = {
        {"malloc", [] { std::free(escape(std::malloc(24))); }},
        {"calloc", [] { std::free(escape(std::calloc(3, 8))); }},
        {"realloc", [] { std::free(escape(std::realloc(nullptr, 24))); }},
        {"aligned_alloc", [] { std::free(escape(std::aligned_alloc(64, 128))); }},
        {"posix_memalign",
         [] {
             void *memory = nullptr;
             std::free(posix_memalign(&memory, 64, 128) == 0 ? escape(memory) : nullptr);
         }},
        {"new", [] { delete escape(new int(1)); }},
        {"new[]", [] { delete[] escape(new int[4]); }},
        {"aligned new", [] { delete escape(new CacheLine); }},
        {"aligned new[]", [] { delete[] escape(new CacheLine[2]); }}};
    for (const auto &[name, allocate] : cases)
    {
        counter.start();
        allocate();
        EXPECT_EQ(1, counter.stop()) << name;
    }
}

TEST_F(AllocationCounter, IgnoresOtherThreads)
{
    std::atomic<bool> go{false};
    std::thread other([&go] {
        while (!go)
            std::this_thread::yield();
        for (int i = 0; i < 100; ++i)
            delete escape(new int(i));
    });
    counter.start();
    go = true;
    other.join();
    EXPECT_EQ(0, counter.stop());
}

TEST_F(AllocationCounter, CountsAllocationsInsideALoadedModule)
{
    CPluginInstance instance(loadModule());
    counter.start();
    instance.dispatch(effVendorSpecific, Fixture::ALLOCATE);
    // The module's malloc and its operator new.
    EXPECT_EQ(2, counter.stop());
}
