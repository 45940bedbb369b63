// The button applet's list pop-up.
#include "list_popup.h"

#include <pack_look.h>

namespace {

const wchar_t kLaunchFile[] = L"launch.txt";
const wchar_t kIconCache[] = L"icons.bmp";
const POINT kGridOffset = {4, 3};

}  // namespace

BOOL CListPopup::OnRegisterClass(WNDCLASSW* wc)
{
    wc->hbrBackground = nullptr;
    wc->hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    return CWnd::OnRegisterClass(wc);
}

int CListPopup::Height() const
{
    return m_list.RowsNeeded(TRUE) * CLaunchList::kCellHeight + kMargin;
}

BOOL CListPopup::CreatePopup(HWND owner, HINSTANCE module)
{
    m_hOwner = owner;
    wchar_t path[MAX_PATH];
    if (PackLook::FileBesideApplet(module, kLaunchFile, path, MAX_PATH))
        m_list.Load(path);
    m_list.SetExpanded(TRUE);
    m_list.SetOrigin(kGridOffset);
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kClassName, L"", WS_POPUP | WS_BORDER, 0, 0, kWidth, Height(),
                  owner, nullptr))
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWLP_ID, kChildId);
    {
        CClientDC reference(m_hWnd);
        if (PackLook::FileBesideApplet(module, kIconCache, path, MAX_PATH))
            m_list.LoadIconCache(reference, path);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        m_surface.CreateDCW(reference, client.right, client.bottom);
    }
    Draw();
    return TRUE;
}

void CListPopup::Draw()
{
    CBrush background(kBackground);
    CRect whole(0, 0, m_surface.GetWidth(), m_surface.GetHeight());
    m_surface.FillRect(&whole, &background);
    CPen frame(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
    m_surface.SelectObject(&frame);
    m_list.Draw(&m_surface);
    m_surface.ReleaseObject(&frame);
}

// Shown at full size every time: closing shrinks nothing.
void CListPopup::Open(POINT topLeft)
{
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, topLeft.x, topLeft.y, kWidth, Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_bOpen = TRUE;
    ::SetCapture(m_hWnd);
}

void CListPopup::Close()
{
    m_bOpen = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::ShowWindow(m_hWnd, SW_HIDE);
}

void CListPopup::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

void CListPopup::OnLButtonUp(CPoint point)
{
    if (!m_bOpen)
        return;
    const int entry = m_list.HitTest(point);
    // The owner reads the path while it handles the notification, before
    // anything can change the list.
    Close();
    if (entry < 0 || !m_hOwner)
        return;
    m_pszChoice = m_list.GetPath(entry);
    ::SendMessageW(m_hOwner, WM_NOTIFY, kChoice, reinterpret_cast<LPARAM>(m_pszChoice));
    m_pszChoice = nullptr;
}

LRESULT CListPopup::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_CAPTURECHANGED:
        // Another window took the stylus (a menu, a message box): the
        // pop-up no longer waits for its tap.
        if (m_bOpen && reinterpret_cast<HWND>(lParam) != m_hWnd)
            Close();
        return 0;
    default:
        return CWnd::OnMessage(message, wParam, lParam);
    }
}
