// CTrackBar: a track bar that draws itself.  The control keeps its own
// behaviour (keys, range, position, notifications); only the painting is
// replaced, and pen messages also track whether the thumb is being dragged.
#include "dovrel_slider.h"

#include <algorithm>

CTrackBar::CTrackBar() : m_bDragging(FALSE) {}

BOOL CTrackBar::Create(const RECT& rect, HWND parent, UINT id, BOOL vertical)
{
    return CSliderCtrl::Create(vertical ? (TBS_AUTOTICKS | TBS_VERT) : TBS_AUTOTICKS, rect, parent, id);
}

// A fixed-size box at the bar's edge, centred where the control's own
// thumb is.
CRect CTrackBar::GetDrawnThumbRect()
{
    RECT own = {};
    GetThumbRect(&own);
    CRect thumb;
    if (GetStyle() & TBS_VERT) {
        int top = std::max(0, (int)(own.top + own.bottom) / 2 - kThumbHeight / 2);
        thumb = CRect(0, top, kThumbWidth, top + kThumbHeight);
    } else {
        int left = (int)(own.left + own.right) / 2 - kThumbWidth / 2;
        thumb = CRect(left, 0, left + kThumbWidth, kThumbHeight);
    }
    return thumb;
}

void CTrackBar::Paint(HDC target)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    CBitmapDC surface(target, client.right, client.bottom);

    CBrush background(kBackground);
    surface.FillRect(&client, &background);

    CRect thumb = GetDrawnThumbRect();
    thumb.InflateRect(-3, -1);
    thumb.right -= 1;
    thumb.bottom -= 2;
    CPen outline(PS_SOLID, 1, kThumbOutline);
    CBrush fill(m_bDragging ? kThumbDragging : kThumbIdle);
    surface.SelectObject(&outline);
    surface.SelectObject(&fill);
    surface.Rectangle(&thumb);
    surface.ReleaseObject(&fill);
    surface.ReleaseObject(&outline);

    surface.Draw(target, 0, 0, kOpaqueCopy);
}

LRESULT CTrackBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        // The control takes the press first (capture, position, notices).
        DefWindowProcW(message, wParam, lParam);
        POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
        RECT thumb = GetDrawnThumbRect();
        m_bDragging = ::PtInRect(&thumb, point);
        Invalidate(FALSE);
        return 0;
    }
    case WM_LBUTTONUP:
        DefWindowProcW(message, wParam, lParam);
        m_bDragging = FALSE;
        Invalidate(FALSE);
        return 0;
    case WM_MOUSEMOVE:
        DefWindowProcW(message, wParam, lParam);
        if (m_bDragging)
            Invalidate(FALSE);
        return 0;
    case WM_CAPTURECHANGED:
        // The pen went elsewhere: the drag is over.
        if (m_bDragging) {
            m_bDragging = FALSE;
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            Invalidate(FALSE);
        }
        return DefWindowProcW(message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole client area
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        Paint(dc);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint((HDC)wParam);
        return 0;
    default:
        return CSliderCtrl::OnMessage(message, wParam, lParam);
    }
}
