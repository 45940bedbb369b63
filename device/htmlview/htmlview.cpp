// htmlview.dll: the device's HTML view control.  InitHTMLControl registers
// the window class DISPLAYCLASS once per process; each window keeps its
// HtmlView in the user-data slot.
#include "devlog.h"
#include "htmlctrl.h"
#include "view.h"

namespace {

HINSTANCE g_module = nullptr;
bool g_registered = false;

LRESULT CALLBACK ViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* view = reinterpret_cast<HtmlView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        view = new (std::nothrow) HtmlView(hwnd);
        if (!view)
            return FALSE;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    } else if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete view;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (!view)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return view->Handle(message, wParam, lParam);
}

}  // namespace

extern "C" BOOL WINAPI InitHTMLControl(HINSTANCE)
{
    // Tests switch the view off to see how callers cope without one.
    if (DevStateGetDword(L"HtmlView", 1) == 0) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    if (g_registered)
        return TRUE;
    WNDCLASSW wc = {};
    // A process-wide class, so every module of the process can create it
    // whatever instance handle it passes.
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wc.lpfnWndProc = ViewProc;
    wc.hInstance = g_module;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = DISPLAYCLASS;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return FALSE;
    g_registered = true;
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && g_registered) {
        // A caller that loaded the view by path may unload it again.
        UnregisterClassW(DISPLAYCLASS, g_module);
        g_registered = false;
    }
    return TRUE;
}
