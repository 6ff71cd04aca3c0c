// The running timers of every window, as due times on CLOCK_MONOTONIC; owned
// by CX11WindowSystem, which runs the due ones at each pump. Their resolution
// is the pump's rate (the host's idle calls).
#pragma once

#include <cstdint>
#include <vector>

namespace Orvalite::GUI::Windowing
{
class CX11TimerList
{
public:
    struct STimerId
    {
        uintptr_t window = 0;
        long id = 0;
    };

    // Nanoseconds on CLOCK_MONOTONIC.
    static int64_t now();

    // Starts or restarts the window's timer `id`, first due a period from `nowNs`.
    void start(uintptr_t window, long id, long milliseconds, int64_t nowNs);
    void stop(uintptr_t window, long id);
    void stopAll(uintptr_t window);
    bool isRunning(uintptr_t window, long id) const;

    // The timers due at `nowNs`, each moved on by its period (skipping the
    // periods missed, so a late pump fires a timer once).
    std::vector<STimerId> takeDue(int64_t nowNs);

private:
    struct STimer
    {
        STimerId id;
        int64_t periodNs = 0;
        int64_t dueNs = 0;
    };

    std::vector<STimer> m_timers;
};
} // namespace Orvalite::GUI::Windowing
