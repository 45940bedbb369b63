// Kernel I/O control and the clean-reboot flag.  The simulated device never
// reboots: a reboot request is written to the device log for tests and the
// device tools to see.
#include <pkfuncs.h>

#include "coredll_private.h"

namespace {

// Set by SetCleanRebootFlag, consumed by the next reboot of this process.
LONG g_cleanRebootRequested = 0;

} // namespace

extern "C" void WINAPI SetCleanRebootFlag(void)
{
    InterlockedExchange(&g_cleanRebootRequested, 1);
    DevLog(CORE_LOG, L"clean reboot flag set");
}

extern "C" BOOL WINAPI KernelIoControl(DWORD dwIoControlCode, LPVOID lpInBuf, DWORD nInBufSize,
                                       LPVOID lpOutBuf, DWORD nOutBufSize, LPDWORD lpBytesReturned)
{
    (void)lpInBuf;
    (void)nInBufSize;
    (void)lpOutBuf;
    (void)nOutBufSize;
    if (lpBytesReturned)
        *lpBytesReturned = 0;

    if (dwIoControlCode == IOCTL_HAL_REBOOT) {
        bool clean = InterlockedExchange(&g_cleanRebootRequested, 0) != 0;
        DevLog(CORE_LOG, clean ? L"reboot (clean)" : L"reboot");
        return TRUE;
    }

    DevLog(CORE_LOG, L"KernelIoControl 0x%08lX not supported", (unsigned long)dwIoControlCode);
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}
