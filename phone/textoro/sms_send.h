// Sending one text message through the device's text-message service, and
// the rules for the number typed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace SmsSend {

// The longest number an address holds (its field keeps a terminator).
constexpr size_t kNumberChars = 255;
// The longest message the box takes.
constexpr size_t kMessageChars = 259;

// Digits, spaces, "(", ")", "+" and "-" only, and not longer than an
// address holds.
bool IsValidNumber(const std::wstring& number);

// Sends text to number as a class-1 message of the text provider, with the
// device's service centre (the service's default when it cannot be had).
// A provider that does not open is neither used nor closed.
HRESULT Send(const std::wstring& number, const std::wstring& text);

// The recent-number list after a send to number: that number on top, once.
std::vector<std::wstring> WithNumberOnTop(const std::vector<std::wstring>& numbers, const std::wstring& number);

}  // namespace SmsSend
