// The expression calculator library: its entry point and applet exports.
#include <applet_module.h>
#include <calvint.h>

#include "sumbra_wnd.h"

namespace {

const wchar_t kClassName[] = L"Sumbra";

HINSTANCE g_hModule = nullptr;
// Made by export 240 (never while the library loads: the window object
// starts the component system); it deletes itself with its window.
CNumWnd* g_pWindow = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/)
{
    return CorAppletDllMain(module, reason, kClassName, &g_hModule);
}

// Export 240: the calculator's window in the side bar, the same one on a
// second call; null when its skin cannot be loaded.
extern "C" HWND CorAppletInitializeItem(TODAYLISTITEM* item, HWND parent)
{
    return CalcAppletCreateItem<CSumbraWnd>(g_pWindow, g_hModule, item, parent);
}

// Export 241: the decimals of results.
extern "C" INT_PTR CALLBACK CorAppletOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PrecisionDialogProc(dialog, message, wParam, lParam, CSumbraWnd::kConfigSection,
                               CSumbraWnd::kDefaultPrecision);
}
