// Audio thread: read() runs once per slice of a block (the effect asks for at most
// 256 values at a time); no allocation, locks, I/O or exceptions.
#include "effect/VeltrixLfo.h"

namespace Orvalite::Veltrix
{
namespace
{
constexpr std::uint32_t FRACTION_MASK = (1u << VeltrixLfo::FRACTION_BITS) - 1u;
// 2^-24: turns the fraction bits into 0 … 1 exactly, as float holds 24 bits.
constexpr float FRACTION_SCALE = 1.0f / static_cast<float>(1u << VeltrixLfo::FRACTION_BITS);
} // namespace

inline float VeltrixLfo::valueAt(std::uint32_t phase) const
{
    // The top 8 bits are at most 255, so index + 1 reaches the guard entry at most.
    const std::uint32_t index = phase >> FRACTION_BITS;
    const float fraction = static_cast<float>(phase & FRACTION_MASK) * FRACTION_SCALE;
    return (1.0f - fraction) * m_table[index] + fraction * m_table[index + 1];
}

void VeltrixLfo::read(float *values, int count)
{
    const std::uint32_t increment = getIncrement();
    std::uint32_t phase = m_phase;
    for (int n = 0; n < count; ++n)
    {
        values[n] = valueAt(phase);
        phase += increment;
    }
    m_phase = phase;
}
} // namespace Orvalite::Veltrix
