// The benchmark applet: the least an applet can be. Its window is a white
// child 240 x 40 that paints nothing of its own, so that timing a switch to
// it measures the side bar, not the applet.
#include <windows.h>

#include "todaycmn.h"

namespace {

const wchar_t kClassName[] = L"KETRA_BENCH_APPLET";
const int kWidth = 240;
const int kHeight = 40;

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

extern "C" HWND BenchInitializeItem(TODAYLISTITEM* item, HWND parent)
{
    if (!item || !item->fEnabled)
        return nullptr;
    WNDCLASSW wc = {};
    if (!GetClassInfoW(g_module, kClassName, &wc)) {
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = g_module;
        wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
        wc.lpszClassName = kClassName;
        if (!RegisterClassW(&wc))
            return nullptr;
    }
    return CreateWindowExW(0, kClassName, L"", WS_CHILD, 0, 0, kWidth, kHeight, parent, nullptr, g_module, nullptr);
}

extern "C" INT_PTR CALLBACK BenchOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    if (message == WM_INITDIALOG)
        return 1;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return 1;
    }
    return 0;
}
