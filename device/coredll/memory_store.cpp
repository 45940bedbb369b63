// Program memory and object-store sizes of the device.  The desktop reports
// the host's memory, gigabytes that overflow the 32-bit sizes device code
// computes with; the device reports what the state says.
#include <cedevice.h>

#include "coredll_private.h"

namespace {

const DWORD kMegabyte = 1024 * 1024;

} // namespace

extern "C" void WINAPI CoreGlobalMemoryStatus(LPMEMORYSTATUS lpBuffer)
{
    if (!lpBuffer)
        return;
    DWORD total = DevStateGetDword(L"MemoryTotal", 64 * kMegabyte);
    DWORD available = DevStateGetDword(L"MemoryAvailable", 40 * kMegabyte);
    if (available > total)
        available = total;

    ZeroMemory(lpBuffer, sizeof(*lpBuffer));
    lpBuffer->dwLength = sizeof(*lpBuffer);
    lpBuffer->dwMemoryLoad = total ? (DWORD)(100 - (ULONGLONG)available * 100 / total) : 0;
    lpBuffer->dwTotalPhys = total;
    lpBuffer->dwAvailPhys = available;
    // No page file on the device; each process has a 32 MB slot.
    lpBuffer->dwTotalVirtual = 32 * kMegabyte;
    lpBuffer->dwAvailVirtual = 24 * kMegabyte;
}

extern "C" BOOL WINAPI GetStoreInformation(LPSTORE_INFORMATION lpsi)
{
    if (!lpsi) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    lpsi->dwStoreSize = DevStateGetDword(L"StoreSize", 32 * kMegabyte);
    lpsi->dwFreeSize = DevStateGetDword(L"StoreFree", 20 * kMegabyte);
    return TRUE;
}
