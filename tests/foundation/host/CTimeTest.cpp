#include "foundation/host/CTime.h"

#include "tests/foundation/FoundationTestSupport.h"

#include <ctime>

using namespace Orvalite::Host;
using Orvalite::Testing::text;

// The long date works out the weekday; a month outside 1 … 12 has no name.
TEST(Time, DateTexts)
{
    const std::tuple<uint16_t, uint16_t, uint16_t, uint16_t, const char *> cases[] = {
        {1970, 1, 1, 4, "Thursday 1 January 1970"}, {2000, 2, 29, 2, "Tuesday 29 February 2000"},
        {1601, 1, 1, 1, "Monday 1 January 1601"},   {2026, 12, 5, 6, "Saturday 5 December 2026"},
        {2024, 3, 3, 0, "Sunday 3 March 2024"},     {1999, 12, 31, 5, "Friday 31 December 1999"},
    };
    for (const auto &[year, month, day, dayOfWeek, longDate] : cases)
    {
        EXPECT_EQ(CTime::dayOfWeekOf(year, month, day), dayOfWeek) << longDate;
        EXPECT_STREQ(CTime(year, month, day, 0, 0, 0, 0).getDateString(true).getString(), longDate);
    }
    for (const uint16_t month : {0, 13})
        EXPECT_THAT(text(CTime(2026, month, 1, 0, 0, 0, 0).getDateString(true)), testing::EndsWith(" 1 ? 2026"))
            << "month " << month;
    EXPECT_STREQ(CTime(2026, 12, 5, 15, 4, 9, 7).getDateString(false).getString(), "05/12/2026");
}

TEST(Time, DescriptionIsCutToTheCallersBuffer)
{
    char cut[6] = {};
    CTime(2026, 12, 5, 15, 4, 9, 7).getObjectDescription(cut, sizeof(cut));
    EXPECT_STREQ(cut, "15:04");
}

// File times count 100 ns ticks since 1601 and convert in the process's time zone.
TEST(Time, ConvertsFileTimesInLocalTime)
{
    const uint64_t unixEpoch = 116444736000000000ULL;
    const std::string previousZone = std::getenv("TZ") ? std::getenv("TZ") : "";
    setenv("TZ", "UTC0", 1);
    tzset();
    const CTime epoch(SFileTime{unixEpoch + 1234 * 10000ULL});
    EXPECT_EQ(text(epoch.getDateString(true)) + " " + text(epoch.getTimeString()),
              "Thursday 1 January 1970 00:00:01:234");
    EXPECT_EQ(CTime(2026, 12, 5, 15, 4, 9, 7).toFileTime().ticks, unixEpoch + (1796483049ULL * 1000 + 7) * 10000ULL);
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    EXPECT_EQ(text(CTime(SFileTime{unixEpoch}).getTimeString()), "01:00:00:00");
    previousZone.empty() ? unsetenv("TZ") : setenv("TZ", previousZone.c_str(), 1);
    tzset();
}

TEST(Time, AnUnconvertibleFileTimeChangesNothing)
{
    CTime time(2026, 12, 5, 15, 4, 9, 7);
    time.setFromFileTime(SFileTime{~0ULL});
    EXPECT_STREQ(time.getDateString(true).getString(), "Saturday 5 December 2026");
    EXPECT_STREQ(time.getTimeString().getString(), "15:04:09:07");
}
