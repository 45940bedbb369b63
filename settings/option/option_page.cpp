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
        CorPaintPageTitle(hdc, Title());
        OnPaintPage(hdc);
        ::EndPaint(m_hWnd, &ps);
        return TRUE;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
