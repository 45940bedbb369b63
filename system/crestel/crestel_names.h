// What the task-bar icon tool and its settings program share: the icon
// window's names, the tool's settings key and start-up shortcut, and how
// either finds the running icon.
#pragma once

#include <windows.h>

#include <shellproto.h>

#define CRESTEL_WINDOW_CLASS L"CRESTEL"
#define CRESTEL_TITLE L"Crestel"
#define CRESTEL_PROGRAM L"Crestel.exe"
#define CRESTSET_PROGRAM L"Crestset.exe"
// DWORD "Close": 1 when a tap on the task bar's corner closes the program in front.
#define CRESTEL_KEY L"SOFTWARE\\ZARQ\\Ketra\\Apps\\Crestel"
#define CRESTEL_CLOSE_VALUE L"Close"
// In the device's start-up folder.
#define CRESTEL_STARTUP_SHORTCUT L"\\Pexil.lnk"

// The running icon: a child of the task bar whose text is `text`, in any
// case; null when there is none.
inline HWND FindCrestelIcon(const wchar_t* text = CRESTEL_WINDOW_CLASS)
{
    HWND bar = FindWindowW(SHELL_TASKBAR_CLASS, nullptr);
    if (!bar)
        return nullptr;
    for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t title[64] = L"";
        if (GetWindowTextW(child, title, 64) > 0 && lstrcmpiW(title, text) == 0)
            return child;
    }
    return nullptr;
}
