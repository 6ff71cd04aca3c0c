#include "foundation/basics/CApplicationInformation.h"
#include "foundation/basics/CException.h"
#include "tests/support/CRecordingHost.h"
#include "vst/CVstEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

using namespace Orvalite::Vst;
using Orvalite::Basics::CApplicationInformation;
using Orvalite::Exceptions::CException;
using Orvalite::Midi::CMidiEvent;
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
    void setParameter(VstInt32 index, float) override { lastIndex = index; }
    void open() override { ++opened; }
    void suspend() override { ++suspended; }

    VstInt32 receivesMidi = 1;
    VstInt32 lastIndex = -1;
    int opened = 0, suspended = 0;
};

VstIntPtr dispatch(AEffect *effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr,
                   float opt = 0.0f)
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

class VstLayer : public testing::Test
{
protected:
    void SetUp() override { m_effect = (new CProbeEffect(CRecordingHost::callback()))->getAeffect(); }
    void TearDown() override
    {
        if (m_effect)
            dispatch(m_effect, effClose);
    }

    CProbeEffect &probe() { return *static_cast<CProbeEffect *>(m_effect->object); }

    CRecordingHost m_host;
    AEffect *m_effect = nullptr;
};

// A block of raw MIDI messages as a host hands it over.
struct SEventBlock
{
    void add(unsigned char status, unsigned char data1, unsigned char data2, VstInt32 delta = 0,
             VstInt32 type = kVstMidiType)
    {
        const char bytes[4] = {static_cast<char>(status), static_cast<char>(data1), static_cast<char>(data2), 0};
        events.push_back({type, sizeof(VstMidiEvent), delta, 0, 0, 0, {bytes[0], bytes[1], bytes[2], 0}, 0, 0, 0, 0});
    }
    VstEvents *list()
    {
        storage.assign(sizeof(VstEvents) + events.size() * sizeof(VstEvent *), 0);
        auto *list = reinterpret_cast<VstEvents *>(storage.data());
        list->numEvents = static_cast<VstInt32>(events.size());
        for (size_t index = 0; index < events.size(); ++index)
            list->events[index] = reinterpret_cast<VstEvent *>(&events[index]);
        return list;
    }

    std::vector<VstMidiEvent> events;
    std::vector<unsigned char> storage;
};

std::string describe(const Orvalite::Basics::CCountedObject &object, long size = 256)
{
    std::vector<char> text(static_cast<size_t>(size), 'X');
    object.getObjectDescription(text.data(), size);
    return text.data();
}
} // namespace

// Editor opcodes without an editor, text queries without a buffer, a can-do
// question without a text, and numbers no opcode has: nothing to do, answered 0.
TEST_F(VstLayer, DispatcherAnswersZeroWhenThereIsNothingToAnswer)
{
    for (const VstInt32 opcode : std::initializer_list<VstInt32>{
             effEditGetRect, effEditOpen, effEditKeyDown, effSetEditKnobMode, effGetParamName, effGetParamDisplay,
             effGetParamLabel, effGetProgramName, effGetProgramNameIndexed, effCanDo, -1, 80, 100000})
        EXPECT_EQ(0, dispatch(m_effect, opcode)) << "opcode " << opcode;
    EXPECT_EQ(777, dispatch(m_effect, effSetTotalSampleToProcess, 0, 777)) << "the count is taken as given";
}

TEST_F(VstLayer, LifecycleOpcodesReachTheEffect)
{
    dispatch(m_effect, effOpen);
    dispatch(m_effect, effSetSampleRate, 0, 0, nullptr, 96000.0f);
    dispatch(m_effect, effSetBlockSize, 0, 333);
    dispatch(m_effect, effMainsChanged, 0, 0);
    EXPECT_TRUE(probe().opened == 1 && probe().suspended == 1);
    EXPECT_EQ(96000.0f, probe().getSampleRate());
    EXPECT_EQ(333, probe().getBlockSize());
    const long wantsBefore = m_host.count(audioMasterWantMidi);
    dispatch(m_effect, effMainsChanged, 0, 1);
    EXPECT_EQ(wantsBefore + 1, m_host.count(audioMasterWantMidi)) << "resume asks for MIDI";
    probe().receivesMidi = 0;
    dispatch(m_effect, effMainsChanged, 0, 1);
    EXPECT_EQ(wantsBefore + 1, m_host.count(audioMasterWantMidi)) << "not when the effect takes no MIDI";
}

// The texts themselves are checked through the built plug-in.
TEST_F(VstLayer, IdentityAnswersWriteAtMostTwentyFourBytes)
{
    CApplicationInformation::setProductName("A product name well over twenty-three characters");
    std::string name(64, 'X');
    EXPECT_EQ(1, dispatch(m_effect, effGetEffectName, 0, 0, name.data()));
    EXPECT_EQ(std::string("A product name well ove") + '\0' + 'X', name.substr(0, 25));
    for (const VstInt32 opcode : {effGetEffectName, effGetVendorString, effGetProductString})
        EXPECT_EQ(0, dispatch(m_effect, opcode)) << "opcode " << opcode << " without a buffer";
    CApplicationInformation::releaseApplicationInformation();
}

TEST_F(VstLayer, AutomationSetsThenTellsTheHost)
{
    probe().setParameterAutomated(2, 0.25f);
    EXPECT_EQ(2, probe().lastIndex);
    ASSERT_EQ(1, m_host.count(audioMasterAutomate));
    EXPECT_EQ(2, m_host.requests.back().index);
    EXPECT_EQ(0.25f, m_host.requests.back().opt);
}

TEST_F(VstLayer, HostRequestsPassTheirAnswersThrough)
{
    m_host.answers = {{audioMasterVersion, 0},
                      {audioMasterGetSampleRate, 48000},
                      {audioMasterGetBlockSize, -5},
                      {audioMasterPinConnected, 1},
                      {audioMasterIOChanged, 1}};
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
    EXPECT_EQ(1, dispatch(effect->getAeffect(), effClose));
}

TEST(TextHelpers, FormatValuesForDisplay)
{
    CProbeEffect effect(nullptr);
    const auto text = [&effect](auto helper, auto value, VstInt32 size = 16) {
        char buffer[16];
        (effect.*helper)(value, buffer, size);
        return std::string(buffer);
    };
    EXPECT_EQ("-oo", text(&AudioEffect::dB2string, 0.0f));
    EXPECT_EQ("20.00", text(&AudioEffect::dB2string, 10.0f));
    EXPECT_EQ("0.00", text(&AudioEffect::Hz2string, 0.0f));
    EXPECT_EQ("100.00", text(&AudioEffect::Hz2string, 441.0f));
    EXPECT_EQ("100.00", text(&AudioEffect::ms2string, 4410.0f));
    EXPECT_EQ("Huge!", text(&AudioEffect::float2string, 1e9f));
    EXPECT_EQ("Huge!", text(&AudioEffect::float2string, -1e8f));
    EXPECT_EQ("-42", text(&AudioEffect::int2string, -42));
    EXPECT_EQ("Huge!", text(&AudioEffect::int2string, 100000000));
    EXPECT_EQ("123", text(&AudioEffect::int2string, 12345, 4)) << "bounded by the buffer";
}

TEST(HostCanDo, EveryNonZeroAnswerCountsAsYes)
{
    CRecordingHost host;
    host.canDoDefault = -1;
    host.vendor = "Some Vendor";
    host.product = "Some Product";
    host.answers[audioMasterGetVendorVersion] = 1234;
    auto *effect = new CProbeEffect(CRecordingHost::callback());
    const CHostCanDo &canDo = effect->getHostCanDo();
    for (size_t index = 0; index < CHostCanDo::NUMBER_OF_CAPABILITIES; ++index)
    {
        const auto capability = static_cast<CHostCanDo::ECapability>(index);
        EXPECT_TRUE(canDo.can(capability)) << index;
        EXPECT_EQ(CHostCanDo::getCapabilityName(capability), host.requests[index].text) << "asked in table order";
    }
    EXPECT_STREQ("Some Product", canDo.getHostProduct().getString());
    EXPECT_STREQ("Some Vendor", canDo.getHostVendor().getString());
    EXPECT_EQ(1234, canDo.getHostVendorVersion());
    delete effect;
}

// A missing effect is refused, never dereferenced.
TEST(HostServices, MissingEffectRaisesAnException)
{
    EXPECT_THROW(CHostCanDo().setFromAudioEffectX(nullptr), CException);
    EXPECT_THROW(CVstTempo(nullptr), CException);
}

TEST(MidiList, KeepsTheMessageKindsItHandles)
{
    // Kept: note on, note off, a note on without velocity (channel 4), a controller,
    // all notes off and mono mode (both read as 123), the bend's centre and top.
    // Dropped: the tenth channel, a program change, both pressures, the clock.
    const unsigned char messages[][4] = {{0x90, 60, 100, 5}, {0x80, 60, 0, 6},   {0x93, 61, 0, 7},   {0xB0, 7, 127, 8},
                                         {0xB0, 123, 9, 9},  {0xB0, 126, 9, 10}, {0xE0, 0x00, 0x40}, {0xE0, 0x7F, 0x7F},
                                         {0x99, 60, 100},    {0xC0, 5, 0},       {0xA0, 60, 10},     {0xD0, 60, 0},
                                         {0xF8, 0, 0}};
    SEventBlock block;
    for (const auto &message : messages)
        block.add(message[0], message[1], message[2], message[3]);
    block.add(0x90, 62, 90, 0, 6); // not a MIDI event
    CVstMidiEventList list;
    list.fillFromVstEvents(block.list());
    // Status, value, sub-value, delta and channel of each event kept.
    const std::vector<std::vector<long>> expected = {{144, 60, 100, 5, 0}, {128, 60, 0, 6, 0}, {144, 61, 0, 7, 0},
                                                     {176, 7, 127, 8, 0},  {123, 0, 0, 9, 0},  {123, 0, 0, 10, 0},
                                                     {224, 0, 0, 0, 0},    {224, 0, 0, 0, 0}};
    std::vector<std::vector<long>> kept;
    for (long index = 0; index < list.getNumberOfEvents(); ++index)
    {
        const CMidiEvent &event = *list.getEvent(index);
        kept.push_back(
            {event.getStatus(), event.getValue(), event.getSubValue(), event.getDelta(), event.getChannel()});
    }
    ASSERT_EQ(expected, kept);
    EXPECT_DOUBLE_EQ(0.0, list.getEvent(6)->getBend());
    EXPECT_NEAR(0.999878, list.getEvent(7)->getBend(), 1e-6);
    EXPECT_TRUE(list.getEvent(8) == nullptr && list.getEvent(-1) == nullptr);
    EXPECT_EQ("[Note Off       : Note(061), Velocity(000), Channel(000), Delta(007)]", describe(*list.getEvent(2)))
        << "a note on without velocity describes itself as a note off";
    EXPECT_EQ("[Number Of Events(8), Channel(0)]", describe(list));
    list.clear();
    EXPECT_EQ(0, list.getNumberOfEvents());
}

// Hostile lists add nothing; everything after the hundred and twenty-eighth event is dropped.
TEST(MidiList, SurvivesHostileListsAndKeepsAtMostAHundredAndTwentyEight)
{
    CVstMidiEventList list;
    list.fillFromVstEvents(nullptr);
    VstEvents empty{};
    empty.numEvents = -5;
    list.fillFromVstEvents(&empty);
    VstEvents holes{};
    holes.numEvents = 2;
    list.fillFromVstEvents(&holes);
    EXPECT_EQ(0, list.getNumberOfEvents());
    SEventBlock block;
    for (int index = 0; index < 200; ++index)
    {
        block.add(0xB0, 20, static_cast<unsigned char>(index & 127), index);
    }
    list.fillFromVstEvents(block.list());
    list.fillFromVstEvents(block.list());
    EXPECT_EQ(128, list.getNumberOfEvents());
    EXPECT_EQ(127, list.getEvent(127)->getDelta());
}

TEST(MidiEvent, DescriptionsByKind)
{
    EXPECT_EQ("[Note On        : Note(060), Velocity(100), Channel(000), Delta(012)]",
              describe(CMidiEvent(144, 60, 100, 0, 12)));
    EXPECT_EQ("[Control Change : CC(007), Value(127), Channel(000), Delta(000)]",
              describe(CMidiEvent(176, 7, 127, 0, 0)));
    EXPECT_EQ("[Other Message  : Status(224), Value(000), SubValue(000), Channel(000), Delta(003)]",
              describe(CMidiEvent(224, 0, 0, 0, 3)));
    EXPECT_EQ("[Note O", describe(CMidiEvent(128, 1, 2, 3, 4), 8)) << "cut to the buffer";
    CMidiEvent first(144, 1, 1, 0, 5), second(128, 9, 9, 0, 5), later(144, 1, 1, 0, 6);
    EXPECT_TRUE(first == second) << "events compare by time";
    EXPECT_TRUE(first != later);
}

class Tempo : public testing::Test
{
protected:
    void SetUp() override { m_host.timeInfo = &m_time; }

    VstTimeInfo m_time{};
    CRecordingHost m_host;
    CProbeEffect m_effect{CRecordingHost::callback()};
};

TEST_F(Tempo, ReadsAFullTimeRecord)
{
    const VstInt32 flags = kVstTransportPlaying | kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid | kVstBarsValid;
    // Position, rate, nanoseconds, beat position, tempo, bar start, cycle, time signature, SMPTE, clock, flags.
    m_time = {180000.0, 48000.0, 0.0, 7.5, 120.0, 6.0, 0.0, 0.0, 3, 4, 0, 0, 0, flags};
    ASSERT_TRUE(m_effect.getTempo().getTempoInformation(0));
    const auto &information = m_effect.getTempo().getInformation();
    EXPECT_TRUE(information.playing);
    EXPECT_FALSE(information.transportChanged);
    EXPECT_EQ(24000, information.samplesPerBeat);
    EXPECT_EQ(3, information.timeSignature.getNumerator());
    EXPECT_TRUE(information.nextBarValid);
    EXPECT_EQ(36000, information.samplesToNextBar) << "1.5 quarter notes at 120 bpm";
    EXPECT_EQ(180000.0, information.samplePosition);
}

TEST_F(Tempo, MissingFlagsClearTheirValues)
{
    m_host.timeInfo = nullptr;
    EXPECT_FALSE(m_effect.getTempo().getTempoInformation(0)) << "no time record, no information";
    m_host.timeInfo = &m_time;
    m_time.flags = kVstTransportChanged;
    m_time.tempo = 99.0;
    m_time.ppqPos = 3.0;
    m_time.timeSigNumerator = 7;
    ASSERT_TRUE(m_effect.getTempo().getTempoInformation(0));
    const auto &information = m_effect.getTempo().getInformation();
    EXPECT_TRUE(information.transportChanged);
    EXPECT_FALSE(information.tempoValid);
    EXPECT_EQ(0.0, information.tempo);
    EXPECT_EQ(0.0, information.beatPosition);
    EXPECT_EQ(4, information.timeSignature.getNumerator());
    EXPECT_FALSE(information.nextBarValid);
}

TEST_F(Tempo, WildHostValuesNeitherStallNorOverflow)
{
    const VstInt32 flags = kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid | kVstBarsValid;
    m_time = {0.0, 44100.0, 0.0, 1e300, 1e-300, -1e300, 0.0, 0.0, 4, 0, 0, 0, 0, flags};
    EXPECT_TRUE(m_effect.getTempo().getTempoInformation(0));
    m_time.tempo = 0.0;
    m_time.timeSigNumerator = -3;
    m_time.ppqPos = NAN;
    EXPECT_TRUE(m_effect.getTempo().getTempoInformation(0));
    EXPECT_EQ(0, m_effect.getTempo().getInformation().samplesPerBeat);
}
