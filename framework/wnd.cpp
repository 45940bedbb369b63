// CWnd: window creation, class registration, binding of the window to its
// object, and the operations on the window handle that need more than one
// call.
#include <shellproto.h>

#include "wndframe.h"

CWnd::~CWnd()
{
    // A window the framework has already seen die (WM_NCDESTROY) is
    // forgotten by then; only a live window of ours gets destroyed here.
    if (m_hWnd) {
        HWND hWnd = Detach();
        if (::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }
}

WNDPROC CWnd::GetWndProc()
{
    return &CWnd::WindowProc;
}

// Forgets the handle. When the window still names this object in its
// user-data slot it is unbound as well (and given back its class procedure
// when CreateEx had replaced it), so no later message reaches an object that
// may be gone.
HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && ::GetWindowLongPtrW(hWnd, GWLP_USERDATA) == (LONG_PTR)this) {
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        if (m_pfnPrevWndProc && ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == (LONG_PTR)&CWnd::WindowProc)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnPrevWndProc);
    }
    m_hWnd = nullptr;
    m_hMenuBar = nullptr;
    m_pfnPrevWndProc = nullptr;
    return hWnd;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, HWND parent,
                  UINT childId)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, (HMENU)(UINT_PTR)childId, nullptr);
}

BOOL CWnd::CreateFloatWindow(LPCWSTR className, DWORD style, const RECT& rect)
{
    return CreateEx(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, className, L"", style | WS_VISIBLE, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, nullptr);
}

// The object is bound to its window only after creation: messages sent
// during creation go to the class's own procedure, and OnCreate is called
// from here rather than from WM_CREATE.
BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, LPVOID createParam)
{
    CREATESTRUCTW cs = {};
    cs.lpCreateParams = createParam;
    cs.hInstance = CorGetInstance();
    cs.hMenu = menuOrId;
    cs.hwndParent = parent;
    cs.cy = height;
    cs.cx = width;
    cs.y = y;
    cs.x = x;
    cs.style = (LONG)style;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (!PreCreateWindow(&cs))
        return FALSE;

    // The device places a top-level window left to its default in the work
    // area: the whole screen below the task bar (a menu bar then shortens
    // it). The desktop would cascade it instead.
    if (!(cs.style & WS_CHILD) && cs.x == CW_USEDEFAULT) {
        const int taskBarHeight = SHELL_TASKBAR_HEIGHT;
        cs.x = 0;
        cs.y = taskBarHeight;
        if (cs.cx == CW_USEDEFAULT)
            cs.cx = ::GetSystemMetrics(SM_CXSCREEN);
        if (cs.cy == CW_USEDEFAULT)
            cs.cy = ::GetSystemMetrics(SM_CYSCREEN) - taskBarHeight;
    }

    // The device adds no frame to a top-level window; the desktop gives one
    // that is neither child nor pop-up a caption, so make it a pop-up.
    if (!(cs.style & (WS_CHILD | WS_POPUP)))
        cs.style |= (LONG)WS_POPUP;

    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, (DWORD)cs.style, cs.x, cs.y, cs.cx,
                                  cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!hWnd)
        return FALSE;

    m_hWnd = hWnd;
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, (LONG_PTR)this);
    WNDPROC previous = (WNDPROC)::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, (LONG_PTR)&CWnd::WindowProc);
    m_pfnPrevWndProc = previous != &CWnd::WindowProc ? previous : nullptr;
    OnCreate();
    return TRUE;
}

// Registers the record's class in the record's instance unless it exists
// there already (system classes such as "BUTTON" always do).
BOOL CWnd::PreCreateWindow(CREATESTRUCTW* cs)
{
    if (!cs->lpszClass)
        return FALSE;
    WNDCLASSW wc = {};
    if (::GetClassInfoW(cs->hInstance, cs->lpszClass, &wc))
        return TRUE;

    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &CWnd::WindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = cs->hInstance;
    wc.hIcon = nullptr;
    wc.hCursor = nullptr;
    wc.hbrBackground = (HBRUSH)::GetStockObject(WHITE_BRUSH);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = cs->lpszClass;
    OnRegisterClass(&wc);
    return ::RegisterClassW(&wc) != 0;
}

BOOL CWnd::OnRegisterClass(WNDCLASSW* /*wc*/)
{
    return TRUE;
}

LRESULT CWnd::DefWindowProcW(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnPrevWndProc)
        return ::CallWindowProcW(m_pfnPrevWndProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::MoveWindow(int x, int y)
{
    return ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The top of the screen belongs to the task bar.
void CWnd::CenterWindow()
{
    RECT rc;
    if (!::GetWindowRect(m_hWnd, &rc))
        return;
    int width = rc.right - rc.left;
    int height = rc.bottom - rc.top;
    int x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2;
    int y = (::GetSystemMetrics(SM_CYSCREEN) - SHELL_TASKBAR_HEIGHT) / 2 - height / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

BOOL CWnd::WindowModifyStyle(HWND hWnd, int styleIndex, DWORD remove, DWORD add, UINT flags)
{
    DWORD oldStyle = (DWORD)::GetWindowLongW(hWnd, styleIndex);
    DWORD newStyle = (oldStyle & ~remove) | add;
    if (newStyle == oldStyle)
        return FALSE;
    ::SetWindowLongW(hWnd, styleIndex, (LONG)newStyle);
    if (flags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}
