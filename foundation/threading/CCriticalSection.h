// The framework's lock: a recursive mutual-exclusion section (the thread that
// holds it may enter again) with a polling try-enter. Owned by its user.
#pragma once

#include "foundation/basics/CCountedObject.h"

#include <memory>

namespace Orvalite::Threading
{
class CCriticalSection : public Basics::CCountedObject
{
public:
    // Milliseconds slept between two attempts of tryEnter.
    static constexpr long POLL_INTERVAL_MS = 5;

    CCriticalSection();
    CCriticalSection(const CCriticalSection &) = delete;
    CCriticalSection &operator=(const CCriticalSection &) = delete;
    ~CCriticalSection() override;

    void enter();
    void leave();
    // With `timeoutMs` < 1 a blocking enter (true). Otherwise non-blocking
    // attempts every POLL_INTERVAL_MS, the time left shrinking by that much
    // after each failure, until one succeeds or no time is left.
    bool tryEnter(long timeoutMs);
    // The same, telling how many non-blocking attempts were made (0 for a blocking enter).
    bool tryEnter(long timeoutMs, long &attempts);

    ORVALITE_CLASS_RECORD(CCriticalSection)

private:
    struct SPlatformSection;
    struct SPlatformSectionDeleter
    {
        void operator()(SPlatformSection *section) const;
    };

    bool tryEnterOnce();
    static void sleepMilliseconds(long milliseconds);

    // Null when the platform could not create the section.
    std::unique_ptr<SPlatformSection, SPlatformSectionDeleter> m_section;
};
} // namespace Orvalite::Threading
