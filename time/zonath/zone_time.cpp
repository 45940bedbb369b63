// Time in the zones: the daylight-period test, a zone's time from the
// device's zone and local time, and the time at a visit's target.
//
// Times are compared and moved as file times (100-ns units).
#include "zonath.h"

namespace {

const LONGLONG kTicksPerMinute = 600000000LL;
const LONGLONG kDaylightHour = 36000000000LL;

bool ToTicks(const SYSTEMTIME& time, LONGLONG* ticks)
{
    FILETIME file;
    if (!SystemTimeToFileTime(&time, &file))
        return false;
    *ticks = (LONGLONG)(((ULONGLONG)file.dwHighDateTime << 32) | file.dwLowDateTime);
    return true;
}

bool FromTicks(LONGLONG ticks, SYSTEMTIME* time)
{
    if (ticks < 0)
        return false;
    FILETIME file;
    file.dwLowDateTime = (DWORD)(ULONGLONG)ticks;
    file.dwHighDateTime = (DWORD)((ULONGLONG)ticks >> 32);
    return FileTimeToSystemTime(&file, time) != FALSE;
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// The moment of a rule part in the given year.
bool MomentTicks(const CDstMoment& moment, WORD year, LONGLONG* ticks)
{
    if (moment.wMonth < 1 || moment.wMonth > 12 || moment.wDayOfWeek > 6 || moment.wWeek < 1 ||
        moment.wWeek > 5 || moment.wHour > 23)
        return false;
    SYSTEMTIME first = {};
    first.wYear = year;
    first.wMonth = moment.wMonth;
    first.wDay = 1;
    first.wHour = moment.wHour;
    LONGLONG firstTicks;
    SYSTEMTIME named;  // day 1 with its weekday
    if (!ToTicks(first, &firstTicks) || !FromTicks(firstTicks, &named))
        return false;
    int day = 1 + (moment.wDayOfWeek - named.wDayOfWeek + 7) % 7 + 7 * (moment.wWeek - 1);
    if (day > g_MonthDays[IsLeapYear(year) ? 1 : 0][moment.wMonth])
        day -= 7;  // week 5: the last such weekday
    SYSTEMTIME at = first;
    at.wDay = (WORD)day;
    return ToTicks(at, ticks);
}

bool InPeriod(LONGLONG time, LONGLONG daylight, LONGLONG standard)
{
    if (daylight < standard)
        return daylight < time && time <= standard;
    return time <= standard || time > daylight;
}

CDstMoment MomentOf(const SYSTEMTIME& date)
{
    return {date.wMonth, date.wDayOfWeek, date.wDay, date.wHour};
}

bool AddMinutes(const SYSTEMTIME& time, LONGLONG minutes, SYSTEMTIME* out)
{
    LONGLONG ticks;
    return ToTicks(time, &ticks) && FromTicks(ticks + minutes * kTicksPerMinute, out);
}

// The zone's wall-clock time for its standard time: an hour later when a rule
// of the zone holds it.
bool AddDaylightHour(const CTZInfo& zone, const SYSTEMTIME& standard, SYSTEMTIME* out)
{
    if (zone.dwDaylight && IsZoneDaylightTime(zone.wTzIndex, standard))
        return AddMinutes(standard, 60, out);
    *out = standard;
    return true;
}

// The zone's time now, from the device's zone and local time.
bool ZoneTimeNow(const CTZInfo& zone, SYSTEMTIME* time)
{
    TIME_ZONE_INFORMATION device = {};
    if (GetTimeZoneInformation(&device) == TIME_ZONE_ID_INVALID)
        return false;
    SYSTEMTIME local;
    GetLocalTime(&local);
    return ZoneTimeFromDevice(device, local, zone, time) != FALSE;
}

} // namespace

BOOL IsDaylightTime(const SYSTEMTIME& time, const CDstMoment& daylightStart, const CDstMoment& standardStart)
{
    LONGLONG now, daylight, standard;
    if (!ToTicks(time, &now) || !MomentTicks(daylightStart, time.wYear, &daylight) ||
        !MomentTicks(standardStart, time.wYear, &standard))
        return FALSE;
    return InPeriod(now, daylight, standard);
}

BOOL IsZoneDaylightTime(WORD tzIndex, const SYSTEMTIME& time)
{
    for (const CDstRule& rule : g_DstRules)
        if (rule.wTzIndex == tzIndex && IsDaylightTime(time, rule.daylightStart, rule.standardStart))
            return TRUE;
    return FALSE;
}

BOOL IsDeviceDaylightTime(const TIME_ZONE_INFORMATION& device, const SYSTEMTIME& deviceLocal)
{
    if (device.StandardDate.wMonth == 0)
        return FALSE;
    if (device.StandardDate.wYear != 0) {
        LONGLONG now, daylight, standard;
        if (!ToTicks(deviceLocal, &now) || !ToTicks(device.DaylightDate, &daylight) ||
            !ToTicks(device.StandardDate, &standard))
            return FALSE;
        return InPeriod(now, daylight, standard);
    }
    return IsDaylightTime(deviceLocal, MomentOf(device.DaylightDate), MomentOf(device.StandardDate));
}

BOOL ZoneTimeFromDevice(const TIME_ZONE_INFORMATION& device, const SYSTEMTIME& deviceLocal, const CTZInfo& zone,
                        SYSTEMTIME* zoneTime)
{
    if (!zoneTime)
        return FALSE;
    // UTC = local + bias, and the daylight bias while the device keeps daylight time.
    LONGLONG toUtc = device.Bias;
    if (IsDeviceDaylightTime(device, deviceLocal))
        toUtc += device.DaylightBias;
    SYSTEMTIME standard, result;
    if (!AddMinutes(deviceLocal, toUtc + zone.lOffset, &standard) || !AddDaylightHour(zone, standard, &result))
        return FALSE;
    *zoneTime = result;
    return TRUE;
}

BOOL VisitTime(const CTZInfo& source, const SYSTEMTIME& sourceTime, const CTZInfo& target, SYSTEMTIME* targetTime)
{
    if (!targetTime)
        return FALSE;
    // The source's own daylight hour comes off first, or a summer source
    // would put the target an hour late.
    LONGLONG minutes = (LONGLONG)target.lOffset - source.lOffset;
    if (source.dwDaylight && IsZoneDaylightTime(source.wTzIndex, sourceTime))
        minutes -= 60;
    SYSTEMTIME standard, result;
    if (!AddMinutes(sourceTime, minutes, &standard) || !AddDaylightHour(target, standard, &result))
        return FALSE;
    *targetTime = result;
    return TRUE;
}

void GetTimeByArrIndex(WORD arrIndex, SYSTEMTIME* time)
{
    const CTZInfo* zone = nullptr;
    if (time && GetTzInfoByArrIndex(arrIndex, &zone))
        ZoneTimeNow(*zone, time);
}

BOOL GetTimeByTzIndex(WORD tzIndex, SYSTEMTIME* time)
{
    const CTZInfo* zone = nullptr;
    return time && GetTzInfoByTzIndex(tzIndex, &zone) && ZoneTimeNow(*zone, time);
}

void GetVisitTimeByArrIndex(WORD sourceArrIndex, const SYSTEMTIME* sourceTime, WORD targetArrIndex,
                            SYSTEMTIME* targetTime)
{
    const CTZInfo* source = nullptr;
    const CTZInfo* target = nullptr;
    if (!sourceTime || !GetTzInfoByArrIndex(sourceArrIndex, &source) || !GetTzInfoByArrIndex(targetArrIndex, &target))
        return;
    VisitTime(*source, *sourceTime, *target, targetTime);
}

BOOL GetVisitTimeByTzIndex(WORD sourceTzIndex, const SYSTEMTIME* sourceTime, WORD targetTzIndex,
                           SYSTEMTIME* targetTime)
{
    const CTZInfo* source = nullptr;
    const CTZInfo* target = nullptr;
    if (!sourceTime || !targetTime || !GetTzInfoByTzIndex(sourceTzIndex, &source) ||
        !GetTzInfoByTzIndex(targetTzIndex, &target))
        return FALSE;
    return VisitTime(*source, *sourceTime, *target, targetTime);
}
