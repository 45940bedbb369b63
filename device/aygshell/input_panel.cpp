// The input panel's state and the activation and setting-change handlers
// that keep it per window.
#include "aygshell_private.h"

#include <devlog.h>
#include <shellproto.h>

namespace {

constexpr UINT kSettingSipInfo = 224;  // SPI_SETSIPINFO: the panel moved

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

bool IsSipUp()
{
    return DevStateGetDword(L"SipUp", 0) != 0;
}

void SetSipUp(HWND about, bool up)
{
    if (IsSipUp() == up)
        return;
    DevStateSetDword(L"SipUp", up ? 1 : 0);
    SHELL_SIPSTATE_DATA data = {about, up};
    SendToTaskBar(about, SHELL_SIPSTATE, &data, sizeof(data));
    // As on the device, every window hears that the panel moved.
    PostMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, kSettingSipInfo, 0);
}

extern "C" BOOL WINAPI SHSipPreference(HWND hwnd, SIPSTATE st)
{
    switch (st) {
    case SIP_UP:
        SetSipUp(hwnd, true);
        return TRUE;
    case SIP_DOWN:
    case SIP_FORCEDOWN:
        SetSipUp(hwnd, false);
        return TRUE;
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
    if (psai && wParam == kSettingSipInfo)
        psai->fSipUp = IsSipUp();
    return TRUE;
}
