// Audio thread: process() runs once per slice of a block (the effect hands it at
// most 256 frames at a time); no allocation, locks, I/O or exceptions.
#include "effect/VeltrixDelayLine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace Orvalite::Veltrix
{
namespace
{
// The read below gives a sample back through the full cubic only when it is a
// negative zero, which the sum turns positive.
bool isNegativeZero(float y)
{
    return y == 0.0f && std::signbit(y);
}

// isNegativeZero over a run, as one comparison of the bits per sample that the
// compiler runs four at a time.
bool containsNegativeZero(const float *samples, int count)
{
    constexpr std::uint32_t NEGATIVE_ZERO = 0x80000000u;
    std::uint32_t found = 0;
    for (int n = 0; n < count; ++n)
    {
        std::uint32_t bits;
        std::memcpy(&bits, &samples[n], sizeof(bits));
        found |= static_cast<std::uint32_t>(bits == NEGATIVE_ZERO);
    }
    return found != 0;
}
} // namespace

inline float VeltrixDelayLine::cubicRead(int i0, float t, float length) const
{
    const float *const b = m_samples.data();
    const int whole = static_cast<int>(length);
    const int im1 = i0 - 1 < 0 ? whole - 1 : i0 - 1;
    const int i1 = i0 + 1 < whole ? i0 + 1 : 0;
    const int i2 = i0 + 2 < whole ? i0 + 2 : 0;

    const float c1 = 0.5f * (b[i1] - b[im1]);
    const float c2 = b[im1] - 2.5f * b[i0] + 2.0f * b[i1] - 0.5f * b[i2];
    const float c3 = 1.5f * (b[i0] - b[i1]) + 0.5f * (b[i2] - b[im1]);
    return ((c3 * t + c2) * t + c1) * t + b[i0];
}

inline float VeltrixDelayLine::processAt(float x, float length, int wrapAt, float feedback, int &writePosition)
{
    // The buffer wraps at the length, so the read position r = w − length, plus the
    // length when negative, meets the write position w. While w is below the length
    // that sum is exactly w again (all these floats are whole multiples of the
    // length's last bit), and the cubic gives that sample back exactly (t is 0).
    float y = 0.0f;
    if (writePosition < wrapAt)
    {
        y = m_samples[writePosition];
        if (isNegativeZero(y))
        {
            y = cubicRead(writePosition, 0.0f, length);
        }
    }
    else
    {
        // A length cut below the write position reads between samples, for the one
        // sample before the write position wraps. r lies in 0 … CAPACITY − 1 and
        // length in 1 … CAPACITY, so every index stays inside the buffer; for such
        // values the conversion is the floor.
        const float r = static_cast<float>(writePosition) - length;
        const int i0 = static_cast<int>(r);
        const float t = r - static_cast<float>(i0);
        y = m_samples[i0];
        if (t != 0.0f || isNegativeZero(y))
        {
            y = cubicRead(i0, t, length);
        }
    }

    m_samples[writePosition] = x + feedback * y;
    ++writePosition;
    if (writePosition >= wrapAt)
    {
        writePosition = 0;
    }
    return y;
}

// A run of samples up to the wrap point none of which reads a negative zero: each read is
// the sample at the write position, so the whole run is one pass the compiler
// vectorises, with the same operations on each sample as processAt.
inline bool VeltrixDelayLine::runStraight(float *__restrict samples, int writePosition, int count, float feedback)
{
    float *__restrict line = m_samples.data() + writePosition;
    if (containsNegativeZero(line, count))
    {
        return false;
    }
    for (int n = 0; n < count; ++n)
    {
        const float y = line[n];
        line[n] = samples[n] + feedback * y;
        samples[n] = y;
    }
    return true;
}

void VeltrixDelayLine::process(float *samples, int count)
{
    const float length = getLength();
    const int wrapAt = wrapPosition(length);
    const float feedback = getFeedback();
    int writePosition = m_writePosition;
    int n = 0;
    while (n < count)
    {
        // The samples up to the wrap point; a write position past it (the length
        // was cut) takes one sample of processAt, which wraps it.
        const int run = writePosition < wrapAt ? std::min(count - n, wrapAt - writePosition) : 1;
        if (writePosition < wrapAt && runStraight(samples + n, writePosition, run, feedback))
        {
            writePosition += run;
            if (writePosition >= wrapAt)
            {
                writePosition = 0;
            }
        }
        else
        {
            for (int k = 0; k < run; ++k)
            {
                samples[n + k] = processAt(samples[n + k], length, wrapAt, feedback, writePosition);
            }
        }
        n += run;
    }
    m_writePosition = writePosition;
}
} // namespace Orvalite::Veltrix
