#include "tools/host/CPluginInstance.h"
#include "tests/support/CAllocationCounter.h"
#include "tests/tools/fixtures/FixtureProtocol.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace Zelo::Tools;
using Zelo::Testing::CAllocationCounter;

namespace
{
std::shared_ptr<const CPluginModule> loadModule(const char *path = ZELO_FIXTURE_PLUGIN)
{
    return std::make_shared<const CPluginModule>(path);
}

std::string creationError(const char *path, const CHostSettings &settings)
{
    try
    {
        CPluginInstance instance(loadModule(path), settings);
    }
    catch (const std::runtime_error &error)
    {
        return error.what();
    }
    return "(created)";
}

// Makes the fixture put a request to the host, as a plug-in would from inside.
VstIntPtr askHost(CPluginInstance &instance, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                  void *ptr = nullptr, float opt = 0.0f)
{
    Fixture::HostQuestion question;
    question.opcode = opcode;
    question.index = index;
    question.value = value;
    question.ptr = ptr;
    question.opt = opt;
    return instance.dispatch(effVendorSpecific, Fixture::ASK_HOST, 0, &question);
}

std::vector<VstInt32> opcodesOf(const std::vector<CPluginInstance::Request> &requests)
{
    std::vector<VstInt32> opcodes;
    for (const auto &request : requests)
    {
        opcodes.push_back(request.opcode);
    }
    return opcodes;
}

// Two channels of distinct ramps, and outputs prefilled with a known value.
template <typename SAMPLE> struct StereoBlock
{
    static constexpr VstInt32 FRAMES = 16;

    explicit StereoBlock(SAMPLE prefill)
    {
        for (int channel = 0; channel < 2; ++channel)
        {
            for (int frame = 0; frame < FRAMES; ++frame)
            {
                in[channel][frame] = static_cast<SAMPLE>(channel * 100 + frame + 1);
                out[channel][frame] = prefill;
            }
            inputs[channel] = in[channel];
            outputs[channel] = out[channel];
        }
    }

    SAMPLE in[2][FRAMES];
    SAMPLE out[2][FRAMES];
    SAMPLE *inputs[2];
    SAMPLE *outputs[2];
};
} // namespace

TEST(PluginInstance, RefusedOrForeignRecordIsALoadError)
{
    CHostSettings silentHost;
    silentHost.vstVersion = 0;
    const std::string refusal = creationError(ZELO_FIXTURE_PLUGIN, silentHost);
    EXPECT_NE(std::string::npos, refusal.find(ZELO_FIXTURE_PLUGIN)) << refusal;
    EXPECT_NE(std::string::npos, refusal.find("plug-in refused to load")) << refusal;

    const std::string foreign = creationError(ZELO_FIXTURE_BAD_MAGIC, {});
    EXPECT_NE(std::string::npos, foreign.find(ZELO_FIXTURE_BAD_MAGIC)) << foreign;
    EXPECT_NE(std::string::npos, foreign.find("magic 0x12345678")) << foreign;
}

TEST(PluginInstance, RequestsDuringTheEntryReachTheInstanceBeingCreated)
{
    CHostSettings settings;
    settings.vstVersion = 2300;
    settings.sampleRate = 48000.0;
    for (const char *path : {ZELO_FIXTURE_PLUGIN, ZELO_FIXTURE_MAIN_ENTRY})
    {
        CPluginInstance instance(loadModule(path), settings);
        // The version with a null effect, then the sample rate with a record not yet handed back.
        const auto requests = instance.requests();
        ASSERT_EQ(2u, requests.size()) << path;
        EXPECT_EQ(audioMasterVersion, requests[0].opcode) << path;
        EXPECT_EQ(2300, requests[0].answer) << path;
        EXPECT_EQ(audioMasterGetSampleRate, requests[1].opcode) << path;
        EXPECT_EQ(48000, requests[1].answer) << path;
    }
}

TEST(PluginInstance, AnswersRequestsFromItsSettingsAndRecordsThem)
{
    CHostSettings settings;
    settings.sampleRate = 96000.0;
    settings.blockSize = 256;
    settings.vendorVersion = 77;
    CPluginInstance instance(loadModule(), settings);
    struct Case
    {
        VstInt32 opcode;
        VstIntPtr answer;
    };
    const Case cases[] = {
        {audioMasterVersion, 2400},       {audioMasterGetSampleRate, 96000},
        {audioMasterGetBlockSize, 256},   {audioMasterGetVendorVersion, 77},
        {audioMasterWantMidi, 1},         {audioMasterAutomate, 1},
        {audioMasterIOChanged, 1},        {audioMasterGetTime, 0},
        {audioMasterUpdateDisplay, 1},    {audioMasterBeginEdit, 1},
        {audioMasterEndEdit, 1},          {audioMasterSizeWindow, 1},
        {audioMasterCurrentId, 0},        {audioMasterIdle, 0},
        {audioMasterGetLanguage, 0},      {audioMasterGetCurrentProcessLevel, 0},
        {audioMasterOpenFileSelector, 0},
    };
    for (const auto &example : cases)
    {
        EXPECT_EQ(example.answer, askHost(instance, example.opcode, 3, 5, nullptr, 0.25f))
            << "opcode " << example.opcode;
        const auto recorded = instance.lastRequest(example.opcode);
        ASSERT_TRUE(recorded.has_value()) << "opcode " << example.opcode;
        EXPECT_EQ(3, recorded->index) << "opcode " << example.opcode;
        EXPECT_EQ(5, recorded->value) << "opcode " << example.opcode;
        EXPECT_EQ(0.25f, recorded->opt) << "opcode " << example.opcode;
        EXPECT_EQ(example.answer, recorded->answer) << "opcode " << example.opcode;
    }

    instance.setSampleRate(22050.0f);
    instance.setBlockSize(64);
    EXPECT_EQ(22050, askHost(instance, audioMasterGetSampleRate));
    EXPECT_EQ(64, askHost(instance, audioMasterGetBlockSize));
}

TEST(PluginInstance, CanDoAnswersFollowTheSettings)
{
    CHostSettings settings;
    settings.otherCanDoAnswer = -1;
    CPluginInstance instance(loadModule(), settings);
    const std::pair<const char *, VstIntPtr> cases[] = {
        {"sendVstEvents", 1},
        {"sendVstMidiEvent", 1},
        {"sendVstTimeInfo", 1},
        {"receiveVstEvents", 1},
        {"receiveVstMidiEvent", 1},
        {"sizeWindow", 1},
        {"startStopProcess", 1},
        {"acceptIOChanges", 1},
        {"offline", -1},
        {"supplyIdle", -1},
        {"", -1},
    };
    for (const auto &[text, answer] : cases)
    {
        std::string question = text;
        EXPECT_EQ(answer, askHost(instance, audioMasterCanDo, 0, 0, question.data())) << text;
        EXPECT_EQ(text, instance.lastRequest(audioMasterCanDo)->text()) << text;
    }

    settings.canDos.erase("acceptIOChanges");
    CPluginInstance refusingChanges(loadModule(), settings);
    std::string question = "acceptIOChanges";
    EXPECT_EQ(-1, askHost(refusingChanges, audioMasterCanDo, 0, 0, question.data()));
    refusingChanges.setProgram(1);
    ASSERT_TRUE(refusingChanges.lastRequest(audioMasterIOChanged).has_value());
    EXPECT_EQ(0, refusingChanges.lastRequest(audioMasterIOChanged)->answer);
}

TEST(PluginInstance, VendorTextsAreCutToThePluginsBuffer)
{
    CHostSettings settings;
    settings.vendor = std::string(100, 'v');
    settings.product = "Zelo host under test";
    CPluginInstance instance(loadModule(), settings);

    // 64 bytes for the text, then a guard the host must not touch.
    char buffer[80];
    std::memset(buffer, '#', sizeof(buffer));
    EXPECT_EQ(1, askHost(instance, audioMasterGetVendorString, 0, 0, buffer));
    EXPECT_EQ(std::string(63, 'v'), std::string(buffer));
    EXPECT_EQ(std::string(16, '#'), std::string(buffer + 64, 16));
    EXPECT_EQ(std::string(63, 'v'), instance.lastRequest(audioMasterGetVendorString)->text());

    EXPECT_EQ(1, askHost(instance, audioMasterGetProductString, 0, 0, buffer));
    EXPECT_STREQ("Zelo host under test", buffer);
    EXPECT_EQ("Zelo host under test", instance.lastRequest(audioMasterGetProductString)->text());
}

TEST(PluginInstance, GetTimeHandsOutTheCurrentTimeInfo)
{
    CPluginInstance instance(loadModule());
    EXPECT_EQ(0, askHost(instance, audioMasterGetTime, 0, kVstTempoValid));

    VstTimeInfo time{};
    time.sampleRate = 44100.0;
    time.tempo = 120.0;
    time.flags = kVstTempoValid;
    instance.setTimeInfo(time);
    const auto *given = reinterpret_cast<const VstTimeInfo *>(askHost(instance, audioMasterGetTime));
    ASSERT_NE(nullptr, given);
    EXPECT_EQ(120.0, given->tempo);

    time.samplePos = 512.0;
    instance.setTimeInfo(time);
    given = reinterpret_cast<const VstTimeInfo *>(askHost(instance, audioMasterGetTime));
    ASSERT_NE(nullptr, given);
    EXPECT_EQ(512.0, given->samplePos);

    instance.setTimeInfo(std::nullopt);
    EXPECT_EQ(0, askHost(instance, audioMasterGetTime));
}

TEST(PluginInstance, RequestsThePluginMakesOnItsOwnAreRecordedInOrder)
{
    CPluginInstance instance(loadModule());
    instance.open();
    instance.clearRequests();

    instance.resume();
    instance.setProgram(1);
    instance.dispatch(effVendorSpecific, Fixture::MOVE_KNOB, 1, nullptr, 0.3f);

    const std::vector<VstInt32> expected = {audioMasterWantMidi, audioMasterIOChanged, audioMasterBeginEdit,
                                            audioMasterAutomate, audioMasterEndEdit};
    EXPECT_EQ(expected, opcodesOf(instance.requests()));
    EXPECT_EQ(Fixture::SECOND_PROGRAM_DELAY, instance.effect()->initialDelay);
    const auto automation = instance.lastAutomation();
    ASSERT_TRUE(automation.has_value());
    EXPECT_EQ(1, automation->index);
    EXPECT_EQ(0.3f, automation->opt);
    EXPECT_EQ(0.3f, instance.getParameter(1));
}

TEST(PluginInstance, AutomationFromManyThreadsIsAllRecorded)
{
    CPluginInstance instance(loadModule());
    instance.clearRequests();
    // Far more than the reserved record, so it grows while the threads race.
    constexpr int THREADS = 4;
    constexpr int MOVES = 20000;
    std::atomic<int> waiting{THREADS};
    std::vector<std::thread> threads;
    for (int thread = 0; thread < THREADS; ++thread)
    {
        threads.emplace_back([&instance, &waiting, thread] {
            // All start together, so their requests overlap.
            --waiting;
            while (waiting > 0)
            {
            }
            for (int move = 0; move < MOVES; ++move)
            {
                askHost(instance, audioMasterAutomate, thread, 0, nullptr, 0.5f);
            }
        });
    }
    for (auto &thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(static_cast<size_t>(THREADS * MOVES), instance.countRequests(audioMasterAutomate));
    EXPECT_EQ(static_cast<size_t>(THREADS * MOVES), instance.requests().size());
}

TEST(PluginInstance, TextGettersReturnWholeTexts)
{
    CPluginInstance instance(loadModule());
    instance.open();
    struct Case
    {
        const char *what;
        std::function<std::string(CPluginInstance &)> get;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"effect name, longer than the interface reserves", &CPluginInstance::effectName, Fixture::EFFECT_NAME},
        {"vendor, 63 characters", &CPluginInstance::vendorString, Fixture::VENDOR},
        {"product", &CPluginInstance::productString, "Fixture"},
        {"parameter name", [](CPluginInstance &i) { return i.parameterName(1); }, "Right gain"},
        {"label copied without terminator", [](CPluginInstance &i) { return i.parameterLabel(0); }, "percent"},
        {"parameter display", [](CPluginInstance &i) { return i.parameterDisplay(0); }, "100.0"},
        {"program name", &CPluginInstance::programName, "Unity"},
        {"indexed program name", [](CPluginInstance &i) { return i.programNameIndexed(1); }, "Late"},
        {"missing program", [](CPluginInstance &i) { return i.programNameIndexed(2); }, ""},
    };
    for (const auto &example : cases)
    {
        EXPECT_EQ(example.expected, example.get(instance)) << example.what;
    }

    instance.setProgramName("Twenty-three characters");
    EXPECT_EQ("Twenty-three characters", instance.programName());
    EXPECT_EQ("Twenty-three characters", instance.programNameIndexed(0));

    ASSERT_TRUE(instance.outputProperties(1).has_value());
    EXPECT_STREQ("Fixture out 2", instance.outputProperties(1)->label);
    EXPECT_EQ(kVstPinIsActive | kVstPinIsStereo, instance.inputProperties(0)->flags);
    EXPECT_FALSE(instance.inputProperties(2).has_value());
}

TEST(PluginInstance, ChunksRoundTripAndKeepTheirKind)
{
    CPluginInstance instance(loadModule());
    instance.setParameter(0, 0.25f);
    instance.setParameter(1, 0.75f);
    instance.setProgram(1);
    const auto program = instance.getChunk(true);
    const auto bank = instance.getChunk(false);
    ASSERT_FALSE(program.empty());
    // The plug-in reuses its chunk memory: the first copy must not follow it.
    EXPECT_NE(program, bank);

    const auto scramble = [&instance] {
        instance.setParameter(0, 1.0f);
        instance.setParameter(1, 0.0f);
        instance.setProgram(0);
    };
    scramble();
    EXPECT_EQ(1, instance.setChunk(program, true));
    EXPECT_EQ(0.25f, instance.getParameter(0));
    EXPECT_EQ(0.75f, instance.getParameter(1));
    EXPECT_EQ(0, instance.program());

    scramble();
    EXPECT_EQ(1, instance.setChunk(bank, false));
    EXPECT_EQ(0.25f, instance.getParameter(0));
    EXPECT_EQ(1, instance.program());

    auto shortened = program;
    shortened.pop_back();
    EXPECT_EQ(0, instance.setChunk(program, false));
    EXPECT_EQ(0, instance.setChunk(bank, true));
    EXPECT_EQ(0, instance.setChunk(shortened, true));
}

TEST(PluginInstance, MidiArrivesAsWellFormedEvents)
{
    CPluginInstance instance(loadModule());
    std::vector<CPluginInstance::MidiMessage> messages;
    // Far more than the two event pointers VstEvents declares.
    for (int i = 0; i < 20; ++i)
    {
        messages.push_back({i * 3, static_cast<uint8_t>(0x90 | (i % 16)), static_cast<uint8_t>(60 + i),
                            static_cast<uint8_t>(127 - i)});
    }
    EXPECT_EQ(1, instance.sendMidi(messages));
    EXPECT_EQ(1, instance.sendMidi({}));

    Fixture::ReceivedMidi received;
    instance.dispatch(effVendorSpecific, Fixture::READ_MIDI, 0, &received);
    EXPECT_EQ(2, received.calls);
    ASSERT_EQ(20, received.count);
    for (int i = 0; i < received.count; ++i)
    {
        const VstMidiEvent &event = received.events[i];
        EXPECT_EQ(kVstMidiType, event.type) << "event " << i;
        EXPECT_EQ(static_cast<VstInt32>(sizeof(VstMidiEvent)), event.byteSize) << "event " << i;
        EXPECT_EQ(messages[i].deltaFrames, event.deltaFrames) << "event " << i;
        EXPECT_EQ(0, event.flags | event.noteLength | event.noteOffset | event.detune) << "event " << i;
        const uint8_t bytes[4] = {static_cast<uint8_t>(event.midiData[0]), static_cast<uint8_t>(event.midiData[1]),
                                  static_cast<uint8_t>(event.midiData[2]), static_cast<uint8_t>(event.midiData[3])};
        EXPECT_EQ(messages[i].status, bytes[0]) << "event " << i;
        EXPECT_EQ(messages[i].data1, bytes[1]) << "event " << i;
        EXPECT_EQ(messages[i].data2, bytes[2]) << "event " << i;
        EXPECT_EQ(0, bytes[3]) << "event " << i;
    }
}

TEST(PluginInstance, EveryProcessingPathKeepsItsChannels)
{
    CPluginInstance instance(loadModule());
    instance.open();
    instance.setBlockSize(StereoBlock<float>::FRAMES);
    instance.resume();
    // Gains of 0.5 on the left and 1.5 on the right.
    instance.setParameter(0, 0.25f);
    instance.setParameter(1, 0.75f);
    const float gains[2] = {0.5f, 1.5f};

    StereoBlock<float> replaced(99.0f);
    ASSERT_TRUE(instance.processReplacing(replaced.inputs, replaced.outputs, StereoBlock<float>::FRAMES));
    StereoBlock<float> accumulated(1.0f);
    ASSERT_TRUE(instance.processAccumulating(accumulated.inputs, accumulated.outputs, StereoBlock<float>::FRAMES));
    StereoBlock<double> doubled(99.0);
    ASSERT_TRUE(instance.processDoubleReplacing(doubled.inputs, doubled.outputs, StereoBlock<double>::FRAMES));
    for (int channel = 0; channel < 2; ++channel)
    {
        for (int frame = 0; frame < StereoBlock<float>::FRAMES; ++frame)
        {
            const float expected = replaced.in[channel][frame] * gains[channel];
            EXPECT_EQ(expected, replaced.out[channel][frame]) << "replacing " << channel << ":" << frame;
            EXPECT_EQ(1.0f + expected, accumulated.out[channel][frame]) << "accumulating " << channel << ":" << frame;
            EXPECT_EQ(expected, doubled.out[channel][frame]) << "double " << channel << ":" << frame;
        }
    }
}

TEST(PluginInstance, ProcessingThatAsksForTheTimeMakesTheHostAllocateNothing)
{
    if (!CAllocationCounter::isAvailable())
    {
        GTEST_SKIP() << "the allocation counter cannot run beside a sanitizer";
    }
    CHostSettings settings;
    settings.timeInfo = VstTimeInfo{};
    CPluginInstance instance(loadModule(), settings);
    instance.open();
    instance.resume();
    instance.clearRequests();
    StereoBlock<float> block(0.0f);

    // Enough blocks that an unreserved record would have to grow.
    constexpr int BLOCKS = 100;
    CAllocationCounter counter;
    counter.start();
    for (int i = 0; i < BLOCKS; ++i)
    {
        instance.processReplacing(block.inputs, block.outputs, StereoBlock<float>::FRAMES);
    }
    const long allocations = counter.stop();
    EXPECT_EQ(0, allocations);
    EXPECT_EQ(static_cast<size_t>(BLOCKS), instance.countRequests(audioMasterGetTime));
}

TEST(PluginInstance, ClosedInstanceIgnoresFurtherCalls)
{
    for (const bool rawClose : {false, true})
    {
        SCOPED_TRACE(rawClose ? "closed by dispatching effClose" : "closed by close()");
        CPluginInstance instance(loadModule());
        instance.open();
        instance.resume();
        if (rawClose)
        {
            instance.dispatch(effClose);
        }
        else
        {
            instance.close();
        }

        // Each call would reach the freed record (and AddressSanitizer would say so).
        EXPECT_EQ(nullptr, instance.effect());
        EXPECT_EQ(0, instance.dispatch(effGetVendorVersion));
        instance.setParameter(0, 1.0f);
        EXPECT_EQ(0.0f, instance.getParameter(0));
        StereoBlock<float> block(0.0f);
        StereoBlock<double> doubled(0.0);
        EXPECT_FALSE(instance.processReplacing(block.inputs, block.outputs, StereoBlock<float>::FRAMES));
        EXPECT_FALSE(instance.processAccumulating(block.inputs, block.outputs, StereoBlock<float>::FRAMES));
        EXPECT_FALSE(instance.processDoubleReplacing(doubled.inputs, doubled.outputs, StereoBlock<double>::FRAMES));
        EXPECT_EQ("", instance.effectName());
        EXPECT_TRUE(instance.getChunk(true).empty());
        EXPECT_EQ(0, instance.setChunk({1, 2, 3}, true));
        EXPECT_EQ(0, instance.sendMidi({{0, 0x90, 60, 100}}));
        EXPECT_FALSE(instance.inputProperties(0).has_value());
        // A second close, and the destructor's, must not close it again.
        instance.close();
    }
}
