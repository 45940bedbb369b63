// The rotator's start-up shortcut.
#include "auto_start.h"

#include <aygshell.h>
#include <strsafe.h>
#include <wchar.h>

namespace {

const wchar_t kShortcutName[] = L"\\Theme Rotator.lnk";
const int kStartUpFolder = 7;  // the shell's special folder for start-up items

bool ShortcutPath(wchar_t* path, size_t cch, BOOL create)
{
    wchar_t folder[MAX_PATH];
    return SHGetSpecialFolderPath(nullptr, folder, kStartUpFolder, create) &&
           SUCCEEDED(StringCchPrintfW(path, cch, L"%ls%ls", folder, kShortcutName));
}

} // namespace

bool AutoStartExists()
{
    wchar_t path[MAX_PATH];
    return ShortcutPath(path, MAX_PATH, FALSE) && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

bool CreateAutoStart()
{
    wchar_t program[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    wchar_t* slash = wcsrchr(program, L'\\');
    if (!slash)
        return false;
    slash[1] = L'\0';
    // A device path carries no drive.
    const wchar_t* folder = program[0] && program[1] == L':' ? program + 2 : program;
    // The program's folder and "Rotator.exe", the whole quoted.
    wchar_t target[MAX_PATH + 16];
    wchar_t path[MAX_PATH];
    return SUCCEEDED(StringCchPrintfW(target, MAX_PATH + 16, L"\"%lsRotator.exe\"", folder)) &&
           ShortcutPath(path, MAX_PATH, TRUE) && SHCreateShortcut(path, target);
}

bool RemoveAutoStart()
{
    wchar_t path[MAX_PATH];
    if (!ShortcutPath(path, MAX_PATH, FALSE))
        return false;
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    return DeleteFileW(path) != 0;
}
