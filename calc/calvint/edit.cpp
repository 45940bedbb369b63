// CEdit and CNumEdit: the calculators' edit boxes.
#include "calc_controls.h"

#include <strsafe.h>

CEdit::CEdit()
{
    m_szText[0] = L'\0';
}

int CEdit::GetText(wchar_t* out)
{
    if (!out)
        return 0;
    out[0] = L'\0';
    return GetWindowTextW(out, kNumberTextLength);
}

wchar_t* CEdit::GetText()
{
    GetText(m_szText);
    return m_szText;
}

void CNumEdit::TypeChar(wchar_t ch)
{
    wchar_t text[kNumberTextLength];
    CEdit::GetText(text);
    if (wcscmp(text, L"0") == 0)
        SetWindowTextW(L"");
    CEdit::TypeChar(ch);
    GetText(text);  // without commas
    AddComma(text);
    SetWindowTextW(text);
    MoveCaretToEnd();
}

BOOL CNumEdit::SetText(double value, int digits)
{
    wchar_t text[kNumberTextLength];
    PrintDouble(value, digits, text);
    AddComma(text);
    return SetWindowTextW(text);
}

BOOL CNumEdit::SetText(const wchar_t* text)
{
    wchar_t grouped[kNumberTextLength] = L"";
    if (text)
        StringCchCopyW(grouped, kNumberTextLength, text);
    AddComma(grouped);  // text that cannot be grouped is set as it is
    return SetWindowTextW(grouped);
}

int CNumEdit::GetText(wchar_t* out)
{
    int length = CEdit::GetText(out);
    if (length > 0) {
        RemoveComma(out);
        length = (int)wcslen(out);
    }
    return length;
}

wchar_t* CNumEdit::GetText()
{
    GetText(m_szText);
    return m_szText;
}
