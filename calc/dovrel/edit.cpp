// CEdit: the edit box wrapper.
#include "dovrel_text.h"

CEdit::CEdit()
{
    m_szText[0] = L'\0';
}

int CEdit::GetText(LPWSTR buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return 0;
    buffer[0] = L'\0';
    return GetWindowTextW(buffer, capacity);
}

LPWSTR CEdit::GetText()
{
    GetText(m_szText, kTextLength);
    return m_szText;
}
