// CSH: device power: the power key, soft and hard reset, the password
// prompt and the display.
#include <cedevice.h>
#include <pkfuncs.h>

#include "shell.h"

namespace {

// cplmain.cpl's password prompt: PromptForPasswd(owner, lock now).
typedef BOOL(WINAPI* PromptForPasswdProc)(HWND, BOOL);

// The display driver's power record for ExtEscape.
VIDEO_POWER_MANAGEMENT PowerRecord(ULONG state)
{
    VIDEO_POWER_MANAGEMENT record = {};
    record.Length = sizeof(record);
    record.DPMSVersion = 0;
    record.PowerState = state;
    return record;
}

// The display counts as on only when the driver answers and says so.
bool IsDisplayOn(HDC screen)
{
    VIDEO_POWER_MANAGEMENT record = PowerRecord(0);
    int result = ::ExtEscape(screen, GETPOWERMANAGEMENT, 0, nullptr, sizeof(record), reinterpret_cast<LPSTR>(&record));
    return result > 0 && record.PowerState == VideoPowerOn;
}

}  // namespace

BOOL CSH::PowerOff()
{
    ::keybd_event(VK_OFF, 0, KEYEVENTF_SILENT, 0);
    ::keybd_event(VK_OFF, 0, KEYEVENTF_SILENT | KEYEVENTF_KEYUP, 0);
    return TRUE;
}

BOOL CSH::Reset()
{
    return ::KernelIoControl(IOCTL_HAL_REBOOT, nullptr, 0, nullptr, 0, nullptr) ? TRUE : FALSE;
}

// The clean-reboot flag makes the next start erase the object store.
BOOL CSH::HardReset()
{
    ::SetCleanRebootFlag();
    return Reset();
}

BOOL CSH::LogOff(HWND hWnd)
{
    HMODULE cpl = ::LoadLibraryW(L"cplmain.cpl");
    if (!cpl)
        return TRUE;
    auto prompt = reinterpret_cast<PromptForPasswdProc>(
        reinterpret_cast<void*>(::GetProcAddress(cpl, "PromptForPasswd")));
    if (prompt)
        prompt(hWnd, TRUE);
    ::FreeLibrary(cpl);
    return TRUE;
}

BOOL CSH::ScreenOn(BOOL on)
{
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return FALSE;
    BOOL result = TRUE;
    if (IsDisplayOn(screen) != (on != FALSE)) {
        VIDEO_POWER_MANAGEMENT record = PowerRecord(on ? VideoPowerOn : VideoPowerOff);
        result = ::ExtEscape(screen, SETPOWERMANAGEMENT, sizeof(record), reinterpret_cast<LPCSTR>(&record), 0,
                             nullptr) > 0;
    }
    ::ReleaseDC(nullptr, screen);
    return result;
}
