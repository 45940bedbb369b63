// The side bar's public contract: its window class, the messages it accepts,
// its menu and button commands, and small helpers for programs that drive it.
// Header only and linked to nothing of the system, so libraries that link
// only the platform (an input method, a contacts add-in) can use it as well.
//
//     HWND bar = KetraFindBar();                      // null when it is not running
//     KetraShowApplet(L"Clockra");                    // shows it (starting the bar if needed)
//     KetraOpen();  KetraClose();                     // slide the bar open or closed
//     SendMessageW(bar, WM_KETRA_WINDOW, KETRA_WINDOW_IS_OPEN, 0);
//
// An applet talks to the bar through its parent window; CApplet (applet.h)
// has helpers for that (DrawHostBackground, HostColour, HostVersion,
// RequestHeight, FocusOn), so applets rarely need more than this header's
// names.
//
// Message values are an interface: other programs send them by number, so
// they never change.
#pragma once

#include <windows.h>
#include <shellapi.h>

#define KETRA_CLASS L"KETRA_CLASS"

// Registry: the installation folder (value "path") and the options key whose
// "CurrentApplet" names the applet the bar shows.
#define KETRA_KEY L"SOFTWARE\\ZARQ\\KETRA"
#define KETRA_OPTIONS_KEY L"SOFTWARE\\ZARQ\\KETRA\\OPTIONS"
#define KETRA_CURRENT_APPLET_VALUE L"CurrentApplet"
#define KETRA_PROGRAM L"Ketra.exe"

// ---- Messages to the bar (KETRA_CLASS) -------------------------------------

enum : UINT {
    WM_KETRA_OPEN = 1026,        // slide open when closed; 1
    WM_KETRA_CLOSE = 1027,       // slide closed when open; 1
    WM_KETRA_CONTROL = 1028,     // wParam: KETRA_CONTROL_*
    WM_KETRA_WINDOW = 1029,      // wParam: KETRA_WINDOW_*
    // wParam: the applet's name (only from the bar's own thread) or 0 for
    // the "CurrentApplet" setting; lParam non-zero: reload the current one.
    WM_KETRA_SHOWAPPLET = 1030,
    WM_KETRA_SETHEIGHT = 1031,   // lParam: the applet's new height (> 0)
    WM_KETRA_RELAY = 1032,       // passed on to the current applet unchanged
    WM_KETRA_VERSION = 1033,     // the installed version: major low byte, minor next
    WM_KETRA_COLOR = 1034,       // wParam: 0, 1, 2 -> one of the bar's colours
    // To the bar: lParam a TODAYDRAWWATERMARKINFO to paint the bar's background
    // into (only from the bar's own thread).  To an applet: the bar opened.
    WM_KETRA_APPLETSHOWN = 1125,
    WM_KETRA_APPLETHIDDEN = 1126,  // to an applet: the bar closed
    WM_KETRA_APPLETSIZE = 1127,    // to an applet: lParam MAKELPARAM(width, height)
};

// wParam of WM_KETRA_CONTROL.
enum : WPARAM {
    KETRA_CONTROL_RELOAD = 0,      // read the settings again and repaint
    KETRA_CONTROL_FOCUS_ON = 1,
    KETRA_CONTROL_FOCUS_OFF = 2,
    KETRA_CONTROL_IS_HOOKED = 3,   // 1 when the task-bar hook is in place
    KETRA_CONTROL_HOOK = 4,
    KETRA_CONTROL_UNHOOK = 5,
};

// wParam of WM_KETRA_WINDOW.
enum : WPARAM {
    KETRA_WINDOW_OPEN = 0,
    KETRA_WINDOW_CLOSE = 1,
    KETRA_WINDOW_AUTO_CLOSE = 2,   // close only when auto-close is on (the task-bar hook)
    KETRA_WINDOW_TOGGLE = 3,
    KETRA_WINDOW_IS_OPEN = 4,      // 1 when open
};

// ---- Commands of the bar's menus and buttons (WM_COMMAND) ------------------

enum : UINT {
    IDM_KETRA_EXIT = 1,
    IDM_KETRA_APPLET = 1200,       // + position in the applet list
    IDM_KETRA_OPTIONS = 1301,      // "Options...": starts the settings program
    IDM_KETRA_GROUP = 1302,        // "Group...": the group menu
};

// ---- Helpers for other programs ---------------------------------------------

// The running bar's window, or null.
inline HWND KetraFindBar()
{
    return ::FindWindowW(KETRA_CLASS, nullptr);
}

// Sends a message to the running bar, giving up after timeoutMs on a hung
// one.  FALSE when there is no bar or it did not answer.
inline BOOL KetraSend(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, DWORD timeoutMs = 5000,
                      LRESULT* result = nullptr)
{
    HWND bar = KetraFindBar();
    if (!bar)
        return FALSE;
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(bar, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &answer))
        return FALSE;
    if (result)
        *result = (LRESULT)answer;
    return TRUE;
}

inline BOOL KetraOpen()
{
    return KetraSend(WM_KETRA_OPEN);
}

inline BOOL KetraClose()
{
    return KetraSend(WM_KETRA_CLOSE);
}

// Writes name as the "CurrentApplet" setting.  FALSE when it cannot be
// written or is longer than the bar keeps (63 characters).
inline BOOL KetraWriteCurrentApplet(LPCWSTR name)
{
    if (!name || !*name)
        return FALSE;
    size_t length = 0;
    while (name[length] && length < 64)
        ++length;
    if (length >= 64)
        return FALSE;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return FALSE;
    LONG written = ::RegSetValueExW(key, KETRA_CURRENT_APPLET_VALUE, 0, REG_SZ, (const BYTE*)name,
                                    (DWORD)((length + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    return written == ERROR_SUCCESS;
}

// Appends text to a terminated buffer of capacity characters; FALSE (the
// buffer unchanged) when it does not fit.
inline BOOL KetraAppendText(wchar_t* buffer, size_t capacity, LPCWSTR text)
{
    size_t at = 0;
    while (at < capacity && buffer[at])
        ++at;
    size_t length = 0;
    while (text[length])
        ++length;
    if (at + length + 1 > capacity)
        return FALSE;
    for (size_t i = 0; i <= length; ++i)
        buffer[at + i] = text[i];
    return TRUE;
}

// Starts the bar with the applet's name as its command line (the program
// in the installation folder).  FALSE when it cannot be found or started.
inline BOOL KetraStartBar(LPCWSTR appletName)
{
    wchar_t program[MAX_PATH] = {};
    DWORD size = sizeof(program) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, KETRA_KEY, L"path", RRF_RT_REG_SZ, nullptr, program, &size) !=
            ERROR_SUCCESS || !program[0] || !KetraAppendText(program, MAX_PATH, L"\\" KETRA_PROGRAM))
        return FALSE;
    wchar_t arguments[72] = {};
    if (appletName && *appletName &&
        (!KetraAppendText(arguments, 72, L"\"") || !KetraAppendText(arguments, 72, appletName) ||
         !KetraAppendText(arguments, 72, L"\"")))
        return FALSE;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.lpFile = program;
    info.lpParameters = arguments;
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&info);
}

// Shows the named applet in the bar and opens it.  Another process cannot
// hand the bar a name pointer, so the name goes through the "CurrentApplet"
// setting and the bar is sent 1030 without one; with no bar running, the
// bar is started with the name on its command line.
inline BOOL KetraShowApplet(LPCWSTR name)
{
    if (!KetraWriteCurrentApplet(name))
        return FALSE;
    if (KetraFindBar())
        return KetraSend(WM_KETRA_SHOWAPPLET, 0, 0);
    return KetraStartBar(name);
}
