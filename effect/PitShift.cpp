#include "effect/PitShift.h"

#include <algorithm>
#include <cmath>

namespace Orvalite::Veltrix
{
PitShift::PitShift()
    : m_tapLines{std::make_unique<stk::DelayL>(INITIAL_DELAY_0, static_cast<unsigned long>(MAXIMUM_DELAY)),
                 std::make_unique<stk::DelayL>(INITIAL_DELAY_1, static_cast<unsigned long>(MAXIMUM_DELAY))}
{
}

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
    m_tapLines[0]->clear();
    m_tapLines[1]->clear();
    m_lastOutput = 0.0;
}
} // namespace Orvalite::Veltrix
