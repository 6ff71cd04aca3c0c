#include "effect/CTapDelayLine.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::Veltrix
{
CTapDelayLine::CTapDelayLine(long maximumDelay, double delay0, double delay1)
    : m_samples(std::make_unique<double[]>(static_cast<size_t>(std::max(maximumDelay, 1L)) + 2)),
      m_size(std::max(maximumDelay, 1L) + 1)
{
    setDelay(0, delay0);
    setDelay(1, delay1);
}

// The read point is the write point less the delay, brought into the line by whole
// lengths; its integer part is the slot read, the fraction the weight of the next.
void CTapDelayLine::setDelay(int tap, double delay)
{
    if (!(delay >= 0.0 && delay + 1.0 <= static_cast<double>(m_size)))
    {
        return;
    }
    // The delay is below the line's length: one length brings the read point in.
    double readPoint = static_cast<double>(m_writePoint) - delay;
    if (readPoint < 0.0)
    {
        readPoint += static_cast<double>(m_size);
    }
    STap &target = m_taps[tap];
    target.delay = delay;
    target.readPoint = static_cast<long>(readPoint);
    target.alpha = readPoint - static_cast<double>(target.readPoint);
    target.oneMinusAlpha = 1.0 - target.alpha;
    // A read point rounded up to the line's length is its first slot.
    if (target.readPoint == m_size)
    {
        target.readPoint = 0;
    }
    target.behind = m_writePoint - target.readPoint + (m_writePoint < target.readPoint ? m_size : 0);
}

void CTapDelayLine::clear()
{
    std::fill(m_samples.get(), m_samples.get() + m_size + 1, 0.0);
}

void CTapDelayLine::tick(double input, double (&outputs)[TAPS])
{
    m_samples[m_writePoint] = input;
    m_samples[m_size] = m_samples[0];
    for (int tap = 0; tap < TAPS; ++tap)
    {
        const STap &reader = m_taps[tap];
        outputs[tap] =
            m_samples[reader.readPoint] * reader.oneMinusAlpha + m_samples[reader.readPoint + 1] * reader.alpha;
    }
    advance(1);
}

void CTapDelayLine::advance(int frames)
{
    m_writePoint += frames;
    m_writePoint -= m_writePoint >= m_size ? m_size : 0;
    for (STap &tap : m_taps)
    {
        tap.readPoint += frames;
        tap.readPoint -= tap.readPoint >= m_size ? m_size : 0;
    }
}
} // namespace Orvalite::Veltrix
