// The unit converter library: its entry point and applet exports.
#include <applet_module.h>
#include <calvint.h>

#include "unitra_wnd.h"

namespace {

const wchar_t kClassName[] = L"Unitra";

HINSTANCE g_hModule = nullptr;
// Made by export 240 (never while the library loads: the window object
// starts the component system); it deletes itself with its window.
CNumWnd* g_pWindow = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/)
{
    return CorAppletDllMain(module, reason, kClassName, &g_hModule);
}

// Export 240: the converter's window in the side bar, the same one on a
// second call; null when its skin cannot be loaded.
extern "C" HWND CorAppletInitializeItem(TODAYLISTITEM* item, HWND parent)
{
    return CalcAppletCreateItem<CUnitraWnd>(g_pWindow, g_hModule, item, parent);
}

// Export 241: the decimals of converted numbers.
extern "C" INT_PTR CALLBACK CorAppletOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return PrecisionDialogProc(dialog, message, wParam, lParam, CUnitraWnd::kConfigSection,
                               CUnitraWnd::kDefaultPrecision);
}
