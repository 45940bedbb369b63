#include "battery_level.h"

#include <cedevice.h>
#include <corvane.h>

#include "crestel_names.h"
#include "resource.h"

namespace BatteryLevel {

namespace {

constexpr BYTE kNoInformation = 255;
constexpr COLORREF kDefaultTaskBarColour = 0xA00000;
const wchar_t kColourKey[] = L"SOFTWARE\\Microsoft\\Color";
const wchar_t kTaskBarColourValue[] = L"8";

}  // namespace

int FromStatus(bool known, BYTE acLine, BYTE batteryFlag, BYTE percent)
{
    if (!known || batteryFlag == kNoInformation)
        return kUnknown;
    if (acLine == 1)
        return kExternalPower;
    if (percent < 45)
        return kLow;
    if (percent < 75)
        return kHalf;
    return kFull;
}

int Current()
{
    SYSTEM_POWER_STATUS_EX status = {};
    const bool known = GetSystemPowerStatusEx(&status, TRUE) != FALSE;
    return FromStatus(known, status.ACLineStatus, status.BatteryFlag, status.BatteryLifePercent);
}

int IconOf(int level)
{
    static const int kIcons[kLevelCount] = {IDI_LEVEL_UNKNOWN, IDI_LEVEL_EXTERNAL, IDI_LEVEL_LOW, IDI_LEVEL_HALF,
                                            IDI_LEVEL_FULL};
    return level >= 0 && level < kLevelCount ? kIcons[level] : IDI_LEVEL_UNKNOWN;
}

COLORREF TaskBarColour()
{
    CRegistry colours;
    DWORD colour = 0;
    if (colours.Open(HKEY_LOCAL_MACHINE, kColourKey, TRUE) && colours.ReadDWORD(kTaskBarColourValue, &colour))
        return colour & 0x00FFFFFF;
    return kDefaultTaskBarColour;
}

bool CloseOnCorner()
{
    CRegistry settings;
    DWORD close = 0;
    return settings.Open(HKEY_LOCAL_MACHINE, CRESTEL_KEY, TRUE) && settings.ReadDWORD(CRESTEL_CLOSE_VALUE, &close) &&
           close == 1;
}

}  // namespace BatteryLevel
