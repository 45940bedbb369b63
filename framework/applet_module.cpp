// The applet kit's pieces behind COR_APPLET: the entry point's work, export
// 240 and the default export 241.
#include "applet_module.h"

BOOL CorAppletDllMain(HINSTANCE module, DWORD reason, LPCWSTR className, HINSTANCE* moduleOut)
{
    if (reason == DLL_PROCESS_ATTACH) {
        *moduleOut = module;
        ::DisableThreadLibraryCalls(module);
    } else if (reason == DLL_PROCESS_DETACH) {
        // A later load may sit at another address: leave no class behind.
        ::UnregisterClassW(className, module);
    }
    return TRUE;
}

HWND CorAppletCreateItem(CApplet* applet, HINSTANCE module, LPCWSTR className, int width, int height,
                         TODAYLISTITEM* item, HWND parent)
{
    if (!applet || !item || !item->fEnabled)
        return nullptr;
    if (applet->GetSafeHwnd())
        applet->DestroyWindow();
    // The class is registered in the library and its resources are found
    // there; the caller gets its own framework instance back afterwards.
    CorInstanceScope scope(module);
    RECT rect = {0, 0, width, height};
    CApplet* created = applet->Create(className, rect, parent);
    if (!created)
        return nullptr;
    created->RememberHostRecord(item);
    return created->GetSafeHwnd();
}

INT_PTR CALLBACK CorAppletDefaultOptions(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    if (message == WM_INITDIALOG)
        return 1;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(dialog, LOWORD(wParam));
        return 1;
    }
    return 0;
}
