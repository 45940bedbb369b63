// Zonath: the world clock's cities and time zones.
//
// Constant tables compiled into the library and the lookups over them: which
// city has this name, which cities lie near a map point, what the time is in
// a zone now, and what it is in zone B when zone A shows a given time.  It
// keeps no state and allocates nothing: every answer is a pointer into the
// tables or a filled-in SYSTEMTIME; callers never free them.
//
// Zones are found by their key (the number the device's clock settings know
// them by, "tz index") or by their position in the zone table (0 to 73,
// "array index"); the two differ.  Results are 1 for success and 0 for
// failure; a failed lookup leaves the caller's output untouched unless it
// says it stores null.
//
// Sections: records and tables; lookups; the arithmetic behind them, on
// inputs given as arguments (tests feed any zone and moment).
#pragma once

#include <windows.h>

#include "zonath_api.h"

// ---- records and tables ------------------------------------------------------

// One city; the table holds 473, sorted by name.
struct CCityInfo {
    wchar_t szName[40];     // "Aberdeen", "New York, NY", "Adelaide, SA"
    wchar_t szCountry[64];  // "United Kingdom", "USA"
    double dLongitude;      // degrees, east positive
    double dLatitude;       // degrees, north positive
    wchar_t szCode[4];      // airport code, three letters
    WORD wCallingCode;      // 44 for the United Kingdom
    WORD wAreaCode;         // 1224 for Aberdeen; kNoAreaCode where there is none
    WORD wTzIndex;          // zone key (a few cities carry keys the zone table lacks)
    WORD wReserved;         // 0
};

// One time zone; the table holds 74.
struct CTZInfo {
    DWORD dwDaylight;   // 1 when the zone keeps daylight-saving time
    WORD wTzIndex;      // the zone key
    LONG lOffset;       // minutes to add to UTC for the zone's standard time
    wchar_t szName[32]; // "GMT Greenwich Mean Time"
};

// A daylight-saving transition: the weekday-th week of the month (week 5 is
// the last such weekday) at the hour.
struct CDstMoment {
    WORD wMonth;      // 1-12
    WORD wDayOfWeek;  // 0 Sunday ... 6 Saturday
    WORD wWeek;       // 1-5
    WORD wHour;
};

// The daylight-saving rule of one zone key; 25 records in key order.
struct CDstRule {
    WORD wTzIndex;
    CDstMoment standardStart;  // the end of daylight time
    CDstMoment daylightStart;
};

constexpr WORD kNoAreaCode = 65535;
constexpr int kCityCount = 473;
constexpr int kTzCount = 74;
constexpr int kDstRuleCount = 25;
constexpr int kMaxNearCities = 7;

ZONATH_API extern const CTZInfo g_TZInfo[kTzCount];
ZONATH_API extern const CDstRule g_DstRules[kDstRuleCount];
// Days per month, common year and leap year; entry 0 of each row is 0.
ZONATH_API extern const WORD g_MonthDays[2][13];

class ZONATH_API CCityList {
public:
    static const CCityInfo* GetList();  // the first of the table's cities
    static int GetCount();              // 473
};

// ---- lookups -----------------------------------------------------------------

// The first city whose name and country both equal the texts, case aside;
// else 0 and null.
ZONATH_API BOOL GetCityInfo(LPCWSTR name, LPCWSTR country, const CCityInfo** city);
// The cities within 7 degrees of the point (at most kMaxNearCities), nearest
// first, into cities[0..count); 0 when none is that near (count untouched).
ZONATH_API BOOL GetCityInfo(double longitude, double latitude, const CCityInfo* cities[kMaxNearCities],
                            WORD* count);
// The nearest city by whole degrees (see FindCloseCity); else 0 and null.
ZONATH_API BOOL GetCloseCityInfo(double longitude, double latitude, const CCityInfo** city);

ZONATH_API BOOL GetArrIndexByTzIndex(WORD tzIndex, WORD* arrIndex);
// 0 for a position above 73, a key not in the table; the record stays null then.
ZONATH_API BOOL GetTzInfoByArrIndex(WORD arrIndex, const CTZInfo** info);
ZONATH_API BOOL GetTzInfoByTzIndex(WORD tzIndex, const CTZInfo** info);

// The time now in the zone at that position (from the device's own zone and
// local time); a position above 73 leaves the output untouched.
ZONATH_API void GetTimeByArrIndex(WORD arrIndex, SYSTEMTIME* time);
// The same by zone key; 0 for a key not in the table (output untouched).
ZONATH_API BOOL GetTimeByTzIndex(WORD tzIndex, SYSTEMTIME* time);
// The time at the target when the source shows sourceTime; positions above
// 73 leave the output untouched.
ZONATH_API void GetVisitTimeByArrIndex(WORD sourceArrIndex, const SYSTEMTIME* sourceTime, WORD targetArrIndex,
                                       SYSTEMTIME* targetTime);
ZONATH_API BOOL GetVisitTimeByTzIndex(WORD sourceTzIndex, const SYSTEMTIME* sourceTime, WORD targetTzIndex,
                                      SYSTEMTIME* targetTime);

// The device's zone key: DWORD "TZIndex" under HKEY_LOCAL_MACHINE
// "SOFTWARE/MICROSOFT/CLOCK" (one key, the slashes in its name); 0 when the
// key cannot be opened or holds no number (output untouched).
ZONATH_API BOOL GetSystemTZIndex(WORD* tzIndex);

// ---- the arithmetic, on given inputs -----------------------------------------

// Whether the time lies in daylight time under the rule's two moments of its
// year: after the daylight start and up to the standard start (the other way
// round when daylight time starts later in the year, south of the equator).
ZONATH_API BOOL IsDaylightTime(const SYSTEMTIME& time, const CDstMoment& daylightStart,
                               const CDstMoment& standardStart);
// The same for a zone key: 1 when a rule of the key holds the time.
ZONATH_API BOOL IsZoneDaylightTime(WORD tzIndex, const SYSTEMTIME& time);
// Whether a device with this zone information shows daylight time at its
// local time: a standard date of month 0 means never; one with a year is an
// absolute date (both dates taken as they are); else both are rule moments.
ZONATH_API BOOL IsDeviceDaylightTime(const TIME_ZONE_INFORMATION& device, const SYSTEMTIME& deviceLocal);
// The zone's time when the device shows deviceLocal under its zone.
ZONATH_API BOOL ZoneTimeFromDevice(const TIME_ZONE_INFORMATION& device, const SYSTEMTIME& deviceLocal,
                                   const CTZInfo& zone, SYSTEMTIME* zoneTime);
// The target zone's time when the source zone shows sourceTime.
ZONATH_API BOOL VisitTime(const CTZInfo& source, const SYSTEMTIME& sourceTime, const CTZInfo& target,
                          SYSTEMTIME* targetTime);
// Nearest cities of a list of count cities: the squared distance in degrees
// below 49, nearest first, a city as far as a listed one after it, at most
// kMaxNearCities.  Returns how many it found.
ZONATH_API int FindNearCities(const CCityInfo* list, int count, double longitude, double latitude,
                              const CCityInfo* found[kMaxNearCities]);
// The nearest city of a list by whole degrees: each difference cut toward
// zero before squaring, the sum below 49; of equals the first stays.  Null
// when none is near.
ZONATH_API const CCityInfo* FindCloseCity(const CCityInfo* list, int count, double longitude, double latitude);
