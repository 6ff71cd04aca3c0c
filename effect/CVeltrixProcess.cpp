// The doubler's per-sample signal path. Audio thread: nothing here allocates,
// locks, logs or throws.
#include "effect/CVeltrix.h"

#include "foundation/host/CDenormalGuard.h"

namespace Orvalite::Veltrix
{
namespace
{
// Depth of the LFO's pitch modulation: ±10 % of the pitch ratio at full depth.
const double MODULATION_DEPTH = 0.1;
} // namespace

void CVeltrix::processBlock(float **inputs, float **outputs, VstInt32 sampleFrames, bool)
{
    if (sampleFrames <= 0 || !inputs || !outputs || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1])
    {
        return;
    }
    const Host::CDenormalGuard flushDenormals;
    float *inLeft = inputs[0];
    float *inRight = inputs[1];
    float *outLeft = outputs[0];
    float *outRight = outputs[1];
    for (VstInt32 n = 0; n < sampleFrames; ++n)
    {
        // Pitch ratio of each voice, wobbled by its LFO.
        float voices[2];
        const float inputsNow[2] = {inLeft[n], inRight[n]};
        for (int voice = 0; voice < 2; ++voice)
        {
            const double wobble = 2.0 * static_cast<double>(m_lfos[voice].read()) - 1.0;
            const double depth = 2.0 * static_cast<double>(m_depths[voice].load(std::memory_order_relaxed)) - 1.0;
            m_shifters[voice].setShift(static_cast<double>(m_pitchRatios[voice].load(std::memory_order_relaxed)) +
                                       depth * wobble * MODULATION_DEPTH);
        }
        // Shift, then delay with feedback.
        for (int voice = 0; voice < 2; ++voice)
        {
            voices[voice] = static_cast<float>(m_shifters[voice].tick(static_cast<double>(inputsNow[voice])));
            voices[voice] = m_voiceDelays[voice].process(voices[voice]);
        }

        // Pan with equal power and mix.
        const float gainOne = m_voiceOneGain.load(std::memory_order_relaxed);
        const float gainTwo = m_voiceTwoGain.load(std::memory_order_relaxed);
        const float left = gainTwo * voices[1] * m_leftShares[1].load(std::memory_order_relaxed) +
                           voices[0] * m_leftShares[0].load(std::memory_order_relaxed) * gainOne;
        const float right = gainTwo * voices[1] * m_rightShares[1].load(std::memory_order_relaxed) +
                            voices[0] * m_rightShares[0].load(std::memory_order_relaxed) * gainOne;

        // The dry signal, delayed by half a grain to line up with the voices when asked.
        if (m_syncAudio.load(std::memory_order_relaxed))
        {
            inLeft[n] = m_dryDelays[0].process(inLeft[n]);
            inRight[n] = m_dryDelays[1].process(inRight[n]);
        }
        const float dry = m_dryGain.load(std::memory_order_relaxed);
        const float master = m_masterGain.load(std::memory_order_relaxed);
        outLeft[n] = (inLeft[n] * dry + left) * master;
        outRight[n] = (inRight[n] * dry + right) * master;
    }
}
} // namespace Orvalite::Veltrix
