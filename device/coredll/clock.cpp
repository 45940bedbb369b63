// The device's clock and zone behind the desktop time functions (the state
// and the arithmetic live in devclock.h).  GetSystemTimeAsFileTime and the
// tick counts stay the host's, so animations and timeouts run under a
// stopped clock.
#include "coredll_private.h"

#include "devclock.h"

namespace {

bool FileToSystem(const FILETIME* file, SYSTEMTIME* time)
{
    return file && FileTimeToSystemTime(file, time);
}

bool SystemToFile(const SYSTEMTIME& time, FILETIME* file)
{
    return SystemTimeToFileTime(&time, file) != FALSE;
}

// Carries the sub-millisecond ticks a SYSTEMTIME cannot hold over a conversion.
void KeepSubMillisecond(const FILETIME* from, FILETIME* to)
{
    ULONGLONG source = ((ULONGLONG)from->dwHighDateTime << 32) | from->dwLowDateTime;
    ULONGLONG target = ((ULONGLONG)to->dwHighDateTime << 32) | to->dwLowDateTime;
    target += source % 10000;
    to->dwLowDateTime = (DWORD)target;
    to->dwHighDateTime = (DWORD)(target >> 32);
}

} // namespace

extern "C" void WINAPI CoreGetSystemTime(LPSYSTEMTIME lpSystemTime)
{
    DevClockUtc(lpSystemTime);
}

extern "C" void WINAPI CoreGetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    DevClockLocal(lpSystemTime);
}

extern "C" DWORD WINAPI CoreGetTimeZoneInformation(LPTIME_ZONE_INFORMATION lpTimeZoneInformation)
{
    if (!lpTimeZoneInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return TIME_ZONE_ID_INVALID;
    }
    SYSTEMTIME utc;
    DevClockUtc(&utc);
    return DevZoneInformation(DevClockZone(), utc, lpTimeZoneInformation);
}

extern "C" BOOL WINAPI CoreFileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime)
{
    SYSTEMTIME utc, local;
    if (!lpLocalFileTime || !FileToSystem(lpFileTime, &utc) ||
        !DevZoneLocalFromUtc(DevClockZone(), utc, &local) || !SystemToFile(local, lpLocalFileTime)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    KeepSubMillisecond(lpFileTime, lpLocalFileTime);
    return TRUE;
}

extern "C" BOOL WINAPI CoreLocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime)
{
    SYSTEMTIME local, utc;
    if (!lpFileTime || !FileToSystem(lpLocalFileTime, &local) ||
        !DevZoneUtcFromLocal(DevClockZone(), local, &utc) || !SystemToFile(utc, lpFileTime)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    KeepSubMillisecond(lpLocalFileTime, lpFileTime);
    return TRUE;
}
