// Number arguments: decimal with an optional sign, or 0x hexadecimal.
#include "devctl.h"

#include <limits.h>

namespace {

// Splits off the sign and reads the magnitude; false on junk or overflow.
bool ParseMagnitude(const std::wstring& text, bool* negative, unsigned long long* magnitude)
{
    size_t i = 0;
    *negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        *negative = text[i] == L'-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    unsigned long long value = 0;
    for (; i < text.size(); ++i) {
        wchar_t c = text[i];
        unsigned digit;
        if (c >= L'0' && c <= L'9')
            digit = (unsigned)(c - L'0');
        else if (base == 16 && c >= L'a' && c <= L'f')
            digit = (unsigned)(c - L'a' + 10);
        else if (base == 16 && c >= L'A' && c <= L'F')
            digit = (unsigned)(c - L'A' + 10);
        else
            return false;
        if (value > (ULLONG_MAX - digit) / base)
            return false;
        value = value * base + digit;
    }
    *magnitude = value;
    return true;
}

} // namespace

bool ParseInt64(const std::wstring& text, long long* value)
{
    bool negative;
    unsigned long long magnitude;
    if (!ParseMagnitude(text, &negative, &magnitude))
        return false;
    if (negative) {
        if (magnitude > (unsigned long long)LLONG_MAX + 1)
            return false;
        *value = (long long)(0 - magnitude);
        return true;
    }
    // A positive number above LLONG_MAX is accepted as its 64-bit pattern
    // (0xFFFFFFFFFFFFFFFF is -1), as a message parameter would carry it.
    *value = (long long)magnitude;
    return true;
}

bool ParseUInt64(const std::wstring& text, unsigned long long* value)
{
    long long signedValue;
    if (!ParseInt64(text, &signedValue))
        return false;
    *value = (unsigned long long)signedValue;
    return true;
}

bool ParseInt(const std::wstring& text, int* value)
{
    bool negative;
    unsigned long long magnitude;
    if (!ParseMagnitude(text, &negative, &magnitude))
        return false;
    if (negative ? magnitude > (unsigned long long)INT_MAX + 1 : magnitude > (unsigned long long)INT_MAX)
        return false;
    *value = negative ? (int)(0 - (long long)magnitude) : (int)magnitude;
    return true;
}

bool ParseUInt32(const std::wstring& text, DWORD* value)
{
    bool negative;
    unsigned long long magnitude;
    if (!ParseMagnitude(text, &negative, &magnitude))
        return false;
    if (negative ? magnitude > (unsigned long long)INT_MAX + 1 : magnitude > 0xFFFFFFFFull)
        return false;
    *value = negative ? (DWORD)(0 - magnitude) : (DWORD)magnitude;
    return true;
}
