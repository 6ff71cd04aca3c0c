// The built plug-in module, loaded and driven exactly as a host does: through
// its entry point, the effect record, the dispatcher and the process entries.
#include "tests/plugin/ZeloPlugin.h"
#include "tests/support/CAllocationCounter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <vector>

using namespace Zelo::Testing;
using Zelo::Tools::CHostSettings;
using Zelo::Tools::CPluginInstance;

TEST(Plugin, IdentifiesItselfToTheHost)
{
    auto zelo = openZelo();
    // It asks the host its questions once.
    EXPECT_EQ(1u, zelo->countRequests(audioMasterVersion));
    EXPECT_EQ(16u, zelo->countRequests(audioMasterCanDo));
    EXPECT_EQ(1u, zelo->countRequests(audioMasterGetProductString));
    const AEffect *record = zelo->effect();
    EXPECT_EQ("VSTPluginMain", zelo->module().entryName());
    // Magic, unique ID ('Ova5'), inputs, outputs, parameters, programs, flags and latency.
    EXPECT_EQ((std::vector<VstInt32>{kEffectMagic, 0x4F766135, 2, 2, 23, 13,
                                     effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks, 0}),
              (std::vector<VstInt32>{record->magic, record->uniqueID, record->numInputs, record->numOutputs,
                                     record->numParams, record->numPrograms, record->flags, record->initialDelay}));
    EXPECT_EQ("Zelo", zelo->effectName());
    EXPECT_EQ("Orlen Vantrell Audio", zelo->vendorString());
    EXPECT_EQ("Doubler", zelo->productString());
    EXPECT_EQ(2400, zelo->dispatch(effGetVstVersion));
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

#ifndef _WIN32
// Scanners and command-line hosts run without a display: nothing of X happens
// until the editor opens, and an editor that cannot open answers 0.
TEST(Plugin, LoadsAndProcessesWithoutADisplayWhereItsEditorCannotOpen)
{
    const char *display = std::getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    {
        auto zelo = openZelo();
        SStream stream;
        EXPECT_TRUE(stream.process(*zelo, 512));
        ERect *rect = nullptr;
        EXPECT_EQ(1, zelo->dispatch(effEditGetRect, 0, 0, &rect));
        ASSERT_NE(rect, nullptr);
        EXPECT_EQ(400, rect->right);
        EXPECT_EQ(0, zelo->dispatch(effEditOpen, 0, 0, reinterpret_cast<void *>(0x200001)));
        zelo->dispatch(effEditIdle);
        zelo->dispatch(effEditClose);
    }
    if (display)
        setenv("DISPLAY", saved.c_str(), 1);
}
#endif

TEST(Plugin, RefusesAHostWithoutVersionSilently)
{
    CHostSettings settings;
    settings.vstVersion = 0;
    testing::internal::CaptureStderr();
    EXPECT_THROW(CPluginInstance(zeloModule(), settings), std::runtime_error);
    EXPECT_EQ("", testing::internal::GetCapturedStderr()) << "no message box for a refused host";
}

// Each parameter as the host shows it: name, label, and the display in program 0
// ("Basic Doubler", A half) and at both ends of the range.
TEST(Plugin, ShowsEveryParameter)
{
    using SRow = std::array<const char *, 5>; // name, label, display in program 0, at 0 and at 1
    const SRow rows[] = {
        {"Master", "dB", "0.000", "-20.00", "20.00"},       {"Pan Two", " ", "0.000", "0.000", "1.000"},
        {"Pitch One", "Cents", "6.000", "-100.0", "100.0"}, {"Pitch Two", "Cents", "-6.000", "-100.0", "100.0"},
        {"Gain One", "dB", "-5.000", "-40.00", "0.000"},    {"Right Gain", "dB", "-5.000", "-40.00", "0.000"},
        {"Pan One", " ", "1.000", "0.000", "1.000"},        {"Dry Gain", " ", "0.000", "-40.00", "0.000"},
        {"Grain Size", " ", "Small", "Small", "Large"},     {"Delay One", "ms", "20.00", "20.00", "100.0"},
        {"Delay Two", "ms", "30.00", "20.00", "100.0"},     {"FeedBack One", "%", "0.000", "0.000", "100.0"},
        {"FeedBack Two", "%", "0.000", "0.000", "100.0"},   {"Lfo Rate One", "Hz", "0.010", "0.010", "5.000"},
        {"Lfo Rate Two", "Hz", "0.010", "0.010", "5.000"},  {"Lfo Depth One", "%", "0.000", "-100.0", "100.0"},
        {"Lfo Depth Two", "%", "0.000", "-100.0", "100.0"}, {"Sync Audio", " ", "Off", "Off", "On"},
        {"Blank", " ", "0.000", "0.000", "1.000"}, // all five placeholders, 18 … 22
    };
    auto zelo = openZelo();
    for (VstInt32 index = 0; index < 23; ++index)
    {
        const auto &[name, label, basicDoubler, atZero, atOne] = rows[std::min(index, 18)];
        EXPECT_EQ(name, zelo->parameterName(index)) << index;
        EXPECT_EQ(label, zelo->parameterLabel(index)) << index;
        EXPECT_EQ(basicDoubler, zelo->parameterDisplay(index)) << index;
        zelo->setParameter(index, 0.0f);
        EXPECT_EQ(atZero, zelo->parameterDisplay(index)) << index;
        zelo->setParameter(index, 1.0f);
        EXPECT_EQ(atOne, zelo->parameterDisplay(index)) << index;
    }
    for (const VstInt32 outside : {-1, 23, 26})
        EXPECT_TRUE(zelo->parameterName(outside).empty() && zelo->parameterDisplay(outside).empty()) << outside;
}

TEST(Plugin, ProgramBankAsTheHostSeesIt)
{
    const char *const names[13] = {
        "Basic Doubler", "Double Take", "Acoustic Guitar", "Vocals", "Vocals wide", "Slap back", "Warble",
        "Chorus",        "Init",        "----------",      "Orlen",  "Vantrell",    "Audio"};
    auto zelo = openZelo();
    for (VstInt32 program = 0; program < 13; ++program)
        EXPECT_EQ(names[program], zelo->programNameIndexed(program)) << program;
    char text[64];
    EXPECT_EQ(1, zelo->dispatch(effGetProgramNameIndexed, 12, 0, text));
    EXPECT_EQ(0, zelo->dispatch(effGetProgramNameIndexed, 13, 0, text));
    zelo->setProgram(5);
    EXPECT_EQ(5, zelo->program());
    EXPECT_EQ("Slap back", zelo->programName());
    EXPECT_EQ("100.0", zelo->parameterDisplay(9));
    for (const VstIntPtr outside : {VstIntPtr{13}, VstIntPtr{-1}, std::numeric_limits<VstIntPtr>::max()})
        zelo->dispatch(effSetProgram, 0, outside);
    EXPECT_EQ(5, zelo->program()) << "numbers outside the bank are ignored";
    zelo->setParameter(26, 1.0f);
    EXPECT_EQ("Large", zelo->parameterDisplay(8)) << "the B half is live";
    zelo->setParameter(26, 0.0f);
    EXPECT_EQ("Small", zelo->parameterDisplay(8));
    zelo->setProgramName("A program name that is much too long");
    EXPECT_EQ("A program name that is ", zelo->programNameIndexed(5)) << "cut to 23 characters";
}

TEST(Plugin, MidiControllersReachTheParameters)
{
    auto zelo = openZelo();
    EXPECT_EQ(1, zelo->sendMidi({{0, 0xB0, 5, 0}, {3, 0xB0, 16, 127}, {4, 0xB9, 13, 0}}));
    ASSERT_TRUE(SStream().process(*zelo, 64));
    EXPECT_EQ(5, zelo->program());
    EXPECT_EQ(1.0f, zelo->getParameter(6)) << "controller 16 moves Pan One";
    EXPECT_EQ(0.5f, zelo->getParameter(0)) << "the tenth channel is not listened to";
}

TEST(Plugin, LatencyIsAnnouncedToHostsThatAcceptIt)
{
    for (bool accepts : {true, false})
    {
        auto zelo = openZelo(48000.0, 512, accepts);
        zelo->clearRequests();
        zelo->setParameter(8, 1.0f);
        zelo->setParameter(17, 1.0f);
        EXPECT_EQ(1200, zelo->effect()->initialDelay) << "half the 2400-sample grain";
        EXPECT_EQ(accepts ? 2u : 0u, zelo->countRequests(audioMasterIOChanged));
    }
}

TEST(Plugin, ProcessingDoesNotAllocate)
{
    if (!CAllocationCounter::isAvailable())
        GTEST_SKIP() << "allocations cannot be counted here (a sanitizer's heap, or a Windows DLL's own runtime)";
    auto zelo = openZelo();
    zelo->setProgram(6);
    zelo->setParameter(17, 1.0f);
    // The host's event list is built before counting: only the plug-in's side is measured.
    VstMidiEvent events[3] = {{kVstMidiType, sizeof(VstMidiEvent), 0, 0, 0, 0, {'\xB0', 14, 100, 0}, 0, 0, 0, 0},
                              {kVstMidiType, sizeof(VstMidiEvent), 10, 0, 0, 0, {'\x90', 60, 100, 0}, 0, 0, 0, 0},
                              {kVstMidiType, sizeof(VstMidiEvent), 20, 0, 0, 0, {'\xE0', 0, 64, 0}, 0, 0, 0, 0}};
    std::vector<unsigned char> storage(sizeof(VstEvents) + 3 * sizeof(VstEvent *));
    auto *list = reinterpret_cast<VstEvents *>(storage.data());
    list->numEvents = 3;
    VstEvent **slots = list->events; // three, past the two the record declares
    for (int index = 0; index < 3; ++index)
        slots[index] = reinterpret_cast<VstEvent *>(&events[index]);
    SStream stream;
    ASSERT_TRUE(stream.process(*zelo, 512));
    CAllocationCounter counter;
    counter.start();
    for (int round = 0; round < 200; ++round)
    {
        zelo->dispatch(effProcessEvents, 0, 0, list);
        stream.process(*zelo, 512);
    }
    EXPECT_EQ(0, counter.stop());
}

#if defined(__x86_64__)
TEST(Plugin, ProcessingRestoresTheHostsFloatingPointMode)
{
    auto zelo = openZelo();
    const unsigned int before = __builtin_ia32_stmxcsr();
    ASSERT_TRUE(SStream().process(*zelo, 256));
    EXPECT_EQ(before, __builtin_ia32_stmxcsr());
}
#endif
