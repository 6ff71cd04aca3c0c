#include "effect/VeltrixLfo.h"

#include <cmath>

namespace Orvalite::Veltrix
{
namespace
{
// One full turn of the 32-bit phase, 256 table steps of 2^24.
constexpr long double PHASE_CYCLE = 4294967296.0L;
// The sine table's step, 1/256 of a cycle, and its approximation of 2π; kept as
// they are so that every build fills the table with the same floats.
constexpr long double SINE_STEP = 0.00390625L;
constexpr long double SINE_TWO_PI = 6.2831859L;
// Entries per quarter of the triangle and per half of the other shapes.
constexpr int QUARTER = VeltrixLfo::TABLE_LENGTH / 4;
constexpr int HALF = VeltrixLfo::TABLE_LENGTH / 2;
} // namespace

VeltrixLfo::VeltrixLfo()
{
    buildTable(EWaveform::Sine);
    setFrequency(DEFAULT_FREQUENCY);
}

void VeltrixLfo::buildTable(EWaveform waveform)
{
    // Extended precision throughout, rounded to float once per entry.
    const long double e = std::exp(1.0L);
    for (int i = 0; i <= TABLE_LENGTH; ++i)
    {
        const long double position = i;
        long double value = 0.0L;
        switch (waveform)
        {
        case EWaveform::Sine:
            value = std::sin(position * SINE_STEP * SINE_TWO_PI);
            break;
        case EWaveform::Triangle:
            if (i < QUARTER)
                value = position / QUARTER;
            else if (i < 3 * QUARTER)
                value = (HALF - position) / QUARTER;
            else
                value = (position - TABLE_LENGTH) / QUARTER;
            break;
        case EWaveform::RisingRamp:
            value = i < TABLE_LENGTH ? 2.0L * position / (TABLE_LENGTH - 1) - 1.0L : -1.0L;
            break;
        case EWaveform::Square:
            value = i < HALF || i == TABLE_LENGTH ? 1.0L : -1.0L;
            break;
        case EWaveform::ExponentialRiseFall: {
            // The fall retraces the rise: entry i of the second half equals entry 255 − i.
            const long double rise = i < HALF ? position : TABLE_LENGTH - 1 - position;
            value = i < TABLE_LENGTH ? 2.0L * (std::exp(rise / HALF) - 1.0L) / (e - 1.0L) - 1.0L : -1.0L;
            break;
        }
        }
        m_table[i] = static_cast<float>(value);
    }
}

void VeltrixLfo::setSampleRate(float sampleRate)
{
    if (std::isfinite(sampleRate) && sampleRate > 0.0f)
    {
        m_sampleRate.store(sampleRate, std::memory_order_relaxed);
    }
}

void VeltrixLfo::setFrequency(float frequency)
{
    if (!std::isfinite(frequency))
    {
        return;
    }
    // Finite: the rate is at least the smallest positive float, so the quotient stays
    // far below the long double (and even the double) range.
    const long double steps = std::trunc(static_cast<long double>(frequency) / getSampleRate() * TABLE_LENGTH *
                                         static_cast<long double>(1u << FRACTION_BITS));
    // Modulo 2^32 before converting: a negative or huge count has no unsigned value
    // of its own, but the phase only ever sees it modulo a cycle. fmod is exact, so
    // counts already in range pass unchanged.
    long double wrapped = std::fmod(steps, PHASE_CYCLE);
    if (wrapped < 0.0L)
    {
        wrapped += PHASE_CYCLE;
    }
    m_increment.store(static_cast<std::uint32_t>(wrapped), std::memory_order_relaxed);
}
} // namespace Orvalite::Veltrix
