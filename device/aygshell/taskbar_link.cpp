// Requests to the shell process's task bar (protocol in shellproto.h).
#include "aygshell_private.h"

#include <shellproto.h>
#include <strsafe.h>

namespace {

constexpr UINT kTaskBarTimeoutMs = 2000;

HWND FindTaskBar()
{
    return FindWindowW(SHELL_TASKBAR_CLASS, nullptr);
}

} // namespace

bool SendToTaskBar(HWND about, DWORD code, const void* data, DWORD size)
{
    HWND bar = FindTaskBar();
    if (!bar)
        return false;
    COPYDATASTRUCT copy = {code, size, const_cast<void*>(data)};
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(bar, WM_COPYDATA, (WPARAM)about, (LPARAM)&copy, SMTO_ABORTIFHUNG, kTaskBarTimeoutMs,
                               &answer) != 0;
}

extern "C" BOOL WINAPI SHFullScreen(HWND hwnd, DWORD dwState)
{
    if (!IsWindow(hwnd))
        return FALSE;
    HWND bar = FindTaskBar();
    if (!bar)
        return FALSE;
    // The task bar window itself is shown or hidden from here; asynchronously,
    // so a busy shell never stalls the caller.
    if (dwState & SHFS_SHOWTASKBAR)
        ShowWindowAsync(bar, SW_SHOWNA);
    else if (dwState & SHFS_HIDETASKBAR)
        ShowWindowAsync(bar, SW_HIDE);
    SHELL_FULLSCREEN_DATA data = {hwnd, dwState};
    SendToTaskBar(hwnd, SHELL_FULLSCREEN, &data, sizeof(data));
    return TRUE;
}

extern "C" BOOL WINAPI SHSetNavBarText(HWND hwnd, LPCWSTR pszText)
{
    if (!IsWindow(hwnd))
        return FALSE;
    SHELL_NAVTEXT_DATA data = {};
    data.hwnd = hwnd;
    if (pszText)
        StringCchCopyW(data.text, SHELL_NAVTEXT_CCH, pszText);  // longer titles are cut
    return SendToTaskBar(hwnd, SHELL_NAVTEXT, &data, sizeof(data));
}

extern "C" BOOL WINAPI SHDoneButton(HWND hwnd, DWORD dwState)
{
    if (!IsWindow(hwnd) || (dwState != SHDB_SHOW && dwState != SHDB_HIDE))
        return FALSE;
    LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    if (dwState == SHDB_SHOW)
        exStyle |= WS_EX_CAPTIONOKBTN;
    else
        exStyle &= ~(LONG_PTR)WS_EX_CAPTIONOKBTN;
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, exStyle);
    SHELL_DONEBUTTON_DATA data = {hwnd, dwState == SHDB_SHOW};
    SendToTaskBar(hwnd, SHELL_DONEBUTTON, &data, sizeof(data));
    return TRUE;
}
