#include "foundation/basics/CException.h"
#include "tests/support/CRecordingHost.h"
#include "vst/CVstEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace Orvalite::Vst;
using Orvalite::Exceptions::CException;
using Orvalite::Midi::CMidiEvent;
using Orvalite::Testing::CRecordingHost;

namespace
{
class CPlainEffect : public CVstEffect
{
public:
    explicit CPlainEffect(audioMasterCallback host) : CVstEffect(host, 1, 1) {}
};

// A block of raw MIDI messages as a host hands it over.
class CEventBlock
{
public:
    void add(unsigned char status, unsigned char data1, unsigned char data2, VstInt32 delta = 0,
             VstInt32 type = kVstMidiType)
    {
        VstMidiEvent event{};
        event.type = type;
        event.byteSize = sizeof(VstMidiEvent);
        event.deltaFrames = delta;
        event.midiData[0] = static_cast<char>(status);
        event.midiData[1] = static_cast<char>(data1);
        event.midiData[2] = static_cast<char>(data2);
        m_events.push_back(event);
    }

    VstEvents *events()
    {
        m_storage.assign(sizeof(VstEvents) + m_events.size() * sizeof(VstEvent *), 0);
        auto *list = reinterpret_cast<VstEvents *>(m_storage.data());
        list->numEvents = static_cast<VstInt32>(m_events.size());
        VstEvent **pointers = list->events;
        for (size_t index = 0; index < m_events.size(); ++index)
        {
            pointers[index] = reinterpret_cast<VstEvent *>(&m_events[index]);
        }
        return list;
    }

private:
    std::vector<VstMidiEvent> m_events;
    std::vector<unsigned char> m_storage;
};

std::string describe(const Orvalite::Basics::CCountedObject &object, long size = 256)
{
    std::vector<char> text(static_cast<size_t>(size), 'X');
    object.getObjectDescription(text.data(), size);
    return text.data();
}
} // namespace

TEST(HostCanDo, EveryNonZeroAnswerCountsAsYes)
{
    CRecordingHost host;
    host.canDoDefault = -1;
    host.vendor = "Some Vendor";
    host.product = "Some Product";
    host.answers[audioMasterGetVendorVersion] = 1234;
    auto *effect = new CPlainEffect(CRecordingHost::callback());
    for (int capability = 0; capability < CHostCanDo::NUMBER_OF_CAPABILITIES; ++capability)
    {
        EXPECT_TRUE(effect->getHostCanDo().can(static_cast<CHostCanDo::ECapability>(capability))) << capability;
        EXPECT_EQ(CHostCanDo::getCapabilityName(static_cast<CHostCanDo::ECapability>(capability)),
                  host.requests[static_cast<size_t>(capability)].text)
            << "asked in table order";
    }
    EXPECT_STREQ("Some Product", effect->getHostCanDo().getHostProduct().getString());
    EXPECT_STREQ("Some Vendor", effect->getHostCanDo().getHostVendor().getString());
    EXPECT_EQ(1234, effect->getHostCanDo().getHostVendorVersion());
    delete effect;
}

TEST(HostServices, MissingEffectRaisesTheDocumentedTexts)
{
    CHostCanDo canDo;
    try
    {
        canDo.setFromAudioEffectX(nullptr);
        FAIL();
    }
    catch (const CException &error)
    {
        EXPECT_STREQ("Effect is NULL", error.getErrorReason().getString());
        EXPECT_STREQ("CHostCanDo::setFromAudioEffectX(AudioEffectX *)", error.getFunctionName().getString());
    }
    try
    {
        CVstTempo tempo(nullptr);
        FAIL();
    }
    catch (const CException &error)
    {
        EXPECT_STREQ("CVstTempo::CVstTempo(AudioEffectX *)", error.getFunctionName().getString());
    }
}

TEST(MidiList, KeepsNotesControllersAndBendsOnTheLowChannels)
{
    CEventBlock block;
    block.add(0x90, 60, 100, 5);  // note on
    block.add(0x80, 60, 0, 6);    // note off
    block.add(0x93, 61, 0, 7);    // note on, velocity 0, channel 4
    block.add(0xB0, 7, 127, 8);   // controller
    block.add(0xB0, 123, 9, 9);   // all notes off
    block.add(0xB0, 126, 9, 10);  // mono mode
    block.add(0xE0, 0x00, 0x40);  // bend centre
    block.add(0xE0, 0x7F, 0x7F);  // bend top
    block.add(0x99, 60, 100);     // tenth channel
    block.add(0xC0, 5, 0);        // program change
    block.add(0xA0, 60, 10);      // polyphonic pressure
    block.add(0xD0, 60, 0);       // channel pressure
    block.add(0xF8, 0, 0);        // clock
    block.add(0x90, 62, 90, 0, 6); // not a MIDI event
    CVstMidiEventList list;
    list.fillFromVstEvents(block.events());
    ASSERT_EQ(8, list.getNumberOfEvents());
    const long expected[8][4] = {{144, 60, 100, 5}, {128, 60, 0, 6},  {144, 61, 0, 7},  {176, 7, 127, 8},
                                 {123, 0, 0, 9},    {123, 0, 0, 10}, {224, 0, 0, 0}, {224, 0, 0, 0}};
    for (long index = 0; index < 8; ++index)
    {
        const CMidiEvent *event = list.getEvent(index);
        EXPECT_EQ(expected[index][0], event->getStatus()) << index;
        EXPECT_EQ(expected[index][1], event->getValue()) << index;
        EXPECT_EQ(expected[index][2], event->getSubValue()) << index;
        EXPECT_EQ(expected[index][3], event->getDelta()) << index;
        EXPECT_EQ(0, event->getChannel());
    }
    EXPECT_DOUBLE_EQ(0.0, list.getEvent(6)->getBend());
    EXPECT_NEAR(0.999878, list.getEvent(7)->getBend(), 1e-6);
    EXPECT_EQ(nullptr, list.getEvent(8));
    EXPECT_EQ(nullptr, list.getEvent(-1));
    EXPECT_EQ("[Note Off       : Note(061), Velocity(000), Channel(000), Delta(007)]", describe(*list.getEvent(2)))
        << "a note on without velocity describes itself as a note off";
    EXPECT_EQ("[Number Of Events(8), Channel(0)]", describe(list));
    list.clear();
    EXPECT_EQ(0, list.getNumberOfEvents());
}

TEST(MidiList, DropsEverythingAfterTheHundredAndTwentyEighth)
{
    CEventBlock block;
    for (int index = 0; index < 200; ++index)
    {
        block.add(0xB0, 20, static_cast<unsigned char>(index & 127), index);
    }
    CVstMidiEventList list;
    list.fillFromVstEvents(block.events());
    list.fillFromVstEvents(block.events());
    EXPECT_EQ(128, list.getNumberOfEvents());
    EXPECT_EQ(127, list.getEvent(127)->getDelta());
}

TEST(MidiList, SurvivesHostileEventLists)
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
}

TEST(MidiEvent, DescriptionsByKind)
{
    EXPECT_EQ("[Note On        : Note(060), Velocity(100), Channel(000), Delta(012)]",
              describe(CMidiEvent(144, 60, 100, 0, 12)));
    EXPECT_EQ("[Control Change : CC(007), Value(127), Channel(000), Delta(000)]", describe(CMidiEvent(176, 7, 127, 0, 0)));
    EXPECT_EQ("[Other Message  : Status(224), Value(000), SubValue(000), Channel(000), Delta(003)]",
              describe(CMidiEvent(224, 0, 0, 0, 3)));
    EXPECT_EQ("[Note O", describe(CMidiEvent(128, 1, 2, 3, 4), 8)) << "cut to the buffer";
    CMidiEvent first(144, 1, 1, 0, 5), second(128, 9, 9, 0, 5), later(144, 1, 1, 0, 6);
    EXPECT_TRUE(first == second) << "events compare by time";
    EXPECT_TRUE(first != later);
    CMidiEvent defaulted;
    EXPECT_EQ(1, defaulted.getChannel());
}

class Tempo : public testing::Test
{
protected:
    void SetUp() override { m_host.timeInfo = &m_time; }

    VstTimeInfo m_time{};
    CRecordingHost m_host;
    CPlainEffect m_effect{CRecordingHost::callback()};
};

TEST_F(Tempo, ReadsTransportAndComputesTheNextBar)
{
    m_time.flags = kVstTransportPlaying | kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid | kVstBarsValid;
    m_time.sampleRate = 48000.0;
    m_time.tempo = 120.0;
    m_time.timeSigNumerator = 3;
    m_time.timeSigDenominator = 4;
    m_time.ppqPos = 7.5;
    m_time.barStartPos = 6.0;
    m_time.samplePos = 180000.0;
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
    m_time.flags = kVstTempoValid | kVstTimeSigValid | kVstPpqPosValid | kVstBarsValid;
    m_time.sampleRate = 44100.0;
    m_time.tempo = 1e-300;
    m_time.timeSigNumerator = 4;
    m_time.ppqPos = 1e300;
    m_time.barStartPos = -1e300;
    EXPECT_TRUE(m_effect.getTempo().getTempoInformation(0));
    m_time.tempo = 0.0;
    m_time.timeSigNumerator = -3;
    m_time.ppqPos = NAN;
    EXPECT_TRUE(m_effect.getTempo().getTempoInformation(0));
    EXPECT_EQ(0, m_effect.getTempo().getInformation().samplesPerBeat);
}
