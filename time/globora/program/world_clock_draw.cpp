// The world clock's three surfaces: header, map and boxes.  Everything is
// drawn off screen and copied to the window; marks, flashes and the target
// animation invert the map surface, so drawing them twice restores it.
#include "world_clock_wnd.h"

#include "clock_style.h"
#include "clock_text.h"

using namespace globora;

namespace {

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &rect, brush);
    ::DeleteObject(brush);
}

// Text in the text colour, then in white one pixel up and left: a shadow.
void ShadowText(HDC dc, int x, int y, const wchar_t* text, HFONT font)
{
    HGDIOBJ old = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kText);
    ::TextOutW(dc, x, y, text, (int)wcslen(text));
    ::SetTextColor(dc, kHighlight);
    ::TextOutW(dc, x - 1, y - 1, text, (int)wcslen(text));
    ::SelectObject(dc, old);
}

void PlainText(HDC dc, int x, int y, const wchar_t* text, HFONT font)
{
    HGDIOBJ old = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kText);
    ::TextOutW(dc, x, y, text, (int)wcslen(text));
    ::SelectObject(dc, old);
}

// White top and left, black bottom and right.
void Bevel(HDC dc, const RECT& frame)
{
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(WHITE_PEN));
    ::MoveToEx(dc, frame.left, frame.bottom - 1, nullptr);
    ::LineTo(dc, frame.left, frame.top);
    ::LineTo(dc, frame.right - 1, frame.top);
    ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::LineTo(dc, frame.right - 1, frame.bottom - 1);
    ::LineTo(dc, frame.left, frame.bottom - 1);
    ::SelectObject(dc, oldPen);
}

// The map surface's own coordinates for a window point.
POINT OnMap(POINT window)
{
    return {window.x - kMapArea.left, window.y - kMapArea.top};
}

} // namespace

void CWorldClockWnd::CreateSurfaces()
{
    CClientDC reference(m_hWnd);
    m_headerSurface.CreateDCW(reference, kWidth, kHeaderHeight);
    m_mapSurface.CreateDCW(reference, kMapWidth, kMapHeight);
    m_boxSurface.CreateDCW(reference, kWidth, kBoxesHeight);
}

void CWorldClockWnd::DrawHeader()
{
    HDC dc = m_headerSurface;
    FillSolid(dc, {0, 0, kWidth, kHeaderHeight}, kFill);
    Bevel(dc, kHeaderFrame);
    const int x = kHeaderFrame.left, y = kHeaderFrame.top;
    if (m_mode == kCityMode && m_current) {
        wchar_t line[kLineChars];
        if (FormatCityLine(*m_current, line, kLineChars))
            ShadowText(dc, x + kHeaderCityLine1.x, y + kHeaderCityLine1.y, line, m_headerCityFont);
        // A city whose zone the table lacks shows no time.
        SYSTEMTIME time;
        if (GetTimeByTzIndex(m_current->wTzIndex, &time) && FormatCityTime(time, line, kLineChars))
            ShadowText(dc, x + kHeaderCityLine2.x, y + kHeaderCityLine2.y, line, m_headerCityFont);
        return;
    }
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t clock[kLineChars];
    if (FormatHeaderClock(now, clock, kLineChars))
        ShadowText(dc, x + kHeaderClockText.x, y + kHeaderClockText.y, clock, m_headerClockFont);
}

void CWorldClockWnd::DrawMap()
{
    HDC dc = m_mapSurface;
    FillSolid(dc, {0, 0, kMapWidth, kMapHeight}, kFill);
    if (m_map.IsLoaded())
        m_map.Draw(dc, 0, 0, -1, -1);
    m_marked = false;
    m_flashing = false;
    HBRUSH red = ::CreateSolidBrush(kDot);
    HPEN redPen = ::CreatePen(PS_SOLID, 1, kDot);
    HGDIOBJ oldBrush = ::SelectObject(dc, red);
    HGDIOBJ oldPen = ::SelectObject(dc, redPen);
    for (int slot = 0; slot < CCitySlots::kCount; ++slot) {
        if (const CCityInfo* city = m_slots.Get(slot)) {
            POINT at = OnMap(MapPoint(city->dLongitude, city->dLatitude));
            ::Ellipse(dc, at.x - 2, at.y - 2, at.x + 3, at.y + 3);
        }
    }
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(redPen);
    ::DeleteObject(red);
}

void CWorldClockWnd::DrawBoxes()
{
    HDC dc = m_boxSurface;
    FillSolid(dc, {0, 0, kWidth, kBoxesHeight}, kFill);
    HBRUSH fill = ::CreateSolidBrush(kBoxFill);
    HPEN outline = ::CreatePen(PS_SOLID, 1, kText);
    HGDIOBJ oldBrush = ::SelectObject(dc, fill);
    HGDIOBJ oldPen = ::SelectObject(dc, outline);
    for (int slot = 0; slot < CCitySlots::kCount; ++slot) {
        const POINT box = kBoxOrigins[slot];
        ::RoundRect(dc, box.x, box.y, box.x + kBoxSize.cx, box.y + kBoxSize.cy, 6, 6);
        if (m_copyIcon)
            ::DrawIconEx(dc, box.x + kBoxCopyIcon.x, box.y + kBoxCopyIcon.y, m_copyIcon, 0, 0, 0, nullptr, DI_NORMAL);
        if (m_listIcon)
            ::DrawIconEx(dc, box.x + kBoxListIcon.x, box.y + kBoxListIcon.y, m_listIcon, 0, 0, 0, nullptr, DI_NORMAL);
        const CCityInfo* city = m_slots.Get(slot);
        if (!city)
            continue;
        PlainText(dc, box.x + kBoxName.x, box.y + kBoxName.y, city->szName, m_nameFont);
        SYSTEMTIME time;
        wchar_t text[32];
        if (!GetTimeByTzIndex(city->wTzIndex, &time))
            continue;  // a zone the table lacks: the name only
        if (FormatWeekday(time, text, 32))
            PlainText(dc, box.x + kBoxWeekday.x, box.y + kBoxWeekday.y, text, m_nameFont);
        if (FormatAmPm(time, text, 32))
            PlainText(dc, box.x + kBoxAmPm.x, box.y + kBoxAmPm.y, text, m_nameFont);
        if (FormatBoxTime(time, text, 32)) {
            POINT at = wcslen(text) < 10 ? kBoxTimeShort : kBoxTimeLong;
            PlainText(dc, box.x + at.x, box.y + at.y, text, m_digitFont);
        }
    }
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(outline);
    ::DeleteObject(fill);
}

void CWorldClockWnd::DrawAll()
{
    DrawHeader();
    DrawMap();
    DrawBoxes();
    Invalidate(FALSE);
}

void CWorldClockWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    m_headerSurface.Draw(dc, 0, kHeaderArea.top, kOpaqueCopy);
    m_mapSurface.Draw(dc, 0, kMapArea.top, kOpaqueCopy);
    FillSolid(dc, {0, kMapArea.bottom, kWidth, kBoxesTop}, kFill);
    m_boxSurface.Draw(dc, 0, kBoxesTop, kOpaqueCopy);
    if (client.right > kWidth)
        FillSolid(dc, {kWidth, 0, client.right, client.bottom}, kFill);
    if (client.bottom > kBoxesTop + kBoxesHeight)
        FillSolid(dc, {0, kBoxesTop + kBoxesHeight, client.right, client.bottom}, kFill);
}

BOOL CWorldClockWnd::OnEraseBkgnd(HDC /*hdc*/)
{
    return TRUE;  // painted whole from the surfaces
}

void CWorldClockWnd::ShowHeader()
{
    CClientDC dc(m_hWnd);
    m_headerSurface.Draw(dc, 0, kHeaderArea.top, kOpaqueCopy);
}

void CWorldClockWnd::ShowMap()
{
    CClientDC dc(m_hWnd);
    m_mapSurface.Draw(dc, 0, kMapArea.top, kOpaqueCopy);
}

void CWorldClockWnd::ShowBoxes()
{
    CClientDC dc(m_hWnd);
    m_boxSurface.Draw(dc, 0, kBoxesTop, kOpaqueCopy);
}

void CWorldClockWnd::InvertDot(POINT point)
{
    POINT at = OnMap(point);
    HDC dc = m_mapSurface;
    int oldRop = ::SetROP2(dc, R2_NOT);
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(BLACK_BRUSH));
    // The null pen leaves the right and bottom edge: one more each way.
    ::Ellipse(dc, at.x - 2, at.y - 2, at.x + 4, at.y + 4);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::SetROP2(dc, oldRop);
    ShowMap();
}

void CWorldClockWnd::InvertMark(POINT point)
{
    // The mark is a red dot drawn by exclusive or: drawn again, it is gone.
    POINT at = OnMap(point);
    HDC dc = m_mapSurface;
    int oldRop = ::SetROP2(dc, R2_XORPEN);
    HBRUSH red = ::CreateSolidBrush(kDot);
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    HGDIOBJ oldBrush = ::SelectObject(dc, red);
    ::Ellipse(dc, at.x - 2, at.y - 2, at.x + 4, at.y + 4);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(red);
    ::SetROP2(dc, oldRop);
    ShowMap();
}

void CWorldClockWnd::InvertSquare(POINT centre, int half)
{
    POINT at = OnMap(centre);
    RECT square = {at.x - half, at.y - half, at.x + half + 1, at.y + half + 1};
    HDC dc = m_mapSurface;
    ::InvertRect(dc, &square);
    RECT inner = {square.left + 1, square.top + 1, square.right - 1, square.bottom - 1};
    ::InvertRect(dc, &inner);  // an outline: the ring inverted, the middle as it was
    ShowMap();
}

void CWorldClockWnd::FlashCurrentCity()
{
    if (!m_current || m_flashing)
        return;
    m_flash = MapPoint(m_current->dLongitude, m_current->dLatitude);
    m_flashing = true;
    InvertDot(m_flash);
    SetTimer(kFlashTimer, kFlashMs);
}

// Three growing squares 40 ms apart, a pause, the same three shrinking: each
// square drawn twice, so the map is as before.
void CWorldClockWnd::AnimateTarget(POINT centre)
{
    const int halves[] = {4, 8, 12};
    for (int half : halves) {
        InvertSquare(centre, half);
        ::Sleep(40);
    }
    ::Sleep(200);
    for (int i = 2; i >= 0; --i) {
        InvertSquare(centre, halves[i]);
        ::Sleep(40);
    }
}
