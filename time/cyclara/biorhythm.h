// The biorhythm arithmetic: the four cycles, day counts from a birthday,
// each cycle's value on a day and where values go on the chart. Pure, so
// the figures can be checked without drawing.
#pragma once

#include <windows.h>

struct BioCycle {
    const wchar_t* name;
    int period;  // days
    COLORREF colour;
};

constexpr int kBioCycleCount = 4;
extern const BioCycle kBioCycles[kBioCycleCount];

// A birthday the chart accepts: a real date in the years 1900 to 2100.
bool IsValidBirthday(int year, int month, int day);

// Whole days from the birthday to the date, both taken at midnight (the
// time of day of either plays no part); negative before the birthday.
// False when either is not a date the platform converts.
bool BioDayCount(const SYSTEMTIME& date, const SYSTEMTIME& birthday, LONGLONG* days);

// 100 x sin(6.283184 x days / period), rounded half away from zero.
int BioValue(LONGLONG days, int period);
int RoundHalfAwayFromZero(double value);

// The chart: today at x 166, three pixels a day, the zero line at y 47 and
// 0.3 pixel per point of value, 20 days back and 19 ahead.
constexpr int kChartTodayX = 166;
constexpr int kChartDayWidth = 3;
constexpr int kChartZeroY = 47;
constexpr int kChartFirstDay = -20;
constexpr int kChartLastDay = 19;

int BioChartX(int dayOffset);
// Pixels from a zero line for a value (also the value bars' height).
int BioValueHeight(int value);
int BioChartY(int value);
// The day offset from today that a point of the chart at x stands for.
int BioDayOffsetAt(int x);
