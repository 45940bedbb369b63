// CSkinWnd: the behaviour every skinned window shares: which presses start a
// drag, and the actions of the built-in buttons and menu commands.
#include "skinwnd.h"

CSkinWnd::CSkinWnd()
    : m_bMoving(0), m_bOutlineDrawn(0), m_hDisplayDC(nullptr), m_bReserved(0), m_ptOffset(0, 0),
      m_ptOutline(0, 0), m_ptPress(0, 0), m_ptLatest(0, 0)
{
}

CSkinWnd::~CSkinWnd()
{
    if (m_bMoving)
        CancelMove();
}

int CSkinWnd::Create(HWND parent, LPCWSTR className, int topmost)
{
    if (!CSkinCore::Create(parent, className))
        return 0;
    if (topmost) {
        SetFocusStyle(0);
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    return 1;
}

void CSkinWnd::OnLButtonDown(CPoint point)
{
    CButton* button = GetBtnList()->GetButton(point);
    if (button && button->IsEqual(L"MOVE"))
        OnMoveDown(point);
    else
        CSkinCore::OnLButtonDown(point);
}

void CSkinWnd::OnLButtonUp(CPoint point)
{
    if (m_bMoving)
        OnMoveUp(point);
    else
        CSkinCore::OnLButtonUp(point);
}

void CSkinWnd::OnMouseMove(CPoint point)
{
    if (m_bMoving)
        OnMove(point);
    else
        CSkinCore::OnMouseMove(point);
}

int CSkinWnd::OnClicked(CButton* button, CPoint /*point*/)
{
    if (!button)
        return 1;
    if (button->IsEqual(L"POWER"))
        CSH::PowerOff();
    else if (button->IsEqual(L"CLOSE"))
        CSH::CloseForeWindow(m_hWnd);
    else if (button->IsEqual(L"HOME"))
        CSH::Home();
    else if (button->IsEqual(L"RESET"))
        CSH::Reset();
    else if (button->IsEqual(L"EXIT"))
        ::PostQuitMessage(0);
    return 1;
}

LRESULT CSkinWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDM_SKIN_NEXTWINDOW:
        CSH::MinimizeForeWindow();
        return 0;
    case IDM_SKIN_CLOSE:
        CSH::CloseForeWindow(m_hWnd);
        return 0;
    case IDM_SKIN_CLOSEALL:
        CSH::CloseAllApps(m_hWnd);
        return 0;
    case IDM_SKIN_KILL:
        CSH::KillForeApp(m_hWnd);
        return 0;
    case IDM_SKIN_EXIT:
        ::PostQuitMessage(0);
        return 0;
    case IDM_SKIN_POWEROFF:
        CSH::PowerOff();
        return 0;
    case IDM_SKIN_RESET:
        CSH::Reset();
        return 0;
    }
    return CSkinCore::OnCommand(id, code);
}

LRESULT CSkinWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Another window took the stylus in the middle of a drag: the drag ends
    // where it is, and the next press on "MOVE" starts a new one.
    if (message == WM_CAPTURECHANGED && m_bMoving && reinterpret_cast<HWND>(lParam) != m_hWnd)
        CancelMove();
    return CSkinCore::OnMessage(message, wParam, lParam);
}
