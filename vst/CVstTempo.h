// Asks the host where its transport stands: tempo, metre, positions and the
// distance to the next bar.
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "midi/CTimeSignature.h"
#include "vst/VstAbi.h"

#include <cstdint>
#include <memory>

class AudioEffectX;

namespace Orvalite::Vst
{
class CVstTempo : public Basics::CCountedObject
{
public:
    // What the last query learnt; each value is meaningful only with its flag.
    struct STempoInformation
    {
        bool tempoValid = false;
        bool timeSignatureValid = false;
        bool beatPositionValid = false;
        bool barStartValid = false;
        bool nextBarValid = false;
        bool samplesPerBeatValid = false;
        bool transportChanged = false;
        bool playing = false;
        Music::CTimeSignature timeSignature;
        double tempo = 0.0;
        double beatPosition = 0.0;
        double barStart = 0.0;
        double samplePosition = 0.0;
        int32_t samplesToNextBar = 0;
        int32_t samplesPerBeat = 0;
    };

    // Throws when `effect` is missing.
    explicit CVstTempo(AudioEffectX *effect);
    CVstTempo(const CVstTempo &) = delete;
    CVstTempo &operator=(const CVstTempo &) = delete;

    // Asks the host; true when it answered with a time record.
    bool getTempoInformation(VstInt32 filter);
    const STempoInformation &getInformation() const { return *m_information; }

    ORVALITE_CLASS_RECORD(CVstTempo)

private:
    void readTempo(const VstTimeInfo &time);
    void readPositions(const VstTimeInfo &time);
    void computeNextBar(const VstTimeInfo &time);

    AudioEffectX *m_theEffect;
    bool m_valid = false;
    std::unique_ptr<STempoInformation> m_information;
};
} // namespace Orvalite::Vst
