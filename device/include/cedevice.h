// Pocket PC kernel and GDI extras that the desktop headers lack: extended
// power status, object-store information, system parameters 257/258, the
// power-off key, the display power escapes and TransparentImage.
//
// Functions the desktop also has (GlobalMemoryStatus, SystemParametersInfoW,
// keybd_event, ExtEscape, FindFirstFileW, ...) keep their desktop
// declarations; coredll.dll provides the device's behaviour for them.
#pragma once
#include <windows.h>

#ifndef COREDLL_API
#define COREDLL_API __declspec(dllimport)
#endif

// ---- Power status -------------------------------------------------------

#ifndef BATTERY_CHEMISTRY_ALKALINE
#define BATTERY_CHEMISTRY_ALKALINE 0x01
#define BATTERY_CHEMISTRY_NICD     0x02
#define BATTERY_CHEMISTRY_NIMH     0x03
#define BATTERY_CHEMISTRY_LION     0x04
#define BATTERY_CHEMISTRY_LIPOLY   0x05
#define BATTERY_CHEMISTRY_UNKNOWN  0xFF
#endif

typedef struct _SYSTEM_POWER_STATUS_EX {
    BYTE ACLineStatus;               // AC_LINE_OFFLINE 0, AC_LINE_ONLINE 1, AC_LINE_UNKNOWN 255
    BYTE BatteryFlag;                // BATTERY_FLAG_* bits
    BYTE BatteryLifePercent;         // 0-100, BATTERY_PERCENTAGE_UNKNOWN 255
    BYTE Reserved1;
    DWORD BatteryLifeTime;           // seconds, BATTERY_LIFE_UNKNOWN
    DWORD BatteryFullLifeTime;
    BYTE Reserved2;
    BYTE BackupBatteryFlag;
    BYTE BackupBatteryLifePercent;
    BYTE Reserved3;
    DWORD BackupBatteryLifeTime;
    DWORD BackupBatteryFullLifeTime;
} SYSTEM_POWER_STATUS_EX, *PSYSTEM_POWER_STATUS_EX, *LPSYSTEM_POWER_STATUS_EX;

typedef struct _SYSTEM_POWER_STATUS_EX2 {
    BYTE ACLineStatus;
    BYTE BatteryFlag;
    BYTE BatteryLifePercent;
    BYTE Reserved1;
    DWORD BatteryLifeTime;
    DWORD BatteryFullLifeTime;
    BYTE Reserved2;
    BYTE BackupBatteryFlag;
    BYTE BackupBatteryLifePercent;
    BYTE Reserved3;
    DWORD BackupBatteryLifeTime;
    DWORD BackupBatteryFullLifeTime;
    DWORD BatteryVoltage;            // millivolts
    DWORD BatteryCurrent;            // milliamperes, negative while discharging
    DWORD BatteryAverageCurrent;
    DWORD BatteryAverageInterval;    // milliseconds
    DWORD BatterymAHourConsumed;
    DWORD BatteryTemperature;        // tenths of a degree Celsius
    DWORD BackupBatteryVoltage;
    BYTE BatteryChemistry;           // BATTERY_CHEMISTRY_*
} SYSTEM_POWER_STATUS_EX2, *PSYSTEM_POWER_STATUS_EX2, *LPSYSTEM_POWER_STATUS_EX2;

// ---- Object store -------------------------------------------------------

typedef struct _STORE_INFORMATION {
    DWORD dwStoreSize;               // size of the object store, bytes
    DWORD dwFreeSize;                // bytes still free
} STORE_INFORMATION, *LPSTORE_INFORMATION;

// ---- System parameters and keys -----------------------------------------

#define SPI_GETPLATFORMTYPE 257      // "PocketPC"
#define SPI_GETOEMINFO      258      // the maker's device description

#define VK_OFF              0xDF     // power button (desktop: VK_OEM_8)
#define VK_TTALK            0x72     // the phone's Talk key (desktop: VK_F3)
#define VK_TEND             0x73     // the phone's End key (desktop: VK_F4)
#define KEYEVENTF_SILENT    0x0004   // no key click (desktop: KEYEVENTF_UNICODE)

// ---- Display power escapes (ExtEscape) ----------------------------------

#define SETPOWERMANAGEMENT  0x1803
#define GETPOWERMANAGEMENT  0x1804

#ifndef _NTDDVDEO_
typedef enum _VIDEO_POWER_STATE {
    VideoPowerOn = 1,
    VideoPowerStandBy,
    VideoPowerSuspend,
    VideoPowerOff
} VIDEO_POWER_STATE, *PVIDEO_POWER_STATE;

typedef struct _VIDEO_POWER_MANAGEMENT {
    ULONG Length;                    // sizeof(VIDEO_POWER_MANAGEMENT) = 12
    ULONG DPMSVersion;
    ULONG PowerState;                // VIDEO_POWER_STATE
} VIDEO_POWER_MANAGEMENT, *PVIDEO_POWER_MANAGEMENT;
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Fills the first dwLen bytes of the extended status; returns the number of
// bytes filled (0 for a null record or dwLen 0).
COREDLL_API DWORD WINAPI GetSystemPowerStatusEx2(PSYSTEM_POWER_STATUS_EX2 pStatus, DWORD dwLen, BOOL fUpdate);
COREDLL_API BOOL WINAPI GetSystemPowerStatusEx(PSYSTEM_POWER_STATUS_EX pStatus, BOOL fUpdate);

COREDLL_API BOOL WINAPI GetStoreInformation(LPSTORE_INFORMATION lpsi);

// Copies the source rectangle (stretched to the destination) except the
// pixels that equal TransparentColor exactly.  hSrc is a device context or a
// bitmap.
COREDLL_API BOOL WINAPI TransparentImage(HDC hdcDest, LONG DstX, LONG DstY, LONG DstCx, LONG DstCy,
                                         HANDLE hSrc, LONG SrcX, LONG SrcY, LONG SrcCx, LONG SrcCy,
                                         COLORREF TransparentColor);

#ifdef __cplusplus
}
#endif
