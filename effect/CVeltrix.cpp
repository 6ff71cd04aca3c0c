#include "effect/CVeltrix.h"

#include "effect/CRoundedExponential.h"
#include "effect/CVstParamSelect.h"
#include "effect/VeltrixFactoryPresets.h"
#include "effect/VeltrixParameterTable.h"
#include "vst/IEffectEditor.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Orvalite::Veltrix
{
ORVALITE_DEFINE_CLASS_RECORD(CVeltrix, "CVeltrix", "CVstEffect")

namespace
{
// 'Ova5', first character in the most significant byte.
const VstInt32 UNIQUE_ID = ('O' << 24) | ('v' << 16) | ('a' << 8) | '5';
// The signal path is never set up for less than this rate (Hz).
const float MINIMUM_WORKING_RATE = 44100.0f;
// Grain lengths in seconds: "Small" and "Large".
const double SMALL_GRAIN_SECONDS = 0.0125;
const double LARGE_GRAIN_SECONDS = 0.05;
// The dry path delays by half a grain, at most its whole capacity.
const double LONGEST_GRAIN = 2.0 * VeltrixDelayLine::CAPACITY;
// ln(10) / 20: turns decibels into a linear gain through e^x.
const double DECIBELS_TO_EXPONENT = 0.115129255;
// A pitch in cents becomes the frequency ratio 2^(cents / CENTS_PER_OCTAVE).
const double CENTS_PER_OCTAVE = 1200.0;
// The largest float below 2^31: the highest selector value that still converts to int32_t.
const float LARGEST_SELECTOR = 2147483520.0f;
// Voice delay lengths at construction, in seconds.
const double INITIAL_VOICE_DELAY_SECONDS = 0.1;
const float INITIAL_LFO_FREQUENCY = 1.0f;
// MIDI controllers 0 … 12 select programs, 13 … 27 set these parameters.
const int FIRST_PARAMETER_CONTROLLER = 13;
const int PARAMETER_OF_CONTROLLER[] = {PARAMETER_MASTER,       PARAMETER_PITCH_ONE,    PARAMETER_PITCH_TWO,
                                       PARAMETER_PAN_ONE,      PARAMETER_PAN_TWO,      PARAMETER_GAIN_ONE,
                                       PARAMETER_RIGHT_GAIN,   PARAMETER_DRY_GAIN,     PARAMETER_DELAY_ONE,
                                       PARAMETER_DELAY_TWO,    PARAMETER_FEEDBACK_ONE, PARAMETER_FEEDBACK_TWO,
                                       PARAMETER_LFO_RATE_ONE, PARAMETER_LFO_RATE_TWO, PARAMETER_LFO_DEPTH_ONE};
const int CONTROLLER_COUNT = sizeof(PARAMETER_OF_CONTROLLER) / sizeof(PARAMETER_OF_CONTROLLER[0]);
// 1 / 127: a controller value as a normalised parameter value.
const float CONTROLLER_SCALE = 0.007874016f;

const char *const CAN_DO_YES[] = {"plugAsChannelInsert", "plugAsSend", "2in2out", "receiveVstMidiEvent"};

struct SPin
{
    const char *label;
    const char *shortLabel;
};
const SPin INPUT_PINS[] = {{"Left input", "L in"}, {"Right input", "R in"}};
const SPin OUTPUT_PINS[] = {{"Left output", "L out"}, {"Right output", "R out"}};

float decibelsToGain(float decibels)
{
    return static_cast<float>(CRoundedExponential::exponential(static_cast<double>(decibels) * DECIBELS_TO_EXPONENT));
}

// Every record of a chunk (one, or the bank's) must pass the value gate.
bool holdsAdmissibleValues(const void *data, size_t size)
{
    const auto *bytes = static_cast<const unsigned char *>(data);
    for (size_t offset = 0; offset < size; offset += PROGRAM_RECORD_SIZE)
    {
        if (!VeltrixProgram::holdsAdmissibleValues(bytes + offset))
        {
            return false;
        }
    }
    return true;
}

bool describePin(const SPin (&pins)[2], VstInt32 index, VstPinProperties *properties)
{
    if (index < 0 || index > 1 || !properties)
    {
        return false;
    }
    std::snprintf(properties->label, sizeof(properties->label), "%s", pins[index].label);
    std::snprintf(properties->shortLabel, sizeof(properties->shortLabel), "%s", pins[index].shortLabel);
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}
} // namespace

CVeltrix::CVeltrix(audioMasterCallback audioMaster, EditorFactory createEditor)
    : CVstEffect(audioMaster, NUMBER_OF_PARAMETERS, NUMBER_OF_PROGRAMS)
{
    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing(true);
    setUniqueID(UNIQUE_ID);
    if (createEditor)
    {
        createEditor(this);
    }
    for (int index = 0; index < NUMBER_OF_PARAMETERS; ++index)
    {
        m_parameters[index] = createParameter(index);
    }
    setGrain(SMALL_GRAIN_SECONDS);
    for (VeltrixDelayLine &line : m_voiceDelays)
    {
        setVoiceDelay(line, INITIAL_VOICE_DELAY_SECONDS * 1000.0);
    }
    // Half a grain, not yet rounded to whole samples as later changes are.
    for (VeltrixDelayLine &line : m_dryDelays)
    {
        line.setLength(static_cast<float>(m_grainLength) * 0.5f);
    }
    for (VeltrixLfo &lfo : m_lfos)
    {
        lfo.setSampleRate(m_workingSampleRate);
        lfo.setFrequency(INITIAL_LFO_FREQUENCY);
    }
    programsAreChunks(true);
    createFactoryPrograms();
    setInitialDelay(0);
    suspend();
    resume();
}

CVeltrix::~CVeltrix() = default;

CVstParam *CVeltrix::parameter(VstInt32 index) const
{
    return index >= 0 && index < NUMBER_OF_PARAMETERS ? m_parameters[index].getPointer() : nullptr;
}

void CVeltrix::suspend()
{
    for (PitShift &shifter : m_shifters)
    {
        shifter.clear();
    }
    for (VeltrixDelayLine *line : {&m_voiceDelays[0], &m_voiceDelays[1], &m_dryDelays[0], &m_dryDelays[1]})
    {
        line->clear();
    }
}

void CVeltrix::resume()
{
    CVstEffect::resume();
    deriveFromSampleRate();
    // Hosts read the latency after switching the plug-in on: it follows the new grain.
    if (parameter(PARAMETER_SYNC_AUDIO)->getIntValue() == 1)
    {
        setInitialDelay(static_cast<VstInt32>(m_grainLength / 2));
    }
}

// Takes up the host's current rate: delay lengths in whole milliseconds, the
// LFOs (re-tuned, so they keep their set frequencies) and the grain.
void CVeltrix::deriveFromSampleRate()
{
    const float hostRate = getSampleRate();
    m_workingSampleRate = std::isfinite(hostRate) ? std::max(hostRate, MINIMUM_WORKING_RATE) : MINIMUM_WORKING_RATE;
    setVoiceDelay(m_voiceDelays[0], parameter(PARAMETER_DELAY_ONE)->getIntValue());
    setVoiceDelay(m_voiceDelays[1], parameter(PARAMETER_DELAY_TWO)->getIntValue());
    const int rateParameters[2] = {PARAMETER_LFO_RATE_ONE, PARAMETER_LFO_RATE_TWO};
    for (int voice = 0; voice < 2; ++voice)
    {
        m_lfos[voice].setSampleRate(m_workingSampleRate);
        m_lfos[voice].setFrequency(static_cast<float>(parameter(rateParameters[voice])->getRealValue()));
    }
    const double grainSeconds =
        parameter(PARAMETER_GRAIN_SIZE)->getIntValue() == 0 ? SMALL_GRAIN_SECONDS : LARGE_GRAIN_SECONDS;
    setGrain(grainSeconds);
}

void CVeltrix::processReplacing(float **inputs, float **outputs, VstInt32 sampleFrames)
{
    processBlock(inputs, outputs, sampleFrames, true);
    CVstEffect::processReplacing(inputs, outputs, sampleFrames);
}

void CVeltrix::processAccumulating(float **inputs, float **outputs, VstInt32 sampleFrames)
{
    processBlock(inputs, outputs, sampleFrames, false);
    CVstEffect::processAccumulating(inputs, outputs, sampleFrames);
}

// A parameter's value passes the record's gate (held to 0 … 1; not a number:
// nothing changes); other indices, the A/B selector among them, take any finite value.
void CVeltrix::setParameter(VstInt32 index, float value)
{
    CVstParam *target = parameter(index);
    if (!(target ? VeltrixProgram::admitValue(value) : std::isfinite(value)))
    {
        return;
    }
    if (target)
    {
        target->setValue(value);
        m_programs[m_currentProgram].setLiveValue(getSelector(), index, value);
    }
    applyDerivedState(index, value);
    updateEditor(index, value);
}

void CVeltrix::applyDerivedState(VstInt32 index, float value)
{
    const float real = parameter(index) ? static_cast<float>(parameter(index)->getRealValue()) : 0.0f;
    switch (index)
    {
    case PARAMETER_MASTER:
        m_masterGain = decibelsToGain(real);
        break;
    case PARAMETER_PITCH_ONE:
    case PARAMETER_PITCH_TWO:
        m_pitchRatios[index - PARAMETER_PITCH_ONE] =
            static_cast<float>(CRoundedExponential::powerOfTwo(static_cast<double>(real) / CENTS_PER_OCTAVE));
        break;
    case PARAMETER_GAIN_ONE:
        m_voiceOneGain = decibelsToGain(real);
        break;
    case PARAMETER_RIGHT_GAIN:
        m_voiceTwoGain = decibelsToGain(real);
        break;
    case PARAMETER_DRY_GAIN:
        m_dryGain = decibelsToGain(real);
        break;
    case PARAMETER_GRAIN_SIZE: {
        const double grainSeconds = value <= 0.5f ? SMALL_GRAIN_SECONDS : LARGE_GRAIN_SECONDS;
        setGrain(grainSeconds);
        updateLatency();
        break;
    }
    case PARAMETER_DELAY_ONE:
    case PARAMETER_DELAY_TWO:
        setVoiceDelay(m_voiceDelays[index - PARAMETER_DELAY_ONE], real);
        break;
    case PARAMETER_FEEDBACK_ONE:
    case PARAMETER_FEEDBACK_TWO:
        m_voiceDelays[index - PARAMETER_FEEDBACK_ONE].setFeedback(value);
        break;
    case PARAMETER_LFO_RATE_ONE:
    case PARAMETER_LFO_RATE_TWO:
        m_lfos[index - PARAMETER_LFO_RATE_ONE].setFrequency(real);
        break;
    case PARAMETER_SYNC_AUDIO:
        m_syncAudio = parameter(PARAMETER_SYNC_AUDIO)->getIntValue() != 0;
        updateLatency();
        break;
    case PARAMETER_PAN_ONE:
        setPan(0, value);
        break;
    case PARAMETER_PAN_TWO:
        setPan(1, value);
        break;
    case PARAMETER_LFO_DEPTH_ONE:
    case PARAMETER_LFO_DEPTH_TWO:
        m_depths[index - PARAMETER_LFO_DEPTH_ONE] = value;
        break;
    case AB_SELECTOR_INDEX:
        setSelector(value);
        break;
    default:
        break;
    }
}

// Both shifters take the grain as their window; the dry lines delay by half of it.
// The grain in whole samples of the working rate (truncated), never longer than
// LONGEST_GRAIN: the latency it reports is what the dry path can really delay,
// and no host rate, however wild, overflows the conversion.
void CVeltrix::setGrain(double seconds)
{
    const long grainLength =
        static_cast<long>(std::min(static_cast<double>(m_workingSampleRate) * seconds, LONGEST_GRAIN));
    m_grainLength = grainLength;
    for (PitShift &shifter : m_shifters)
    {
        shifter.setWindow(static_cast<double>(grainLength));
    }
    for (VeltrixDelayLine &line : m_dryDelays)
    {
        line.setLength(static_cast<float>(std::min(grainLength / 2, static_cast<long>(VeltrixDelayLine::CAPACITY))));
    }
}

void CVeltrix::setVoiceDelay(VeltrixDelayLine &line, double milliseconds)
{
    const double samples = milliseconds * static_cast<double>(m_workingSampleRate) * 0.001;
    line.setLength(static_cast<float>(std::clamp(samples, 0.0, static_cast<double>(VeltrixDelayLine::CAPACITY))));
}

void CVeltrix::updateLatency()
{
    const bool syncOn = parameter(PARAMETER_SYNC_AUDIO)->getIntValue() == 1;
    setInitialDelay(syncOn ? static_cast<VstInt32>(m_grainLength / 2) : 0);
    if (getHostCanDo().can(Vst::CHostCanDo::ACCEPT_IO_CHANGES))
    {
        ioChanged();
    }
}

// The editor follows every change, except those it makes itself.
void CVeltrix::updateEditor(VstInt32 index, float value)
{
    Vst::IEffectEditor *editor = getEffectEditor();
    if (editor && !editor->isUpdatingEffect())
    {
        editor->updateParameter(index, value);
    }
}

// Equal-power law: the shares are the square roots of 1 - position and position.
void CVeltrix::setPan(int voice, float position)
{
    m_leftShares[voice] = std::sqrt(1.0f - position);
    m_rightShares[voice] = std::sqrt(position);
}

void CVeltrix::setSelector(float value)
{
    const float selector = std::clamp(std::trunc(value), -2147483648.0f, LARGEST_SELECTOR);
    m_programs[0].setSelector(static_cast<int32_t>(selector));
    loadCurrentProgram();
}

float CVeltrix::getParameter(VstInt32 index)
{
    const CVstParam *target = parameter(index);
    return target ? target->getValue() : 0.0f;
}

void CVeltrix::setProgram(VstInt32 program)
{
    if (program < 0 || program >= NUMBER_OF_PROGRAMS)
    {
        return;
    }
    m_currentProgram = program;
    loadCurrentProgram();
}

// Every parameter takes its value from the live half of the current program.
void CVeltrix::loadCurrentProgram()
{
    for (int index = 0; index < NUMBER_OF_PARAMETERS; ++index)
    {
        setParameter(index, m_programs[m_currentProgram].getLiveValue(getSelector(), index));
    }
}

void CVeltrix::setProgramName(char *name)
{
    m_programs[m_currentProgram].setName(name);
}

void CVeltrix::getProgramName(char *name)
{
    m_programs[m_currentProgram].getName(name);
}

bool CVeltrix::getProgramNameIndexed(VstInt32, VstInt32 index, char *text)
{
    if (index < 0 || index >= NUMBER_OF_PROGRAMS)
    {
        return false;
    }
    m_programs[index].getName(text);
    return true;
}

void CVeltrix::getParameterLabel(VstInt32 index, char *label)
{
    const CVstParam *target = parameter(index);
    std::strcpy(label, target ? " " : "");
    if (target)
    {
        target->getLabel(label);
    }
}

void CVeltrix::getParameterDisplay(VstInt32 index, char *text)
{
    const CVstParam *target = parameter(index);
    std::strcpy(text, target ? " " : "");
    if (target)
    {
        target->getDisplay(text);
    }
}

void CVeltrix::getParameterName(VstInt32 index, char *text)
{
    const CVstParam *target = parameter(index);
    std::strcpy(text, "");
    if (target)
    {
        target->getName(text);
    }
}

// The host reads the live records: nothing is copied.
VstInt32 CVeltrix::getChunk(void **data, bool isPreset)
{
    if (!data)
    {
        return 0;
    }
    *data = isPreset ? &m_programs[m_currentProgram] : &m_programs[0];
    return static_cast<VstInt32>(isPreset ? PROGRAM_RECORD_SIZE : BANK_SIZE);
}

VstInt32 CVeltrix::setChunk(void *data, VstInt32 byteSize, bool isPreset)
{
    const size_t expected = isPreset ? PROGRAM_RECORD_SIZE : BANK_SIZE;
    if (!data || byteSize < 0 || static_cast<size_t>(byteSize) != expected ||
        !VeltrixProgram::hasValidHeader(data, expected) || !holdsAdmissibleValues(data, expected))
    {
        return 0;
    }
    VeltrixProgram *first = isPreset ? &m_programs[m_currentProgram] : &m_programs[0];
    // A host may hand back the very chunk it got from getChunk: memmove copes with overlap.
    std::memmove(first, data, expected);
    std::for_each(first, first + expected / PROGRAM_RECORD_SIZE, [](VeltrixProgram &record) { record.admitValues(); });
    setProgram(m_currentProgram);
    if (!isPreset)
    {
        setParameter(AB_SELECTOR_INDEX, static_cast<float>(m_programs[0].getSelector()));
    }
    return 1;
}

bool CVeltrix::getInputProperties(VstInt32 index, VstPinProperties *properties)
{
    return describePin(INPUT_PINS, index, properties);
}

bool CVeltrix::getOutputProperties(VstInt32 index, VstPinProperties *properties)
{
    return describePin(OUTPUT_PINS, index, properties);
}

// Audio thread: controllers 0 … 12 select programs, 13 … 27 move parameters.
VstInt32 CVeltrix::processEvents(VstEvents *events)
{
    CVstEffect::processEvents(events);
    const Vst::CVstMidiEventList &list = getMidiEvents();
    for (long index = 0; index < list.getNumberOfEvents(); ++index)
    {
        const Midi::CMidiEvent *event = list.getEvent(index);
        if (event->getStatus() != Midi::CMidiEvent::CONTROL_CHANGE)
        {
            continue;
        }
        const long controller = event->getValue();
        if (controller < FIRST_PARAMETER_CONTROLLER)
        {
            setProgram(static_cast<VstInt32>(controller));
        }
        else if (controller < FIRST_PARAMETER_CONTROLLER + CONTROLLER_COUNT)
        {
            setParameter(PARAMETER_OF_CONTROLLER[controller - FIRST_PARAMETER_CONTROLLER],
                         static_cast<float>(event->getSubValue()) * CONTROLLER_SCALE);
        }
    }
    return 1;
}

VstInt32 CVeltrix::canDo(char *text)
{
    if (!text)
    {
        return -1;
    }
    for (const char *answer : CAN_DO_YES)
    {
        if (std::strcmp(text, answer) == 0)
        {
            return 1;
        }
    }
    return -1;
}

void CVeltrix::createFactoryPrograms()
{
    const int32_t remembered = getSelector();
    for (int32_t half : {1, 0})
    {
        m_programs[0].setSelector(half);
        for (int program = NUMBER_OF_PROGRAMS - 1; program >= 0; --program)
        {
            setProgram(program);
            for (int entry = 0; entry < NUMBER_OF_FACTORY_ENTRIES; ++entry)
            {
                setParameter(entry, half ? getFactoryValueB(program, entry) : getFactoryValueA(program, entry));
            }
            m_programs[program].setName(getFactoryProgramName(program));
        }
    }
    m_programs[0].setSelector(remembered);
}
} // namespace Orvalite::Veltrix
