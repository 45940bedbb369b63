// Shared pieces of coredll.dll, the simulated device's platform library.
//
// coredll exports the Pocket PC kernel functions the desktop lacks and
// overrides desktop functions whose device behaviour differs.  Overrides are
// defined under a Core* name and exported under the platform's name through
// coredll.def; each reaches the desktop function through RealProc, never
// through its own export.
//
// Device state read here (HKLM "Software\SimDevice", see devlog.h):
//   ACLineStatus, BatteryFlag, BatteryLifePercent, BatteryLifeTime,
//   BatteryFullLifeTime, BackupBatteryFlag, BackupBatteryLifePercent,
//   BatteryVoltage, BatteryCurrent, BatteryTemperature,
//   BatteryChemistry                         DWORD  power status
//   MemoryTotal, MemoryAvailable             DWORD  program memory, bytes
//   StoreSize, StoreFree                     DWORD  object store, bytes
//   OEMInfo                                  SZ     SPI_GETOEMINFO string
//   Display                                  DWORD  1 on, 4 off (VIDEO_POWER_STATE)
//   Volume                                   DWORD  wave volume of device 0
//   StorageCards                             MULTI_SZ, or SZ with ';' between
//                                                   names: root folders that are cards
//   StorageCardFreeKB, StorageCardTotalKB    DWORD  space reported for every card
//   StorageCards\<card>: FreeKB, TotalKB    DWORD  space of that card (subkey)
//   SipUp, SipIM, SipRect                    the input panel's state, published by
//                                                   the shell (shellproto.h)
//   VersionMajor, VersionMinor               DWORD  platform version (4.20 when missing)
#pragma once
#include <windows.h>

#include "devlog.h"

// Source name of coredll's lines in the device log.
#define CORE_LOG L"coredll"

// The desktop function `name` of the system library `dll` ("kernel32.dll",
// "user32.dll", ...), loading the library when the process has not yet;
// null when it cannot be found.
FARPROC RealProc(const wchar_t* dll, const char* name);

template <typename Fn>
Fn RealFunction(const wchar_t* dll, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(RealProc(dll, name)));
}

// Display power state kept in the device state ("Display").
DWORD DisplayPowerState();
void SetDisplayPowerState(DWORD state);

// System parameters 224-227 of the input panel (input_panel.cpp): true when
// action is one of them, with the answer in *result.
bool InputPanelParameters(UINT action, PVOID param, BOOL* result);
