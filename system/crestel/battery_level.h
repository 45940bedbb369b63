// The battery level the task-bar icon shows, and the settings the tool
// reads: the task bar's colour and whether the corner closes programs.
#pragma once

#include <windows.h>

namespace BatteryLevel {

enum Level { kUnknown = 0, kExternalPower = 1, kLow = 2, kHalf = 3, kFull = 4, kLevelCount = 5 };

// 0 when the status is unavailable or the battery flag is 255 (no
// information), 1 on external power, then by the charge: below 45 % 2,
// below 75 % 3, else 4.
int FromStatus(bool known, BYTE acLine, BYTE batteryFlag, BYTE percent);
// The device's level now (a failed status call reads as unknown).
int Current();
// The icon resource of a level.
int IconOf(int level);

// HKLM "SOFTWARE\Microsoft\Color" value "8", a number or a 4-byte binary;
// 0xA00000 when missing or of another size.
COLORREF TaskBarColour();
// "Close" of the tool's key: 1 only when stored as 1.
bool CloseOnCorner();

}  // namespace BatteryLevel
