// What the phone pack's device tests share: the installed files and the
// device's stores they replace and put back.
#pragma once

#include <windows.h>

#include <ketra_testkit.h>

#include <string>

namespace phonetest {

const wchar_t kInstall[] = L"D:\\Program Files\\ZARQ\\Ketra\\";
const wchar_t kOutbox[] = L"D:\\Windows\\Phone\\outbox.txt";
const wchar_t kCallLog[] = L"D:\\Windows\\Phone\\calllog.txt";
const wchar_t kContacts[] = L"D:\\Windows\\PIM\\contacts.txt";
const wchar_t kTraceLog[] = L"D:\\My Documents\\ZARQLOG.txt";
const wchar_t kDeviceState[] = L"Software\\SimDevice";

inline std::wstring Installed(const wchar_t* name)
{
    return std::wstring(kInstall) + name;
}

// The text of a window of another process.
inline std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, (LPARAM)text, SMTO_ABORTIFHUNG, 3000, &length))
        return L"(no answer)";
    return text;
}

}  // namespace phonetest
