// CNumWnd: the keypad of a calculator's skin window.
#include "numwnd.h"

namespace {

// The side bar's request to let an applet take the focus (wParam 1).
const UINT kMsgHostFocus = WM_USER + 4;

}  // namespace

CNumWnd::CNumWnd() : m_bAutoClear(1), m_ullLastPress(0) {}

ULONGLONG CNumWnd::Now()
{
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return (ULONGLONG)now.dwHighDateTime << 32 | now.dwLowDateTime;
}

void CNumWnd::OnCreate()
{
    CSkinWnd::OnCreate();
    if (!m_hWnd)
        return;
    ModifyStyleEx(WS_EX_NOACTIVATE, WS_EX_TOOLWINDOW);
    ::SendMessageW(::GetParent(m_hWnd), kMsgHostFocus, 1, 0);
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
