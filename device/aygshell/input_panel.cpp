// The input panel as the shell library sees it, and the activation and
// setting-change handlers that keep its state per window.
#include "aygshell_private.h"

#include <sip.h>

namespace {

// Focus goes back where it was inside the window, as the default procedure
// would do on activation (windows that route WM_ACTIVATE here skip it).
void RestoreFocus(HWND hwnd, SHACTIVATEINFO* psai)
{
    HWND last = psai->hwndLastFocus;
    if (last && IsWindow(last) && IsChild(hwnd, last) && IsWindowVisible(last) && IsWindowEnabled(last)) {
        SetFocus(last);
        return;
    }
    HWND focus = GetFocus();
    if (focus != hwnd && !IsChild(hwnd, focus))
        SetFocus(hwnd);
}

} // namespace

// The panel lives in the shell process (coredll's Sip* functions reach it):
// what it publishes is read, changes are asked of it.
bool IsSipUp()
{
    SIPINFO info = {};
    info.cbSize = sizeof(info);
    return SipGetInfo(&info) && (info.fdwFlags & SIPF_ON);
}

int SipPanelTop()
{
    SIPINFO info = {};
    info.cbSize = sizeof(info);
    if (!SipGetInfo(&info) || !(info.fdwFlags & SIPF_ON))
        return GetSystemMetrics(SM_CYSCREEN);
    return info.rcVisibleDesktop.bottom;
}

bool SetSipUp(HWND /*about*/, bool up)
{
    // The panel publishes its state and tells every window that it moved.
    return SipShowIM(up ? SIPF_ON : SIPF_OFF) != FALSE;
}

extern "C" BOOL WINAPI SHSipPreference(HWND hwnd, SIPSTATE st)
{
    switch (st) {
    case SIP_UP:
        return SetSipUp(hwnd, true);
    case SIP_DOWN:
    case SIP_FORCEDOWN:
        return SetSipUp(hwnd, false);
    case SIP_UNCHANGED:
    case SIP_INPUTDIALOG:
        return TRUE;
    }
    return FALSE;
}

extern "C" BOOL WINAPI SHHandleWMActivate(HWND hwnd, WPARAM wParam, LPARAM /*lParam*/, SHACTIVATEINFO* psai,
                                          DWORD /*dwFlags*/)
{
    if (!psai || !IsWindow(hwnd))
        return FALSE;
    if (LOWORD(wParam) == WA_INACTIVE) {
        psai->fActive = 0;
        psai->fSipUp = IsSipUp();
        psai->fSipOnDeactivation = psai->fSipUp;
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus))
            psai->hwndLastFocus = focus;
        return TRUE;
    }
    // The panel is left as it is: its state is only noted.
    psai->fActive = 1;
    psai->fSipUp = IsSipUp();
    if (!HIWORD(wParam))  // not minimised
        RestoreFocus(hwnd, psai);
    return TRUE;
}

extern "C" BOOL WINAPI SHHandleWMSettingChange(HWND /*hwnd*/, WPARAM wParam, LPARAM /*lParam*/,
                                               SHACTIVATEINFO* psai)
{
    if (psai && wParam == SPI_SETSIPINFO)
        psai->fSipUp = IsSipUp();
    return TRUE;
}

// The input panel's system parameters (224-227), as SystemParametersInfoW.
extern "C" BOOL WINAPI SHSipInfo(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni)
{
    (void)uiParam;
    (void)fWinIni;
    switch (uiAction) {
    case SPI_SETSIPINFO:
        return SipSetInfo(static_cast<SIPINFO*>(pvParam));
    case SPI_GETSIPINFO:
        return SipGetInfo(static_cast<SIPINFO*>(pvParam));
    case SPI_SETCURRENTIM:
        return SipSetCurrentIM(static_cast<CLSID*>(pvParam));
    case SPI_GETCURRENTIM:
        return SipGetCurrentIM(static_cast<CLSID*>(pvParam));
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
