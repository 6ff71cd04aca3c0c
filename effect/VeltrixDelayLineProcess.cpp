// Audio thread: runs once per sample; no allocation, locks, I/O or exceptions.
#include "effect/VeltrixDelayLine.h"

#include <cmath>

namespace Orvalite::Veltrix
{
float VeltrixDelayLine::process(float x)
{
    // One read of each setting, so that a concurrent change cannot mix two lengths
    // in one sample's index arithmetic.
    const float length = getLength();
    const float feedback = getFeedback();
    const float *const b = m_samples.data();

    // The buffer wraps at the length, so the read position meets the write position:
    // while the write position is below the length, r comes out as the write
    // position itself and t as 0. Only a length cut below the write position reads
    // between samples, for the one sample before the write position wraps.
    float r = static_cast<float>(m_writePosition) - length;
    if (r < 0.0f)
    {
        r += length;
    }
    // r lies in 0 … CAPACITY − 1 and length in 1 … CAPACITY, so every index below
    // stays inside the buffer; for such values the conversion is the floor.
    const int i0 = static_cast<int>(r);
    const float t = r - static_cast<float>(i0);
    // In steady running the read falls on a sample (t is 0) and the cubic gives
    // that sample back exactly; only a negative zero needs the full sum, which
    // can turn it positive.
    float y = b[i0];
    if (t != 0.0f || (y == 0.0f && std::signbit(y)))
    {
        const int whole = static_cast<int>(length);
        const int im1 = i0 - 1 < 0 ? whole - 1 : i0 - 1;
        const int i1 = i0 + 1 < whole ? i0 + 1 : 0;
        const int i2 = i0 + 2 < whole ? i0 + 2 : 0;

        const float c1 = 0.5f * (b[i1] - b[im1]);
        const float c2 = b[im1] - 2.5f * b[i0] + 2.0f * b[i1] - 0.5f * b[i2];
        const float c3 = 1.5f * (b[i0] - b[i1]) + 0.5f * (b[i2] - b[im1]);
        y = ((c3 * t + c2) * t + c1) * t + b[i0];
    }

    m_samples[m_writePosition] = x + feedback * y;
    ++m_writePosition;
    if (static_cast<float>(m_writePosition) >= length)
    {
        m_writePosition = 0;
    }
    return y;
}
} // namespace Orvalite::Veltrix
