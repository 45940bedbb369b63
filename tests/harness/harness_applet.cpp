// A minimal applet library for the harness: ordinal 240 creates a child
// window in the given parent and returns it.
#include <windows.h>

extern "C" HWND WINAPI CreateHarnessItem(void* /*item*/, HWND parent)
{
    // Id 240 and a known text let the caller see this very window came back.
    return CreateWindowExW(0, L"STATIC", L"harness item", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(240)), nullptr, nullptr);
}
