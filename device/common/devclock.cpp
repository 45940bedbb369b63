// The device's clock and zone (see devclock.h).
//
// Nothing here calls a function coredll answers for the device
// (GetSystemTime, GetLocalTime, GetTimeZoneInformation, the file-time
// conversions): coredll is built on these functions, and a program linking
// coredll would otherwise come back here through its own export.
#include "devclock.h"

#include "devlog.h"

#include <wchar.h>

namespace {

const LONGLONG kTicksPerMinute = 600000000LL;
const LONGLONG kDaylightTicks = 60 * kTicksPerMinute;

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

int MonthLength(int year, int month)
{
    static const int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month];
}

// The moment of a transition in the given year, as local time ticks.
bool TransitionTicks(const DevRulePart& part, WORD year, LONGLONG* ticks)
{
    if (part.month < 1 || part.month > 12 || part.week < 1 || part.week > 5 || part.weekday > 6 || part.hour > 23)
        return false;
    SYSTEMTIME first = {};
    first.wYear = year;
    first.wMonth = part.month;
    first.wDay = 1;
    LONGLONG firstTicks;
    SYSTEMTIME named;  // the same day with its weekday filled in
    if (!ToTicks(first, &firstTicks) || !FromTicks(firstTicks, &named))
        return false;
    int day = 1 + (part.weekday - named.wDayOfWeek + 7) % 7 + 7 * (part.week - 1);
    if (day > MonthLength(year, part.month))
        day -= 7;
    SYSTEMTIME moment = first;
    moment.wDay = (WORD)day;
    moment.wHour = part.hour;
    return ToTicks(moment, ticks);
}

bool HasDaylight(const DevZone& zone)
{
    return zone.standardStart.month != 0;
}

void CopyName(wchar_t (&field)[32], const wchar_t* name)
{
    size_t length = wcsnlen(name, 31);
    wmemcpy(field, name, length);
    field[length] = L'\0';
}

SYSTEMTIME RuleDate(const DevRulePart& part)
{
    SYSTEMTIME date = {};
    date.wMonth = part.month;
    date.wDayOfWeek = part.weekday;
    date.wDay = part.week;
    date.wHour = part.hour;
    return date;
}

// Logs a bad state value once per process, not on every clock read.
void WarnOnce(DWORD* lastWarned, DWORD value, const wchar_t* format, const wchar_t* text)
{
    if (*lastWarned == value)
        return;
    *lastWarned = value;
    DevLog(L"clock", format, text);
}

} // namespace

bool DevZoneInDaylight(const DevZone& zone, const SYSTEMTIME& standardLocal)
{
    if (!HasDaylight(zone))
        return false;
    LONGLONG now, daylight, standard;
    if (!ToTicks(standardLocal, &now) || !TransitionTicks(zone.daylightStart, standardLocal.wYear, &daylight) ||
        !TransitionTicks(zone.standardStart, standardLocal.wYear, &standard))
        return false;
    if (daylight < standard)
        return daylight < now && now <= standard;
    return now <= standard || now > daylight;
}

bool DevZoneLocalFromUtc(const DevZone& zone, const SYSTEMTIME& utc, SYSTEMTIME* local, bool* daylight)
{
    LONGLONG ticks;
    SYSTEMTIME standard;
    if (!local || !ToTicks(utc, &ticks) || !FromTicks(ticks + zone.offset * kTicksPerMinute, &standard))
        return false;
    bool inDaylight = DevZoneInDaylight(zone, standard);
    if (daylight)
        *daylight = inDaylight;
    if (!inDaylight) {
        *local = standard;
        return true;
    }
    return FromTicks(ticks + zone.offset * kTicksPerMinute + kDaylightTicks, local);
}

bool DevZoneUtcFromLocal(const DevZone& zone, const SYSTEMTIME& local, SYSTEMTIME* utc)
{
    LONGLONG ticks;
    if (!utc || !ToTicks(local, &ticks))
        return false;
    // A wall-clock time in daylight time is an hour ahead of standard time.
    SYSTEMTIME standard;
    if (HasDaylight(zone) && FromTicks(ticks - kDaylightTicks, &standard) && DevZoneInDaylight(zone, standard))
        ticks -= kDaylightTicks;
    return FromTicks(ticks - zone.offset * kTicksPerMinute, utc);
}

DWORD DevZoneInformation(const DevZone& zone, const SYSTEMTIME& utc, TIME_ZONE_INFORMATION* info)
{
    if (!info)
        return TIME_ZONE_ID_INVALID;
    ZeroMemory(info, sizeof(*info));
    info->Bias = -zone.offset;
    CopyName(info->StandardName, zone.standardName);
    CopyName(info->DaylightName, zone.daylightName);
    if (!HasDaylight(zone))
        return TIME_ZONE_ID_UNKNOWN;
    info->StandardDate = RuleDate(zone.standardStart);
    info->DaylightDate = RuleDate(zone.daylightStart);
    info->DaylightBias = -60;
    SYSTEMTIME local;
    bool daylight = false;
    if (!DevZoneLocalFromUtc(zone, utc, &local, &daylight))
        return TIME_ZONE_ID_STANDARD;
    return daylight ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

const DevZone& DevClockZone()
{
    static DWORD lastWarned = MAXDWORD;
    DWORD key = DEVICE_DEFAULT_ZONE, cb = sizeof(key);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, DEVICE_CLOCK_KEY, DEVICE_ZONE_VALUE, RRF_RT_REG_DWORD, nullptr, &key, &cb) !=
        ERROR_SUCCESS)
        return *DevZoneByKey(DEVICE_DEFAULT_ZONE);
    const DevZone* zone = key <= 0xFFFF ? DevZoneByKey((WORD)key) : nullptr;
    if (!zone) {
        wchar_t number[16];
        _snwprintf(number, 15, L"%lu", (unsigned long)key);
        number[15] = L'\0';
        WarnOnce(&lastWarned, key, L"unknown zone %ls, using 85", number);
        return *DevZoneByKey(DEVICE_DEFAULT_ZONE);
    }
    return *zone;
}

bool DevClockSetZone(WORD key)
{
    if (!DevZoneByKey(key))
        return false;
    HKEY clock;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, DEVICE_CLOCK_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &clock,
                        nullptr) != ERROR_SUCCESS)
        return false;
    DWORD value = key;
    bool written = RegSetValueExW(clock, DEVICE_ZONE_VALUE, 0, REG_DWORD, (const BYTE*)&value, sizeof(value)) ==
                   ERROR_SUCCESS;
    RegCloseKey(clock);
    return written;
}

bool DevClockParse(const wchar_t* text, SYSTEMTIME* utc)
{
    // YYYY-MM-DD hh:mm:ss, every digit in its place.
    static const wchar_t kPattern[] = L"0000-00-00 00:00:00";
    if (!text || !utc || wcslen(text) != 19)
        return false;
    for (int i = 0; i < 19; ++i) {
        bool digit = text[i] >= L'0' && text[i] <= L'9';
        if (kPattern[i] == L'0' ? !digit : text[i] != kPattern[i])
            return false;
    }
    auto number = [text](int at, int digits) {
        int value = 0;
        for (int i = 0; i < digits; ++i)
            value = value * 10 + (text[at + i] - L'0');
        return (WORD)value;
    };
    SYSTEMTIME fields = {};
    fields.wYear = number(0, 4);
    fields.wMonth = number(5, 2);
    fields.wDay = number(8, 2);
    fields.wHour = number(11, 2);
    fields.wMinute = number(14, 2);
    fields.wSecond = number(17, 2);
    // The round trip rejects days past the month's end and fills the weekday.
    LONGLONG ticks;
    if (fields.wYear < 1601 || !ToTicks(fields, &ticks) || !FromTicks(ticks, utc))
        return false;
    return true;
}

void DevClockUtc(SYSTEMTIME* utc)
{
    static DWORD lastWarned = 0;
    if (!utc)
        return;
    wchar_t text[64];
    if (DevStateGetString(DEVICE_CLOCK_VALUE, text, 64)) {
        if (DevClockParse(text, utc))
            return;
        WarnOnce(&lastWarned, 1, L"ClockUtc \"%ls\" is no moment, the clock runs", text);
    }
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    FileTimeToSystemTime(&now, utc);
}

void DevClockLocal(SYSTEMTIME* local)
{
    if (!local)
        return;
    SYSTEMTIME utc;
    DevClockUtc(&utc);
    if (!DevZoneLocalFromUtc(DevClockZone(), utc, local))
        *local = utc;
}

bool DevClockStop(const SYSTEMTIME& utc)
{
    wchar_t text[32];
    _snwprintf(text, 31, L"%04u-%02u-%02u %02u:%02u:%02u", utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute,
               utc.wSecond);
    text[31] = L'\0';
    SYSTEMTIME check;
    if (!DevClockParse(text, &check))
        return false;
    DevStateSetString(DEVICE_CLOCK_VALUE, text);
    return true;
}

void DevClockRun()
{
    DevStateDelete(DEVICE_CLOCK_VALUE);
}
