// The loan calculator library: its entry point and applet exports.
#include <applet_module.h>
#include <calvint.h>

#include "mortivo_wnd.h"

namespace {

const wchar_t kClassName[] = L"Mortivo";

HINSTANCE g_hModule = nullptr;
// Made by export 240; it deletes itself with its window.
CNumWnd* g_pWindow = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/)
{
    return CorAppletDllMain(module, reason, kClassName, &g_hModule);
}

// Export 240: the loan calculator's window in the side bar, the same one
// on a second call; null when its skin cannot be loaded.
extern "C" HWND CorAppletInitializeItem(TODAYLISTITEM* item, HWND parent)
{
    return CalcAppletCreateItem<CMortivoWnd>(g_pWindow, g_hModule, item, parent);
}

// Export 241: no options.
extern "C" INT_PTR CALLBACK CorAppletOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CorAppletDefaultOptions(dialog, message, wParam, lParam);
}
