// Wave output volume of device 0.  Headless desktops have no sound driver,
// so the device keeps the volume of its one output in the device state;
// open wave handles still go to the desktop.
#include "coredll_private.h"

#include <mmsystem.h>

namespace {

// Device 0, named by its id or by the null handle.
bool IsDeviceZero(HWAVEOUT hwo)
{
    return hwo == nullptr;
}

} // namespace

extern "C" MMRESULT WINAPI CoreWaveOutGetVolume(HWAVEOUT hwo, LPDWORD pdwVolume)
{
    if (IsDeviceZero(hwo)) {
        if (!pdwVolume)
            return MMSYSERR_INVALPARAM;
        *pdwVolume = DevStateGetDword(L"Volume", 0xFFFFFFFF);
        return MMSYSERR_NOERROR;
    }
    using Fn = MMRESULT(WINAPI*)(HWAVEOUT, LPDWORD);
    static const Fn real = RealFunction<Fn>(L"winmm.dll", "waveOutGetVolume");
    return real ? real(hwo, pdwVolume) : MMSYSERR_NODRIVER;
}

extern "C" MMRESULT WINAPI CoreWaveOutSetVolume(HWAVEOUT hwo, DWORD dwVolume)
{
    if (IsDeviceZero(hwo)) {
        DevStateSetDword(L"Volume", dwVolume);
        return MMSYSERR_NOERROR;
    }
    using Fn = MMRESULT(WINAPI*)(HWAVEOUT, DWORD);
    static const Fn real = RealFunction<Fn>(L"winmm.dll", "waveOutSetVolume");
    return real ? real(hwo, dwVolume) : MMSYSERR_NODRIVER;
}
