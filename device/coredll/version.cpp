// The platform's version: the device runs Windows CE 4.20 (Pocket PC 2003).
// Programs branch on the major version (control-panel pages moved in 4.x),
// so tests may set another one in the device state ("VersionMajor",
// "VersionMinor") to try the older platform's branches.
#include <string.h>

#include "coredll_private.h"

namespace {

constexpr DWORD kMajor = 4;
constexpr DWORD kMinor = 20;
constexpr DWORD kBuild = 14053;
constexpr DWORD kPlatformCE = 3;  // VER_PLATFORM_WIN32_CE

} // namespace

extern "C" BOOL WINAPI CoreGetVersionExW(LPOSVERSIONINFOW info)
{
    if (!info || (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW) &&
                  info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEXW))) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    DWORD size = info->dwOSVersionInfoSize;
    memset(reinterpret_cast<BYTE*>(info) + sizeof(DWORD), 0, size - sizeof(DWORD));
    info->dwMajorVersion = DevStateGetDword(L"VersionMajor", kMajor);
    info->dwMinorVersion = DevStateGetDword(L"VersionMinor", kMinor);
    info->dwBuildNumber = kBuild;
    info->dwPlatformId = kPlatformCE;
    return TRUE;
}
