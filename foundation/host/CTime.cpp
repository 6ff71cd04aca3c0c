#include "foundation/host/CTime.h"

#include <cstdio>

namespace Orvalite::Host
{
ORVALITE_DEFINE_CLASS_RECORD(CTime, "CTime", "CCountedObject")

namespace
{
const char *const DAY_NAMES[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char *const MONTH_NAMES[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
// Shown for a field out of its range, which no conversion produces.
const char *const UNKNOWN_NAME = "?";
} // namespace

CTime::CTime()
{
    setToCurrentTime();
}

CTime::CTime(const SFileTime &fileTime)
{
    setFromFileTime(fileTime);
}

CTime::CTime(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute, uint16_t second,
             uint16_t milliseconds)
    : m_year(year), m_month(month), m_dayOfWeek(dayOfWeekOf(year, month, day)), m_day(day), m_hour(hour),
      m_minute(minute), m_second(second), m_milliseconds(milliseconds)
{
}

CTime &CTime::operator=(const CTime &other)
{
    m_year = other.m_year;
    m_month = other.m_month;
    m_dayOfWeek = other.m_dayOfWeek;
    m_day = other.m_day;
    m_hour = other.m_hour;
    m_minute = other.m_minute;
    m_second = other.m_second;
    m_milliseconds = other.m_milliseconds;
    return *this;
}

Basics::CString CTime::getDateString(bool longForm) const
{
    Basics::CString text;
    if (longForm)
    {
        const char *dayName = m_dayOfWeek < 7 ? DAY_NAMES[m_dayOfWeek] : UNKNOWN_NAME;
        const char *monthName = m_month >= 1 && m_month <= 12 ? MONTH_NAMES[m_month - 1] : UNKNOWN_NAME;
        text.setStringWithFormat("%s %d %s %d", dayName, m_day, monthName, m_year);
    }
    else
    {
        text.setStringWithFormat("%.02d/%.02d/%.04d", m_day, m_month, m_year);
    }
    return text;
}

Basics::CString CTime::getTimeString() const
{
    Basics::CString text;
    text.setStringWithFormat("%.02d:%.02d:%.02d:%.02d", m_hour, m_minute, m_second, m_milliseconds);
    return text;
}

void CTime::getObjectDescription(char *buffer, long size) const
{
    if (buffer && size > 0)
    {
        std::snprintf(buffer, static_cast<size_t>(size), "%s", getTimeString().getString());
    }
}

// Days from civil (H. Hinnant): counts days from 1 March of year 0 so that the
// leap day falls at the end of the counting year.
uint16_t CTime::dayOfWeekOf(long year, long month, long day)
{
    year -= month <= 2 ? 1 : 0;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const long daysSince1970 = era * 146097 + dayOfEra - 719468;
    // 1 January 1970 was a Thursday (4).
    const long weekday = (daysSince1970 % 7 + 7 + 4) % 7;
    return static_cast<uint16_t>(weekday);
}
} // namespace Orvalite::Host
