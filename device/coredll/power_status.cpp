// Battery and AC line status from the device state, with the values of a
// device on battery, well charged, when the state says nothing.
#include <cedevice.h>

#include <string.h>

#include "coredll_private.h"

namespace {

BYTE StateByte(const wchar_t* name, BYTE fallback)
{
    DWORD value = DevStateGetDword(name, fallback);
    return value > 0xFF ? fallback : (BYTE)value;
}

void ReadPowerStatus(SYSTEM_POWER_STATUS_EX2* status)
{
    ZeroMemory(status, sizeof(*status));
    status->ACLineStatus = StateByte(L"ACLineStatus", AC_LINE_OFFLINE);
    status->BatteryFlag = StateByte(L"BatteryFlag", BATTERY_FLAG_HIGH);
    status->BatteryLifePercent = StateByte(L"BatteryLifePercent", 85);
    status->BatteryLifeTime = DevStateGetDword(L"BatteryLifeTime", BATTERY_LIFE_UNKNOWN);
    status->BatteryFullLifeTime = DevStateGetDword(L"BatteryFullLifeTime", BATTERY_LIFE_UNKNOWN);
    status->BackupBatteryFlag = StateByte(L"BackupBatteryFlag", BATTERY_FLAG_HIGH);
    status->BackupBatteryLifePercent = StateByte(L"BackupBatteryLifePercent", 100);
    status->BackupBatteryLifeTime = BATTERY_LIFE_UNKNOWN;
    status->BackupBatteryFullLifeTime = BATTERY_LIFE_UNKNOWN;
    status->BatteryVoltage = DevStateGetDword(L"BatteryVoltage", 3900);
    status->BatteryCurrent = DevStateGetDword(L"BatteryCurrent", (DWORD)-120);
    status->BatteryAverageCurrent = status->BatteryCurrent;
    status->BatteryAverageInterval = 5000;
    status->BatterymAHourConsumed = 0;
    status->BatteryTemperature = DevStateGetDword(L"BatteryTemperature", 250);
    status->BackupBatteryVoltage = 3000;
    status->BatteryChemistry = StateByte(L"BatteryChemistry", BATTERY_CHEMISTRY_LION);
}

} // namespace

extern "C" DWORD WINAPI GetSystemPowerStatusEx2(PSYSTEM_POWER_STATUS_EX2 pStatus, DWORD dwLen, BOOL fUpdate)
{
    (void)fUpdate;  // the state is always current
    if (!pStatus || dwLen == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    SYSTEM_POWER_STATUS_EX2 status;
    ReadPowerStatus(&status);
    DWORD cb = dwLen < sizeof(status) ? dwLen : (DWORD)sizeof(status);
    memcpy(pStatus, &status, cb);
    return cb;
}

extern "C" BOOL WINAPI GetSystemPowerStatusEx(PSYSTEM_POWER_STATUS_EX pStatus, BOOL fUpdate)
{
    (void)fUpdate;
    if (!pStatus) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    SYSTEM_POWER_STATUS_EX2 status;
    ReadPowerStatus(&status);
    // The short record is the leading part of the long one.
    memcpy(pStatus, &status, sizeof(*pStatus));
    return TRUE;
}
