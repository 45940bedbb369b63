// The About library: entry point and the applet exports (by ordinal only,
// see About.def).
#include "about_private.h"

HINSTANCE g_hAboutModule = nullptr;

namespace {

const wchar_t kClassName[] = L"ABOUT";

// The library's one applet window object, alive while the library is loaded.
CAboutWnd g_about;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_hAboutModule = module;
        ::DisableThreadLibraryCalls(module);
    } else if (reason == DLL_PROCESS_DETACH) {
        // A later load may sit at another address: leave no class behind.
        ::UnregisterClassW(kClassName, module);
    }
    return TRUE;
}

// Export 240: the item window, or null for a disabled item.
extern "C" HWND AboutInitializeItem(TODAYLISTITEM* item, HWND parent)
{
    if (!item || !item->fEnabled)
        return nullptr;
    if (g_about.GetSafeHwnd())
        g_about.DestroyWindow();
    // Register the class in this library, and give the caller its own
    // framework instance back afterwards.
    CorInstanceScope scope(g_hAboutModule);
    RECT rect = {0, 0, CAboutWnd::kWidth, CAboutWnd::kHeight};
    CApplet* wnd = g_about.Create(kClassName, rect, parent);
    return wnd ? wnd->GetSafeHwnd() : nullptr;
}

// Export 241: About has no options.
extern "C" INT_PTR CALLBACK AboutOptionsDialogProc(HWND /*dialog*/, UINT /*message*/, WPARAM /*wParam*/,
                                                   LPARAM /*lParam*/)
{
    return 0;
}
