// The list box wrapper ("LISTBOX"; default style visible, border, vertical
// scroll bar, notify).
#pragma once

#include <windows.h>

#include <wndframe.h>

#include "dovrel_api.h"

class DOVREL_API CListBox : public CWnd {
public:
    enum : DWORD { kDefaultStyle = 0x10A00001 };

    using CWnd::Create;
    // A style of 0 means kDefaultStyle.
    BOOL Create(const RECT& rect, HWND parent, UINT id, DWORD style = 0);

    void ResetContent() { SendMessageW(LB_RESETCONTENT); }
    int GetCount() { return (int)SendMessageW(LB_GETCOUNT); }
    int GetCurSel() { return (int)SendMessageW(LB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessageW(LB_SETCURSEL, (WPARAM)index); }
    int AddString(LPCWSTR text) { return (int)SendMessageW(LB_ADDSTRING, 0, (LPARAM)text); }
    // The first item from after start (-1: from the top) that begins with
    // text, ignoring case; LB_ERR when none does.
    int FindString(int start, LPCWSTR text) { return (int)SendMessageW(LB_FINDSTRING, (WPARAM)start, (LPARAM)text); }
    // The item text into buffer (capacity in characters, 260 by default):
    // its length, or LB_ERR (buffer emptied) for a bad index or text that
    // does not fit.
    int GetText(int index, LPWSTR buffer, int capacity = 260);
};
