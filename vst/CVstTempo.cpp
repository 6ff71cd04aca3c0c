#include "vst/CVstTempo.h"

#include "foundation/basics/CException.h"
#include "vst/AudioEffectX.h"

#include <cmath>

namespace Orvalite::Vst
{
ORVALITE_DEFINE_CLASS_RECORD(CVstTempo, "CVstTempo", "CCountedObject")

namespace
{
const double SECONDS_PER_MINUTE = 60.0;

// Truncates toward zero, saturating values an int cannot hold.
int32_t truncated(double value)
{
    if (!(value > -2147483648.0))
    {
        return value != value ? 0 : INT32_MIN;
    }
    return value < 2147483647.0 ? static_cast<int32_t>(value) : INT32_MAX;
}
} // namespace

CVstTempo::CVstTempo(AudioEffectX *effect) : m_theEffect(effect), m_information(new STempoInformation())
{
    if (!effect)
    {
        throw Exceptions::CException("Effect is NULL", "CVstTempo::CVstTempo(AudioEffectX *)", true);
    }
}

bool CVstTempo::getTempoInformation(VstInt32 filter)
{
    if (!m_theEffect)
    {
        throw Exceptions::CException("m_theEffect is NULL", "CVstTempo::getTempoInformation(const long *)", true);
    }
    const VstTimeInfo *time = m_theEffect->getTimeInfo(filter);
    m_valid = time != nullptr;
    if (!time)
    {
        return m_valid;
    }
    m_information->transportChanged = (time->flags & kVstTransportChanged) != 0;
    m_information->playing = (time->flags & kVstTransportPlaying) != 0;
    readTempo(*time);
    readPositions(*time);
    computeNextBar(*time);
    return m_valid;
}

void CVstTempo::readTempo(const VstTimeInfo &time)
{
    STempoInformation &information = *m_information;
    const bool tempoValid = (time.flags & kVstTempoValid) != 0;
    information.tempoValid = information.samplesPerBeatValid = tempoValid;
    information.tempo = tempoValid ? time.tempo : 0.0;
    // A zero or broken tempo has no beat length.
    information.samplesPerBeat =
        tempoValid && time.tempo > 0.0 ? truncated(time.sampleRate / (time.tempo / SECONDS_PER_MINUTE)) : 0;
    information.timeSignatureValid = (time.flags & kVstTimeSigValid) != 0;
    if (information.timeSignatureValid)
    {
        information.timeSignature.setSignature(time.timeSigNumerator, time.timeSigDenominator);
    }
    else
    {
        information.timeSignature.setSignature(4, 4);
    }
}

void CVstTempo::readPositions(const VstTimeInfo &time)
{
    STempoInformation &information = *m_information;
    information.beatPositionValid = (time.flags & kVstPpqPosValid) != 0;
    information.beatPosition = information.beatPositionValid ? time.ppqPos : 0.0;
    information.barStartValid = (time.flags & kVstBarsValid) != 0;
    information.barStart = information.barStartValid ? time.barStartPos : 0.0;
    information.samplePosition = time.samplePos;
}

// Quarter notes from the beat position to the next bar start, in frames.
void CVstTempo::computeNextBar(const VstTimeInfo &time)
{
    STempoInformation &information = *m_information;
    information.nextBarValid = false;
    if (!(information.tempoValid && information.beatPositionValid && information.barStartValid &&
          information.timeSignatureValid) ||
        !(information.tempo > 0.0))
    {
        return;
    }
    const double numerator = information.timeSignature.getNumerator();
    double distance = information.barStart == information.beatPosition
                          ? 0.0
                          : numerator + information.barStart - information.beatPosition;
    // One modulo step instead of repeated adding or subtracting, so wild
    // positions cannot stall; the result lies in 0 ... numerator.
    if (numerator > 0.0 && std::isfinite(distance))
    {
        if (distance < 0.0)
        {
            distance = std::fmod(distance, numerator);
            distance = distance < 0.0 ? distance + numerator : 0.0;
        }
        else if (distance > numerator)
        {
            distance = std::fmod(distance, numerator);
            distance = distance > 0.0 ? distance : numerator;
        }
    }
    const int32_t samples = truncated(distance * time.sampleRate / (information.tempo / SECONDS_PER_MINUTE));
    information.samplesToNextBar = samples < 0 ? 0 : samples;
    information.nextBarValid = true;
}
} // namespace Orvalite::Vst
