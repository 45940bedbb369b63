// Key events.  The device's power button (VK_OFF) suspends the device; on
// the desktop the same numbers mean VK_OEM_8 typed as a Unicode character,
// so neither the key nor the device's "silent" flag may reach the desktop
// unmapped.  The phone's Talk key belongs to the phone, which the simulated
// device only logs; on the desktop it would be F3 to the foreground window.
#include <cedevice.h>

#include "coredll_private.h"

extern "C" void WINAPI CoreKeybdEvent(BYTE bVk, BYTE bScan, DWORD dwFlags, ULONG_PTR dwExtraInfo)
{
    if (bVk == VK_OFF) {
        // The press suspends; the release that follows has nothing to do.
        if (!(dwFlags & KEYEVENTF_KEYUP)) {
            DevLog(CORE_LOG, L"power off");
            SetDisplayPowerState(VideoPowerOff);
        }
        return;
    }

    if (bVk == VK_TTALK) {
        DevLog(L"phone", (dwFlags & KEYEVENTF_KEYUP) ? L"talk key up" : L"talk key down");
        return;
    }

    // KEYEVENTF_SILENT only asks for no key click, which the device layer
    // does not make anyway.
    dwFlags &= ~(DWORD)KEYEVENTF_SILENT;

    using Fn = void(WINAPI*)(BYTE, BYTE, DWORD, ULONG_PTR);
    static const Fn real = RealFunction<Fn>(L"user32.dll", "keybd_event");
    if (real)
        real(bVk, bScan, dwFlags, dwExtraInfo);
}
