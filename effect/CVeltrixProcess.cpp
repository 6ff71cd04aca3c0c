// The doubler's signal path. Audio thread: nothing here allocates, locks, logs
// or throws.
#include "effect/CVeltrix.h"

#include "foundation/host/CDenormalGuard.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace Orvalite::Veltrix
{
namespace
{
// Depth of the LFO's pitch modulation: ±10 % of the pitch ratio at full depth.
const double MODULATION_DEPTH = 0.1;
// Frames each stage runs at a time, through buffers on the stack.
constexpr int SLICE_FRAMES = 256;
} // namespace

namespace
{
// The gains and pan shares of the mix; per voice, the equal-power shares of the
// left and right outputs.
struct SMix
{
    float voiceGains[2];
    float leftShares[2];
    float rightShares[2];
    float dryGain;
    float masterGain;
};

// The shifter rate of each sample: the voice's pitch ratio, wobbled by its LFO.
// The sine enters as 2 · v − 1, which ranges over −3 … 1: the modulation has an offset.
// Ratios and depths come from finite floats (setParameter refuses others), so
// every rate is finite, far inside the double range, as the shifters' pair tick needs.
void modulateRates(double pitchRatio, double depth, const float *wobbles, double *rates, int frames)
{
    for (int n = 0; n < frames; ++n)
    {
        const double wobble = 2.0 * static_cast<double>(wobbles[n]) - 1.0;
        rates[n] = PitShift::rateForShift(pitchRatio + depth * wobble * MODULATION_DEPTH);
    }
}

// True when no sample is a NaN or an infinity: their magnitude bits reach the
// all-ones exponent, and adding one exponent step carries them into the sign
// bit. One branch-free pass, so finite input pays no test per sample.
bool areAllFinite(const float *samples, int frames)
{
    std::uint32_t carried = 0;
    for (int n = 0; n < frames; ++n)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &samples[n], sizeof(bits));
        carried |= (bits & 0x7FFFFFFFu) + 0x00800000u;
    }
    return (carried & 0x80000000u) == 0;
}

// The samples themselves when all are finite, else a copy in `spare` with
// silence for each NaN and infinity.
float *finiteSamples(float *samples, float *spare, int frames)
{
    if (areAllFinite(samples, frames))
    {
        return samples;
    }
    std::replace_copy_if(
        samples, samples + frames, spare, [](float sample) { return !std::isfinite(sample); }, 0.0f);
    return spare;
}

// Pans both voices with equal power, then adds the dry signal and applies the master gain.
// The order of the products and sums is part of the golden factory-program checksums:
// float arithmetic does not regroup exactly, so reordering them changes the samples.
void panAndMix(const SMix &mix, const float *const voices[2], const float *const inputs[2], float *const outputs[2],
               int frames)
{
    const float gainOne = mix.voiceGains[0];
    const float gainTwo = mix.voiceGains[1];
    for (int n = 0; n < frames; ++n)
    {
        const float left = gainTwo * voices[1][n] * mix.leftShares[1] + voices[0][n] * mix.leftShares[0] * gainOne;
        const float right = gainTwo * voices[1][n] * mix.rightShares[1] + voices[0][n] * mix.rightShares[0] * gainOne;
        outputs[0][n] = (inputs[0][n] * mix.dryGain + left) * mix.masterGain;
        outputs[1][n] = (inputs[1][n] * mix.dryGain + right) * mix.masterGain;
    }
}
} // namespace

// A parameter change, from the user-interface thread or from MIDI between blocks,
// reaches the signal path at the start of the next block.
struct CVeltrix::SBlockSettings
{
    // Per voice: the pitch ratio and the LFO depth as 2 · "Lfo Depth" − 1.
    double pitchRatios[2];
    double depths[2];
    SMix mix;
    bool isSyncAudio;
};

CVeltrix::SBlockSettings CVeltrix::readBlockSettings() const
{
    SBlockSettings settings{};
    for (int voice = 0; voice < 2; ++voice)
    {
        settings.pitchRatios[voice] = static_cast<double>(m_pitchRatios[voice].load(std::memory_order_relaxed));
        settings.depths[voice] = 2.0 * static_cast<double>(m_depths[voice].load(std::memory_order_relaxed)) - 1.0;
        settings.mix.leftShares[voice] = m_leftShares[voice].load(std::memory_order_relaxed);
        settings.mix.rightShares[voice] = m_rightShares[voice].load(std::memory_order_relaxed);
    }
    settings.mix.voiceGains[0] = m_voiceOneGain.load(std::memory_order_relaxed);
    settings.mix.voiceGains[1] = m_voiceTwoGain.load(std::memory_order_relaxed);
    settings.mix.dryGain = m_dryGain.load(std::memory_order_relaxed);
    settings.mix.masterGain = m_masterGain.load(std::memory_order_relaxed);
    settings.isSyncAudio = m_syncAudio.load(std::memory_order_relaxed);
    return settings;
}

void CVeltrix::processBlock(float **inputs, float **outputs, VstInt32 sampleFrames, bool)
{
    if (sampleFrames <= 0 || !inputs || !outputs || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1])
    {
        return;
    }
    const Host::CDenormalGuard flushDenormals;
    const SBlockSettings settings = readBlockSettings();
    for (VstInt32 start = 0; start < sampleFrames; start += SLICE_FRAMES)
    {
        float *const sliceInputs[2] = {inputs[0] + start, inputs[1] + start};
        float *const sliceOutputs[2] = {outputs[0] + start, outputs[1] + start};
        processSlice(settings, sliceInputs, sliceOutputs, std::min<int>(SLICE_FRAMES, sampleFrames - start));
    }
}

// Each stage runs over the whole slice in the order a sample travels. A sample of
// the host's input is read by its shifter before the dry line writes it back, and
// each output sample is written after its inputs are read, so buffers the host
// shares between inputs and outputs give the same result as separate ones.
void CVeltrix::processSlice(const SBlockSettings &settings, float *const hostInputs[2], float *const outputs[2],
                            int frames)
{
    // A NaN or an infinity would stay in the feedback lines for good (0 · NaN is
    // NaN): such a sample is heard as silence, from a copy of the slice.
    float finiteInputs[2][SLICE_FRAMES];
    float *const inputs[2] = {finiteSamples(hostInputs[0], finiteInputs[0], frames),
                              finiteSamples(hostInputs[1], finiteInputs[1], frames)};

    // Each input channel feeds one voice: shift, then delay with feedback.
    double rates[2][SLICE_FRAMES];
    for (int voice = 0; voice < 2; ++voice)
    {
        float wobbles[SLICE_FRAMES];
        m_lfos[voice].read(wobbles, frames);
        modulateRates(settings.pitchRatios[voice], settings.depths[voice], wobbles, rates[voice], frames);
    }
    float voiceSamples[2][SLICE_FRAMES];
    PitShift *const shifters[2] = {&m_shifters[0], &m_shifters[1]};
    const float *const shifterInputs[2] = {inputs[0], inputs[1]};
    const double *const shifterRates[2] = {rates[0], rates[1]};
    float *const shifterOutputs[2] = {voiceSamples[0], voiceSamples[1]};
    PitShift::tickPair(shifters, shifterInputs, shifterRates, shifterOutputs, frames);
    m_voiceDelays[0].process(voiceSamples[0], frames);
    m_voiceDelays[1].process(voiceSamples[1], frames);

    // The dry signal, delayed by half a grain to line up with the voices when asked;
    // the delayed samples go back into the host's input buffers.
    if (settings.isSyncAudio)
    {
        m_dryDelays[0].process(inputs[0], frames);
        m_dryDelays[1].process(inputs[1], frames);
    }

    const float *const voices[2] = {voiceSamples[0], voiceSamples[1]};
    panAndMix(settings.mix, voices, inputs, outputs, frames);
}
} // namespace Orvalite::Veltrix
