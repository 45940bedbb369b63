// CNumWnd: the keypad of a calculator's skin window.
#include "numwnd.h"

#include <ketra_host.h>
#include <todaycmn.h>

CNumWnd::CNumWnd() : m_bAutoClear(1), m_ullLastPress(0), m_ppOwner(nullptr), m_hSelf(nullptr) {}

ULONGLONG CNumWnd::Now()
{
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return (ULONGLONG)now.dwHighDateTime << 32 | now.dwLowDateTime;
}

BOOL CNumWnd::PreCreateWindow(CREATESTRUCTW* cs)
{
    cs->style |= WS_CLIPCHILDREN;
    return CSkinWnd::PreCreateWindow(cs);
}

void CNumWnd::OnCreate()
{
    CSkinWnd::OnCreate();
    if (!m_hWnd)
        return;
    m_hSelf = m_hWnd;
    ModifyStyleEx(WS_EX_NOACTIVATE, WS_EX_TOOLWINDOW);
    ::SendMessageW(::GetParent(m_hWnd), WM_KETRA_CONTROL, KETRA_CONTROL_FOCUS_ON, 0);
}

int CNumWnd::OpenSkin(HWND parent, HINSTANCE module, const wchar_t* className, const wchar_t* skinFile)
{
    if (!Create(parent, className))
        return 0;
    CModuleInfo library(module);
    LPCWSTR skin = library.GetFileName(skinFile);
    if (!skin || !LoadSkin(skin)) {
        DestroyWindow();
        return 0;
    }
    ShowWindow();
    UpdateWindow();
    return 1;
}

// The side bar paints its whole area, its applet's boxes included, and
// has the applet repainted but not the boxes inside it: each box under the
// area being painted is asked to paint itself again.
void CNumWnd::OnPaint()
{
    RECT update = {};
    ::GetUpdateRect(m_hWnd, &update, FALSE);
    CSkinWnd::OnPaint();
    for (HWND box = ::GetWindow(m_hWnd, GW_CHILD); box; box = ::GetWindow(box, GW_HWNDNEXT)) {
        RECT area, overlap;
        ::GetWindowRect(box, &area);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
        if (::IntersectRect(&overlap, &area, &update))
            ::RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

// Only "NUM" and one digit name a digit key: "NUM" alone or "NUMBER" are
// other buttons.
wchar_t CNumWnd::KeypadChar(const wchar_t* name)
{
    if (!name)
        return 0;
    if (wcscmp(name, L"DOT") == 0)
        return L'.';
    if (wcscmp(name, L"MINUS") == 0)
        return L'-';
    if (wcsncmp(name, L"NUM", 3) == 0 && name[3] >= L'0' && name[3] <= L'9' && name[4] == L'\0')
        return name[3];
    return 0;
}

int CNumWnd::OnClicked(CButton* button, CPoint point)
{
    wchar_t ch = button ? KeypadChar(button->GetCommand()) : 0;
    if (!ch) {
        if (button && button->IsEqual(L"CLEAR")) {
            OnNumClear();
            return 1;
        }
        return CSkinWnd::OnClicked(button, point);
    }
    if (m_bAutoClear) {
        ULONGLONG now = Now();
        if (StartsNewNumber(m_ullLastPress, now))
            OnNumClear();
        m_ullLastPress = now;
    }
    OnNumChar(ch);
    return 1;
}

LRESULT CNumWnd::AnswerHeightQuery(WPARAM item)
{
    if (::InSendMessageEx(nullptr) != ISMEX_NOSEND)
        return 0;
    TODAYLISTITEM* record = reinterpret_cast<TODAYLISTITEM*>(item);
    int height = GetSkinInfo()->GetWindowRect().Height();
    if (!record || (int)record->cyp == height)
        return 0;
    record->cyp = (DWORD)height;
    return 1;
}

void CNumWnd::DeleteWithWindow(CNumWnd** owner)
{
    m_ppOwner = owner;
    if (owner)
        *owner = this;
}

LRESULT CNumWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    // Keys and messages the bar passes on: the boxes take the keyboard
    // themselves.
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_KETRA_RELAY:
    case WM_TODAYCUSTOM_CLEARCACHE:
        return 0;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
        return AnswerHeightQuery(wParam);
    }
    if (message == WM_NCDESTROY && m_ppOwner) {
        // The framework has unbound the window already: nothing reaches
        // this object after it is gone.
        ::DefWindowProcW(m_hSelf, message, wParam, lParam);
        *m_ppOwner = nullptr;
        delete this;
        return 0;
    }
    return CSkinWnd::OnMessage(message, wParam, lParam);
}
