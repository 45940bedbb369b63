// Thin window classes the calculator applets make their boxes from.
//
// Classes in this file:
//   CEdit      an edit box
//   CComboBox  a combo box
//   CNumEdit   an edit box holding a grouped number ("1,234.5")
//
// Each is a CWnd created by its owner (CWnd::Create with the class "EDIT" or
// "COMBOBOX"); each method is the matching control message.  The forms
// that return a pointer give the object's own 260-character buffer, valid
// until the next call on the object.  Text longer than a buffer is never
// copied past its end.
#pragma once

#include <windows.h>

#include <wndframe.h>

#include "calvint_api.h"
#include "number_text.h"

class CALVINT_API CEdit : public CWnd {
public:
    CEdit();

    // The window text, at most 259 characters.
    int GetText(wchar_t* out);
    wchar_t* GetText();
    BOOL SetText(const wchar_t* text) { return SetWindowTextW(text); }
    BOOL Clear() { return SetWindowTextW(L""); }
    // The character as typed (WM_CHAR), at the caret.
    void TypeChar(wchar_t ch) { SendMessageW(WM_CHAR, (WPARAM)ch, 1); }

protected:
    wchar_t m_szText[kNumberTextLength];
};

class CALVINT_API CComboBox : public CWnd {
public:
    CComboBox();

    int GetCount() { return (int)SendMessageW(CB_GETCOUNT); }
    int GetCurSel() { return (int)SendMessageW(CB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessageW(CB_SETCURSEL, (WPARAM)index); }
    void ResetContent() { SendMessageW(CB_RESETCONTENT); }
    int AddString(const wchar_t* text) { return (int)SendMessageW(CB_ADDSTRING, 0, (LPARAM)text); }
    int InsertString(int index, const wchar_t* text)
    { return (int)SendMessageW(CB_INSERTSTRING, (WPARAM)index, (LPARAM)text); }
    // Nonzero while the list is open.
    BOOL GetDroppedState() { return (BOOL)SendMessageW(CB_GETDROPPEDSTATE); }

    // The list text at index into a 260-character buffer: its length, or
    // CB_ERR (empty text) for a bad index or an item that does not fit.
    int GetLBText(int index, wchar_t* out);
    wchar_t* GetLBText(int index);
    // The list text of the current selection.
    int GetDroppedText(wchar_t* out) { return GetLBText(GetCurSel(), out); }
    wchar_t* GetDroppedText() { return GetLBText(GetCurSel()); }
    // The edit field's text, at most 259 characters.
    int GetText(wchar_t* out);
    wchar_t* GetText();
    BOOL SetText(const wchar_t* text) { return SetWindowTextW(text); }
    BOOL Clear() { return SetWindowTextW(L""); }
    void TypeChar(wchar_t ch) { SendMessageW(WM_CHAR, (WPARAM)ch, 1); }

protected:
    wchar_t m_szText[kNumberTextLength];
};

class CALVINT_API CNumEdit : public CEdit {
public:
    // The text becomes "0".
    BOOL Clear() { return SetWindowTextW(L"0"); }
    // Types the character after the number (a lone "0" is replaced), groups
    // the result again and leaves the caret at the end.
    void TypeChar(wchar_t ch);
    // The value with that many decimals, grouped.
    BOOL SetText(double value, int digits);
    // The number text, grouped (a text that cannot be grouped is set as given).
    BOOL SetText(const wchar_t* text);
    // The text without its commas.
    int GetText(wchar_t* out);
    wchar_t* GetText();
    // Moves the caret to the end of the text (a key-down of End).
    void MoveCaretToEnd() { SendMessageW(WM_KEYDOWN, VK_END, 0); }
};
