// The start-up shortcut of the side bar.
#include "startup_shortcut.h"

#include <aygshell.h>
#include <strsafe.h>

#include <corvane.h>

#include "options_record.h"

namespace {

const wchar_t kShortcutName[] = L"\\Ketra.lnk";

BOOL StartupFolderPath(wchar_t* out, size_t cch, BOOL create)
{
    wchar_t folder[MAX_PATH];
    if (!::SHGetSpecialFolderPath(nullptr, folder, CSIDL_STARTUP, create))
        return FALSE;
    return SUCCEEDED(StringCchPrintfW(out, cch, L"%ls%ls", folder, kShortcutName));
}

}  // namespace

BOOL GetStartupShortcutPath(wchar_t* out, size_t cch)
{
    return StartupFolderPath(out, cch, FALSE);
}

BOOL StartupShortcutExists()
{
    wchar_t shortcut[MAX_PATH];
    return GetStartupShortcutPath(shortcut, MAX_PATH) && CFileInfo::IsExist(shortcut);
}

BOOL CreateStartupShortcut()
{
    wchar_t folder[MAX_PATH];
    DWORD size = MAX_PATH;
    CRegistry ketra;
    if (!ketra.Open(HKEY_LOCAL_MACHINE, KETRA_KEY_PATH, TRUE) || !ketra.ReadString(L"path", folder, &size) ||
        !folder[0])
        return FALSE;
    wchar_t target[MAX_PATH];
    wchar_t shortcut[MAX_PATH];
    if (FAILED(StringCchPrintfW(target, MAX_PATH, L"%ls\\Ketra.exe", folder)) ||
        !StartupFolderPath(shortcut, MAX_PATH, TRUE))
        return FALSE;
    // The shortcut's command is the target in double quotation marks.
    return CFileInfo::CreateShortcut(shortcut, target);
}

BOOL DeleteStartupShortcut()
{
    wchar_t shortcut[MAX_PATH];
    return GetStartupShortcutPath(shortcut, MAX_PATH) && CFileInfo::DeleteFileW(shortcut, TRUE);
}
