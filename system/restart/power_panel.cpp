// The power panel's window: the picture, the tick when resident, pen down
// and up on the six areas, and the notification icon's taps.
#include "power_panel.h"

#include <aygshell.h>

#include "resource.h"

namespace PowerPanel {

const RECT kAreas[kAreaCount] = {
    {30, 50, 80, 130},    // lock
    {100, 50, 150, 130},  // power off
    {170, 50, 220, 130},  // soft reset
    {170, 137, 240, 169}, // close
    {34, 137, 166, 169},  // stay resident
    {0, 137, 34, 169},    // control panel
};

int AreaAt(POINT point)
{
    for (int i = 0; i < kAreaCount; ++i)
        if (PtInRect(&kAreas[i], point))
            return i;
    return -1;
}

namespace {

const POINT kTickAt = {8, 139};
constexpr int kTickSize = 16;

State* StateOf(HWND window)
{
    return reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void PrepareNotifyIcon(State& state)
{
    state.icon.cbSize = sizeof(state.icon);
    state.icon.hWnd = state.window;
    state.icon.uID = kNotifyIconId;
    state.icon.uFlags = NIF_MESSAGE | NIF_ICON;
    state.icon.uCallbackMessage = kNotifyMessage;
    state.icon.hIcon = static_cast<HICON>(
        LoadImageW(state.instance, MAKEINTRESOURCEW(IDI_RESTART), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
}

void Paint(State& state)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(state.window, &ps);
    if (state.picture) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, state.picture);
        BitBlt(dc, 0, 0, state.pictureSize.cx, state.pictureSize.cy, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
    } else {
        RECT client;
        GetClientRect(state.window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    }
    if (state.resident && state.tick)
        DrawIconEx(dc, kTickAt.x, kTickAt.y, state.tick, kTickSize, kTickSize, 0, nullptr, DI_NORMAL);
    EndPaint(state.window, &ps);
}

void PenDown(State& state, POINT point)
{
    SetCapture(state.window);
    state.pressedArea = AreaAt(point);
}

// An area acts only when the pen comes up in the area it went down in.
void PenUp(State& state, POINT point)
{
    // Taken before the release, which tells this window its capture ended.
    int pressed = state.pressedArea;
    state.pressedArea = -1;
    if (GetCapture() == state.window)
        ReleaseCapture();
    if (pressed >= 0 && AreaAt(point) == pressed)
        PerformArea(state, pressed);
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    State* state = StateOf(window);
    switch (message) {
    case WM_CREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        state = new State;
        state->window = window;
        state->instance = create->hInstance;
        state->picture = LoadPanelPicture(state->instance, &state->pictureSize);
        state->tick = static_cast<HICON>(LoadImageW(state->instance, MAKEINTRESOURCEW(IDI_RESIDENT_TICK), IMAGE_ICON,
                                                    kTickSize, kTickSize, LR_DEFAULTCOLOR));
        PrepareNotifyIcon(*state);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (state) {
            Paint(*state);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (state)
            PenDown(*state, POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)});
        return 0;
    case WM_LBUTTONUP:
        if (state)
            PenUp(*state, POINT{(short)LOWORD(lParam), (short)HIWORD(lParam)});
        return 0;
    case WM_CAPTURECHANGED:
        // A capture taken away (a message box, another program) ends the press.
        if (state && reinterpret_cast<HWND>(lParam) != window)
            state->pressedArea = -1;
        return 0;
    case kNotifyMessage:
        if (state && wParam == kNotifyIconId && lParam == WM_LBUTTONDOWN)
            ShowPanel(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        SHHandleWMActivate(window, wParam, lParam, nullptr, FALSE);
        return 0;
    case WM_SETTINGCHANGE:
        SHHandleWMSettingChange(window, wParam, lParam, nullptr);
        return 0;
    case WM_DESTROY:
        if (state) {
            DeleteNotifyIcon(*state);
            if (state->icon.hIcon)
                DestroyIcon(state->icon.hIcon);
            if (state->tick)
                DestroyIcon(state->tick);
            if (state->picture)
                DeleteObject(state->picture);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete state;
        }
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

BOOL RegisterPanelClass(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_RESTART));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = RESTART_CLASS;
    return RegisterClassW(&wc) != 0;
}

HWND CreatePanel(HINSTANCE instance)
{
    return CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, RESTART_CLASS, L"Restart", WS_POPUP,
                           kLeft, kTop, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
}

void ShowPanel(HWND window)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
}

}  // namespace PowerPanel
