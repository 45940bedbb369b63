// Keyvast, the hardware-button applet, made with the applet kit.  It asks
// for attention while the battery runs low.
#include "keyvast_wnd.h"

#include <applet_module.h>
#include <cedevice.h>

namespace {

const BYTE kLowBatteryPercent = 30;

// 1 for a battery below 30 %; 0 otherwise, and when the status cannot be read.
int BatteryIsLow()
{
    SYSTEM_POWER_STATUS_EX status = {};
    if (!::GetSystemPowerStatusEx(&status, TRUE))
        return 0;
    return status.BatteryFlag != 0 && status.BatteryLifePercent < kLowBatteryPercent ? 1 : 0;
}

}  // namespace

COR_APPLET(CKeyvastWnd, L"UTILRA1", CKeyvastWnd::kWidth, CKeyvastWnd::kHeight)
COR_APPLET_ATTENTION(BatteryIsLow)
