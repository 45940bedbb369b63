// The common behaviour of the settings pages.
#include "option_page.h"

BOOL COptionPage::CreatePage(UINT templateId, HWND frame)
{
    SetDialogInfo(templateId, frame);
    return OpenDialog();
}

LRESULT COptionPage::OnCommand(UINT id, UINT code)
{
    if (id == IDOK || id == IDCANCEL) {
        ::SendMessageW(GetParent(), WM_COMMAND, MAKEWPARAM(id, code), 0);
        return TRUE;
    }
    return FALSE;
}

// Pages are white as on the device: the dialog, its labels and its check
// boxes.
LRESULT COptionPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC) {
        ::SetBkColor((HDC)wParam, RGB(0xFF, 0xFF, 0xFF));
        return (LRESULT)::GetStockObject(WHITE_BRUSH);
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(m_hWnd, &ps);
        PaintPageTitle(hdc, Title());
        OnPaintPage(hdc);
        ::EndPaint(m_hWnd, &ps);
        return TRUE;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}

void PaintPageTitle(HDC hdc, LPCWSTR title)
{
    HFONT font = ::CreateFontW(13, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
    HGDIOBJ oldFont = ::SelectObject(hdc, font);
    int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColour = ::SetTextColor(hdc, RGB(0x00, 0x40, 0x80));
    ::ExtTextOutW(hdc, 7, 4, 0, nullptr, title, (UINT)wcslen(title), nullptr);
    ::SetTextColor(hdc, oldColour);
    ::SetBkMode(hdc, oldMode);
    ::SelectObject(hdc, oldFont);
    ::DeleteObject(font);

    HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
    ::MoveToEx(hdc, 0, 22, nullptr);
    ::LineTo(hdc, 240, 22);
    ::SelectObject(hdc, oldPen);
}
