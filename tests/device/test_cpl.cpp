// testcpl.cpl: a control-panel library for the control panel's tests.  It
// records every CPlApplet message in the device log ("testcpl: ...") and has
// two entries: "A Test Entry" (lData 41) opens nothing; "A Test Entry Two"
// (lData 42, described with the 32-bit device's record size) opens a window
// titled "Test Cpl Window" that stays until closed.
#include "cplext.h"
#include "devlog.h"

#include <strsafe.h>

namespace {

const wchar_t kWindowClass[] = L"TestCplWindow";
HINSTANCE g_instance = nullptr;

const struct {
    LONG data;
    const wchar_t* name;
    DWORD recordSize;
} kEntries[] = {
    {41, L"A Test Entry", sizeof(NEWCPLINFO)},
    {42, L"A Test Entry Two", NEWCPLINFO_DEVICE_SIZE},
};

void OpenTestWindow(HWND owner)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = g_instance;
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);
    CreateWindowExW(0, kWindowClass, L"Test Cpl Window", WS_POPUP | WS_VISIBLE, 0, 26, 240, 100, owner, nullptr,
                    g_instance, nullptr);
}

} // namespace

extern "C" LONG CALLBACK CPlApplet(HWND hwndCpl, UINT msg, LPARAM lParam1, LPARAM lParam2)
{
    int index = (int)lParam1;
    bool known = index >= 0 && index < (int)ARRAYSIZE(kEntries);
    switch (msg) {
    case CPL_INIT:
        DevLog(L"testcpl", L"init");
        return 1;
    case CPL_GETCOUNT:
        DevLog(L"testcpl", L"getcount");
        return ARRAYSIZE(kEntries);
    case CPL_NEWINQUIRE: {
        DevLog(L"testcpl", L"newinquire %d", index);
        auto* info = reinterpret_cast<NEWCPLINFO*>(lParam2);
        if (!known || !info)
            return 1;
        info->dwSize = kEntries[index].recordSize;
        info->dwFlags = 0;
        info->dwHelpContext = 0;
        info->lData = kEntries[index].data;
        info->hIcon = LoadIconW(nullptr, (LPCWSTR)IDI_INFORMATION);
        StringCchCopyW(info->szName, ARRAYSIZE(info->szName), kEntries[index].name);
        StringCchCopyW(info->szInfo, ARRAYSIZE(info->szInfo), L"An entry of the test library");
        return 0;
    }
    case CPL_DBLCLK:
        DevLog(L"testcpl", L"dblclk %d %ld", index, (long)lParam2);
        if (index == 1)
            OpenTestWindow(hwndCpl);
        return known ? 0 : 1;
    case CPL_STOP:
        DevLog(L"testcpl", L"stop %d %ld", index, (long)lParam2);
        return 0;
    case CPL_EXIT:
        DevLog(L"testcpl", L"exit");
        return 0;
    default:
        DevLog(L"testcpl", L"message %u", msg);
        return 0;
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_instance = instance;
    else if (reason == DLL_PROCESS_DETACH && !reserved)
        UnregisterClassW(kWindowClass, instance);
    return TRUE;
}
