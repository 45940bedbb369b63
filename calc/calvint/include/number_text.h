// Numbers as the calculators show them: "." is the decimal point and ","
// the thousands separator, whatever the locale; text buffers hold 260
// characters, terminator included.
#pragma once

#include <windows.h>

#include "calvint_api.h"

enum { kNumberTextLength = 260 };

// Groups the integer part of a number in place: 1234567.891 becomes
// 1,234,567.891, -123456 becomes -123,456; text that already holds a comma
// and numbers of three places or fewer stay as they are.  0 (text
// unchanged) when the grouped text would not fit kNumberTextLength.
CALVINT_API int AddComma(wchar_t* text);

// Removes every "," in place.
CALVINT_API void RemoveComma(wchar_t* text);

// The value with exactly that many decimals ("%.Nf", no grouping) into out,
// which holds kNumberTextLength characters.  A value whose fixed form
// would not fit is written in exponent form instead ("%.Ne").
CALVINT_API void PrintDouble(double value, int digits, wchar_t* out);

// The number a box shows: its text without commas, read with atof rules
// (the leading numeric part; 0 when there is none).  Characters outside
// ASCII end the number.
CALVINT_API double ReadNumber(const wchar_t* text);
