// The schedule editor's rows: every theme file of the theme folders, and
// how a schedule marks and orders them.
#pragma once

#include <string>
#include <vector>

#include <schedule.h>

struct ThemeRow {
    std::wstring title;  // the file's title
    std::wstring path;   // its full path
    bool checked = false;
};

// Every "*.tsk" of every theme folder, in folder order and listing order,
// unchecked.
std::vector<ThemeRow> ListThemeRows();

// Marks the rows the schedule lists and moves them to the top in schedule
// order, the others after them in their order.  A scheduled theme that no
// row shows but that exists as a file gets a checked row of its own, so
// that saving keeps it.
void MarkScheduledRows(std::vector<ThemeRow>* rows, const CSchedule& schedule);
// Every row unchecked (order kept).
void ClearMarks(std::vector<ThemeRow>* rows);

// The schedule of the checked rows, in row order.
CSchedule ScheduleFromRows(const std::vector<ThemeRow>& rows, long interval, int order);

// The choices of the interval lists: days (there is no 5), hours, minutes.
extern const int kDayChoices[7];
extern const int kHourChoices[9];
extern const int kMinuteChoices[8];
// An interval's days, hours and minutes.
struct IntervalParts {
    long days;
    long hours;
    long minutes;
};
IntervalParts SplitInterval(long interval);
long JoinInterval(long days, long hours, long minutes);
