// CComboBox: the combo box wrapper.
#include "dovrel_text.h"

#include "dovrel_private.h"

CComboBox::CComboBox()
{
    m_szText[0] = L'\0';
}

BOOL CComboBox::Create(const RECT& rect, HWND parent, UINT id, DWORD style)
{
    return CWnd::Create(L"COMBOBOX", L"", style ? style : kDefaultStyle, rect, parent, id);
}

int CComboBox::GetLBText(int index, LPWSTR buffer, int capacity)
{
    return CopyItemText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, buffer, capacity, CB_ERR);
}

LPWSTR CComboBox::GetLBText(int index)
{
    GetLBText(index, m_szText, kTextLength);
    return m_szText;
}

int CComboBox::GetText(LPWSTR buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return 0;
    buffer[0] = L'\0';
    return GetWindowTextW(buffer, capacity);
}

LPWSTR CComboBox::GetText()
{
    GetText(m_szText, kTextLength);
    return m_szText;
}
