// A test applet whose window has no height and which reports none when the
// side bar asks (query-refresh answers 0): the bar must still give it room.
#include <windows.h>

#include "todaycmn.h"

namespace {

const wchar_t kClassName[] = L"KETRA_ZERO_PROBE";
HINSTANCE g_module = nullptr;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = module;
    else if (reason == DLL_PROCESS_DETACH)
        UnregisterClassW(kClassName, module);
    return TRUE;
}

extern "C" HWND ZeroInitializeItem(TODAYLISTITEM* item, HWND parent)
{
    if (!item)
        return nullptr;
    WNDCLASSW wc = {};
    if (!GetClassInfoW(g_module, kClassName, &wc)) {
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = g_module;
        wc.lpszClassName = kClassName;
        RegisterClassW(&wc);
    }
    return CreateWindowExW(0, kClassName, L"", WS_CHILD, 0, 0, 240, 0, parent, nullptr, g_module, nullptr);
}
