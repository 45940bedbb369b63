// CSkinCore: the window of a skin, its client context and rectangles, its
// focus style, and presses on its buttons.
#include "skinwnd.h"

CSkinCore::CSkinCore()
    : m_pClientDC(nullptr), m_bFocusStyle(0), m_prcWindow(&m_skinInfo.m_rcWindow),
      m_prcMoving(&m_skinInfo.m_rcMoving), m_pSkinInfo(&m_skinInfo), m_com(COINIT_MULTITHREADED),
      m_pBackdropImage(nullptr), m_rcBackdropFixed(0, 0, 0, 0), m_bCreated(0),
      m_bButtonCaptured(0)
{
    m_szXMLPath[0] = L'\0';
    // The context object lives as long as this object, because the button
    // lists and the image cache point to it; it holds a handle only while a
    // window is attached.
    m_pClientDC = new CClientDC();
}

CSkinCore::~CSkinCore()
{
    int created = m_bCreated;
    HWND hWnd = Detach();
    if (created && hWnd && ::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
    // The cache must not keep a context that is about to go.
    if (g_imgList.GetDC() == m_pClientDC)
        g_imgList.SetDC(nullptr);
    delete m_pClientDC;
    m_pClientDC = nullptr;
}

// ---- Default handlers of the skin slots -----------------------------------

int CSkinCore::OnLoadSkin(CXmlReader* /*reader*/, CXmlNodeListReader* /*skins*/)
{
    return 1;
}

int CSkinCore::OnLoadSkinDone()
{
    return 1;
}

void CSkinCore::OnDraw(CDC* /*dc*/) {}

// ---- The window ------------------------------------------------------------

int CSkinCore::Create(HWND parent, LPCWSTR className)
{
    // With a parent the skin lives inside it (an applet's skin in the bar).
    DWORD style = WS_VISIBLE | (parent ? WS_CHILD : 0);
    if (!CreateEx(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, className ? className : L"SkinWndClass", L"SkinWnd", style,
                  0, 100, 0, 0, parent, nullptr))
        return 0;
    m_bCreated = 1;
    CreateClientDC();
    return 1;
}

int CSkinCore::Attach(HWND hWnd)
{
    if (!::IsWindow(hWnd))
        return 0;
    if (m_hWnd) {
        HWND previous = Detach();
        if (m_bCreated && ::IsWindow(previous))
            ::DestroyWindow(previous);
    }
    m_bCreated = 0;
    CWnd::Attach(hWnd);
    CreateClientDC();
    return 1;
}

HWND CSkinCore::Detach()
{
    if (m_hWnd)
        SetFocusStyle(0);
    DeleteClientDC();
    m_bCreated = 0;
    m_bButtonCaptured = 0;
    return CWnd::Detach();
}

void CSkinCore::CreateClientDC()
{
    DeleteClientDC();
    if (!m_hWnd)
        return;
    m_pClientDC->m_hWnd = m_hWnd;
    m_pClientDC->Attach(::GetDC(m_hWnd));
}

void CSkinCore::DeleteClientDC()
{
    if (m_pClientDC->GetSafeHdc())
        ::ReleaseDC(m_pClientDC->m_hWnd, m_pClientDC->Detach());
    m_pClientDC->m_hWnd = nullptr;
}

BOOL CSkinCore::SetWindowStyle(HWND insertAfter, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE);
}

void CSkinCore::SetFocusStyle(int on)
{
    m_bFocusStyle = on;
    if (!m_hWnd)
        return;
    if (on)
        ModifyStyleEx(WS_EX_NOACTIVATE, WS_EX_TOOLWINDOW);
    else
        ModifyStyleEx(0, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
}

CSkinInfo* CSkinCore::SetSkinInfo(CSkinInfo* info)
{
    CSkinInfo* previous = m_pSkinInfo;
    if (info && info != m_pSkinInfo) {
        // The composed background goes with the description it was made
        // for: a minimised bar keeps no copy of the open one's.
        ForgetBackdrop();
        m_pSkinInfo = info;
        m_prcWindow = &info->m_rcWindow;
        m_prcMoving = &info->m_rcMoving;
    }
    return previous;
}

// ---- Rectangles ------------------------------------------------------------

CRect CSkinCore::GetWindowRect()
{
    RECT rect;
    if (m_hWnd && ::GetWindowRect(m_hWnd, &rect)) {
        HWND parent = ::GetParent(m_hWnd);
        if ((GetStyle() & WS_CHILD) && parent)
            ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        *m_prcWindow = rect;
    }
    return *m_prcWindow;
}

void CSkinCore::SetWindowRect(const RECT& rect)
{
    *m_prcWindow = rect;
    if (!m_hWnd)
        return;
    // A non-activating window is not activated by being placed either.
    UINT flags = (GetExStyle() & WS_EX_NOACTIVATE) ? SWP_NOACTIVATE : 0;
    ::SetWindowPos(m_hWnd, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
}

void CSkinCore::SetWindowSize(int width, int height)
{
    CRect rect = GetWindowRect();
    if (width >= 0)
        rect.right = rect.left + width;
    if (height >= 0)
        rect.bottom = rect.top + height;
    SetWindowRect(rect);
}

void CSkinCore::InflateWindow(int a, int b)
{
    CRect rect = *m_prcWindow;
    rect.bottom += a;
    rect.right += b;
    SetWindowRect(rect);
}

// ---- Stylus and messages ---------------------------------------------------

void CSkinCore::OnLButtonDown(CPoint point)
{
    if (GetBtnList()->OnLButtonDown(point)) {
        m_bButtonCaptured = 1;
        ::SetCapture(m_hWnd);
    }
}

void CSkinCore::OnLButtonUp(CPoint point)
{
    // Cleared first: the capture-changed message of this release is no loss.
    m_bButtonCaptured = 0;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CButtonList* list = GetBtnList();
    if (list->OnLButtonUp(point))
        OnClicked(list->GetPressed(), point);
}

// Tap-and-hold. A disabled button takes no gesture, as it takes no press.
void CSkinCore::OnRButtonDown(CPoint point)
{
    CButton* button = GetBtnList()->GetButton(point);
    if (button && button->GetStatus() != CButton::Disabled)
        OnTapHold(button, point);
}

BOOL CSkinCore::OnEraseBkgnd(HDC /*hdc*/)
{
    return TRUE;  // the background is all painted by OnPaint
}

LRESULT CSkinCore::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SKIN_FOCUSON:
        SetFocusStyle(1);
        break;
    case WM_SKIN_FOCUSOFF:
        SetFocusStyle(0);
        break;
    case WM_MOUSEACTIVATE:
        // Without the focus style the window is not activated by a tap
        // (the extended style alone does not stop Wine): the program in
        // front keeps its focus, so a keyboard in the bar types into it.
        if (!m_bFocusStyle)
            return MA_NOACTIVATE;
        break;
    case WM_PRINTCLIENT: {
        CDC dc(reinterpret_cast<HDC>(wParam));
        PaintSkin(&dc);
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Another window took the stylus: the press can no longer end in a
        // click, so the button goes back to normal.
        if (m_bButtonCaptured && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_bButtonCaptured = 0;
            GetBtnList()->CancelPress();
        }
        break;
    case WM_DESTROY:
        DeleteClientDC();
        break;
    }
    return CWnd::OnMessage(message, wParam, lParam);
}
