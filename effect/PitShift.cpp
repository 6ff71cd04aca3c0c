#include "effect/PitShift.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::Veltrix
{
PitShift::PitShift() : m_tapLine(static_cast<long>(MAXIMUM_DELAY), INITIAL_DELAY_0, INITIAL_DELAY_1) {}

PitShift::~PitShift() = default;

void PitShift::setWindow(double window)
{
    if (std::isfinite(window))
    {
        // Clamped before the store: tick() may read the window at any moment.
        m_window.store(std::clamp(window, MINIMUM_WINDOW, MAXIMUM_WINDOW), std::memory_order_relaxed);
    }
}

void PitShift::setRate(double rate)
{
    if (std::isfinite(rate))
    {
        m_rate.store(rate, std::memory_order_relaxed);
    }
}

void PitShift::clear()
{
    m_tapLine.clear();
    m_lastOutput = 0.0;
}
} // namespace Orvalite::Veltrix
