// Audio thread: read() runs once per slice of a block (the effect asks for at most
// 256 values at a time); no allocation, locks, I/O or exceptions.
#include "effect/VeltrixLfo.h"

#include <emmintrin.h>

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

// Four values at a time while they share their two table entries (a slow LFO
// stays between two entries for dozens of samples), with the scalar
// arithmetic in four lanes; groups that straddle an entry go value by value.
void VeltrixLfo::read(float *values, int count)
{
    const std::uint32_t increment = getIncrement();
    std::uint32_t phase = m_phase;
    const __m128i fractionMask = _mm_set1_epi32(static_cast<int>(FRACTION_MASK));
    const __m128 fractionScale = _mm_set1_ps(FRACTION_SCALE);
    const __m128 one = _mm_set1_ps(1.0f);
    __m128i phases = _mm_setr_epi32(static_cast<int>(phase), static_cast<int>(phase + increment),
                                    static_cast<int>(phase + 2u * increment), static_cast<int>(phase + 3u * increment));
    const __m128i stride = _mm_set1_epi32(static_cast<int>(4u * increment));
    int n = 0;
    for (; n + 4 <= count; n += 4)
    {
        const __m128i indices = _mm_srli_epi32(phases, FRACTION_BITS);
        const __m128i firstIndex = _mm_shuffle_epi32(indices, 0);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(indices, firstIndex)) == 0xFFFF)
        {
            const int index = _mm_cvtsi128_si32(indices);
            const __m128 fractions = _mm_mul_ps(_mm_cvtepi32_ps(_mm_and_si128(phases, fractionMask)), fractionScale);
            const __m128 interpolated = _mm_add_ps(_mm_mul_ps(_mm_sub_ps(one, fractions), _mm_set1_ps(m_table[index])),
                                                   _mm_mul_ps(fractions, _mm_set1_ps(m_table[index + 1])));
            _mm_storeu_ps(values + n, interpolated);
        }
        else
        {
            for (int lane = 0; lane < 4; ++lane)
            {
                values[n + lane] = valueAt(phase + static_cast<std::uint32_t>(lane) * increment);
            }
        }
        phase += 4u * increment;
        phases = _mm_add_epi32(phases, stride);
    }
    for (; n < count; ++n)
    {
        values[n] = valueAt(phase);
        phase += increment;
    }
    m_phase = phase;
}
} // namespace Orvalite::Veltrix
