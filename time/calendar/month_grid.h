// Month arithmetic of the calendars: month lengths, stepping from month to
// month, and where each day of a month sits in a block's grid of weeks.
#pragma once

#include <windows.h>

// Gregorian: divisible by 4 and not by 100, or divisible by 400.
bool IsLeapYear(int year);
// 28 to 31; 0 for a month outside 1-12.
int DaysInMonth(int year, int month);

// The first day of date's month, its weekday filled in by the platform's
// time conversion. False, the date unchanged, when the platform cannot
// convert it.
bool FirstOfMonth(SYSTEMTIME* date);
// The first day of the month `months` away (negative: back), the year
// carried over as needed. False, the month unchanged, outside the dates the
// platform converts.
bool StepMonth(SYSTEMTIME* month, int months);
bool SameMonth(const SYSTEMTIME& a, const SYSTEMTIME& b);

// A block shows five weeks: a column per weekday (0 Sunday ... 6 Saturday)
// and a new row after each Saturday.
constexpr int kWeekColumns = 7;
constexpr int kWeekRows = 5;

struct DayCell {
    int column;
    int row;
};

// Where a day goes in its month's block, given the weekday of the 1st. A
// month spanning six weeks (31 days from a Friday, 30 or 31 from a
// Saturday) has no row for its last one or two days: they take the first
// row's cells of their weekdays, which that month leaves empty.
DayCell MonthDayCell(int firstWeekday, int day);
