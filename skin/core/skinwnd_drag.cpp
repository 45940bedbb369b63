// Dragging a skin window by a button: an inverted outline follows the
// stylus, held inside the moving rectangle, and the window moves to it when
// the stylus is lifted.
#include "skinwnd.h"

#include <stdlib.h>

HDC CSkinWnd::OpenInvertingDisplayDC()
{
    HDC dc = ::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (dc)
        ::SetROP2(dc, R2_NOTXORPEN);
    return dc;
}

// Each line leaves out its last point, so every border pixel is drawn once
// and a second drawing puts the screen back.
void CSkinWnd::DrawOutline(HDC dc, const RECT& rect)
{
    if (!dc)
        return;
    const int right = rect.right - 1;
    const int bottom = rect.bottom - 1;
    ::MoveToEx(dc, rect.left, rect.top, nullptr);
    ::LineTo(dc, right, rect.top);
    ::LineTo(dc, right, bottom);
    ::LineTo(dc, rect.left, bottom);
    ::LineTo(dc, rect.left, rect.top);
}

int CSkinWnd::IsMoved() const
{
    return abs(m_ptLatest.x - m_ptPress.x) > 3 || abs(m_ptLatest.y - m_ptPress.y) > 3;
}

void CSkinWnd::OnMoveDown(CPoint point)
{
    if (m_bMoving)
        return;
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    CPoint screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    m_ptOffset = CPoint(screen.x - window.left, screen.y - window.top);
    m_ptPress = screen;
    m_ptLatest = screen;
    m_bMoving = 1;
    m_bOutlineDrawn = 0;
    m_hDisplayDC = OpenInvertingDisplayDC();
    ::SetCapture(m_hWnd);
}

void CSkinWnd::OnMove(CPoint point)
{
    if (!m_bMoving)
        return;
    CPoint screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    m_ptLatest = screen;

    const CRect& moving = *m_prcMoving;
    const int width = m_prcWindow->Width();
    const int height = m_prcWindow->Height();
    int x = screen.x - m_ptOffset.x;
    int y = screen.y - m_ptOffset.y;
    if (x < moving.left)
        x = moving.left;
    else if (x + width >= moving.right)
        x = moving.right - width;
    if (y < moving.top)
        y = moving.top;
    else if (y + height >= moving.bottom)
        y = moving.bottom - height;

    if (m_bOutlineDrawn)
        DrawOutline(m_hDisplayDC, CRect(m_ptOutline, CSize(width, height)));
    else
        m_bOutlineDrawn = 1;
    m_ptOutline = CPoint(x, y);
    DrawOutline(m_hDisplayDC, CRect(m_ptOutline, CSize(width, height)));
}

void CSkinWnd::OnMoveUp(CPoint /*point*/)
{
    if (!m_bMoving)
        return;
    m_bMoving = 0;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_bOutlineDrawn) {
        const int width = m_prcWindow->Width();
        const int height = m_prcWindow->Height();
        // The outline goes before the window takes its place, so nothing of
        // it stays behind on the screen.
        DrawOutline(m_hDisplayDC, CRect(m_ptOutline, CSize(width, height)));
        CPoint position = m_ptOutline;
        HWND parent = ::GetParent(m_hWnd);
        if ((GetStyle() & WS_CHILD) && parent)
            ::ScreenToClient(parent, &position);
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        // The stored rectangle follows, so that resizing later keeps the place.
        m_prcWindow->OffsetRect(position.x - m_prcWindow->left, position.y - m_prcWindow->top);
        m_bOutlineDrawn = 0;
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    m_ptPress = CPoint(0, 0);
    m_ptLatest = CPoint(0, 0);
    if (m_hDisplayDC)
        ::DeleteDC(m_hDisplayDC);
    m_hDisplayDC = nullptr;
}

void CSkinWnd::CancelMove()
{
    m_bMoving = 0;
    if (m_bOutlineDrawn)
        DrawOutline(m_hDisplayDC, CRect(m_ptOutline, CSize(m_prcWindow->Width(), m_prcWindow->Height())));
    m_bOutlineDrawn = 0;
    m_ptPress = CPoint(0, 0);
    m_ptLatest = CPoint(0, 0);
    if (m_hDisplayDC)
        ::DeleteDC(m_hDisplayDC);
    m_hDisplayDC = nullptr;
    if (m_hWnd && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}
