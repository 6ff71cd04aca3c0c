// The low-frequency oscillator that sweeps one voice's pitch shift: a 257-entry
// wavetable read with linear interpolation by an 8.24 fixed-point phase.
// The effect owns one per voice, by value.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace Orvalite::Veltrix
{
class VeltrixLfo
{
public:
    // Entries in one cycle of the table; one guard entry follows them.
    static constexpr int TABLE_LENGTH = 256;
    // Low bits of the phase that hold the position between two table entries.
    static constexpr int FRACTION_BITS = 24;
    // The rate and frequency a new oscillator runs at until the effect sets its own.
    static constexpr float DEFAULT_SAMPLE_RATE = 44100.0f;
    static constexpr float DEFAULT_FREQUENCY = 1.0f;

    // The shapes the table builder offers; the effect uses only the sine.
    enum class EWaveform
    {
        Sine,
        // 0 → 1 → 0 → −1 → 0 in four straight runs.
        Triangle,
        // −1 → 1, then a jump back to −1.
        RisingRamp,
        // +1 for the first half cycle, −1 for the second.
        Square,
        // −1 → 1 along an e^x curve and back along its mirror image.
        ExponentialRiseFall,
    };

    // A sine table, phase 0, at DEFAULT_FREQUENCY for DEFAULT_SAMPLE_RATE.
    VeltrixLfo();

    // Rebuilds the table; not for the audio thread while it reads.
    void buildTable(EWaveform waveform);

    // Hz. Only stored: the increment keeps the frequency it was computed for until
    // setFrequency is called again. Values that are not finite and above 0 are ignored.
    void setSampleRate(float sampleRate);
    float getSampleRate() const { return m_sampleRate.load(std::memory_order_relaxed); }

    // Hz, at the stored sample rate. A negative frequency runs the phase backwards;
    // frequencies of a cycle per sample and more alias, as the fixed-point phase
    // wraps. Non-finite values are ignored.
    void setFrequency(float frequency);

    // Audio thread: `count` successive values, each the interpolated table value at
    // the current phase (-1 … 1 for the built-in shapes), advancing the phase by
    // one sample after each (wrapping modulo 2^32, one cycle). The increment is
    // read once for all of them.
    void read(float *values, int count);

    // 8.24 fixed point over one table cycle.
    std::uint32_t getPhase() const { return m_phase; }
    std::uint32_t getIncrement() const { return m_increment.load(std::memory_order_relaxed); }

private:
    // The interpolated table value at `phase`.
    float valueAt(std::uint32_t phase) const;

    // Setters may run on the user-interface thread while read() runs on the audio
    // thread (MIDI can also call them there), so these are written and read whole.
    static_assert(std::atomic<float>::is_always_lock_free && std::atomic<std::uint32_t>::is_always_lock_free);

    std::uint32_t m_phase = 0;
    std::atomic<std::uint32_t> m_increment{0};
    std::atomic<float> m_sampleRate{DEFAULT_SAMPLE_RATE};
    std::array<float, TABLE_LENGTH + 1> m_table{};
};
} // namespace Orvalite::Veltrix
