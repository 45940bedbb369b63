// CPlApplet of cplmain.cpl: one control-panel entry per listed system page.
// Opening an entry starts the control panel on that page, as a program of
// its own, the way the device's pages run.
#include "cpl_pages.h"
#include "cplext.h"
#include "cplmain_private.h"

#include <shellapi.h>
#include <strsafe.h>

HINSTANCE g_cplmainInstance = nullptr;

namespace {

LONG InquireEntry(int index, NEWCPLINFO* info)
{
    const CplPage* page = ListedCplPage(index);
    if (!page || !info)
        return 1;
    ZeroMemory(info, sizeof(*info));
    info->dwSize = sizeof(NEWCPLINFO);
    info->dwFlags = 0;
    info->dwHelpContext = 0;
    info->lData = index;
    info->hIcon = LoadIconW(g_cplmainInstance, MAKEINTRESOURCEW(IDI_SETTINGS));
    StringCchCopyW(info->szName, ARRAYSIZE(info->szName), page->name);
    StringCchPrintfW(info->szInfo, ARRAYSIZE(info->szInfo), L"%ls settings", page->name);
    return 0;
}

LONG CopyEntryName(int index, wchar_t* name)
{
    const CplPage* page = ListedCplPage(index);
    if (!page || !name)
        return 1;
    StringCchCopyW(name, 32, page->name);
    return 0;
}

LONG OpenEntry(HWND owner, int index)
{
    const CplPage* page = ListedCplPage(index);
    if (!page)
        return 1;
    wchar_t args[64];
    StringCchPrintfW(args, ARRAYSIZE(args), L"%ls %d,%d", page->library, page->page, page->tab);
    SHELLEXECUTEINFOW sei = {};
    sei.cbSize = sizeof(sei);
    sei.hwnd = owner;
    sei.lpFile = L"ctlpnl.exe";
    sei.lpParameters = args;
    sei.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&sei) ? 0 : 1;
}

} // namespace

/***********************************************************************
 *      CPlApplet (cplmain.cpl)
 *
 * PARAMS
 *  hwndCpl [I] the control panel's window (may be NULL)
 *  msg     [I] CPL_* message
 *  lParam1 [I] entry index for the per-entry messages
 *  lParam2 [I] NEWCPLINFO* (CPL_NEWINQUIRE), WCHAR[32] (CPL_IDNAME)
 *
 * RETURNS
 *  CPL_INIT: 1; CPL_GETCOUNT: the number of entries; the other messages 0
 *  when handled, 1 for an entry that does not exist.
 */
extern "C" LONG CALLBACK CPlApplet(HWND hwndCpl, UINT msg, LPARAM lParam1, LPARAM lParam2)
{
    switch (msg) {
    case CPL_INIT:
        return 1;
    case CPL_GETCOUNT:
        return ListedCplPageCount();
    case CPL_NEWINQUIRE:
        return InquireEntry((int)lParam1, reinterpret_cast<NEWCPLINFO*>(lParam2));
    case CPL_IDNAME:
        return CopyEntryName((int)lParam1, reinterpret_cast<wchar_t*>(lParam2));
    case CPL_DBLCLK:
        return OpenEntry(hwndCpl, (int)lParam1);
    default:
        return 0;
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_cplmainInstance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
