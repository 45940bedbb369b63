// Notification icons in the task bar (Shell_NotifyIconW, protocol in
// shellproto.h).
#include "aygshell_private.h"

#include <shellproto.h>
#include <strsafe.h>

namespace {

constexpr UINT kTaskBarTimeoutMs = 2000;
constexpr UINT kKnownFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

} // namespace

// Exported as Shell_NotifyIconW.  The record may be the device's short one
// (its tip holds 64 characters) or the desktop's longer one: only the
// fields both share are read.
extern "C" BOOL WINAPI DevShellNotifyIcon(DWORD dwMessage, PNOTIFYICONDATAW pnid)
{
    if (!pnid || pnid->cbSize < NOTIFYICONDATAW_V1_SIZE ||
        (dwMessage != NIM_ADD && dwMessage != NIM_MODIFY && dwMessage != NIM_DELETE)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HWND bar = FindWindowW(SHELL_TASKBAR_CLASS, nullptr);
    if (!bar)
        return FALSE;
    SHELL_NOTIFYICON_DATA data = {};
    data.message = dwMessage;
    data.hwnd = pnid->hWnd;
    data.uID = pnid->uID;
    data.uFlags = dwMessage == NIM_DELETE ? 0 : pnid->uFlags & kKnownFlags;
    data.uCallbackMessage = pnid->uCallbackMessage;
    if (data.uFlags & NIF_TIP) {
        // The shared part of the tip; a longer one is cut to fit.
        wchar_t tip[64];
        memcpy(tip, pnid->szTip, sizeof(tip));
        tip[63] = L'\0';
        StringCchCopyW(data.tip, SHELL_NOTIFYICON_TIPCCH, tip);
    }
    if ((data.uFlags & NIF_ICON) && !ShellPackNotifyIcon(pnid->hIcon, data.pixels))
        return FALSE;
    COPYDATASTRUCT copy = {SHELL_NOTIFYICON, sizeof(data), &data};
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(bar, WM_COPYDATA, (WPARAM)pnid->hWnd, (LPARAM)&copy, SMTO_ABORTIFHUNG,
                             kTaskBarTimeoutMs, &answer))
        return FALSE;
    return answer != 0;
}
