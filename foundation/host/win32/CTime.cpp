#include "foundation/host/CTime.h"

#include <windows.h>

namespace Orvalite::Host
{
namespace
{
CTime timeOf(const SYSTEMTIME &fields)
{
    return CTime(fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute, fields.wSecond,
                 fields.wMilliseconds);
}
} // namespace

void CTime::setToCurrentTime()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    *this = timeOf(now);
}

// The time zone rules of the file time's own date decide whether summer time
// applies (FileTimeToLocalFileTime would apply today's), as localtime_r does.
void CTime::setFromFileTime(const SFileTime &fileTime)
{
    FILETIME universalTime{};
    universalTime.dwLowDateTime = static_cast<DWORD>(fileTime.ticks & 0xFFFFFFFFu);
    universalTime.dwHighDateTime = static_cast<DWORD>(fileTime.ticks >> 32);
    SYSTEMTIME universal{};
    SYSTEMTIME local{};
    if (FileTimeToSystemTime(&universalTime, &universal) &&
        SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
    {
        *this = timeOf(local);
    }
}

SFileTime CTime::toFileTime() const
{
    SYSTEMTIME local{};
    local.wYear = m_year;
    local.wMonth = m_month;
    local.wDay = m_day;
    local.wHour = m_hour;
    local.wMinute = m_minute;
    local.wSecond = m_second;
    local.wMilliseconds = static_cast<WORD>(m_milliseconds % 1000);
    SYSTEMTIME universal{};
    FILETIME universalTime{};
    SFileTime fileTime;
    if (TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) &&
        SystemTimeToFileTime(&universal, &universalTime))
    {
        fileTime.ticks = static_cast<uint64_t>(universalTime.dwHighDateTime) << 32 | universalTime.dwLowDateTime;
    }
    return fileTime;
}
} // namespace Orvalite::Host
