#include "tools/zelo/CDemoPhrase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

namespace Zelo::Tools
{
namespace
{
constexpr double PI = 3.14159265358979323846;
constexpr double PHRASE_SECONDS = 4.5;
// Peak level of each voice, leaving headroom for the doubler's voices on top.
constexpr double PLUCK_LEVEL = 0.35;
constexpr double VOWEL_LEVEL = 0.25;
// The string's loss per period: closer to 1 rings longer.
constexpr double STRING_DAMPING = 0.996;
// Vibrato: rate in hertz, depth as a fraction of the pitch (about a third of a semitone).
constexpr double VIBRATO_RATE = 5.5;
constexpr double VIBRATO_DEPTH = 0.018;
// Formant centre frequencies and bandwidths in hertz of an open "ah".
constexpr double FORMANTS[][2] = {{730.0, 90.0}, {1090.0, 110.0}, {2440.0, 170.0}};

// A fixed linear congruential generator: the same noise burst on every machine,
// unlike the standard library's distributions.
class CNoise
{
public:
    double next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

private:
    uint32_t m_state = 20240611u;
};
} // namespace

CStereoSignal CDemoPhrase::synthesise(int sampleRate)
{
    CStereoSignal signal;
    signal.sampleRate = sampleRate;
    signal.left.assign(static_cast<size_t>(PHRASE_SECONDS * sampleRate), 0.0f);

    // A minor arpeggio up and back down, then the voice enters over the last notes.
    const double line[][2] = {{220.00, 0.0},  {261.63, 0.25}, {329.63, 0.5},  {440.00, 0.75}, {392.00, 1.0},
                              {329.63, 1.25}, {293.66, 1.5},  {329.63, 1.75}, {220.00, 2.25}, {164.81, 3.0}};
    for (const auto &note : line)
    {
        addPluck(signal, note[1], note[0], 1.2);
    }
    addSungVowel(signal, 1.9, 220.0, 2.4);

    signal.right = signal.left;
    return signal;
}

void CDemoPhrase::addPluck(CStereoSignal &signal, double startSeconds, double frequency, double seconds)
{
    const int rate = signal.sampleRate;
    const size_t period = static_cast<size_t>(std::max(2.0, std::round(rate / frequency)));
    // The string starts as a burst of noise one period long; averaging neighbours
    // each period is the low-pass that makes it decay like a plucked string.
    CNoise noise;
    std::vector<double> string(period);
    for (double &sample : string)
    {
        sample = noise.next();
    }
    // Without its mean the burst carries no offset: the averaging keeps the sum,
    // so an offset would decay no faster than the note.
    const double mean = std::accumulate(string.begin(), string.end(), 0.0) / static_cast<double>(period);
    for (double &sample : string)
    {
        sample -= mean;
    }
    const size_t start = static_cast<size_t>(startSeconds * rate);
    const size_t length =
        std::min(static_cast<size_t>(seconds * rate), signal.frames() - std::min(start, signal.frames()));
    size_t position = 0;
    for (size_t frame = 0; frame < length; ++frame)
    {
        const size_t next = (position + 1) % period;
        const double sample = string[position];
        string[position] = STRING_DAMPING * 0.5 * (string[position] + string[next]);
        position = next;
        // A short fade at the end so a note cut by the next does not click.
        const double fade = std::min(1.0, static_cast<double>(length - frame) / (0.01 * rate));
        signal.left[start + frame] += static_cast<float>(PLUCK_LEVEL * sample * fade);
    }
}

void CDemoPhrase::addSungVowel(CStereoSignal &signal, double startSeconds, double frequency, double seconds)
{
    const int rate = signal.sampleRate;
    const size_t start = static_cast<size_t>(startSeconds * rate);
    const size_t length =
        std::min(static_cast<size_t>(seconds * rate), signal.frames() - std::min(start, signal.frames()));
    const double nyquist = 0.5 * rate;
    double phase = 0.0;
    for (size_t frame = 0; frame < length; ++frame)
    {
        const double time = static_cast<double>(frame) / rate;
        // Vibrato grows in after the onset, as a singer's does.
        const double vibratoAmount = VIBRATO_DEPTH * std::min(1.0, time / 0.6);
        const double pitch = frequency * (1.0 + vibratoAmount * std::sin(2.0 * PI * VIBRATO_RATE * time));
        phase += pitch / rate;
        phase -= std::floor(phase);

        // Harmonics weighted by the vowel's resonances: a glottal-like source
        // falling at 6 dB per octave, shaped by one peak per formant.
        double sample = 0.0;
        for (int harmonic = 1; harmonic * pitch < nyquist; ++harmonic)
        {
            const double harmonicFrequency = harmonic * pitch;
            double weight = 0.0;
            for (const auto &formant : FORMANTS)
            {
                const double offset = (harmonicFrequency - formant[0]) / formant[1];
                weight += 1.0 / (1.0 + offset * offset);
            }
            sample += weight / harmonic * std::sin(2.0 * PI * harmonic * phase);
        }
        const double attack = std::min(1.0, time / 0.15);
        const double release = std::min(1.0, (seconds - time) / 0.3);
        signal.left[start + frame] += static_cast<float>(VOWEL_LEVEL * 0.5 * sample * attack * release);
    }
}
} // namespace Zelo::Tools
