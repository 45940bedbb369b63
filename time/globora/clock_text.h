// The world clock's texts, formatted from the time and city they are given
// (never from the host's clock), into buffers of the given capacity; each
// returns false (and an empty buffer) when the text does not fit.
#pragma once

#include <windows.h>

#include <zonath.h>

namespace globora {

// Longest header line: a 39-character name, a 63-character country and both codes.
const int kLineChars = 128;

// "London, United Kingdom [+44-171]", or "[+65]" for a city without area code.
bool FormatCityLine(const CCityInfo& city, wchar_t* out, int cch);
// "Phone: +44-171", or "Phone: +65".
bool FormatPhoneLine(const CCityInfo& city, wchar_t* out, int cch);
// The header's clock: "Thu, Jul 01" and " 1:00:00 PM", joined by two spaces
// when the time has at most 10 characters, else by one.
bool FormatHeaderClock(const SYSTEMTIME& time, wchar_t* out, int cch);
// The header's second line in city mode: "Thu, Jul 01  8:00 AM".
bool FormatCityTime(const SYSTEMTIME& time, wchar_t* out, int cch);
// A box's time " 1:00:00 " (hour without leading zero, a space each side),
// its weekday "Thu" and its "AM"/"PM".
bool FormatBoxTime(const SYSTEMTIME& time, wchar_t* out, int cch);
bool FormatWeekday(const SYSTEMTIME& time, wchar_t* out, int cch);
bool FormatAmPm(const SYSTEMTIME& time, wchar_t* out, int cch);

} // namespace globora
