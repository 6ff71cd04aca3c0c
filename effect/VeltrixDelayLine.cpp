#include "effect/VeltrixDelayLine.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::Veltrix
{
VeltrixDelayLine::VeltrixDelayLine() = default;

void VeltrixDelayLine::setLength(float length)
{
    if (std::isfinite(length))
    {
        // Clamped before the store: process() may read the length at any moment.
        m_length.store(std::clamp(length, MINIMUM_LENGTH, static_cast<float>(CAPACITY)), std::memory_order_relaxed);
    }
}

void VeltrixDelayLine::setFeedback(float feedback)
{
    if (std::isfinite(feedback))
    {
        m_feedback.store(std::clamp(feedback, 0.0f, 1.0f), std::memory_order_relaxed);
    }
}

void VeltrixDelayLine::clear()
{
    m_samples.fill(0.0f);
    m_writePosition = 0;
}
} // namespace Orvalite::Veltrix
