#include "foundation/host/CTime.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <chrono>

using Orvalite::Host::CTime;

namespace
{
const int64_t TICKS_PER_SECOND = 10000000;
// Seconds from 1 January 1601 to 1 January 1970, both UTC.
const int64_t SECONDS_FROM_1601_TO_1970 = 11644473600;

std::string describe(const CTime &time)
{
    return std::string(time.getDateString(true).getString()) + " " + time.getTimeString().getString();
}
} // namespace

// File times count UTC: the local clock's reading must convert to the system clock's.
TEST(Time, TheCurrentTimeIsTheSystemClockInTheLocalZone)
{
    const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
    const CTime now;
    const int64_t seconds = std::chrono::duration_cast<std::chrono::seconds>(since1970).count();
    EXPECT_NEAR(static_cast<double>(now.toFileTime().ticks / TICKS_PER_SECOND),
                static_cast<double>(seconds + SECONDS_FROM_1601_TO_1970), 2)
        << describe(now);
}

// Winter and summer dates alike: the rules of each date decide its offset.
TEST(Time, LocalTimesRoundTripThroughFileTimes)
{
    const CTime times[] = {CTime(2026, 1, 15, 12, 30, 45, 123), CTime(2026, 7, 15, 23, 59, 59, 999),
                           CTime(1970, 1, 1, 0, 0, 0, 0), CTime(1601, 1, 2, 0, 0, 0, 1),
                           CTime(2400, 2, 29, 6, 7, 8, 9)};
    for (const CTime &time : times)
        EXPECT_EQ(describe(time), describe(CTime(time.toFileTime())));
    EXPECT_EQ(0u, CTime(1600, 12, 30, 0, 0, 0, 0).toFileTime().ticks) << "before 1601";
}
