// CComboBox: the calculators' combo box.
#include "calc_controls.h"

#include <string>

CComboBox::CComboBox()
{
    m_szText[0] = L'\0';
}

// The item's length is asked first: the list message itself knows no
// buffer size.
int CComboBox::GetLBText(int index, wchar_t* out)
{
    if (!out)
        return CB_ERR;
    out[0] = L'\0';
    LRESULT length = SendMessageW(CB_GETLBTEXTLEN, (WPARAM)index);
    if (length < 0 || length >= kNumberTextLength)
        return CB_ERR;
    std::wstring item((size_t)length + 1, L'\0');
    LRESULT copied = SendMessageW(CB_GETLBTEXT, (WPARAM)index, (LPARAM)&item[0]);
    if (copied < 0 || copied > length)
        return CB_ERR;
    wmemcpy(out, item.c_str(), (size_t)copied);
    out[copied] = L'\0';
    return (int)copied;
}

wchar_t* CComboBox::GetLBText(int index)
{
    GetLBText(index, m_szText);
    return m_szText;
}

int CComboBox::GetText(wchar_t* out)
{
    if (!out)
        return 0;
    out[0] = L'\0';
    return GetWindowTextW(out, kNumberTextLength);
}

wchar_t* CComboBox::GetText()
{
    GetText(m_szText);
    return m_szText;
}
