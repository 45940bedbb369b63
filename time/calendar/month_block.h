// The month blocks both calendars draw: three months side by side, each a
// heading strip with "yyyy MMM" over a body of day numbers, in the side
// bar's shared colours.
#pragma once

#include <windows.h>

#include "drawcontext.h"
#include "gdiobject.h"

// HKLM "Software\ZARQ\Ketra\Colors": "1" the page, "2" headings, "3" text.
struct CalendarColours {
    COLORREF page;
    COLORREF heading;
    COLORREF text;
};
// The stored colours; each missing or unreadable one takes its default.
CalendarColours ReadCalendarColours();

// Where the blocks sit in a window: heading rows [headingTop, headingBottom),
// a one-pixel gap, then the body from bodyTop to bodyBottom (exclusive).
struct MonthBlockRows {
    int headingTop;
    int headingBottom;
    int bodyTop;
    int bodyBottom;
};

constexpr int kMonthBlockWidth = 78;
constexpr int kMonthBlockLefts[3] = {0, 79, 158};
constexpr int kDayCellWidth = 11;
constexpr int kDayRowHeight = 10;

// The cell of a day in a block whose body starts at bodyTop: the text goes
// one pixel in from its left and top.
RECT DayCellRect(int blockLeft, int bodyTop, int column, int row);

class CMonthBlockPainter {
public:
    CMonthBlockPainter();
    CMonthBlockPainter(const CMonthBlockPainter&) = delete;
    CMonthBlockPainter& operator=(const CMonthBlockPainter&) = delete;

    // The month before `shown`, `shown` and the month after, in the three
    // blocks; today is marked in whichever block shows its month.
    void DrawThreeMonths(CDC& dc, const MonthBlockRows& rows, const SYSTEMTIME& shown, const SYSTEMTIME& today,
                         const CalendarColours& colours);
    // One block at x.
    void DrawBlock(CDC& dc, int x, const MonthBlockRows& rows, const SYSTEMTIME& month, const SYSTEMTIME& today,
                   const CalendarColours& colours);

private:
    CFont m_headingFont;
    CFont m_dayFont;
};
