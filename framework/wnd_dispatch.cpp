// The framework window procedure: from a window's message to its object's
// handlers, and the base handlers with their default-processing rule.
#include "wndframe.h"
#include "stylus_follow.h"
#include "wnd_shell.h"

namespace {

CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam));
}

LRESULT CallDefault(WNDPROC previous, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (previous)
        return ::CallWindowProcW(previous, hWnd, message, wParam, lParam);
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

// The object lives in the window's user-data slot from the end of CreateEx
// until the window's last message.
LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = (CWnd*)::GetWindowLongPtrW(hWnd, GWLP_USERDATA);
    if (!wnd || !wnd->m_hWnd) {
        // Not bound (yet, or any more): creation needs the default answers.
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }

    if (message == WM_NCDESTROY) {
        // The last message. Forget the handle before the object hears of it:
        // the object may delete itself, and a destructor running later must
        // not destroy a handle the system may by then have given to another
        // window.
        WNDPROC previous = wnd->m_pfnPrevWndProc;
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        wnd->m_hWnd = nullptr;
        wnd->m_hMenuBar = nullptr;
        wnd->m_pfnPrevWndProc = nullptr;
        LRESULT result = wnd->OnMessage(message, wParam, lParam);
        if (result >= 0)
            return result;
        return CallDefault(previous, hWnd, message, wParam, lParam);
    }
    return wnd->RouteMessage(message, wParam, lParam);
}

// True while the window still names this object. A handler may delete its
// own object (the destructor unbinds the window first); after that nothing
// here may touch the object.
static bool StillBound(HWND hWnd, const CWnd* wnd)
{
    return ::GetWindowLongPtrW(hWnd, GWLP_USERDATA) == (LONG_PTR)wnd;
}

LRESULT CWnd::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    if (message == WM_LBUTTONDOWN)
        FollowStylusWhileDown();
    LRESULT result = OnMessage(message, wParam, lParam);
    if (result >= 0)
        return result;
    if (!StillBound(hWnd, this))
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    m_bDefaultProc = FALSE;
    switch (message) {
    case WM_DESTROY:
        return RouteDestroy(wParam, lParam);
    case WM_ACTIVATE:
        ShellHandleActivate(m_hWnd, wParam, lParam);
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_ERASEBKGND: {
        BOOL erased = OnEraseBkgnd((HDC)wParam);
        if (!StillBound(hWnd, this) || !m_bDefaultProc)
            return erased;
        break;
    }
    case WM_SETTINGCHANGE:
        ShellHandleSettingChange(m_hWnd, wParam, lParam);
        break;
    case WM_NOTIFY:
        OnNotify(wParam, lParam);
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_TIMER:
        OnTimer((UINT_PTR)wParam);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(PointFromLParam(lParam));
        break;
    case WM_LBUTTONDOWN: {
        CPoint point = PointFromLParam(lParam);
        if (IsTapAndHold(point)) {
            m_bTapHold = TRUE;
            OnRButtonDown(point);
        } else {
            OnLButtonDown(point);
        }
        break;
    }
    case WM_LBUTTONUP:
        OnLButtonUp(PointFromLParam(lParam));
        break;
    default:
        return DefWindowProcW(message, wParam, lParam);
    }
    if (!StillBound(hWnd, this))
        return 0;
    return m_bDefaultProc ? DefWindowProcW(message, wParam, lParam) : 0;
}

// WM_DESTROY. The main window's object is deleted here, so it is unbound
// first: the messages still to come (WM_NCDESTROY) must not reach it.
LRESULT CWnd::RouteDestroy(WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    WNDPROC previous = m_pfnPrevWndProc;
    CWinApp* app = CorGetApp();
    bool isMainWindow = app && app->m_pMainWnd == this;
    OnDestroy();
    if (!StillBound(hWnd, this)) {
        // Deleted (or detached) by its own handler: the program still ends
        // with its main window, but the object is not touched again.
        if (isMainWindow && app->m_pMainWnd == this) {
            ::PostQuitMessage(0);
            app->m_pMainWnd = nullptr;
        }
        return CallDefault(previous, hWnd, WM_DESTROY, wParam, lParam);
    }
    BOOL runDefault = m_bDefaultProc;

    if (isMainWindow && app->m_pMainWnd == this) {
        ::PostQuitMessage(0);
        app->m_pMainWnd = nullptr;
        Detach();
        delete this;
    }
    return runDefault ? CallDefault(previous, hWnd, WM_DESTROY, wParam, lParam) : 0;
}

// ---- Base handlers ---------------------------------------------------------
// Each sets the default-processing flag: calling the base asks for the
// default window procedure after the handler.

void CWnd::OnCreate()
{
    m_bDefaultProc = TRUE;
}

void CWnd::OnDestroy()
{
    m_bDefaultProc = TRUE;
    if (m_hMenuBar) {
        ::DestroyWindow(m_hMenuBar);
        m_hMenuBar = nullptr;
    }
}

void CWnd::OnPaint(HDC hdc)
{
    m_bDefaultProc = TRUE;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    OnDraw(hdc, client);
}

// Does nothing itself: the default procedure then validates the window.
void CWnd::OnPaint()
{
    m_bDefaultProc = TRUE;
}

void CWnd::OnDraw(HDC /*hdc*/, const RECT& /*client*/)
{
    m_bDefaultProc = TRUE;
}

void CWnd::OnLButtonDown(CPoint /*point*/)
{
    m_bDefaultProc = TRUE;
}

void CWnd::OnRButtonDown(CPoint /*point*/)
{
    m_bDefaultProc = TRUE;
}

void CWnd::OnLButtonUp(CPoint /*point*/)
{
    m_bDefaultProc = TRUE;
}

// Not called by the dispatcher; derived classes call it where they need it.
void CWnd::OnRButtonUp(CPoint /*point*/)
{
    m_bDefaultProc = TRUE;
}

void CWnd::OnMouseMove(CPoint /*point*/)
{
    m_bDefaultProc = TRUE;
}

LRESULT CWnd::OnCommand(UINT /*id*/, UINT /*code*/)
{
    m_bDefaultProc = TRUE;
    return -1;
}

LRESULT CWnd::OnNotify(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_bDefaultProc = TRUE;
    return -1;
}

LRESULT CWnd::OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_bDefaultProc = TRUE;
    return -1;
}

void CWnd::OnTimer(UINT_PTR /*timerId*/)
{
    m_bDefaultProc = TRUE;
}

BOOL CWnd::OnEraseBkgnd(HDC /*hdc*/)
{
    m_bDefaultProc = TRUE;
    return TRUE;
}
