// Combo box and edit box wrappers with a text buffer of their own.
//
// Classes in this file:
//   CComboBox  "COMBOBOX"; default style visible, vertical scroll bar,
//              sorted, drop-down list
//   CEdit      "EDIT", created by the caller with CWnd::Create
//
// The forms that return a pointer give the object's own buffer, valid until
// the next call on the object.  Text longer than the buffer is refused
// (empty text, CB_ERR) rather than cut or copied past its end.
#pragma once

#include <windows.h>

#include <wndframe.h>

#include "dovrel_api.h"

class DOVREL_API CComboBox : public CWnd {
public:
    enum { kTextLength = 260 };  // characters, terminator included
    enum : DWORD { kDefaultStyle = 0x10200103 };

    CComboBox();

    using CWnd::Create;
    // A style of 0 means kDefaultStyle.
    BOOL Create(const RECT& rect, HWND parent, UINT id, DWORD style = 0);

    int GetCount() { return (int)SendMessageW(CB_GETCOUNT); }
    int GetCurSel() { return (int)SendMessageW(CB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessageW(CB_SETCURSEL, (WPARAM)index); }
    void ResetContent() { SendMessageW(CB_RESETCONTENT); }
    int AddString(LPCWSTR text) { return (int)SendMessageW(CB_ADDSTRING, 0, (LPARAM)text); }
    int InsertString(int index, LPCWSTR text)
    { return (int)SendMessageW(CB_INSERTSTRING, (WPARAM)index, (LPARAM)text); }
    BOOL GetDroppedState() { return (BOOL)SendMessageW(CB_GETDROPPEDSTATE); }

    // The list text at index into buffer (capacity in characters): its
    // length, or CB_ERR (buffer emptied) for a bad index or text that does
    // not fit.
    int GetLBText(int index, LPWSTR buffer, int capacity = kTextLength);
    LPWSTR GetLBText(int index);
    // The list text at the current selection.
    int GetDroppedText(LPWSTR buffer, int capacity = kTextLength) { return GetLBText(GetCurSel(), buffer, capacity); }
    LPWSTR GetDroppedText() { return GetLBText(GetCurSel()); }

    // The window text (the edit field of an editable box), at most 259
    // characters.
    int GetText(LPWSTR buffer, int capacity = kTextLength);
    LPWSTR GetText();
    BOOL SetText(LPCWSTR text) { return SetWindowTextW(text); }
    BOOL Clear() { return SetWindowTextW(L""); }
    // The character as if typed (WM_CHAR).
    void TypeChar(wchar_t ch) { SendMessageW(WM_CHAR, (WPARAM)ch, 1); }

protected:
    wchar_t m_szText[kTextLength];
};

class DOVREL_API CEdit : public CWnd {
public:
    enum { kTextLength = 260 };

    CEdit();

    int GetText(LPWSTR buffer, int capacity = kTextLength);
    LPWSTR GetText();
    BOOL SetText(LPCWSTR text) { return SetWindowTextW(text); }
    BOOL Clear() { return SetWindowTextW(L""); }
    void TypeChar(wchar_t ch) { SendMessageW(WM_CHAR, (WPARAM)ch, 1); }

protected:
    wchar_t m_szText[kTextLength];
};
