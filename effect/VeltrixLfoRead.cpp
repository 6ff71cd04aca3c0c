// Audio thread: runs once per sample; no allocation, locks, I/O or exceptions.
#include "effect/VeltrixLfo.h"

namespace Orvalite::Veltrix
{
namespace
{
constexpr std::uint32_t FRACTION_MASK = (1u << VeltrixLfo::FRACTION_BITS) - 1u;
// 2^-24: turns the fraction bits into 0 … 1 exactly, as float holds 24 bits.
constexpr float FRACTION_SCALE = 1.0f / static_cast<float>(1u << VeltrixLfo::FRACTION_BITS);
} // namespace

float VeltrixLfo::read()
{
    // The top 8 bits are at most 255, so index + 1 reaches the guard entry at most.
    const std::uint32_t index = m_phase >> FRACTION_BITS;
    const float fraction = static_cast<float>(m_phase & FRACTION_MASK) * FRACTION_SCALE;
    const float value = (1.0f - fraction) * m_table[index] + fraction * m_table[index + 1];
    m_phase += getIncrement(); // unsigned: wraps modulo 2^32, one cycle
    return value;
}
} // namespace Orvalite::Veltrix
