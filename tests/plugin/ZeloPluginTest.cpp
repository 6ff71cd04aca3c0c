// The built plug-in module, loaded and driven exactly as a host does: through
// its entry point, the effect record, the dispatcher and the process entries.
#include "tests/support/CAllocationCounter.h"
#include "tools/host/CPluginInstance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

using Zelo::Testing::CAllocationCounter;
using Zelo::Tools::CHostSettings;
using Zelo::Tools::CPluginInstance;
using Zelo::Tools::CPluginModule;

namespace
{
std::shared_ptr<const CPluginModule> zeloModule()
{
    static const auto module = std::make_shared<const CPluginModule>(ZELO_PLUGIN_PATH);
    return module;
}

std::unique_ptr<CPluginInstance> openZelo(CHostSettings settings = {})
{
    auto instance = std::make_unique<CPluginInstance>(zeloModule(), settings);
    instance->open();
    instance->setSampleRate(static_cast<float>(settings.sampleRate));
    instance->setBlockSize(settings.blockSize);
    instance->resume();
    return instance;
}

// Stereo buffers for one process call.
struct SBlock
{
    explicit SBlock(int frames) : left(frames), right(frames), outLeft(frames), outRight(frames)
    {
        for (int n = 0; n < frames; ++n)
        {
            left[static_cast<size_t>(n)] = static_cast<float>(std::sin(n * 0.05));
            right[static_cast<size_t>(n)] = static_cast<float>(std::cos(n * 0.031));
        }
    }
    bool process(CPluginInstance &plugin)
    {
        float *inputs[2] = {left.data(), right.data()};
        float *outputs[2] = {outLeft.data(), outRight.data()};
        return plugin.processReplacing(inputs, outputs, static_cast<VstInt32>(left.size()));
    }
    std::vector<float> left, right, outLeft, outRight;
};

struct SParameterText
{
    const char *name;
    const char *label;
    const char *display;
};

// Program 0 ("Basic Doubler", A half) as the host shows it.
const SParameterText BASIC_DOUBLER[23] = {
    {"Master", "dB", "0.000"},          {"Pan Two", " ", "0.000"},        {"Pitch One", "Cents", "6.000"},
    {"Pitch Two", "Cents", "-6.000"},   {"Gain One", "dB", "-5.000"},     {"Right Gain", "dB", "-5.000"},
    {"Pan One", " ", "1.000"},          {"Dry Gain", " ", "0.000"},       {"Grain Size", " ", "Small"},
    {"Delay One", "ms", "20.00"},       {"Delay Two", "ms", "30.00"},     {"FeedBack One", "%", "0.000"},
    {"FeedBack Two", "%", "0.000"},     {"Lfo Rate One", "Hz", "0.010"},  {"Lfo Rate Two", "Hz", "0.010"},
    {"Lfo Depth One", "%", "0.000"},    {"Lfo Depth Two", "%", "0.000"},  {"Sync Audio", " ", "Off"},
    {"Blank", " ", "0.000"},            {"Blank", " ", "0.000"},          {"Blank", " ", "0.000"},
    {"Blank", " ", "0.000"},            {"Blank", " ", "0.000"}};

const char *const PROGRAM_NAMES[13] = {"Basic Doubler", "Double Take", "Acoustic Guitar", "Vocals",
                                       "Vocals wide",   "Slap back",   "Warble",          "Chorus",
                                       "Init",          "----------",  "Orlen",           "Vantrell",
                                       "Audio"};
} // namespace

TEST(Plugin, IdentifiesItselfToTheHost)
{
    auto zelo = openZelo();
    const AEffect *record = zelo->effect();
    EXPECT_EQ("VSTPluginMain", zelo->module().entryName());
    EXPECT_EQ(kEffectMagic, record->magic);
    EXPECT_EQ(0x4F766135, record->uniqueID) << "'Ova5'";
    EXPECT_EQ(2, record->numInputs);
    EXPECT_EQ(2, record->numOutputs);
    EXPECT_EQ(23, record->numParams);
    EXPECT_EQ(13, record->numPrograms);
    EXPECT_EQ(effFlagsCanReplacing | effFlagsProgramChunks, record->flags);
    EXPECT_EQ(0, record->initialDelay);
    EXPECT_EQ("Zelo", zelo->effectName());
    EXPECT_EQ("Orlen Vantrell Audio", zelo->vendorString());
    EXPECT_EQ("Doubler", zelo->productString());
    EXPECT_EQ(2400, zelo->dispatch(effGetVstVersion));
    EXPECT_EQ(0x4E764566, zelo->dispatch(effIdentify));
    EXPECT_EQ(1, zelo->dispatch(effGetNumMidiInputChannels));
    EXPECT_EQ(0, zelo->dispatch(effGetPlugCategory));
    EXPECT_EQ(1, zelo->canDo("2in2out"));
    EXPECT_EQ(-1, zelo->canDo("receiveVstTimeInfo"));
    const auto pin = zelo->outputProperties(1);
    ASSERT_TRUE(pin.has_value());
    EXPECT_STREQ("Right output", pin->label);
    EXPECT_STREQ("R out", pin->shortLabel);
    EXPECT_FALSE(zelo->outputProperties(2).has_value());
}

TEST(Plugin, AsksTheHostItsQuestionsOnce)
{
    auto zelo = openZelo();
    EXPECT_EQ(1u, zelo->countRequests(audioMasterVersion));
    EXPECT_EQ(16u, zelo->countRequests(audioMasterCanDo));
    EXPECT_GE(zelo->countRequests(audioMasterWantMidi), 1u) << "resume asks for MIDI";
    EXPECT_EQ(1u, zelo->countRequests(audioMasterGetProductString));
}

TEST(Plugin, RefusesAHostWithoutVersionSilently)
{
    CHostSettings settings;
    settings.vstVersion = 0;
    testing::internal::CaptureStderr();
    EXPECT_THROW(CPluginInstance(zeloModule(), settings), std::runtime_error);
    EXPECT_EQ("", testing::internal::GetCapturedStderr()) << "no message box for a refused host";
}

TEST(Plugin, ShowsEveryParameter)
{
    auto zelo = openZelo();
    for (VstInt32 index = 0; index < 23; ++index)
    {
        EXPECT_EQ(BASIC_DOUBLER[index].name, zelo->parameterName(index)) << index;
        EXPECT_EQ(BASIC_DOUBLER[index].label, zelo->parameterLabel(index)) << index;
        EXPECT_EQ(BASIC_DOUBLER[index].display, zelo->parameterDisplay(index)) << index;
    }
    zelo->setParameter(9, 0.095f);
    EXPECT_EQ("27.60", zelo->parameterDisplay(9));
    zelo->setParameter(4, 0.0f);
    EXPECT_EQ("-40.00", zelo->parameterDisplay(4));
    zelo->setParameter(8, 0.49f);
    EXPECT_EQ("Small", zelo->parameterDisplay(8));
    zelo->setParameter(8, 0.5f);
    EXPECT_EQ("Large", zelo->parameterDisplay(8));
    zelo->setParameter(17, 0.7f);
    EXPECT_EQ("On", zelo->parameterDisplay(17));
    EXPECT_EQ("", zelo->parameterName(23)) << "no parameter behind the last index";
    EXPECT_EQ("", zelo->parameterDisplay(-1));
}

TEST(Plugin, ProgramsAndHalves)
{
    auto zelo = openZelo();
    for (VstInt32 program = 0; program < 13; ++program)
    {
        EXPECT_EQ(PROGRAM_NAMES[program], zelo->programNameIndexed(program)) << program;
    }
    zelo->setProgram(5);
    EXPECT_EQ(5, zelo->program());
    EXPECT_EQ("Slap back", zelo->programName());
    EXPECT_EQ("100.0", zelo->parameterDisplay(9));
    zelo->setProgram(13);
    EXPECT_EQ(5, zelo->program()) << "numbers outside the bank are ignored";
    zelo->setParameter(26, 1.0f);
    EXPECT_EQ("Large", zelo->parameterDisplay(8)) << "the B half is live";
    zelo->setParameter(26, 0.0f);
    EXPECT_EQ("Small", zelo->parameterDisplay(8));
    zelo->setProgramName("A program name that is much too long");
    EXPECT_EQ("A program name that is ", zelo->programNameIndexed(5)) << "cut to 23 characters";
    EXPECT_EQ("", zelo->programNameIndexed(13));
}

TEST(Plugin, MidiControllersReachTheParameters)
{
    auto zelo = openZelo();
    EXPECT_EQ(1, zelo->sendMidi({{0, 0xB0, 5, 0}, {3, 0xB0, 16, 127}, {4, 0xB9, 13, 0}}));
    SBlock block(64);
    block.process(*zelo);
    EXPECT_EQ(5, zelo->program());
    EXPECT_EQ(1.0f, zelo->getParameter(6)) << "controller 16 moves Pan One";
    EXPECT_EQ(0.5f, zelo->getParameter(0)) << "the tenth channel is not listened to";
}

TEST(Plugin, LatencyIsAnnouncedToHostsThatAcceptIt)
{
    for (bool accepts : {true, false})
    {
        CHostSettings settings;
        settings.sampleRate = 48000.0;
        if (!accepts)
        {
            settings.canDos.erase("acceptIOChanges");
        }
        auto zelo = openZelo(settings);
        zelo->clearRequests();
        zelo->setParameter(8, 1.0f);
        zelo->setParameter(17, 1.0f);
        EXPECT_EQ(1200, zelo->effect()->initialDelay) << "half the 2400-sample grain";
        EXPECT_EQ(accepts ? 2u : 0u, zelo->countRequests(audioMasterIOChanged));
    }
}

TEST(Plugin, ProcessingNeitherAllocatesNorLocksUp)
{
    if (!CAllocationCounter::isAvailable())
    {
        GTEST_SKIP() << "allocations cannot be counted in a sanitized build";
    }
    auto zelo = openZelo();
    zelo->setProgram(6);
    zelo->setParameter(17, 1.0f);
    SBlock block(512);
    // The host's event list is built before counting: only the plug-in's side is measured.
    const unsigned char messages[3][3] = {{0xB0, 14, 100}, {0x90, 60, 100}, {0xE0, 0, 64}};
    VstMidiEvent events[3] = {};
    std::vector<unsigned char> storage(sizeof(VstEvents) + 3 * sizeof(VstEvent *));
    auto *list = reinterpret_cast<VstEvents *>(storage.data());
    list->numEvents = 3;
    VstEvent **pointers = list->events;
    for (int index = 0; index < 3; ++index)
    {
        events[index].type = kVstMidiType;
        events[index].byteSize = sizeof(VstMidiEvent);
        events[index].deltaFrames = index * 10;
        std::memcpy(events[index].midiData, messages[index], 3);
        pointers[index] = reinterpret_cast<VstEvent *>(&events[index]);
    }
    block.process(*zelo);
    CAllocationCounter counter;
    counter.start();
    for (int round = 0; round < 200; ++round)
    {
        zelo->dispatch(effProcessEvents, 0, 0, list);
        block.process(*zelo);
    }
    EXPECT_EQ(0, counter.stop());
}

#if defined(__x86_64__)
TEST(Plugin, ProcessingRestoresTheHostsFloatingPointMode)
{
    auto zelo = openZelo();
    SBlock block(256);
    const unsigned int before = __builtin_ia32_stmxcsr();
    ASSERT_TRUE(block.process(*zelo));
    EXPECT_EQ(before, __builtin_ia32_stmxcsr());
}
#endif

TEST(Plugin, AccumulatingEntryLeavesOutputsAlone)
{
    auto zelo = openZelo();
    SBlock block(32);
    std::fill(block.outLeft.begin(), block.outLeft.end(), 0.25f);
    float *inputs[2] = {block.left.data(), block.right.data()};
    float *outputs[2] = {block.outLeft.data(), block.outRight.data()};
    zelo->processAccumulating(inputs, outputs, 32);
    EXPECT_EQ(0.25f, block.outLeft[31]);
}
