// Webbia.dll's entry points: the library's load and unload, and the Today
// item's window (ordinal 240).
#include "webbia.h"

#include <todaycmn.h>

HINSTANCE g_webbiaModule = nullptr;

/***********************************************************************
 *      InitializeCustomItem (Webbia.dll, ordinal 240)
 *
 * PARAMS
 *  item   [I] the host's record of the item
 *  parent [I] the Today screen or the side bar
 *
 * RETURNS
 *  The item window, 80 high until it has navigated; NULL when the record
 *  is not enabled or the window cannot be made.
 */
extern "C" HWND InitializeCustomItem(TODAYLISTITEM* item, HWND parent)
{
    if (!item || !item->fEnabled)
        return nullptr;
    HWND window = CreateWindowExW(0, WEBBIA_CLASS, L"Webbia", WS_CHILD | WS_VISIBLE, 0, 0, 240, 80, parent, nullptr,
                                  g_webbiaModule, nullptr);
    if (window) {
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
    }
    return window;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        g_webbiaModule = instance;
        DisableThreadLibraryCalls(instance);
        RegisterWebbiaClass();
        break;
    case DLL_PROCESS_DETACH:
        UnregisterWebbiaClass();
        break;
    }
    return TRUE;
}
