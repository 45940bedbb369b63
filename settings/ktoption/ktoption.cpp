// KtOption.cpl: one control-panel entry, "Ketra Option", that starts the
// side bar's settings program through its shortcut in \Windows.
#include <windows.h>
#include <shellapi.h>
#include <strsafe.h>

#include "cplext.h"
#include "ktoption_res.h"

namespace {

const wchar_t kEntryName[] = L"Ketra Option";
const wchar_t kSettingsShortcut[] = L"\\Windows\\Ketra Option.lnk";
// The identifier-name buffer the control panel passes holds this many
// characters, terminator included.
const size_t kIdNameChars = 32;

// Kept from process attach: the entry's icon is loaded from this module.
HINSTANCE g_module = nullptr;

LONG DescribeEntry(NEWCPLINFO* info)
{
    if (!info)
        return 1;
    ZeroMemory(info, sizeof(*info));
    info->dwSize = sizeof(NEWCPLINFO);
    info->dwFlags = CPL_FLAG_STATIC;
    info->dwHelpContext = 0;
    info->lData = IDI_KTOPTION;
    info->hIcon = LoadIconW(g_module, MAKEINTRESOURCEW(IDI_KTOPTION));
    StringCchCopyW(info->szName, ARRAYSIZE(info->szName), kEntryName);
    StringCchCopyW(info->szInfo, ARRAYSIZE(info->szInfo), kEntryName);
    return 0;
}

LONG CopyEntryName(wchar_t* name)
{
    if (!name)
        return 1;
    return SUCCEEDED(StringCchCopyW(name, kIdNameChars, kEntryName)) ? 0 : 1;
}

// Through the shell, as a tap on the shortcut would; the desktop owns any
// message the shell shows.
LONG OpenSettings()
{
    SHELLEXECUTEINFOW sei = {};
    sei.cbSize = sizeof(sei);
    sei.hwnd = FindWindowW(L"Desktop", nullptr);
    sei.lpFile = kSettingsShortcut;
    sei.lpParameters = nullptr;
    sei.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&sei) ? 0 : 1;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

/***********************************************************************
 *      CPlApplet (KtOption.cpl)
 *
 * PARAMS
 *  hwndCpl [I] the control panel's window (unused)
 *  msg     [I] CPL_* message
 *  lParam1 [I] entry index (there is only entry 0)
 *  lParam2 [I] NEWCPLINFO* (CPL_NEWINQUIRE), WCHAR[32] (CPL_IDNAME)
 *
 * RETURNS
 *  CPL_INIT: 1; CPL_GETCOUNT: 1 entry; CPL_NEWINQUIRE, CPL_IDNAME and
 *  CPL_DBLCLK: 0 when done, 1 for a missing buffer or a failed start;
 *  anything else 0.
 */
extern "C" LONG CALLBACK CPlApplet(HWND /*hwndCpl*/, UINT msg, LPARAM /*lParam1*/, LPARAM lParam2)
{
    switch (msg) {
    case CPL_INIT:
        return 1;
    case CPL_GETCOUNT:
        return 1;
    case CPL_NEWINQUIRE:
        return DescribeEntry(reinterpret_cast<NEWCPLINFO*>(lParam2));
    case CPL_IDNAME:
        return CopyEntryName(reinterpret_cast<wchar_t*>(lParam2));
    case CPL_DBLCLK:
        return OpenSettings();
    }
    return 0;
}
