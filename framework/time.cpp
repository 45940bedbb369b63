// CTime: conversions between UTC seconds and local wall-clock fields.
//
// Local time is UTC minus the zone's bias. The bias is read once per process
// and daylight saving time is never applied, so a conversion there and back
// always returns the same fields.
#include "cortime.h"

namespace {

const LONGLONG kTicksPerSecond = 10000000;
// 1970-01-01 00:00:00 as a file time (100-ns ticks since 1601).
const LONGLONG kUnixEpochTicks = 116444736000000000LL;

bool g_zoneKnown = false;
LONGLONG g_zoneOffsetSeconds = 0;
struct tm g_localTm;

// Seconds to add to local time to reach UTC: Bias, plus StandardBias when
// the zone defines a standard-time date.
LONGLONG ZoneOffsetSeconds()
{
    if (!g_zoneKnown) {
        TIME_ZONE_INFORMATION zone = {};
        if (GetTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID) {
            g_zoneOffsetSeconds = static_cast<LONGLONG>(zone.Bias) * 60;
            if (zone.StandardDate.wMonth != 0)
                g_zoneOffsetSeconds += static_cast<LONGLONG>(zone.StandardBias) * 60;
        }
        g_zoneKnown = true;
    }
    return g_zoneOffsetSeconds;
}

LONGLONG FileTimeTicks(const FILETIME& fileTime)
{
    ULARGE_INTEGER value;
    value.LowPart = fileTime.dwLowDateTime;
    value.HighPart = fileTime.dwHighDateTime;
    return static_cast<LONGLONG>(value.QuadPart);
}

// Local fields to UTC seconds; 0 when the platform rejects the fields or the
// moment does not fit the unsigned 32-bit count.
DWORD SecondsFromLocalTime(const SYSTEMTIME& localTime)
{
    if (localTime.wYear < 1900)
        return 0;
    FILETIME fileTime;
    if (!SystemTimeToFileTime(&localTime, &fileTime))
        return 0;
    LONGLONG ticks = FileTimeTicks(fileTime) - kUnixEpochTicks;
    LONGLONG seconds = ticks / kTicksPerSecond;
    if (ticks % kTicksPerSecond < 0)
        --seconds; // round toward the earlier second
    seconds += ZoneOffsetSeconds();
    if (seconds < 0 || seconds > 0xFFFFFFFFLL)
        return 0;
    return static_cast<DWORD>(seconds);
}

bool LocalTimeFromSeconds(DWORD seconds, SYSTEMTIME& localTime)
{
    LONGLONG ticks = (static_cast<LONGLONG>(seconds) - ZoneOffsetSeconds()) * kTicksPerSecond + kUnixEpochTicks;
    if (ticks < 0)
        return false;
    ULARGE_INTEGER value;
    value.QuadPart = static_cast<ULONGLONG>(ticks);
    FILETIME fileTime;
    fileTime.dwLowDateTime = value.LowPart;
    fileTime.dwHighDateTime = value.HighPart;
    if (!FileTimeToSystemTime(&fileTime, &localTime))
        return false;
    localTime.wMilliseconds = 0;
    return true;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DayOfYear(const SYSTEMTIME& date)
{
    static const int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    int day = kDaysBeforeMonth[(date.wMonth - 1) % 12] + date.wDay - 1;
    if (date.wMonth > 2 && IsLeapYear(date.wYear))
        ++day;
    return day;
}

} // namespace

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int)
{
    SYSTEMTIME fields = {};
    fields.wYear = static_cast<WORD>(year);
    fields.wMonth = static_cast<WORD>(month);
    fields.wDay = static_cast<WORD>(day);
    fields.wHour = static_cast<WORD>(hour);
    fields.wMinute = static_cast<WORD>(minute);
    fields.wSecond = static_cast<WORD>(second);
    // Values that do not fit a field word would wrap into valid-looking ones.
    bool fits = year >= 0 && year <= 0xFFFF && month >= 0 && month <= 0xFFFF && day >= 0 && day <= 0xFFFF &&
                hour >= 0 && hour <= 0xFFFF && minute >= 0 && minute <= 0xFFFF && second >= 0 && second <= 0xFFFF;
    m_time = fits ? SecondsFromLocalTime(fields) : 0;
}

CTime::CTime(WORD dosDate, WORD dosTime, int)
{
    SYSTEMTIME fields = {};
    fields.wYear = static_cast<WORD>(1980 + (dosDate >> 9));
    fields.wMonth = static_cast<WORD>((dosDate >> 5) & 0x0F);
    fields.wDay = static_cast<WORD>(dosDate & 0x1F);
    fields.wHour = static_cast<WORD>((dosTime >> 11) & 0x1F);
    fields.wMinute = static_cast<WORD>((dosTime >> 5) & 0x3F);
    fields.wSecond = static_cast<WORD>((dosTime & 0x1F) * 2);
    m_time = SecondsFromLocalTime(fields);
}

CTime::CTime(const SYSTEMTIME& localTime, int)
{
    SYSTEMTIME fields = localTime;
    fields.wMilliseconds = 0;
    m_time = SecondsFromLocalTime(fields);
}

CTime::CTime(const FILETIME& fileTime, int)
{
    FILETIME localFileTime;
    SYSTEMTIME localTime;
    if (!FileTimeToLocalFileTime(&fileTime, &localFileTime) || !FileTimeToSystemTime(&localFileTime, &localTime)) {
        m_time = 0;
        return;
    }
    localTime.wMilliseconds = 0;
    m_time = SecondsFromLocalTime(localTime);
}

CTime CTime::GetCurrentTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return CTime(now);
}

struct tm* CTime::GetLocalTm(struct tm* buffer) const
{
    SYSTEMTIME local;
    if (!LocalTimeFromSeconds(m_time, local))
        return nullptr;
    struct tm* out = buffer ? buffer : &g_localTm;
    out->tm_year = local.wYear - 1900;
    out->tm_mon = local.wMonth - 1;
    out->tm_mday = local.wDay;
    out->tm_hour = local.wHour;
    out->tm_min = local.wMinute;
    out->tm_sec = local.wSecond;
    out->tm_wday = local.wDayOfWeek;
    out->tm_yday = DayOfYear(local);
    out->tm_isdst = 0;
    return out;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& localTime) const
{
    return LocalTimeFromSeconds(m_time, localTime) ? TRUE : FALSE;
}

// The getters fill a tm of their own, so they do not disturb the static one.
int CTime::GetYear() const
{
    struct tm fields;
    return GetLocalTm(&fields) ? fields.tm_year + 1900 : 0;
}

int CTime::GetMonth() const
{
    struct tm fields;
    return GetLocalTm(&fields) ? fields.tm_mon + 1 : 0;
}

int CTime::GetDay() const
{
    struct tm fields;
    return GetLocalTm(&fields) ? fields.tm_mday : 0;
}

int CTime::GetHour() const
{
    struct tm fields;
    return GetLocalTm(&fields) ? fields.tm_hour : 0;
}

int CTime::GetMinute() const
{
    struct tm fields;
    return GetLocalTm(&fields) ? fields.tm_min : 0;
}

int CTime::GetSecond() const
{
    struct tm fields;
    return GetLocalTm(&fields) ? fields.tm_sec : 0;
}

int CTime::GetDayOfWeek() const
{
    struct tm fields;
    return GetLocalTm(&fields) ? fields.tm_wday + 1 : 0;
}
