// CTime and CTimeSpan: points in time and durations in whole seconds.
//
// CTime counts seconds since 1970-01-01 00:00:00 UTC in an unsigned 32-bit
// value. Conversions to and from local wall-clock fields use the process's
// time-zone offset, read once and cached; daylight saving time is never
// applied, so the daylight arguments are accepted and ignored.
#pragma once

#include <windows.h>

#include <ctime>

#include "corvane_api.h"

// The platform headers define GetCurrentTime() as a macro for GetTickCount.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CORVANE_API CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(DWORD seconds) : m_timeSpan(seconds) {}
    // days x 86400 + hours x 3600 + minutes x 60 + seconds, in unsigned arithmetic.
    CTimeSpan(LONG days, int hours, int minutes, int seconds)
        : m_timeSpan(static_cast<DWORD>(days) * 86400u + static_cast<DWORD>(hours) * 3600u +
                     static_cast<DWORD>(minutes) * 60u + static_cast<DWORD>(seconds))
    {
    }

    LONG GetDays() const { return static_cast<LONG>(m_timeSpan / 86400); }
    LONG GetTotalHours() const { return static_cast<LONG>(m_timeSpan / 3600); }
    int GetHours() const { return static_cast<int>(GetTotalHours() - GetDays() * 24); }
    LONG GetTotalMinutes() const { return static_cast<LONG>(m_timeSpan / 60); }
    int GetMinutes() const { return static_cast<int>(GetTotalMinutes() - GetTotalHours() * 60); }
    DWORD GetTotalSeconds() const { return m_timeSpan; }
    int GetSeconds() const { return static_cast<int>(m_timeSpan - GetTotalMinutes() * 60); }

    CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_timeSpan + other.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_timeSpan - other.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan other) { m_timeSpan += other.m_timeSpan; return *this; }
    CTimeSpan& operator-=(CTimeSpan other) { m_timeSpan -= other.m_timeSpan; return *this; }

    bool operator==(CTimeSpan other) const { return m_timeSpan == other.m_timeSpan; }
    bool operator!=(CTimeSpan other) const { return m_timeSpan != other.m_timeSpan; }
    bool operator<(CTimeSpan other) const { return m_timeSpan < other.m_timeSpan; }
    bool operator>(CTimeSpan other) const { return m_timeSpan > other.m_timeSpan; }
    bool operator<=(CTimeSpan other) const { return m_timeSpan <= other.m_timeSpan; }
    bool operator>=(CTimeSpan other) const { return m_timeSpan >= other.m_timeSpan; }

private:
    DWORD m_timeSpan;
};

class CORVANE_API CTime {
public:
    CTime() = default;
    CTime(DWORD seconds) : m_time(seconds) {}
    // Local wall-clock fields (month 1-12). Fields the platform rejects, and
    // moments outside 1970-2106 UTC, give the time 0.
    CTime(int year, int month, int day, int hour, int minute, int second, int daylight = -1);
    // Date and time words in the FAT directory format.
    CTime(WORD dosDate, WORD dosTime, int daylight = -1);
    // Local time; a year before 1900 gives the time 0.
    CTime(const SYSTEMTIME& localTime, int daylight = -1);
    // A UTC file time, taken to local time first; failure gives the time 0.
    CTime(const FILETIME& fileTime, int daylight = -1);

    CTime& operator=(DWORD seconds) { m_time = seconds; return *this; }

    static CTime GetCurrentTime();

    DWORD GetTime() const { return m_time; }
    // Local broken-down time (no daylight flag). Without a buffer the result
    // is one process-wide static that each call overwrites. Null on failure.
    struct tm* GetLocalTm(struct tm* buffer = nullptr) const;
    // Local time with milliseconds 0; 0 on failure.
    BOOL GetAsSystemTime(SYSTEMTIME& localTime) const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday ... 7 = Saturday

    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTotalSeconds()); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTotalSeconds()); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTotalSeconds(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTotalSeconds(); return *this; }

    bool operator==(CTime other) const { return m_time == other.m_time; }
    bool operator!=(CTime other) const { return m_time != other.m_time; }
    bool operator<(CTime other) const { return m_time < other.m_time; }
    bool operator>(CTime other) const { return m_time > other.m_time; }
    bool operator<=(CTime other) const { return m_time <= other.m_time; }
    bool operator>=(CTime other) const { return m_time >= other.m_time; }

private:
    DWORD m_time;
};
