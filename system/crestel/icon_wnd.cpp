// The task-bar icon: creation, the level and colour checks, drawing.
#include "icon_wnd.h"

#include <shellproto.h>

#include "resource.h"

CCrestelWnd::CCrestelWnd() : m_colour(BatteryLevel::TaskBarColour())
{
}

CCrestelWnd::~CCrestelWnd()
{
    for (HICON& icon : m_icons) {
        if (icon)
            ::DestroyIcon(icon);
        icon = nullptr;
    }
    if (m_brush)
        ::DeleteObject(m_brush);
}

BOOL CCrestelWnd::CreateIcon(HWND taskBar, LPCWSTR className, LPCWSTR title)
{
    if (!CreateEx(0, className, title, WS_CHILD | WS_VISIBLE, kLeft, kTop, kWidth, kHeight, taskBar, nullptr))
        return FALSE;
    ShowWindow();
    UpdateWindow();
    // The task bar draws only the pictures of children it can see.
    ShowInTaskBar();
    m_hook.Install(m_hWnd);
    return TRUE;
}

// The class's background is the task bar's colour.
BOOL CCrestelWnd::OnRegisterClass(WNDCLASSW* wc)
{
    wc->hIcon = ::LoadIconW(CorGetInstance(), MAKEINTRESOURCEW(IDI_CRESTEL));
    wc->hbrBackground = ::CreateSolidBrush(m_colour);
    return CWnd::OnRegisterClass(wc);
}

void CCrestelWnd::OnCreate()
{
    for (int level = 0; level < BatteryLevel::kLevelCount; ++level)
        m_icons[level] = static_cast<HICON>(::LoadImageW(CorGetInstance(),
                                                         MAKEINTRESOURCEW(BatteryLevel::IconOf(level)), IMAGE_ICON,
                                                         16, 16, LR_DEFAULTCOLOR));
    m_brush = ::CreateSolidBrush(m_colour);
    m_level = BatteryLevel::Current();
    SetTimer(kCheckTimer, kCheckMs);
}

// The hook goes with the window, however the window goes (its menu's
// "Exit", the settings program's WM_CLOSE, the end of the program).
void CCrestelWnd::OnDestroy()
{
    KillTimer(kCheckTimer);
    m_hook.Remove();
    CWnd::OnDestroy();
}

void CCrestelWnd::Draw(HDC dc)
{
    RECT whole = {0, 0, kWidth, kHeight};
    ::FillRect(dc, &whole, m_brush);
    if (HICON icon = m_icons[m_level])
        ::DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
}

void CCrestelWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    Draw(dc);
}

void CCrestelWnd::ShowInTaskBar()
{
    CClientDC reference(m_hWnd);
    CBitmapDC picture(reference, kWidth, kHeight);
    Draw(picture);
    ShellSendChildPicture(m_hWnd, picture, kWidth, kHeight);
}

void CCrestelWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId != kCheckTimer) {
        CWnd::OnTimer(timerId);
        return;
    }
    const int level = BatteryLevel::Current();
    bool changed = level != m_level;
    m_level = level;
    if (!changed) {
        const COLORREF colour = BatteryLevel::TaskBarColour();
        if (colour != m_colour) {
            m_colour = colour;
            ::DeleteObject(m_brush);
            m_brush = ::CreateSolidBrush(m_colour);
            changed = true;
        }
    }
    if (changed)
        Invalidate(FALSE);
    // Handed over at every check, not only on a change, so that what the
    // task bar shows never stays behind the icon for longer than a check.
    ShowInTaskBar();
}

void CCrestelWnd::OnLButtonDown(CPoint point)
{
    (void)point;
    OpenMenu();
}


LRESULT CCrestelWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hook.IsHookMessage(message))
        return m_hook.OnTaskBarMessage(wParam, lParam);
    switch (message) {
    case WM_MOUSEACTIVATE:
        // A tap on the icon leaves the program in front where it is.
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_RBUTTONDOWN:
        // Also what the corner hook posts for a press held there.
        OpenMenu();
        return 0;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case CCornerHook::kCloseFront:
        if (::IsWindow(reinterpret_cast<HWND>(wParam)))
            CSH::CloseWindow(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    }
    return CWnd::OnMessage(message, wParam, lParam);
}
