// Reading the theme in force and the device's built-in theme.
#include <tessary.h>

#include <strsafe.h>

#include "tessary_private.h"

namespace {

const wchar_t kDefaultFolder[] = L"\\Windows\\Temp";
const wchar_t kDefaultTarget[] = L"\\Windows\\Temp\\ZARQST.GIF";
const wchar_t kParkedStart[] = L"\\windows\\ZARQTMP.GIF";
// The object store's mark of a file that lives in ROM only.
const DWORD kInRom = 0x40;

bool SetPath(wchar_t* field, const wchar_t* path)
{
    return SUCCEEDED(StringCchCopyW(field, MAX_PATH, path));
}

// A file of the name in RAM (rather than only in ROM).
bool InRam(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & kInRom);
}

// A Start picture parked by a read that never finished goes back in place;
// when a newer one took its place meanwhile, the parked one is outdated.
void RestoreParkedStart()
{
    if (!InRam(kParkedStart))
        return;
    if (InRam(TSK_START_FILE))
        DeleteThemeFile(kParkedStart);
    else
        MoveFileW(kParkedStart, TSK_START_FILE);
}

} // namespace

int ReadCurrent(CTskInfo* info, const wchar_t* const tempPaths[kTskTempCount])
{
    if (!info || !tempPaths)
        return 0;
    for (int slot = 0; slot < kTskTempCount; ++slot)
        if (!tempPaths[slot] || !tempPaths[slot][0])
            return 0;
    info->ClearFiles();
    const bool useStart = CheckUsingStImage() != 0;
    bool copied = CopyThemeFile(TSK_START_FILE, tempPaths[kTskTempStart]);
    bool todayCopied = CopyThemeFile(TSK_TODAY_FILE, tempPaths[kTskTempToday]);
    if (!copied || (!useStart && !todayCopied))
        return 0;

    if (!GetThemeColors(info))
        GetColorSet(0, info);
    if (!SetPath(info->m_szStart, tempPaths[kTskTempStart]) ||
        !SetPath(info->m_szToday, tempPaths[useStart ? kTskTempStart : kTskTempToday]))
        return 0;

    wchar_t name[MAX_PATH];
    if (GetCurThemeName(name, MAX_PATH) && IsAniTsk(name)) {
        bool all = CopyThemeFile(TSK_CONTROL_FILE, tempPaths[kTskTempControl]) &&
                   CopyThemeFile(TSK_MOVIE_FILE, tempPaths[kTskTempMovie]) &&
                   CopyThemeFile(TSK_PAGE_FILE, tempPaths[kTskTempPage]);
        SetPath(info->m_szAniControl, tempPaths[kTskTempControl]);
        SetPath(info->m_szAniMovie, tempPaths[kTskTempMovie]);
        SetPath(info->m_szAniPage, tempPaths[kTskTempPage]);
        // Writing or applying the record looks at the flag: without it an
        // animated theme in force would lose its animation.
        info->m_bAnimated = all ? 1 : 0;
    }
    return 1;
}

int ReadDefault(CTskInfo* info, const wchar_t* path)
{
    if (!info)
        return 0;
    const wchar_t* target = path && *path ? path : kDefaultTarget;
    if (target == kDefaultTarget)
        CreateDirectoryW(kDefaultFolder, nullptr);  // fails harmlessly when it exists
    info->ClearFiles();
    GetColorSet(0, info);

    // Parking the RAM Start picture uncovers the built-in one of the same
    // name in ROM.  Without a RAM picture the ROM one shows already.
    RestoreParkedStart();
    const bool parked = InRam(TSK_START_FILE);
    if (parked && !MoveFileW(TSK_START_FILE, kParkedStart))
        return 0;
    bool copied = CopyThemeFile(TSK_START_FILE, target);
    if (parked)
        MoveFileW(kParkedStart, TSK_START_FILE);
    if (!copied)
        return 0;
    return SetPath(info->m_szStart, target) && SetPath(info->m_szToday, target);
}
