#include "foundation/host/CTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

using Orvalite::Host::CTime;
using Orvalite::Host::SFileTime;

namespace
{
// Sets the process time zone for one test and restores the previous one.
class CTimeZone
{
public:
    explicit CTimeZone(const char *zone)
    {
        const char *previous = std::getenv("TZ");
        m_hadZone = previous != nullptr;
        m_previous = previous ? previous : "";
        setenv("TZ", zone, 1);
        tzset();
    }
    ~CTimeZone()
    {
        if (m_hadZone)
        {
            setenv("TZ", m_previous.c_str(), 1);
        }
        else
        {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    bool m_hadZone = false;
    std::string m_previous;
};

// 1 January 1970 00:00 UTC in 100 ns ticks since 1601.
const uint64_t UNIX_EPOCH_TICKS = 116444736000000000ULL;
} // namespace

TEST(Time, FormatsDateAndTimeWithBoundedDescriptions)
{
    const CTime time(2026, 12, 5, 15, 4, 9, 7);
    EXPECT_STREQ(time.getDateString(false).getString(), "05/12/2026");
    EXPECT_STREQ(time.getTimeString().getString(), "15:04:09:07");
    EXPECT_STREQ(CTime(2000, 1, 1, 0, 0, 0, 999).getTimeString().getString(), "00:00:00:999");
    char description[64] = {};
    time.getObjectDescription(description, sizeof(description));
    EXPECT_STREQ(description, "15:04:09:07");
    char cut[6] = {};
    time.getObjectDescription(cut, sizeof(cut));
    EXPECT_STREQ(cut, "15:04");
}

TEST(Time, WorksOutTheDayOfTheWeek)
{
    const struct
    {
        long year, month, day;
        uint16_t dayOfWeek;
        const char *longDate;
    } cases[] = {
        {1970, 1, 1, 4, "Thursday 1 January 1970"}, {2000, 2, 29, 2, "Tuesday 29 February 2000"},
        {1601, 1, 1, 1, "Monday 1 January 1601"},   {2026, 12, 5, 6, "Saturday 5 December 2026"},
        {2024, 3, 3, 0, "Sunday 3 March 2024"},     {1999, 12, 31, 5, "Friday 31 December 1999"},
    };
    for (const auto &testCase : cases)
    {
        EXPECT_EQ(CTime::dayOfWeekOf(testCase.year, testCase.month, testCase.day), testCase.dayOfWeek)
            << testCase.longDate;
        const CTime time(static_cast<uint16_t>(testCase.year), static_cast<uint16_t>(testCase.month),
                         static_cast<uint16_t>(testCase.day), 0, 0, 0, 0);
        EXPECT_STREQ(time.getDateString(true).getString(), testCase.longDate);
    }
    for (const uint16_t month : {0, 13})
    {
        const std::string date = CTime(2026, month, 1, 0, 0, 0, 0).getDateString(true).getString();
        EXPECT_EQ(date.substr(date.find(' ')), " 1 ? 2026") << "month " << month << " has no name";
    }
}

TEST(Time, ConvertsFileTimesInLocalTime)
{
    const CTimeZone zone("UTC0");
    const CTime epoch(SFileTime{UNIX_EPOCH_TICKS + 1234 * 10000ULL});
    EXPECT_STREQ(epoch.getDateString(true).getString(), "Thursday 1 January 1970");
    EXPECT_STREQ(epoch.getTimeString().getString(), "00:00:01:234");
    EXPECT_EQ(CTime(2026, 12, 5, 15, 4, 9, 7).toFileTime().ticks,
              UNIX_EPOCH_TICKS + (1796483049ULL * 1000 + 7) * 10000ULL);
    const CTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_STREQ(CTime(SFileTime{UNIX_EPOCH_TICKS}).getTimeString().getString(), "01:00:00:00");
}

TEST(Time, FileTimeRoundTripKeepsEveryFieldAndAnUnconvertibleOneChangesNothing)
{
    CTime time(CTime(2026, 12, 5, 15, 4, 9, 7).toFileTime());
    EXPECT_STREQ(time.getDateString(true).getString(), "Saturday 5 December 2026");
    EXPECT_STREQ(time.getTimeString().getString(), "15:04:09:07");
    time.setFromFileTime(SFileTime{~0ULL});
    EXPECT_STREQ(time.getDateString(true).getString(), "Saturday 5 December 2026");
    EXPECT_STREQ(time.getTimeString().getString(), "15:04:09:07");
}

TEST(Time, CurrentTimeIsPlausible)
{
    const CTime now;
    EXPECT_GE(now.getYear(), 2024);
    EXPECT_GE(now.getMonth(), 1);
    EXPECT_LE(now.getMonth(), 12);
    EXPECT_LT(now.getMilliseconds(), 1000);
    EXPECT_EQ(now.getDayOfWeek(), CTime::dayOfWeekOf(now.getYear(), now.getMonth(), now.getDay()));
}
