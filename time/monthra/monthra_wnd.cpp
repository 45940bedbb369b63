// The Monthra applet's window.
#include "monthra_wnd.h"

#include <ketra_host.h>

#include "month_grid.h"

namespace {

const MonthBlockRows kRows = {0, 13, 14, CMonthraWnd::kHeight};

}  // namespace

void CMonthraWnd::OnCreate()
{
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kWidth, kHeight);
    }
    m_blocks = std::make_unique<CMonthBlockPainter>();
    ::GetLocalTime(&m_today);
    Redraw();
}

void CMonthraWnd::OnDestroy()
{
    m_blocks.reset();
    m_surface.DeleteDC();
    CApplet::OnDestroy();
}

void CMonthraWnd::Redraw()
{
    const CalendarColours colours = ReadCalendarColours();
    const RECT whole = {0, 0, kWidth, kHeight};
    CBrush page(colours.page);
    m_surface.FillRect(&whole, &page);
    SYSTEMTIME month = m_today;
    if (FirstOfMonth(&month))
        m_blocks->DrawThreeMonths(m_surface, kRows, month, m_today, colours);
    Invalidate(FALSE);
}

void CMonthraWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

LRESULT CMonthraWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KETRA_APPLETSHOWN:
        FollowToday();  // the bar opened: a day may have passed
        return 0;
    case WM_KETRA_APPLETHIDDEN:
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint copies the whole surface
    case WM_PRINTCLIENT:
        m_surface.Draw((HDC)wParam, 0, 0, kOpaqueCopy);
        return 0;
    default:
        return CApplet::OnMessage(message, wParam, lParam);
    }
}

// A new day redraws the months around it.
void CMonthraWnd::FollowToday()
{
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    if (today.wDay != m_today.wDay || !SameMonth(today, m_today)) {
        m_today = today;
        Redraw();
    }
}

// Polled by the bar every few seconds. The window keeps its own height.
int CMonthraWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* /*item*/)
{
    FollowToday();
    return 1;
}
