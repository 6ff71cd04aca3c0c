#include "gui/windowing/x11/CX11TimerList.h"

#include <algorithm>
#include <time.h>

namespace Orvalite::GUI::Windowing
{
namespace
{
constexpr int64_t NANOSECONDS_PER_MILLISECOND = 1000000;
}

int64_t CX11TimerList::now()
{
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<int64_t>(time.tv_sec) * 1000 * NANOSECONDS_PER_MILLISECOND + time.tv_nsec;
}

void CX11TimerList::start(uintptr_t window, long id, long milliseconds, int64_t nowNs)
{
    stop(window, id);
    const int64_t periodNs = std::max<int64_t>(milliseconds, 1) * NANOSECONDS_PER_MILLISECOND;
    m_timers.push_back({{window, id}, periodNs, nowNs + periodNs});
}

void CX11TimerList::stop(uintptr_t window, long id)
{
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                  [&](const STimer &timer) { return timer.id.window == window && timer.id.id == id; }),
                   m_timers.end());
}

void CX11TimerList::stopAll(uintptr_t window)
{
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                  [&](const STimer &timer) { return timer.id.window == window; }),
                   m_timers.end());
}

bool CX11TimerList::isRunning(uintptr_t window, long id) const
{
    return std::any_of(m_timers.begin(), m_timers.end(),
                       [&](const STimer &timer) { return timer.id.window == window && timer.id.id == id; });
}

std::vector<CX11TimerList::STimerId> CX11TimerList::takeDue(int64_t nowNs)
{
    std::vector<STimerId> due;
    for (STimer &timer : m_timers)
    {
        if (timer.dueNs <= nowNs)
        {
            due.push_back(timer.id);
            const int64_t missed = (nowNs - timer.dueNs) / timer.periodNs;
            timer.dueNs += (missed + 1) * timer.periodNs;
        }
    }
    return due;
}
} // namespace Orvalite::GUI::Windowing
