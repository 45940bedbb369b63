// Turning page bytes into text: the character set, entities and the colour
// and number attribute values pages use.
#pragma once
#include <windows.h>

#include <string>

namespace html {

// The page's characters: UTF-8 when the bytes start with a UTF-8 mark or
// the page declares charset=utf-8 early on, UTF-16 when they start with its
// mark, otherwise the device's 8-bit code page.  Invalid UTF-8 sequences
// become U+FFFD.  At most maxChars characters are kept; *cut says whether
// some were dropped.
std::wstring DecodePageBytes(const char* bytes, size_t size, size_t maxChars, bool* cut);

// Reads an entity at text[pos] == '&'.  On success appends its character(s)
// to out, advances pos past it and returns true; otherwise leaves both.
bool DecodeEntity(const std::wstring& text, size_t& pos, std::wstring& out);

// "#rrggbb", "rrggbb", "#rgb" or a colour name; false for anything else.
bool ParseColor(const std::wstring& value, COLORREF* color);

// A leading decimal number ("120", " 50%", "30px"), clamped to [0, limit];
// *percent is set when a '%' follows it.  False when there is no digit.
bool ParseLength(const std::wstring& value, int limit, int* number, bool* percent = nullptr);

}  // namespace html
