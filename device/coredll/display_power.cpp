// The display driver's power escapes.  The display state lives in the device
// state ("Display": 1 on, 4 off) so the device shell and tools see it.
#include <cedevice.h>

#include "coredll_private.h"

namespace {

// ExtEscape's query for whether an escape is supported.
const int kQueryEscSupport = 8;

bool IsPowerEscape(int escape)
{
    return escape == GETPOWERMANAGEMENT || escape == SETPOWERMANAGEMENT;
}

int GetPowerManagement(int cjOutput, LPSTR lpOutData)
{
    if (!lpOutData || cjOutput < (int)sizeof(VIDEO_POWER_MANAGEMENT))
        return -1;
    VIDEO_POWER_MANAGEMENT vpm;
    vpm.Length = sizeof(vpm);
    vpm.DPMSVersion = 0;
    vpm.PowerState = DisplayPowerState();
    CopyMemory(lpOutData, &vpm, sizeof(vpm));
    return 1;
}

int SetPowerManagement(int cjInput, LPCSTR lpInData)
{
    if (!lpInData || cjInput < (int)sizeof(VIDEO_POWER_MANAGEMENT))
        return -1;
    VIDEO_POWER_MANAGEMENT vpm;
    CopyMemory(&vpm, lpInData, sizeof(vpm));
    if (vpm.Length < sizeof(vpm) || vpm.PowerState < VideoPowerOn || vpm.PowerState > VideoPowerOff)
        return -1;
    SetDisplayPowerState(vpm.PowerState);
    return 1;
}

} // namespace

DWORD DisplayPowerState()
{
    DWORD state = DevStateGetDword(L"Display", VideoPowerOn);
    return (state >= VideoPowerOn && state <= VideoPowerOff) ? state : (DWORD)VideoPowerOn;
}

void SetDisplayPowerState(DWORD state)
{
    DWORD previous = DisplayPowerState();
    DevStateSetDword(L"Display", state);
    if (state == previous)
        return;
    if (state == VideoPowerOn)
        DevLog(CORE_LOG, L"display on");
    else
        DevLog(CORE_LOG, L"display off (power state %lu)", (unsigned long)state);
}

extern "C" int WINAPI CoreExtEscape(HDC hdc, int iEscape, int cjInput, LPCSTR lpInData, int cjOutput,
                                    LPSTR lpOutData)
{
    if (iEscape == GETPOWERMANAGEMENT)
        return GetPowerManagement(cjOutput, lpOutData);
    if (iEscape == SETPOWERMANAGEMENT)
        return SetPowerManagement(cjInput, lpInData);
    if (iEscape == kQueryEscSupport && lpInData && cjInput >= (int)sizeof(DWORD)) {
        DWORD asked = 0;
        CopyMemory(&asked, lpInData, sizeof(asked));
        if (IsPowerEscape((int)asked))
            return 1;
    }

    using Fn = int(WINAPI*)(HDC, int, int, LPCSTR, int, LPSTR);
    static const Fn real = RealFunction<Fn>(L"gdi32.dll", "ExtEscape");
    return real ? real(hdc, iEscape, cjInput, lpInData, cjOutput, lpOutData) : 0;
}
