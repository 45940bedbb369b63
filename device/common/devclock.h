// The device's own clock and time zone.
//
// Wine takes the time and the zone from the host, with today's rules.  The
// device keeps its own: a table of the 74 zones a Pocket PC 2003 offers (with
// the daylight-saving rules it knew, from before 2007), the zone chosen on
// the clock page, and a clock that tests can stop at a moment of their
// choice.  coredll answers GetSystemTime, GetLocalTime,
// GetTimeZoneInformation and the file-time conversions from here; the shell,
// the Today item and the clock page call it directly.
//
// State (registry):
//   HKLM "SOFTWARE/MICROSOFT/CLOCK" (one key, the slashes part of its name)
//     "TZIndex"  DWORD  the zone key; missing or unknown means 85 (GMT)
//   HKLM "Software\SimDevice"
//     "ClockUtc" SZ     "YYYY-MM-DD hh:mm:ss" (UTC): while it exists the
//                       clock stands still at that moment
//
// GetSystemTimeAsFileTime and the tick counts keep running under a stopped
// clock, so animations and timeouts still work.
#pragma once
#include <windows.h>

#define DEVICE_CLOCK_KEY   L"SOFTWARE/MICROSOFT/CLOCK"
#define DEVICE_ZONE_VALUE  L"TZIndex"
#define DEVICE_CLOCK_VALUE L"ClockUtc"
#define DEVICE_DEFAULT_ZONE 85

// A daylight-saving transition: the weekday-th `week` of the month (week 5:
// the last such weekday) at the hour, local time.
struct DevRulePart {
    BYTE month;    // 1-12; 0 in standardStart: the zone keeps no daylight time
    BYTE weekday;  // 0 Sunday ... 6 Saturday
    BYTE week;     // 1-5
    BYTE hour;
};

struct DevZone {
    WORD key;                     // the zone's number in TZIndex
    short offset;                 // minutes east of UTC in standard time
    const wchar_t* display;       // the clock page's list text
    const wchar_t* standardName;
    const wchar_t* daylightName;  // empty for zones without daylight time
    DevRulePart standardStart;    // the end of daylight time
    DevRulePart daylightStart;
};

// ---- the zone table (devzones.cpp) ------------------------------------------
int DevZoneCount();
const DevZone* DevZoneAt(int position);  // null out of range
const DevZone* DevZoneByKey(WORD key);   // null for a key not in the table

// ---- arithmetic on given moments (devclock.cpp) ------------------------------
// Whether standard local time `local` (UTC + offset) falls in the zone's
// daylight time: after the daylight start and up to the standard start of
// its year (the other way round south of the equator).
bool DevZoneInDaylight(const DevZone& zone, const SYSTEMTIME& standardLocal);
// Local wall-clock time of a UTC moment in the zone.
bool DevZoneLocalFromUtc(const DevZone& zone, const SYSTEMTIME& utc, SYSTEMTIME* local, bool* daylight = nullptr);
bool DevZoneUtcFromLocal(const DevZone& zone, const SYSTEMTIME& local, SYSTEMTIME* utc);
// The zone as the platform describes it: Bias = -offset, DaylightBias -60,
// the transitions in day-of-week-in-month form.  Returns TIME_ZONE_ID_UNKNOWN
// for a zone without daylight time, else TIME_ZONE_ID_DAYLIGHT or
// TIME_ZONE_ID_STANDARD for the UTC moment.
DWORD DevZoneInformation(const DevZone& zone, const SYSTEMTIME& utc, TIME_ZONE_INFORMATION* info);

// ---- the device's state ---------------------------------------------------------
// The zone in force: TZIndex, or 85 when it is missing or not in the table
// (an unknown key is written to the device log once per process).
const DevZone& DevClockZone();
// Chooses the zone; false for a key not in the table (nothing written).
bool DevClockSetZone(WORD key);
// UTC now: the stopped moment while ClockUtc holds one, else the host's.  A
// ClockUtc that does not read as a moment is logged once and ignored.
void DevClockUtc(SYSTEMTIME* utc);
void DevClockLocal(SYSTEMTIME* local);
// Stops the clock at the UTC moment (false for fields that are no moment);
// DevClockRun lets it run again.
bool DevClockStop(const SYSTEMTIME& utc);
void DevClockRun();
// Reads "YYYY-MM-DD hh:mm:ss"; false for anything else.
bool DevClockParse(const wchar_t* text, SYSTEMTIME* utc);
