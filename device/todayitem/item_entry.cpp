// Entry points of ownerdate.dll: the library's start and ordinal 240.
#include "ownerdate_private.h"

HINSTANCE g_ownerDateInstance = nullptr;

/***********************************************************************
 *      InitializeCustomItem (ownerdate.dll, ordinal 240)
 *
 * PARAMS
 *  item   [I/O] the host's record for this item; cyp receives the height
 *  parent [I]   the window the item lives in
 *
 * RETURNS
 *  The item's child window (hidden; the host places and shows it), or NULL
 *  when the item is disabled or cannot be created.
 */
extern "C" HWND InitializeCustomItem(TODAYLISTITEM* item, HWND parent)
{
    if (!item || !item->fEnabled || !parent)
        return nullptr;
    if (!RegisterItemClass())
        return nullptr;
    HWND hwnd = CreateItemWindow(parent);
    if (hwnd)
        item->cyp = (DWORD)ItemHeight(ReadItemText());
    return hwnd;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        g_ownerDateInstance = instance;
        DisableThreadLibraryCalls(instance);
        break;
    case DLL_PROCESS_DETACH:
        // The class's procedure lives in this library: the next load of it
        // (maybe at another address) registers it afresh.
        if (!reserved)
            UnregisterItemClass();
        break;
    }
    return TRUE;
}
