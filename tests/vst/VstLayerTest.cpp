#include "foundation/basics/CApplicationInformation.h"
#include "tests/support/CRecordingHost.h"
#include "vst/CVstEffect.h"
#include "vst/window/CVstWindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Orvalite::Vst;
using Orvalite::Basics::CApplicationInformation;
using Orvalite::Testing::CRecordingHost;

namespace
{
// An effect on the framework base that records what reaches it.
class CProbeEffect : public CVstEffect
{
public:
    explicit CProbeEffect(audioMasterCallback host) : CVstEffect(host, 3, 4) {}

    VstInt32 canDo(char *text) override
    {
        return text && std::strcmp(text, "receiveVstMidiEvent") == 0 ? receivesMidi : 0;
    }
    void setParameter(VstInt32 index, float value) override
    {
        lastIndex = index;
        lastValue = value;
    }
    void open() override { ++opened; }
    void close() override { ++closed; }
    void suspend() override { ++suspended; }

    VstInt32 receivesMidi = 1;
    VstInt32 lastIndex = -1;
    float lastValue = 0.0f;
    int opened = 0, closed = 0, suspended = 0;
};

VstIntPtr dispatch(AEffect *effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr,
                   float opt = 0.0f)
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

long liveEffects()
{
    return CVstEffect::getClassRecord().getNumberOfInstances();
}

class VstLayer : public testing::Test
{
protected:
    void SetUp() override { m_effect = (new CProbeEffect(CRecordingHost::callback()))->getAeffect(); }
    void TearDown() override
    {
        if (m_effect)
        {
            dispatch(m_effect, effClose);
        }
    }

    CProbeEffect &probe() { return *static_cast<CProbeEffect *>(m_effect->object); }

    CRecordingHost m_host;
    AEffect *m_effect = nullptr;
};
} // namespace

TEST_F(VstLayer, RecordStartsWithTheBaseDefaults)
{
    EXPECT_EQ(kEffectMagic, m_effect->magic);
    EXPECT_EQ(4, m_effect->numPrograms);
    EXPECT_EQ(3, m_effect->numParams);
    EXPECT_EQ(1, m_effect->numInputs);
    EXPECT_EQ(2, m_effect->numOutputs);
    EXPECT_EQ(effFlagsCanReplacing, m_effect->flags);
    EXPECT_EQ(0x4E6F4566, m_effect->uniqueID);
    EXPECT_EQ(1, m_effect->version);
    EXPECT_EQ(1.0f, m_effect->ioRatio);
    EXPECT_EQ(0, m_effect->initialDelay);
    EXPECT_EQ(&probe(), m_effect->object);
}

struct SOpcodeAnswer
{
    VstInt32 opcode;
    VstIntPtr value;
    VstIntPtr expected;
};

class DispatcherAnswers : public VstLayer, public testing::WithParamInterface<SOpcodeAnswer>
{
};

TEST_P(DispatcherAnswers, MatchTheTable)
{
    const auto &row = GetParam();
    EXPECT_EQ(row.expected, dispatch(m_effect, row.opcode, 0, row.value)) << "opcode " << row.opcode;
}

// The answers of the base layers, a sample of the opcodes VST 2.4 retired, and
// numbers no opcode has.
INSTANTIATE_TEST_SUITE_P(
    Table, DispatcherAnswers,
    testing::Values(SOpcodeAnswer{effIdentify, 0, 0x4E764566}, SOpcodeAnswer{effGetVstVersion, 0, 2400},
                    SOpcodeAnswer{effGetNumMidiInputChannels, 0, 1}, SOpcodeAnswer{effGetNumMidiOutputChannels, 0, 0},
                    SOpcodeAnswer{effGetCurrentMidiProgram, 0, -1}, SOpcodeAnswer{effSetTotalSampleToProcess, 777, 777},
                    SOpcodeAnswer{effGetPlugCategory, 0, 0}, SOpcodeAnswer{effCanBeAutomated, 0, 1},
                    SOpcodeAnswer{effGetVu, 0, 0}, SOpcodeAnswer{effEditDraw, 0, 0}, SOpcodeAnswer{effEditSleep, 0, 0},
                    SOpcodeAnswer{effGetNumProgramCategories, 0, 0}, SOpcodeAnswer{effKeysRequired, 0, 0},
                    SOpcodeAnswer{effEditGetRect, 0, 0}, SOpcodeAnswer{effEditKeyDown, 0, 0},
                    SOpcodeAnswer{effCanDo, 0, 0}, SOpcodeAnswer{effSetBypass, 1, 0}, SOpcodeAnswer{-1, 0, 0},
                    SOpcodeAnswer{80, 0, 0}, SOpcodeAnswer{100000, 0, 0}));

TEST_F(VstLayer, ProgramSelectionIgnoresNumbersOutsideTheBank)
{
    for (VstIntPtr program : {VstIntPtr{3}, VstIntPtr{4}, VstIntPtr{-1}, VstIntPtr{1} << 40})
    {
        dispatch(m_effect, effSetProgram, 0, program);
    }
    EXPECT_EQ(3, dispatch(m_effect, effGetProgram));
}

TEST_F(VstLayer, LifecycleOpcodesReachTheEffect)
{
    dispatch(m_effect, effOpen);
    dispatch(m_effect, effSetSampleRate, 0, 0, nullptr, 96000.0f);
    dispatch(m_effect, effSetBlockSize, 0, 333);
    dispatch(m_effect, effMainsChanged, 0, 0);
    EXPECT_EQ(1, probe().opened);
    EXPECT_EQ(1, probe().suspended);
    EXPECT_EQ(96000.0f, probe().getSampleRate());
    EXPECT_EQ(333, probe().getBlockSize());
    const long wantsBefore = m_host.count(audioMasterWantMidi);
    dispatch(m_effect, effMainsChanged, 0, 1);
    EXPECT_EQ(wantsBefore + 1, m_host.count(audioMasterWantMidi)) << "resume asks for MIDI";
    probe().receivesMidi = 0;
    dispatch(m_effect, effMainsChanged, 0, 1);
    EXPECT_EQ(wantsBefore + 1, m_host.count(audioMasterWantMidi)) << "not when the effect takes no MIDI";
}

TEST_F(VstLayer, CloseDestroysTheEffectAndAnswersOne)
{
    const long before = liveEffects();
    EXPECT_EQ(1, dispatch(m_effect, effClose));
    m_effect = nullptr;
    EXPECT_EQ(before - 1, liveEffects());
}

TEST_F(VstLayer, TextDefaultsOfTheFrameworkBase)
{
    char text[64];
    dispatch(m_effect, effGetParamName, 0, 0, text);
    EXPECT_STREQ("No param", text);
    dispatch(m_effect, effGetParamDisplay, 1, 0, text);
    EXPECT_STREQ("No param", text);
    dispatch(m_effect, effGetParamLabel, 2, 0, text);
    EXPECT_STREQ("No param", text);
    dispatch(m_effect, effGetProgramName, 0, 0, text);
    EXPECT_STREQ("Default", text);
    std::strcpy(text, "x");
    EXPECT_EQ(1, dispatch(m_effect, effGetProgramNameIndexed, 2, 0, text));
    EXPECT_STREQ("Default", text);
    EXPECT_EQ(0, dispatch(m_effect, effGetParamName, 0, 0, nullptr)) << "a null buffer is never written";
}

TEST_F(VstLayer, IdentityAnswersComeFromTheApplicationInformation)
{
    char text[64];
    std::memset(text, 'X', sizeof(text));
    EXPECT_EQ(1, dispatch(m_effect, effGetEffectName, 0, 0, text));
    EXPECT_STREQ(" ", text) << "nothing set yet";
    CApplicationInformation::setProductName("A product name well over twenty-three characters");
    CApplicationInformation::setCompanyName("Orlen Vantrell Audio");
    CApplicationInformation::setProductType("Doubler");
    std::memset(text, 'X', sizeof(text));
    EXPECT_EQ(1, dispatch(m_effect, effGetEffectName, 0, 0, text));
    EXPECT_STREQ("A product name well ove", text) << "cut to 23 characters";
    EXPECT_EQ('X', text[24]) << "only 24 bytes are touched";
    EXPECT_EQ(1, dispatch(m_effect, effGetVendorString, 0, 0, text));
    EXPECT_STREQ("Orlen Vantrell Audio", text);
    EXPECT_EQ(1, dispatch(m_effect, effGetProductString, 0, 0, text));
    EXPECT_STREQ("Doubler", text);
    EXPECT_EQ(0, dispatch(m_effect, effGetVendorString, 0, 0, nullptr));
    CApplicationInformation::releaseApplicationInformation();
}

TEST_F(VstLayer, AutomationSetsThenTellsTheHost)
{
    probe().setParameterAutomated(2, 0.25f);
    EXPECT_EQ(2, probe().lastIndex);
    ASSERT_EQ(1, m_host.count(audioMasterAutomate));
    const auto &request = m_host.requests.back();
    EXPECT_EQ(2, request.index);
    EXPECT_EQ(0.25f, request.opt);
}

TEST_F(VstLayer, HostRequestsPassTheirAnswersThrough)
{
    m_host.answers[audioMasterVersion] = 0;
    m_host.answers[audioMasterGetSampleRate] = 48000;
    m_host.answers[audioMasterGetBlockSize] = -5;
    m_host.answers[audioMasterPinConnected] = 1;
    m_host.answers[audioMasterIOChanged] = 1;
    EXPECT_EQ(1, probe().getMasterVersion()) << "a zero version reads as 1";
    EXPECT_EQ(48000.0, probe().updateSampleRate());
    EXPECT_EQ(1024, probe().updateBlockSize()) << "a non-positive answer keeps the stored size";
    EXPECT_FALSE(probe().isInputConnected(0));
    EXPECT_TRUE(probe().ioChanged());
    EXPECT_FALSE(probe().openFileSelector(nullptr));
    EXPECT_EQ(nullptr, probe().getTimeInfo(0));
}

TEST(VstLayerWithoutHost, RequestsAnswerTheirNoHostValues)
{
    auto *effect = new CProbeEffect(nullptr);
    EXPECT_EQ(1, effect->getMasterVersion());
    EXPECT_TRUE(effect->isInputConnected(0));
    EXPECT_TRUE(effect->isOutputConnected(1));
    EXPECT_FALSE(effect->ioChanged());
    EXPECT_FALSE(effect->canHostDo(const_cast<char *>("sizeWindow")));
    EXPECT_EQ(44100.0, effect->updateSampleRate());
    EXPECT_EQ(nullptr, effect->getTimeInfo(0));
    effect->setParameterAutomated(1, 0.5f);
    EXPECT_EQ(1, effect->lastIndex);
    EXPECT_FALSE(effect->getHostCanDo().can(CHostCanDo::ACCEPT_IO_CHANGES));
    AEffect *record = effect->getAeffect();
    EXPECT_EQ(1, record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f));
}

TEST_F(VstLayer, EditorAttachesThroughTheEditorBase)
{
    auto *window = new CVstWindow(&probe());
    EXPECT_EQ(static_cast<Orvalite::Vst::IEffectEditor *>(window), probe().getEffectEditor());
    EXPECT_TRUE(m_effect->flags & effFlagsHasEditor);
    ERect *rect = reinterpret_cast<ERect *>(1);
    EXPECT_EQ(0, dispatch(m_effect, effEditGetRect, 0, 0, &rect)) << "the base editor has no rectangle";
    EXPECT_EQ(nullptr, rect);
    int parent = 0;
    EXPECT_EQ(0, dispatch(m_effect, effEditOpen, 0, 0, &parent));
    EXPECT_TRUE(window->isOpen());
    dispatch(m_effect, effEditIdle);
    dispatch(m_effect, effEditClose);
    EXPECT_FALSE(window->isOpen());
    EXPECT_FALSE(window->isUpdatingEffect());
    window->setUpdatingEffect(true);
    EXPECT_TRUE(window->isUpdatingEffect());
}

TEST(TextHelpers, FormatValuesAndRefuseHugeOnes)
{
    CProbeEffect effect(nullptr);
    char text[16];
    effect.dB2string(0.0f, text, sizeof(text));
    EXPECT_STREQ("-oo", text);
    effect.dB2string(10.0f, text, sizeof(text));
    EXPECT_STREQ("20.00", text);
    effect.Hz2string(0.0f, text, sizeof(text));
    EXPECT_STREQ("0.00", text);
    effect.Hz2string(441.0f, text, sizeof(text));
    EXPECT_STREQ("100.00", text);
    effect.ms2string(4410.0f, text, sizeof(text));
    EXPECT_STREQ("100.00", text);
    effect.float2string(1e9f, text, sizeof(text));
    EXPECT_STREQ("Huge!", text);
    effect.float2string(-1e8f, text, sizeof(text));
    EXPECT_STREQ("Huge!", text);
    effect.int2string(-42, text, sizeof(text));
    EXPECT_STREQ("-42", text);
    effect.int2string(100000000, text, sizeof(text));
    EXPECT_STREQ("Huge!", text);
    effect.int2string(12345, text, 4);
    EXPECT_STREQ("123", text) << "bounded by the buffer";
}
