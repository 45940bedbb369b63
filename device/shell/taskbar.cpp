// The task bar: the strip across the top of the device screen.  It shows the
// start flag, the foreground application's title and the time, and its right
// corner is the "ok" / smart-minimise button of the foreground application.
#include "shell.h"

#include <stdio.h>

namespace {

const wchar_t kTaskBarClass[] = L"HHTaskBar";
const wchar_t kTodayClass[] = L"DesktopExplorerWindow";
constexpr DWORD kCaptionOkButton = 0x80000000;  // WS_EX_CAPTIONOKBTN
constexpr int kCornerLeft = 216;                // taps at x > 215 hit the corner
constexpr UINT_PTR kRefreshTimer = 1;

const COLORREF kBarTop = RGB(0x2F, 0x6E, 0xCF);
const COLORREF kBarBottom = RGB(0x0B, 0x3B, 0x8F);

// An ordinary application window: visible, top-level, titled, not a tool
// window (the shell's own strips have empty titles and the tool style).
bool IsApplicationWindow(HWND wnd)
{
    if (!IsWindowVisible(wnd) || GetWindow(wnd, GW_OWNER))
        return false;
    if (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)
        return false;
    return GetWindowTextLengthW(wnd) > 0;
}

bool IsTodayScreen(HWND wnd)
{
    wchar_t cls[64];
    return wnd && GetClassNameW(wnd, cls, 64) && wcscmp(cls, kTodayClass) == 0;
}

// The application the task bar speaks for: the foreground window's top-level
// owner, when it is an application window.
HWND ForegroundApplication()
{
    HWND fg = GetForegroundWindow();
    if (!fg)
        return nullptr;
    HWND root = GetAncestor(fg, GA_ROOTOWNER);
    return root ? root : fg;
}

void DrawStartFlag(HDC dc, int x, int y)
{
    // Four tilted panes, like the device's start flag.
    const COLORREF colours[4] = {RGB(0xF2, 0x5A, 0x22), RGB(0x7F, 0xBA, 0x00), RGB(0x00, 0xA4, 0xEF),
                                 RGB(0xFF, 0xB9, 0x00)};
    for (int i = 0; i < 4; ++i) {
        int cx = x + (i % 2) * 8;
        int cy = y + (i / 2) * 8;
        HBRUSH brush = CreateSolidBrush(colours[i]);
        RECT pane = {cx, cy + (i % 2 ? 0 : 1), cx + 7, cy + 7 + (i % 2 ? 0 : 1)};
        FillRect(dc, &pane, brush);
        DeleteObject(brush);
    }
}

void DrawCorner(HDC dc, bool okButton)
{
    RECT corner = {kCornerLeft + 1, 3, kScreenWidth - 2, kTaskBarHeight - 3};
    HBRUSH ring = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
    HBRUSH fill = CreateSolidBrush(RGB(0x1D, 0x55, 0xB5));
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xFF, 0xFF, 0xFF));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, corner.left, corner.top, corner.right, corner.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(ring);
    DeleteObject(fill);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
    HFONT font = CreateShellFont(okButton ? 10 : 12, true);
    HGDIOBJ oldFont = SelectObject(dc, font);
    DrawTextW(dc, okButton ? L"ok" : L"X", -1, &corner, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

void PaintTaskBar(HWND wnd, HDC dc)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    FillVerticalGradient(dc, rc, kBarTop, kBarBottom);
    DrawStartFlag(dc, 4, 5);

    HWND app = ForegroundApplication();
    wchar_t title[128] = L"Start";
    if (app && !IsTodayScreen(app) && IsApplicationWindow(app))
        GetWindowTextW(app, title, 128);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0xFF, 0xFF, 0xFF));
    HFONT bold = CreateShellFont(13, true);
    HGDIOBJ oldFont = SelectObject(dc, bold);
    RECT titleRect = {26, 0, 160, kTaskBarHeight};
    DrawTextW(dc, title, -1, &titleRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);

    wchar_t clock[32];
    SYSTEMTIME now;
    GetLocalTime(&now);
    int hour = now.wHour % 12 ? now.wHour % 12 : 12;
    _snwprintf(clock, 31, L"%d:%02d", hour, now.wMinute);
    clock[31] = L'\0';
    HFONT normal = CreateShellFont(12, false);
    SelectObject(dc, normal);
    RECT clockRect = {160, 0, kCornerLeft - 4, kTaskBarHeight};
    DrawTextW(dc, clock, -1, &clockRect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    DeleteObject(bold);
    DeleteObject(normal);

    bool okButton = app && (GetWindowLongPtrW(app, GWL_EXSTYLE) & kCaptionOkButton);
    DrawCorner(dc, okButton);
}

// Smart minimise: the foreground application goes to the bottom and the next
// application, or else the Today screen, comes up.
void SmartMinimise(HWND app)
{
    HWND today = FindWindowW(kTodayClass, nullptr);
    if (app && app != today)
        SetWindowPos(app, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == app || w == today || !IsApplicationWindow(w))
            continue;
        SetForegroundWindow(w);
        return;
    }
    if (today)
        SetForegroundWindow(today);
}

void TapCorner()
{
    HWND app = ForegroundApplication();
    if (app && (GetWindowLongPtrW(app, GWL_EXSTYLE) & kCaptionOkButton)) {
        PostMessageW(app, WM_COMMAND, IDOK, 0);
        return;
    }
    SmartMinimise(app);
}

LRESULT CALLBACK TaskBarProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        SetTimer(wnd, kRefreshTimer, 1000, nullptr);
        return 0;
    case WM_TIMER:
        InvalidateRect(wnd, nullptr, FALSE);
        return 0;
    case WM_MOUSEACTIVATE:
        // Taps on the task bar never take the foreground from the application.
        return MA_NOACTIVATE;
    case WM_LBUTTONUP:
        if ((short)LOWORD(lp) >= kCornerLeft)
            TapCorner();
        InvalidateRect(wnd, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        // Double-buffered, so the clock tick does not flicker.
        HDC mem = CreateCompatibleDC(dc);
        HBITMAP bmp = CreateCompatibleBitmap(dc, kScreenWidth, kTaskBarHeight);
        HGDIOBJ old = SelectObject(mem, bmp);
        PaintTaskBar(wnd, mem);
        BitBlt(dc, 0, 0, kScreenWidth, kTaskBarHeight, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        // The task bar ends with the device; closing it ends the shell.
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

} // namespace

BOOL RegisterTaskBarClass(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = TaskBarProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kTaskBarClass;
    return RegisterClassW(&wc) != 0;
}

HWND CreateTaskBar(HINSTANCE instance)
{
    // Empty title and the tool-window style: programs that walk the ordinary
    // application windows skip the shell's strips.
    return CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTaskBarClass, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                           kScreenWidth, kTaskBarHeight, nullptr, nullptr, instance, nullptr);
}
