// Rotapan.cpl: one control-panel entry, "Vexilo Rotator", that opens the
// theme schedule editor through its shortcut in \Windows.
#include <windows.h>
#include <shellapi.h>
#include <strsafe.h>

#include "cplext.h"
#include "rotapan_res.h"

namespace {

const wchar_t kEntryName[] = L"Vexilo Rotator";
const wchar_t kEntryInfo[] = L"ZARQ Vexilo Rotator Settings";
const wchar_t kEditorShortcut[] = L"\\Windows\\Turnsel.lnk";

// Kept from process attach: the entry's icon is loaded from this module.
HINSTANCE g_module = nullptr;

LONG DescribeEntry(NEWCPLINFO* info)
{
    if (!info)
        return 1;
    ZeroMemory(info, sizeof(*info));
    info->dwSize = sizeof(NEWCPLINFO);
    info->dwFlags = CPL_FLAG_STATIC;
    info->lData = IDI_ROTAPAN;
    info->hIcon = LoadIconW(g_module, MAKEINTRESOURCEW(IDI_ROTAPAN));
    StringCchCopyW(info->szName, ARRAYSIZE(info->szName), kEntryName);
    StringCchCopyW(info->szInfo, ARRAYSIZE(info->szInfo), kEntryInfo);
    return 0;
}

// Through the shell, as a tap on the shortcut would.
LONG OpenEditor()
{
    SHELLEXECUTEINFOW sei = {};
    sei.cbSize = sizeof(sei);
    sei.hwnd = FindWindowW(L"Desktop", nullptr);
    sei.lpFile = kEditorShortcut;
    sei.lpParameters = L"";
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
 *      CPlApplet (Rotapan.cpl)
 *
 * RETURNS
 *  CPL_INIT: 1; CPL_GETCOUNT: 1 entry; CPL_NEWINQUIRE and CPL_DBLCLK: 0
 *  when done, 1 for a missing record or a failed start; anything else 0.
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
    case CPL_DBLCLK:
        return OpenEditor();
    }
    return 0;
}
