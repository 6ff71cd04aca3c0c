// The doubler's per-sample signal path. Audio thread: nothing here allocates,
// locks, logs or throws.
#include "effect/CVeltrix.h"

#include "effect/VeltrixParameterTable.h"
#include "foundation/host/CDenormalGuard.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::Veltrix
{
namespace
{
// Depth of the LFO's pitch modulation: ±10 % of the pitch ratio at full depth.
const double MODULATION_DEPTH = 0.1;

// Equal-power share of a voice at pan position 0 (left) … 1 (right). Positions
// outside that range are held at its ends, where the square roots are defined.
float panShare(float position)
{
    return std::sqrt(std::clamp(position, 0.0f, 1.0f));
}
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
        const float lfoOne = m_lfos[0].read();
        const float lfoTwo = m_lfos[1].read();
        const double depthOne = 2.0 * static_cast<double>(normalised(PARAMETER_LFO_DEPTH_ONE)) - 1.0;
        const double depthTwo = 2.0 * static_cast<double>(normalised(PARAMETER_LFO_DEPTH_TWO)) - 1.0;
        m_shifters[0].setShift(static_cast<double>(m_pitchRatios[0].load(std::memory_order_relaxed)) +
                               depthOne * (2.0 * static_cast<double>(lfoOne) - 1.0) * MODULATION_DEPTH);
        m_shifters[1].setShift(static_cast<double>(m_pitchRatios[1].load(std::memory_order_relaxed)) +
                               depthTwo * (2.0 * static_cast<double>(lfoTwo) - 1.0) * MODULATION_DEPTH);

        // Shift, then delay with feedback.
        float voiceOne = static_cast<float>(m_shifters[0].tick(static_cast<double>(inLeft[n])));
        float voiceTwo = static_cast<float>(m_shifters[1].tick(static_cast<double>(inRight[n])));
        voiceOne = m_voiceDelays[0].process(voiceOne);
        voiceTwo = m_voiceDelays[1].process(voiceTwo);

        // Pan with equal power and mix.
        const float panOne = normalised(PARAMETER_PAN_ONE);
        const float panTwo = normalised(PARAMETER_PAN_TWO);
        const float gainOne = m_voiceOneGain.load(std::memory_order_relaxed);
        const float gainTwo = m_voiceTwoGain.load(std::memory_order_relaxed);
        const float left = gainTwo * voiceTwo * panShare(1.0f - panTwo) + voiceOne * panShare(1.0f - panOne) * gainOne;
        const float right = gainTwo * voiceTwo * panShare(panTwo) + voiceOne * panShare(panOne) * gainOne;

        // The dry signal, delayed by half a grain to line up with the voices when asked.
        if (parameter(PARAMETER_SYNC_AUDIO)->getIntValue() != 0)
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
