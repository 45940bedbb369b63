// The device's ROM seen through the device drive's paths.
#include "rom_files.h"

#include <wchar.h>

namespace {

const wchar_t kDevicePrefix[] = L"D:\\";

bool CopyText(const wchar_t* text, wchar_t* out, DWORD cch)
{
    size_t length = wcslen(text);
    if (!out || length >= cch)
        return false;
    wmemcpy(out, text, length + 1);
    return true;
}

bool IsFile(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool DevRomLocation(const wchar_t* path, wchar_t* romPath, DWORD cch)
{
    if (!path || !*path || !romPath || cch == 0)
        return false;
    wchar_t full[MAX_PATH];
    DWORD length = GetFullPathNameW(path, MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH || _wcsnicmp(full, kDevicePrefix, 3) != 0)
        return false;
    // "D:\Windows\x" -> "R:\Windows\x"
    if (length + 1 > cch)
        return false;
    wmemcpy(romPath, DEVICE_ROM_DRIVE, 2);
    wmemcpy(romPath + 2, full + 2, length - 1);
    return true;
}

// The caller's last error survives the question.
bool DevRomOnlyFile(const wchar_t* path, wchar_t* romPath, DWORD cch)
{
    DWORD error = GetLastError();
    bool romOnly = DevRomLocation(path, romPath, cch) && GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES &&
                   IsFile(romPath);
    SetLastError(error);
    return romOnly;
}

bool DevReadablePath(const wchar_t* path, wchar_t* out, DWORD cch)
{
    wchar_t rom[MAX_PATH];
    if (DevRomOnlyFile(path, rom, MAX_PATH))
        return CopyText(rom, out, cch);
    return path && CopyText(path, out, cch);
}
