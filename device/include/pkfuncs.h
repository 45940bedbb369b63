// Kernel services of the Pocket PC platform library (coredll.dll) that the
// desktop headers do not declare: kernel I/O control and the clean-reboot
// flag.
#pragma once
#include <windows.h>

#ifndef COREDLL_API
#define COREDLL_API __declspec(dllimport)
#endif

// CTL_CODE(FILE_DEVICE_HAL, 15, METHOD_BUFFERED, FILE_ANY_ACCESS): soft reset.
#define IOCTL_HAL_REBOOT 0x0101003C

#ifdef __cplusplus
extern "C" {
#endif

// Sends a control code to the kernel's hardware layer.  The simulated device
// records IOCTL_HAL_REBOOT in the device log instead of rebooting and
// returns TRUE; other codes fail with ERROR_NOT_SUPPORTED.
COREDLL_API BOOL WINAPI KernelIoControl(DWORD dwIoControlCode, LPVOID lpInBuf, DWORD nInBufSize,
                                        LPVOID lpOutBuf, DWORD nOutBufSize, LPDWORD lpBytesReturned);

// Asks the next reboot to erase the object store (hard reset).
COREDLL_API void WINAPI SetCleanRebootFlag(void);

#ifdef __cplusplus
}
#endif
