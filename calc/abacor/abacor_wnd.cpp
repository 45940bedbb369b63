// The pocket calculator applet's window.
#include "abacor_wnd.h"

#include <applet_module.h>
#include <ketra_host.h>

namespace {

const int kLabelHeight = 13;
const int kDisplayHeight = 14;

}  // namespace

const SPocketKey CAbacorWnd::kKeys[kKeyCount] = {
    {L'1', 133, 1},  {L'2', 152, 1},  {L'3', 171, 1},  {L'4', 190, 1},  {L'5', 209, 1},  {L'6', 133, 18},
    {L'7', 152, 18}, {L'8', 171, 18}, {L'9', 190, 18}, {L'0', 209, 18}, {L'.', 0, 18},   {L'+', 19, 18},
    {L'-', 38, 18},  {L'/', 57, 18},  {L'*', 76, 18},  {L'=', 95, 18},  {L'C', 114, 18},
};

const RECT CAbacorWnd::kDisplay = {5, 3, 120, 16};

int CAbacorWnd::KeyAt(POINT point)
{
    for (int i = 0; i < kKeyCount; ++i) {
        const SPocketKey& key = kKeys[i];
        if (point.x > key.x && point.x < key.x + kKeySize && point.y > key.y && point.y < key.y + kKeySize)
            return i;
    }
    return -1;
}

void CAbacorWnd::DrawDisplay(HDC hdc, const wchar_t* text)
{
    CDC dc(hdc);
    CFont font;
    font.CreateFont(kDisplayHeight, L"Tahoma", FW_NORMAL);
    HGDIOBJ old = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    const UINT format = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    RECT shadow = kDisplay;
    ::OffsetRect(&shadow, 1, 1);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.DrawTextW(text, -1, &shadow, format);
    RECT face = kDisplay;
    dc.SetTextColor(RGB(255, 255, 255));
    dc.DrawTextW(text, -1, &face, format);
    dc.SelectObject(old);
}

void CAbacorWnd::DrawKey(HDC hdc, int index)
{
    const SPocketKey& key = kKeys[index];
    CDC dc(hdc);
    const COLORREF colour = index == m_nPressed ? kPressedColour : kKeyColour;
    CBrush brush(colour);
    CPen pen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = dc.SelectObject(&brush);
    HGDIOBJ oldPen = dc.SelectObject(&pen);
    // A circle 18 across around the key's 16 × 16 square.
    const int left = key.x + kKeySize / 2 - kCircle / 2, top = key.y + kKeySize / 2 - kCircle / 2;
    dc.Ellipse(left, top, left + kCircle, top + kCircle);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);

    const wchar_t label[2] = {key.key, L'\0'};
    CFont font;
    font.CreateFont(kLabelHeight, L"Tahoma", FW_NORMAL);
    HGDIOBJ oldFont = dc.SelectObject(&font);
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, label, 1, &size);
    dc.SelectObject(oldFont);
    dc.ShadowTextOut(key.x + (kKeySize - size.cx) / 2, key.y + (kKeySize - size.cy) / 2, label, kLabelHeight,
                     RGB(0, 0, 0), RGB(255, 255, 255));
}

// The bar's background (asked of the bar with the whole watermark record),
// the display and the keys, drawn off screen and copied at once.
void CAbacorWnd::Draw(HDC target)
{
    RECT client = {0, 0, kWidth, kHeight};
    ::GetClientRect(m_hWnd, &client);
    CBitmapDC surface(target, client.right, client.bottom);
    ::FillRect(surface, &client, (HBRUSH)::GetStockObject(GRAY_BRUSH));  // where the bar paints nothing
    DrawHostBackground(surface, client);
    DrawDisplay(surface, m_calc.Display());
    for (int i = 0; i < kKeyCount; ++i)
        DrawKey(surface, i);
    ::BitBlt(target, 0, 0, client.right, client.bottom, surface, 0, 0, SRCCOPY);
}

void CAbacorWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    Draw(dc);
}

void CAbacorWnd::OnLButtonDown(CPoint point)
{
    m_nPressed = KeyAt(point);
    if (m_nPressed < 0)
        return;
    ::SetCapture(m_hWnd);
    Invalidate(FALSE);
}

void CAbacorWnd::OnLButtonUp(CPoint point)
{
    const int pressed = m_nPressed;
    if (pressed < 0)
        return;
    m_nPressed = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (KeyAt(point) == pressed)
        m_calc.Press(kKeys[pressed].key);
    Invalidate(FALSE);
}

LRESULT CAbacorWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    // Keys the bar passes on, and its shown and hidden notices.
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_KETRA_RELAY:
    case WM_KETRA_APPLETSHOWN:
    case WM_KETRA_APPLETHIDDEN:
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers the whole window
    case WM_CAPTURECHANGED:
        // The stylus was taken away: the key comes up without acting.
        if (m_nPressed >= 0 && (HWND)lParam != m_hWnd) {
            m_nPressed = -1;
            Invalidate(FALSE);
        }
        return 0;
    }
    return CApplet::OnMessage(message, wParam, lParam);
}

int CAbacorWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* item)
{
    if (!item || item->cyp == (DWORD)kHeight)
        return 0;
    item->cyp = kHeight;
    return 1;
}

COR_APPLET(CAbacorWnd, L"ABACOR", CAbacorWnd::kWidth, CAbacorWnd::kHeight)
