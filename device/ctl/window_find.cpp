// Finding and describing top-level windows of the device's desktop.
#include "devctl.h"

#include <wchar.h>

std::wstring WindowClass(HWND hwnd)
{
    wchar_t name[256];
    int n = GetClassNameW(hwnd, name, (int)(sizeof(name) / sizeof(name[0])));
    return std::wstring(name, n > 0 ? (size_t)n : 0);
}

std::wstring WindowText(HWND hwnd)
{
    // InternalGetWindowText reads the stored text directly instead of sending
    // WM_GETTEXT, which would wait on a busy or hung program.
    std::vector<wchar_t> text(256);
    for (;;) {
        int n = InternalGetWindowText(hwnd, text.data(), (int)text.size());
        if (n < 0)
            n = 0;
        if ((size_t)n + 1 < text.size() || text.size() >= 65536)
            return std::wstring(text.data(), (size_t)n);
        text.resize(text.size() * 4);  // may have been cut: read again with more room
    }
}

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    for (HWND hwnd = GetTopWindow(nullptr); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        windows.push_back(hwnd);
        if (windows.size() > 100000)  // the z-order changed under us into a loop
            break;
    }
    return windows;
}

HWND FindTopLevelByClass(const std::wstring& className)
{
    // Class names compare without case, as FindWindow does.
    for (HWND hwnd : TopLevelWindows())
        if (_wcsicmp(WindowClass(hwnd).c_str(), className.c_str()) == 0)
            return hwnd;
    return nullptr;
}
