// The Calendar applet's window.
#include "calendar_wnd.h"

#include <applet_module.h>
#include <ketra_host.h>

#include "month_grid.h"
#include "shell.h"

namespace {

const MonthBlockRows kRows = {18, 32, 33, CCalendarWnd::kHeight};

const RECT kTopLine = {0, 0, 178, 17};
const int kTopLineFontHeight = 13;
const wchar_t kTopLinePicture[] = L"dddd, MMM, d, yyyy";

// The arrow picture beside the top line, and the buttons it shows.
const wchar_t kArrowPicture[] = L"CalArrow.gif";
const POINT kArrowsAt = {178, 1};
const RECT kTodayButton = {174, 0, 197, 17};
const RECT kPreviousButton = {197, 0, 214, 17};
const RECT kNextButton = {214, 0, 236, 17};
// The picture's background, left out so the glyphs sit on any page colour.
const COLORREF kArrowBackground = RGB(252, 252, 254);

bool Inside(const RECT& rect, CPoint point)
{
    return ::PtInRect(&rect, point) != FALSE;
}

SYSTEMTIME Today()
{
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    return today;
}

}  // namespace

void CCalendarWnd::OnCreate()
{
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kWidth, kHeight);
    }
    m_blocks = std::make_unique<CMonthBlockPainter>();
    m_topLineFont.DeleteObject();
    m_topLineFont.CreateFont(kTopLineFontHeight, L"Tahoma", FW_BOLD);
    CModuleInfo module(CorAppletModule());
    if (LPCWSTR path = module.GetFileName(kArrowPicture))
        m_arrows.Load(m_surface, path);

    m_today = Today();
    m_shown = m_today;
    FirstOfMonth(&m_shown);
    Redraw();
}

void CCalendarWnd::OnDestroy()
{
    m_blocks.reset();
    m_topLineFont.DeleteObject();
    m_surface.DeleteDC();
    CApplet::OnDestroy();
}

void CCalendarWnd::Redraw()
{
    const CalendarColours colours = ReadCalendarColours();
    const RECT whole = {0, 0, kWidth, kHeight};
    CBrush page(colours.page);
    m_surface.FillRect(&whole, &page);
    DrawTopLine(colours);
    m_blocks->DrawThreeMonths(m_surface, kRows, m_shown, m_today, colours);
    Invalidate(FALSE);
}

void CCalendarWnd::DrawTopLine(const CalendarColours& colours)
{
    wchar_t text[80];
    if (::GetDateFormatW(LOCALE_USER_DEFAULT, 0, &m_today, kTopLinePicture, text, ARRAYSIZE(text))) {
        RECT line = kTopLine;
        m_surface.SetBkMode(TRANSPARENT);
        m_surface.SetTextColor(colours.text);
        m_surface.SelectObject(&m_topLineFont);
        m_surface.DrawTextW(text, -1, &line, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        m_surface.ReleaseObject(&m_topLineFont);
    }
    if (m_arrows.IsLoaded())
        m_arrows.Draw(m_surface, kArrowsAt.x, kArrowsAt.y, kArrowBackground);
}

void CCalendarWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

void CCalendarWnd::OnLButtonDown(CPoint point)
{
    SYSTEMTIME shown = m_shown;
    if (Inside(kTodayButton, point)) {
        m_today = Today();
        shown = m_today;
        if (!FirstOfMonth(&shown))
            return;
    } else if (Inside(kPreviousButton, point)) {
        if (!StepMonth(&shown, -1))
            return;
    } else if (Inside(kNextButton, point)) {
        if (!StepMonth(&shown, 1))
            return;
    } else {
        return;
    }
    m_shown = shown;
    Redraw();
}

LRESULT CCalendarWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
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

// A new day moves the top line and the mark of today, never the month shown.
void CCalendarWnd::FollowToday()
{
    const SYSTEMTIME today = Today();
    if (today.wDay != m_today.wDay || !SameMonth(today, m_today)) {
        m_today = today;
        Redraw();
    }
}

// Polled by the bar every few seconds. The window keeps its own height.
int CCalendarWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* /*item*/)
{
    FollowToday();
    return 1;
}
