// shelltestitem.dll: a Today item of the test devices (registered by
// tools/manifest/tests.txt as "Shell Test Item").  It writes what the Today
// screen asks of it to the device log (source "testitem"), wants the height
// held in its registration's "Height" value, and paints nothing but the
// background the screen draws for it, so tests can compare its pixels with
// the screen around it.
#include <windows.h>

#include <devlog.h>
#include <todaycmn.h>

namespace {

const wchar_t kItemClass[] = L"ShellTestItem";
const wchar_t kItemKey[] = TODAY_ITEMS_KEY L"\\Shell Test Item";
constexpr DWORD kDefaultHeight = 30;

HINSTANCE g_instance = nullptr;

DWORD WantedHeight()
{
    DWORD height = 0;
    DWORD cb = sizeof(height);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kItemKey, L"Height", RRF_RT_REG_DWORD, nullptr, &height, &cb) !=
            ERROR_SUCCESS ||
        height == 0)
        return kDefaultHeight;
    return height;
}

LRESULT CALLBACK ItemProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE: {
        TODAYLISTITEM* item = reinterpret_cast<TODAYLISTITEM*>(wp);
        DWORD wanted = WantedHeight();
        DevLog(L"testitem", L"query (%lu)", wanted);
        if (!item || item->cyp == wanted)
            return 0;
        item->cyp = wanted;
        return 1;
    }
    case WM_TODAYCUSTOM_CLEARCACHE:
        DevLog(L"testitem", L"clear cache");
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        TODAYDRAWWATERMARKINFO info = {dc, {}, wnd};
        GetClientRect(wnd, &info.rc);
        SendMessageW(GetParent(wnd), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        DevLog(L"testitem", L"destroyed");
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

} // namespace

extern "C" HWND InitializeCustomItem(TODAYLISTITEM* item, HWND parent)
{
    if (!item || !item->fEnabled)
        return nullptr;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ItemProc;
    wc.hInstance = g_instance;
    wc.lpszClassName = kItemClass;
    RegisterClassW(&wc);  // fails harmlessly when the item is loaded again
    DevLog(L"testitem", L"init \"%ls\" order %lu", item->szName, item->dwOrder);
    return CreateWindowExW(0, kItemClass, L"", WS_CHILD, 0, 0, 240, 20, parent, nullptr, g_instance, nullptr);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_instance = instance;
    else if (reason == DLL_PROCESS_DETACH)
        UnregisterClassW(kItemClass, instance);
    return TRUE;
}
