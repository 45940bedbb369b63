// Clockra's window.
#include "clock_wnd.h"

#include <ketra_host.h>

#include "clock_dial.h"
#include "shell.h"

namespace {

const RECT kDialArea = {165, 2, 215, 52};
const POINT kTimeAt = {15, 6};
const int kDateBelowTime = 22;

const int kTimeFontHeight = 20;
const int kDateFontHeight = 16;

const COLORREF kLight = RGB(255, 255, 255);
const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kMarkGreen = RGB(0, 255, 0);

const int kMarkHalf = 2;  // marks and the centre are circles 4 across

const wchar_t kTimePicture[] = L"h':'mm':'ss tt";
const wchar_t kDatePicture[] = L"MMM dd, dddd";

// The device's clock settings page.
const wchar_t kControlPanel[] = L"ctlpnl.exe";
const wchar_t kClockPage[] = L"cplmain.cpl 16,0";

void Circle(CDC& dc, POINT centre)
{
    dc.Ellipse(centre.x - kMarkHalf, centre.y - kMarkHalf, centre.x + kMarkHalf, centre.y + kMarkHalf);
}

}  // namespace

void CClockWnd::OnCreate()
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, client.right, client.bottom);
    }
    m_timeFont.DeleteObject();
    m_dateFont.DeleteObject();
    m_timeFont.CreateFont(kTimeFontHeight, L"Tahoma", FW_BOLD);
    m_dateFont.CreateFont(kDateFontHeight, L"Tahoma", FW_BOLD);
    Redraw();
    SetTimer(kTickTimer, kTickMs);
}

void CClockWnd::OnDestroy()
{
    KillTimer(kTickTimer);
    m_timeFont.DeleteObject();
    m_dateFont.DeleteObject();
    m_surface.DeleteDC();
    CApplet::OnDestroy();
}

void CClockWnd::Redraw()
{
    RECT client = {0, 0, m_surface.GetWidth(), m_surface.GetHeight()};
    // The bar's background first, so the clock sits on the bar itself.
    DrawHostBackground(m_surface, client);

    SYSTEMTIME now;
    ::GetLocalTime(&now);
    DrawText(now);
    DrawDial(now);
    Invalidate(FALSE);
}

// Each line in white, then in navy one pixel right and down.
void CClockWnd::DrawText(const SYSTEMTIME& now)
{
    wchar_t timeText[64];
    wchar_t dateText[64];
    if (!::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, kTimePicture, timeText, ARRAYSIZE(timeText)))
        timeText[0] = L'\0';
    if (!::GetDateFormatW(LOCALE_USER_DEFAULT, 0, &now, kDatePicture, dateText, ARRAYSIZE(dateText)))
        dateText[0] = L'\0';

    m_surface.SetBkMode(TRANSPARENT);
    const int dateY = kTimeAt.y + kDateBelowTime;
    const struct {
        CFont* font;
        const wchar_t* text;
        int y;
    } lines[] = {{&m_timeFont, timeText, kTimeAt.y}, {&m_dateFont, dateText, dateY}};
    for (const auto& line : lines) {
        m_surface.SelectObject(line.font);
        m_surface.SetTextColor(kLight);
        m_surface.TextOut(kTimeAt.x, line.y, line.text);
        m_surface.SetTextColor(kNavy);
        m_surface.TextOut(kTimeAt.x + 1, line.y + 1, line.text);
        m_surface.ReleaseObject(line.font);
    }
}

void CClockWnd::DrawDial(const SYSTEMTIME& now)
{
    const ClockDial dial = DialOf(kDialArea);
    CPen markPen(PS_SOLID, 1, kMarkGreen);
    CBrush markBrush(kMarkGreen);
    CPen outline(PS_SOLID, 1, kNavy);
    CBrush fill(kLight);
    const int saved = ::SaveDC(m_surface);

    ::SelectObject(m_surface, markPen);
    for (int minute = 0; minute < 60; minute += 5) {
        // The quarters are filled, the other hours only outlined.
        ::SelectObject(m_surface, minute % 15 == 0 ? (HGDIOBJ)markBrush : ::GetStockObject(NULL_BRUSH));
        Circle(m_surface, DialMarkCentre(dial, minute));
    }

    ::SelectObject(m_surface, outline);
    ::SelectObject(m_surface, fill);
    POINT hand[4];
    DialHandPolygon(dial, HourAngle(now.wHour, now.wMinute), dial.radius - kHourHandShortfall, hand);
    ::Polygon(m_surface, hand, 4);
    DialHandPolygon(dial, MinuteAngle(now.wMinute), dial.radius, hand);
    ::Polygon(m_surface, hand, 4);
    const POINT secondTip = DialPoint(dial, SecondAngle(now.wSecond), dial.radius);
    m_surface.MoveTo(dial.centre.x, dial.centre.y);
    m_surface.LineTo(secondTip.x, secondTip.y);
    Circle(m_surface, dial.centre);

    ::RestoreDC(m_surface, saved);
}

void CClockWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

void CClockWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId == kTickTimer)
        Redraw();
    else
        CApplet::OnTimer(timerId);
}

void CClockWnd::OnLButtonDown(CPoint /*point*/)
{
    CSH::Execute(kControlPanel, kClockPage);
}

LRESULT CClockWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KETRA_APPLETSHOWN:
        Redraw();  // the bar opened: the time now, not at the next tick
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

// The window keeps its own height.
int CClockWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* /*item*/)
{
    return 1;
}
