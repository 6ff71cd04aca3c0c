#include "editor/CPendingParameters.h"

#include <cmath>

namespace Orvalite::Veltrix
{
static_assert(std::atomic<double>::is_always_lock_free, "recording on the audio thread must not lock");

void CPendingParameters::record(long index, double value)
{
    if (index < 0 || index >= CAPACITY || std::isnan(value))
    {
        return;
    }
    m_values[index].store(value, std::memory_order_relaxed);
    m_changed.fetch_or(1u << index, std::memory_order_release);
}
} // namespace Orvalite::Veltrix
