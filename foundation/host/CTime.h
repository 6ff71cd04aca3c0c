// A local calendar date and time of day to the millisecond, with the texts
// the framework prints (dates, times, file listings). A value object.
#pragma once

#include "foundation/basics/CString.h"
#include "foundation/host/SFileTime.h"

#include <cstdint>

namespace Orvalite::Host
{
class CTime : public Basics::CCountedObject
{
public:
    // The current local time.
    CTime();
    explicit CTime(const SFileTime &fileTime);
    // A given local date and time; the day of the week is worked out from the date.
    CTime(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute, uint16_t second,
          uint16_t milliseconds);
    CTime(const CTime &other) = default;
    CTime &operator=(const CTime &other);

    void setToCurrentTime();
    // Converts to local time; left unchanged when the file time cannot be converted.
    void setFromFileTime(const SFileTime &fileTime);
    // The file time of this local time (0 when it lies before 1601).
    SFileTime toFileTime() const;

    // "Saturday 5 December 2026" in the long form, "05/12/2026" in the short one.
    Basics::CString getDateString(bool longForm) const;
    // "15:04:09:07": hour, minute, second and milliseconds (at least two digits each).
    Basics::CString getTimeString() const;
    // The time string, cut to the buffer.
    void getObjectDescription(char *buffer, long size) const override;

    uint16_t getYear() const { return m_year; }
    // 1 January to 12 December.
    uint16_t getMonth() const { return m_month; }
    // 0 Sunday to 6 Saturday.
    uint16_t getDayOfWeek() const { return m_dayOfWeek; }
    uint16_t getDay() const { return m_day; }
    uint16_t getHour() const { return m_hour; }
    uint16_t getMinute() const { return m_minute; }
    uint16_t getSecond() const { return m_second; }
    uint16_t getMilliseconds() const { return m_milliseconds; }

    // 0 Sunday to 6 Saturday, for a date of the proleptic Gregorian calendar.
    static uint16_t dayOfWeekOf(long year, long month, long day);

    ORVALITE_CLASS_RECORD(CTime)

private:
    uint16_t m_year = 1601;
    uint16_t m_month = 1;
    uint16_t m_dayOfWeek = 1;
    uint16_t m_day = 1;
    uint16_t m_hour = 0;
    uint16_t m_minute = 0;
    uint16_t m_second = 0;
    uint16_t m_milliseconds = 0;
};
} // namespace Orvalite::Host
