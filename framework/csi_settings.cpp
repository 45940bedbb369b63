// CSI: the settings the system watch adjusts: wave volume and backlight.
#include <cedevice.h>
#include <mmsystem.h>

#include "registry.h"
#include "shell.h"

namespace {

const int kVolumeSteps = 10;
const DWORD kVolumeFull = 0xFFFF;
const wchar_t kBacklightKey[] = L"ControlPanel\\BackLight";
// Signalled after a change so the backlight driver rereads its level.
const wchar_t kBacklightChangeEvent[] = L"BackLightChangeEvent";

// The backlight level in force depends on the power source: external power
// (any AC line status but 0) has its own value.
const wchar_t* BacklightValueName()
{
    SYSTEM_POWER_STATUS_EX2 status = {};
    bool external = ::GetSystemPowerStatusEx2(&status, sizeof(status), TRUE) != 0 && status.ACLineStatus != 0;
    return external ? L"ACBrightNess" : L"BrightNess";
}

}  // namespace

int CSI::GetVolume()
{
    DWORD volume = 0;
    if (::waveOutGetVolume(nullptr, &volume) != MMSYSERR_NOERROR)
        return 0;
    return static_cast<int>(LOWORD(volume) * kVolumeSteps / kVolumeFull);
}

// Levels outside 0-10 are brought back into range: a larger level would
// spill into the other channel's half of the value.
BOOL CSI::SetVolume(int level)
{
    if (level < 0)
        level = 0;
    if (level > kVolumeSteps)
        level = kVolumeSteps;
    DWORD channel = static_cast<DWORD>(level) * kVolumeFull / kVolumeSteps;
    return ::waveOutSetVolume(nullptr, channel | (channel << 16)) == MMSYSERR_NOERROR;
}

int CSI::GetBright()
{
    CRegistry key;
    DWORD level = 0;
    if (!key.Open(HKEY_CURRENT_USER, kBacklightKey, TRUE) || !key.ReadDWORD(BacklightValueName(), &level))
        return 0;
    return static_cast<int>(level);
}

BOOL CSI::SetBright(int level)
{
    if (level < 0)
        level = 0;
    CRegistry key;
    if (key.Open(HKEY_CURRENT_USER, kBacklightKey, FALSE, TRUE))
        key.WriteDWORD(BacklightValueName(), static_cast<DWORD>(level));
    HANDLE changed = ::CreateEventW(nullptr, FALSE, FALSE, kBacklightChangeEvent);
    if (changed) {
        ::SetEvent(changed);
        ::CloseHandle(changed);
    }
    return TRUE;
}
