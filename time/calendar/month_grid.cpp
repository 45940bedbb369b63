// Month arithmetic of the calendars.
#include "month_grid.h"

namespace {

// The platform fills in the weekday on the way back from a file time; a
// date it refuses is left alone.
bool Normalise(SYSTEMTIME* date)
{
    FILETIME file;
    SYSTEMTIME normal;
    if (!::SystemTimeToFileTime(date, &file) || !::FileTimeToSystemTime(&file, &normal))
        return false;
    *date = normal;
    return true;
}

}  // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kDays[month - 1];
}

bool FirstOfMonth(SYSTEMTIME* date)
{
    SYSTEMTIME first = {};
    first.wYear = date->wYear;
    first.wMonth = date->wMonth;
    first.wDay = 1;
    if (!Normalise(&first))
        return false;
    *date = first;
    return true;
}

bool StepMonth(SYSTEMTIME* month, int months)
{
    // Months counted from year 0, so that the year carries both ways.
    const int index = month->wYear * 12 + (month->wMonth - 1) + months;
    if (index < 0 || index / 12 > 30827)
        return false;
    SYSTEMTIME stepped = {};
    stepped.wYear = (WORD)(index / 12);
    stepped.wMonth = (WORD)(index % 12 + 1);
    stepped.wDay = 1;
    if (!Normalise(&stepped))
        return false;
    *month = stepped;
    return true;
}

bool SameMonth(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth;
}

DayCell MonthDayCell(int firstWeekday, int day)
{
    const int slot = firstWeekday + day - 1;
    DayCell cell = {slot % kWeekColumns, slot / kWeekColumns};
    if (cell.row >= kWeekRows)
        cell.row = 0;  // the sixth week folds into the first row
    return cell;
}
