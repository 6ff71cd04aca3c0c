// Parameter changes handed from any thread (the host's audio thread with
// automation and MIDI) to the user-interface thread: one value per index and
// a mask of the indices changed, all atomic, so recording never allocates,
// locks or waits. Owned by the editor.
#pragma once

#include <atomic>
#include <cstdint>

namespace Orvalite::Veltrix
{
class CPendingParameters
{
public:
    static constexpr long CAPACITY = 32;

    // Keeps the latest value of `index`; indices outside 0 … CAPACITY - 1 and NaN are ignored.
    void record(long index, double value);

    // Calls apply(index, value) for every index recorded since the last call, lowest first.
    template <class TApply> void takeAll(TApply &&apply)
    {
        uint32_t changed = m_changed.exchange(0, std::memory_order_acquire);
        for (long index = 0; changed != 0; ++index, changed >>= 1)
        {
            if (changed & 1u)
            {
                apply(index, m_values[index].load(std::memory_order_relaxed));
            }
        }
    }

private:
    std::atomic<double> m_values[CAPACITY] = {};
    std::atomic<uint32_t> m_changed{0};
};
} // namespace Orvalite::Veltrix
