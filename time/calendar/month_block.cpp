// The month blocks of the calendars.
#include "month_block.h"

#include <cwchar>

#include "month_grid.h"
#include "registry.h"

namespace {

const wchar_t kColoursKey[] = L"Software\\ZARQ\\Ketra\\Colors";
const CalendarColours kDefaultColours = {RGB(252, 252, 254), RGB(236, 233, 216), RGB(0, 0, 0)};

const COLORREF kSundayRed = RGB(255, 0, 0);
const COLORREF kSaturdayBlue = RGB(0, 0, 255);

const int kHeadingFontHeight = 13;
const int kDayFontHeight = 11;
const wchar_t kHeadingPicture[] = L"yyyy MMM";

void Fill(CDC& dc, const RECT& rect, COLORREF colour)
{
    CBrush brush(colour);
    dc.FillRect(&rect, &brush);
}

COLORREF DayColour(int column, COLORREF text)
{
    if (column == 0)
        return kSundayRed;
    if (column == kWeekColumns - 1)
        return kSaturdayBlue;
    return text;
}

}  // namespace

CalendarColours ReadCalendarColours()
{
    CalendarColours colours = kDefaultColours;
    CRegistry key;
    if (!key.Open(HKEY_LOCAL_MACHINE, kColoursKey, TRUE))
        return colours;
    DWORD value;
    if (key.ReadDWORD(L"1", &value))
        colours.page = value & 0xFFFFFF;
    if (key.ReadDWORD(L"2", &value))
        colours.heading = value & 0xFFFFFF;
    if (key.ReadDWORD(L"3", &value))
        colours.text = value & 0xFFFFFF;
    return colours;
}

RECT DayCellRect(int blockLeft, int bodyTop, int column, int row)
{
    const int left = blockLeft + column * kDayCellWidth;
    const int top = bodyTop + 1 + row * kDayRowHeight;
    return {left, top, left + kDayCellWidth, top + kDayRowHeight};
}

CMonthBlockPainter::CMonthBlockPainter()
{
    m_headingFont.CreateFont(kHeadingFontHeight, L"Tahoma", FW_NORMAL);
    m_dayFont.CreateFont(kDayFontHeight, L"Tahoma", FW_NORMAL);
}

void CMonthBlockPainter::DrawThreeMonths(CDC& dc, const MonthBlockRows& rows, const SYSTEMTIME& shown,
                                         const SYSTEMTIME& today, const CalendarColours& colours)
{
    SYSTEMTIME months[3] = {shown, shown, shown};
    // Beyond the platform's dates a neighbour block stays empty.
    const bool before = StepMonth(&months[0], -1);
    const bool after = StepMonth(&months[2], 1);
    for (int i = 0; i < 3; ++i) {
        if ((i == 0 && !before) || (i == 2 && !after))
            continue;
        DrawBlock(dc, kMonthBlockLefts[i], rows, months[i], today, colours);
    }
}

void CMonthBlockPainter::DrawBlock(CDC& dc, int x, const MonthBlockRows& rows, const SYSTEMTIME& month,
                                   const SYSTEMTIME& today, const CalendarColours& colours)
{
    SYSTEMTIME first = month;
    if (!FirstOfMonth(&first))
        return;
    dc.SetBkMode(TRANSPARENT);

    RECT heading = {x, rows.headingTop, x + kMonthBlockWidth, rows.headingBottom};
    Fill(dc, heading, colours.heading);
    wchar_t title[32];
    if (::GetDateFormatW(LOCALE_USER_DEFAULT, 0, &first, kHeadingPicture, title, ARRAYSIZE(title))) {
        dc.SelectObject(&m_headingFont);
        dc.SetTextColor(colours.text);
        dc.DrawTextW(title, -1, &heading, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        dc.ReleaseObject(&m_headingFont);
    }

    const RECT body = {x, rows.bodyTop, x + kMonthBlockWidth, rows.bodyBottom};
    Fill(dc, body, colours.page);

    dc.SelectObject(&m_dayFont);
    const bool todayHere = SameMonth(first, today);
    const int days = DaysInMonth(first.wYear, first.wMonth);
    for (int day = 1; day <= days; ++day) {
        const DayCell cell = MonthDayCell(first.wDayOfWeek, day);
        const RECT rect = DayCellRect(x, rows.bodyTop, cell.column, cell.row);
        const COLORREF colour = DayColour(cell.column, colours.text);
        if (todayHere && day == today.wDay) {
            // Today inverted: the day's colour behind, the heading colour on it.
            Fill(dc, rect, colour);
            dc.SetTextColor(colours.heading);
        } else {
            dc.SetTextColor(colour);
        }
        wchar_t number[8];
        std::swprintf(number, ARRAYSIZE(number), L"%2d", day);
        dc.TextOut(rect.left + 1, rect.top, number);
    }
    dc.ReleaseObject(&m_dayFont);
}
