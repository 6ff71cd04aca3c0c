#include "foundation/host/CTime.h"

#include <cstdint>
#include <ctime>
#include <sys/time.h>

namespace Orvalite::Host
{
namespace
{
const int64_t TICKS_PER_SECOND = 10000000;
const int64_t TICKS_PER_MILLISECOND = 10000;
// Seconds from 1 January 1601 to 1 January 1970, both UTC.
const int64_t SECONDS_FROM_1601_TO_1970 = 11644473600;
// The last year a file time can reach (ticks up to 2^63 - 1).
const int LATEST_YEAR = 30827;

bool toLocalFields(time_t seconds, tm &fields)
{
    return localtime_r(&seconds, &fields) != nullptr && fields.tm_year + 1900 >= 1601 &&
           fields.tm_year + 1900 <= LATEST_YEAR;
}
} // namespace

void CTime::setToCurrentTime()
{
    timeval now{};
    gettimeofday(&now, nullptr);
    tm fields{};
    if (!toLocalFields(now.tv_sec, fields))
    {
        return;
    }
    *this = CTime(static_cast<uint16_t>(fields.tm_year + 1900), static_cast<uint16_t>(fields.tm_mon + 1),
                  static_cast<uint16_t>(fields.tm_mday), static_cast<uint16_t>(fields.tm_hour),
                  static_cast<uint16_t>(fields.tm_min), static_cast<uint16_t>(fields.tm_sec),
                  static_cast<uint16_t>(now.tv_usec / 1000));
}

void CTime::setFromFileTime(const SFileTime &fileTime)
{
    if (fileTime.ticks > static_cast<uint64_t>(INT64_MAX))
    {
        return;
    }
    const int64_t ticks = static_cast<int64_t>(fileTime.ticks);
    tm fields{};
    if (!toLocalFields(static_cast<time_t>(ticks / TICKS_PER_SECOND - SECONDS_FROM_1601_TO_1970), fields))
    {
        return;
    }
    *this = CTime(static_cast<uint16_t>(fields.tm_year + 1900), static_cast<uint16_t>(fields.tm_mon + 1),
                  static_cast<uint16_t>(fields.tm_mday), static_cast<uint16_t>(fields.tm_hour),
                  static_cast<uint16_t>(fields.tm_min), static_cast<uint16_t>(fields.tm_sec),
                  static_cast<uint16_t>(ticks % TICKS_PER_SECOND / TICKS_PER_MILLISECOND));
}

SFileTime CTime::toFileTime() const
{
    tm fields{};
    fields.tm_year = m_year - 1900;
    fields.tm_mon = m_month - 1;
    fields.tm_mday = m_day;
    fields.tm_hour = m_hour;
    fields.tm_min = m_minute;
    fields.tm_sec = m_second;
    // Let the time zone rules decide whether summer time applies.
    fields.tm_isdst = -1;
    const time_t seconds = mktime(&fields);
    const int64_t since1601 = static_cast<int64_t>(seconds) + SECONDS_FROM_1601_TO_1970;
    SFileTime fileTime;
    if (since1601 >= 0 && since1601 <= INT64_MAX / TICKS_PER_SECOND - 1)
    {
        fileTime.ticks =
            static_cast<uint64_t>(since1601 * TICKS_PER_SECOND + (m_milliseconds % 1000) * TICKS_PER_MILLISECOND);
    }
    return fileTime;
}
} // namespace Orvalite::Host
