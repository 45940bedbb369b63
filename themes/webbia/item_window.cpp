// The item window: the HTML view inside, navigated to what the mode shows
// and sized to its height.
#include "webbia.h"

#include <htmlctrl.h>
#include <todaycmn.h>
#include <wchar.h>

namespace {

const int kViewWidth = 240;
const int kResizedWidth = 242;
const int kAnimationMargin = 14;  // below the movie's box

struct ItemState {
    HWND view = nullptr;
    DWORD height = 0;
};

ItemState* StateOf(HWND hwnd)
{
    return reinterpret_cast<ItemState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Navigate(HWND hwnd, ItemState* state)
{
    ReadWebbiaSettings();
    const WebbiaSettings& s = g_webbiaSettings;
    wchar_t address[16 + kWebbiaTextMax];
    WPARAM flags = 0;
    DWORD height = s.height;
    if (s.mode == kWebbiaModeWebsite) {
        _snwprintf(address, ARRAYSIZE(address), L"http://%ls", s.website);
    } else if (s.mode == kWebbiaModeFile) {
        _snwprintf(address, ARRAYSIZE(address), L"file://%ls", s.file);
        flags = NAVIGATEFLAG_NOCACHE;
    } else if (TodayThemeIsAnimated()) {
        _snwprintf(address, ARRAYSIZE(address), L"file://%ls", WEBBIA_ANIMATION_PAGE);
        flags = NAVIGATEFLAG_NOCACHE;
        height = ClampHeight(PageHeight(WEBBIA_ANIMATION_PAGE) + kAnimationMargin);
    } else {
        _snwprintf(address, ARRAYSIZE(address), L"file://%ls", WEBBIA_EMPTY_PAGE);
        flags = NAVIGATEFLAG_NOCACHE;
        height = 0;
    }
    address[ARRAYSIZE(address) - 1] = L'\0';
    if (state->view)
        SendMessageW(state->view, DTM_NAVIGATE, flags, reinterpret_cast<LPARAM>(address));
    state->height = height;
    const UINT keep = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (state->view)
        SetWindowPos(state->view, nullptr, 0, 0, kResizedWidth, static_cast<int>(height), keep);
    SetWindowPos(hwnd, nullptr, 0, 0, kResizedWidth, static_cast<int>(height), keep);
}

LRESULT CALLBACK ItemProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ItemState* state = StateOf(hwnd);
    switch (msg) {
    case WM_CREATE: {
        state = new ItemState;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        // Without the device's HTML view the item still sizes itself.
        InitHTMLControl(g_webbiaModule);
        ReadWebbiaSettings();
        state->view = CreateWindowExW(0, DISPLAYCLASS, L"Webbia", WS_CHILD | WS_VISIBLE, 0, 0, kViewWidth,
                                      static_cast<int>(g_webbiaSettings.height), hwnd, nullptr, g_webbiaModule,
                                      nullptr);
        if (state->view) {
            ShowWindow(state->view, SW_SHOW);
            UpdateWindow(state->view);
        }
        Navigate(hwnd, state);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_TODAYCUSTOM_CLEARCACHE:
        if (state)
            Navigate(hwnd, state);
        return 0;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE: {
        auto* record = reinterpret_cast<TODAYLISTITEM*>(wParam);
        if (!state || !record)
            return 0;
        bool changed = record->cyp != state->height;
        record->cyp = state->height;
        return changed ? 1 : 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete state;
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegisterWebbiaClass()
{
    UnregisterClassW(WEBBIA_CLASS, g_webbiaModule);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ItemProc;
    wc.hInstance = g_webbiaModule;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = WEBBIA_CLASS;
    return RegisterClassW(&wc) != 0;
}

void UnregisterWebbiaClass()
{
    UnregisterClassW(WEBBIA_CLASS, g_webbiaModule);
}
