// The number-text functions: grouping, ungrouping and fixed-point printing.
#include "number_text.h"

#include <strsafe.h>
#include <wchar.h>

#include <cstdlib>
#include <string>

int AddComma(wchar_t* text)
{
    if (!text)
        return 0;
    size_t length = wcsnlen(text, kNumberTextLength);
    if (length >= kNumberTextLength)
        return 0;
    if (wcschr(text, L','))
        return 1;
    const wchar_t* point = wcschr(text, L'.');
    size_t fraction = point ? wcslen(point) : 0;
    size_t digits = length - fraction;  // a leading minus sign counts as one
    if ((digits + 2) / 3 < 2)
        return 1;

    std::wstring grouped;
    size_t first = digits % 3 ? digits % 3 : 3;
    grouped.append(text, first);
    for (size_t at = first; at < digits; at += 3) {
        grouped += L',';
        grouped.append(text + at, 3);
    }
    grouped.append(text + digits);
    if (grouped.compare(0, 2, L"-,") == 0)
        grouped.erase(1, 1);
    // The grouped text and its terminator must fit the caller's buffer.
    if (grouped.size() >= kNumberTextLength)
        return 0;
    wmemcpy(text, grouped.c_str(), grouped.size() + 1);
    return 1;
}

void RemoveComma(wchar_t* text)
{
    if (!text)
        return;
    wchar_t* out = text;
    for (const wchar_t* in = text; *in; ++in) {
        if (*in != L',')
            *out++ = *in;
    }
    *out = L'\0';
}

void PrintDouble(double value, int digits, wchar_t* out)
{
    if (!out)
        return;
    if (digits < 0)
        digits = 0;
    if (SUCCEEDED(StringCchPrintfW(out, kNumberTextLength, L"%.*f", digits, value)))
        return;
    // Too long in fixed form (a value near the top of the double range):
    // exponent form keeps the same decimals, as many as fit.
    if (digits > 200)
        digits = 200;
    StringCchPrintfW(out, kNumberTextLength, L"%.*e", digits, value);
}

double ReadNumber(const wchar_t* text)
{
    if (!text)
        return 0;
    std::string narrow;
    for (const wchar_t* at = text; *at; ++at) {
        if (*at != L',')
            narrow += *at < 0x80 ? (char)*at : ' ';
    }
    return atof(narrow.c_str());
}
