// CSH: the navigation bar's OK button and title, and the shell's full-screen
// control of the task bar, input-panel button and start icon.
#include <aygshell.h>

#include "shell.h"

BOOL CSH::ShowOkButton(HWND hWnd, BOOL show)
{
    return ::SHDoneButton(hWnd, show ? SHDB_SHOW : SHDB_HIDE) ? TRUE : FALSE;
}

BOOL CSH::SetTaskBarText(HWND hWnd, LPCWSTR text)
{
    return ::SHSetNavBarText(hWnd, text ? text : L"") ? TRUE : FALSE;
}

BOOL CSH::ShowTaskBar(HWND hWnd, BOOL show)
{
    return ::SHFullScreen(hWnd, show ? SHFS_SHOWTASKBAR : SHFS_HIDETASKBAR) ? TRUE : FALSE;
}

BOOL CSH::ShowSipButton(HWND hWnd, BOOL show)
{
    return ::SHFullScreen(hWnd, show ? SHFS_SHOWSIPBUTTON : SHFS_HIDESIPBUTTON) ? TRUE : FALSE;
}

BOOL CSH::ShowStartIcon(HWND hWnd, BOOL show)
{
    return ::SHFullScreen(hWnd, show ? SHFS_SHOWSTARTICON : SHFS_HIDESTARTICON) ? TRUE : FALSE;
}
