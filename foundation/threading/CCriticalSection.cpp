#include "foundation/threading/CCriticalSection.h"

namespace Orvalite::Threading
{
ORVALITE_DEFINE_CLASS_RECORD(CCriticalSection, "CCriticalSection", "CCountedObject")

bool CCriticalSection::tryEnter(long timeoutMs)
{
    long attempts = 0;
    return tryEnter(timeoutMs, attempts);
}

bool CCriticalSection::tryEnter(long timeoutMs, long &attempts)
{
    attempts = 0;
    if (!m_section)
    {
        return false;
    }
    if (timeoutMs < 1)
    {
        enter();
        return true;
    }
    for (long remaining = timeoutMs; remaining > 0; remaining -= POLL_INTERVAL_MS)
    {
        ++attempts;
        if (tryEnterOnce())
        {
            return true;
        }
        // No sleep once the time is used up: it would only delay the answer.
        if (remaining > POLL_INTERVAL_MS)
        {
            sleepMilliseconds(POLL_INTERVAL_MS);
        }
    }
    return false;
}
} // namespace Orvalite::Threading
