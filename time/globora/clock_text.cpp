#include "clock_text.h"

#include <stdarg.h>
#include <stdio.h>
#include <wchar.h>

namespace globora {

namespace {

// Pictures in the device's system locale.
const wchar_t kDatePicture[] = L"ddd',' MMM dd";
const wchar_t kClockPicture[] = L" h':'mm':'ss' 'tt";
const wchar_t kCityTimePicture[] = L" h':'mm' 'tt";
const wchar_t kBoxTimePicture[] = L" h':'mm':'ss' '";

bool Fail(wchar_t* out, int cch)
{
    if (out && cch > 0)
        out[0] = L'\0';
    return false;
}

bool Date(const SYSTEMTIME& time, const wchar_t* picture, wchar_t* out, int cch)
{
    if (!out || cch <= 0 || GetDateFormatW(LOCALE_SYSTEM_DEFAULT, 0, &time, picture, out, cch) <= 0)
        return Fail(out, cch);
    return true;
}

bool Time(const SYSTEMTIME& time, const wchar_t* picture, wchar_t* out, int cch)
{
    if (!out || cch <= 0 || GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, 0, &time, picture, out, cch) <= 0)
        return Fail(out, cch);
    return true;
}

// Bounded printf into out; false (empty) when it would not fit.
bool Print(wchar_t* out, int cch, const wchar_t* format, ...)
{
    if (!out || cch <= 0)
        return false;
    va_list args;
    va_start(args, format);
    int written = _vsnwprintf(out, (size_t)cch - 1, format, args);
    va_end(args);
    if (written < 0 || written >= cch)
        return Fail(out, cch);
    out[written] = L'\0';
    return true;
}

bool Join(const wchar_t* date, const wchar_t* time, const wchar_t* gap, wchar_t* out, int cch)
{
    return Print(out, cch, L"%ls%ls%ls", date, gap, time);
}

} // namespace

bool FormatCityLine(const CCityInfo& city, wchar_t* out, int cch)
{
    if (city.wAreaCode == kNoAreaCode)
        return Print(out, cch, L"%ls, %ls [+%u]", city.szName, city.szCountry, (unsigned)city.wCallingCode);
    return Print(out, cch, L"%ls, %ls [+%u-%u]", city.szName, city.szCountry, (unsigned)city.wCallingCode,
                 (unsigned)city.wAreaCode);
}

bool FormatPhoneLine(const CCityInfo& city, wchar_t* out, int cch)
{
    if (city.wAreaCode == kNoAreaCode)
        return Print(out, cch, L"Phone: +%u", (unsigned)city.wCallingCode);
    return Print(out, cch, L"Phone: +%u-%u", (unsigned)city.wCallingCode, (unsigned)city.wAreaCode);
}

bool FormatHeaderClock(const SYSTEMTIME& time, wchar_t* out, int cch)
{
    wchar_t date[64], clock[64];
    if (!Date(time, kDatePicture, date, 64) || !Time(time, kClockPicture, clock, 64))
        return Fail(out, cch);
    return Join(date, clock, wcslen(clock) <= 10 ? L"  " : L" ", out, cch);
}

bool FormatCityTime(const SYSTEMTIME& time, wchar_t* out, int cch)
{
    wchar_t date[64], clock[64];
    if (!Date(time, kDatePicture, date, 64) || !Time(time, kCityTimePicture, clock, 64))
        return Fail(out, cch);
    return Join(date, clock, L" ", out, cch);
}

bool FormatBoxTime(const SYSTEMTIME& time, wchar_t* out, int cch)
{
    return Time(time, kBoxTimePicture, out, cch);
}

bool FormatWeekday(const SYSTEMTIME& time, wchar_t* out, int cch)
{
    return Date(time, L"ddd", out, cch);
}

bool FormatAmPm(const SYSTEMTIME& time, wchar_t* out, int cch)
{
    return Time(time, L"tt", out, cch);
}

} // namespace globora
