// The task bar: the strip across the top of the device screen.  It shows the
// start flag, the foreground application's title, the notification icons and
// the time, and its right corner is the "ok" / smart-minimise button of the
// foreground application.  Programs talk to it through the shell library
// (WM_COPYDATA, shellproto.h) and may hook its taps (taskbar_hooks.cpp).
#include "shell.h"

#include "devclock.h"

#include <stdio.h>
#include <string.h>
#include <strsafe.h>

namespace {

const wchar_t kTaskBarClass[] = L"HHTaskBar";
const wchar_t kTodayClass[] = L"DesktopExplorerWindow";
constexpr DWORD kCaptionOkButton = 0x80000000;  // WS_EX_CAPTIONOKBTN
constexpr int kCornerLeft = 216;                // taps at x > 215 hit the corner
constexpr UINT_PTR kRefreshTimer = 1;
// Often enough that the title follows the foreground at once to the eye.
constexpr UINT kRefreshMs = 250;
constexpr WPARAM kButtonsChanged = 228;  // WM_SETTINGCHANGE: hardware-button assignments
constexpr int kIconsTop = 5;

// What the bar shows; it repaints when this changes.
struct BarView {
    HWND app;
    wchar_t title[SHELL_NAVTEXT_CCH];
    bool okButton;
    bool startIcon;
    int minute;
    unsigned icons;

    bool operator==(const BarView& other) const
    {
        return app == other.app && wcscmp(title, other.title) == 0 && okButton == other.okButton &&
               startIcon == other.startIcon && minute == other.minute && icons == other.icons;
    }
};
BarView g_shown = {};

// The theme's colours of the bar: a gradient from "5" at the left to "8"
// at the right, its text in "9".
const int kBarLeftColour = 5;
const int kBarRightColour = 8;
const int kBarTextColour = 9;
// Taps left of this open the Start menu (when the flag shows).
const int kStartFlagRight = 24;

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

// The window the "ok" corner answers for: the foreground window itself when
// it carries the button (a dialog over its program or over the side bar),
// else the foreground application.
HWND OkButtonWindow()
{
    HWND fg = GetForegroundWindow();
    if (fg && (GetWindowLongPtrW(fg, GWL_EXSTYLE) & kCaptionOkButton))
        return fg;
    return ForegroundApplication();
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

// The title: what SHSetNavBarText set for the foreground window, else the
// application's window text, else "Start" (also over the Today screen).
void ReadTitle(HWND app, wchar_t* title, int cch)
{
    HWND fg = GetForegroundWindow();
    if (fg && !IsTodayScreen(app) && GetNavBarText(fg, title, cch))
        return;
    if (app && !IsTodayScreen(app) && IsApplicationWindow(app) && GetWindowTextW(app, title, cch) > 0)
        return;
    StringCchCopyW(title, cch, L"Start");
}

BarView CurrentView()
{
    BarView view = {};
    view.app = ForegroundApplication();
    ReadTitle(view.app, view.title, SHELL_NAVTEXT_CCH);
    HWND okWindow = OkButtonWindow();
    view.okButton = okWindow && (GetWindowLongPtrW(okWindow, GWL_EXSTYLE) & kCaptionOkButton);
    view.startIcon = !GetFullScreenState(GetForegroundWindow()).startIconHidden;
    SYSTEMTIME now;
    DevClockLocal(&now);
    view.minute = now.wHour * 60 + now.wMinute;
    view.icons = NotifyIconsVersion();
    return view;
}

void PaintTaskBar(HWND wnd, HDC dc, const BarView& view)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    FillHorizontalGradient(dc, rc, ThemeColour(kBarLeftColour), ThemeColour(kBarRightColour));
    if (view.startIcon)
        DrawStartFlag(dc, 4, 5);

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ThemeColour(kBarTextColour));

    // Right to left: the corner, the clock, the icons, then the title in
    // what is left.
    wchar_t clock[32];
    int hour = (view.minute / 60) % 12 ? (view.minute / 60) % 12 : 12;
    StringCchPrintfW(clock, 32, L"%d:%02d", hour, view.minute % 60);
    HFONT normal = CreateShellFont(12, false);
    HGDIOBJ oldFont = SelectObject(dc, normal);
    SIZE clockSize = {};
    GetTextExtentPoint32W(dc, clock, (int)wcslen(clock), &clockSize);
    int clockRight = TaskBarContentRight(wnd, kCornerLeft - 4);
    RECT clockRect = {clockRight - clockSize.cx, 0, clockRight, kTaskBarHeight};
    DrawTextW(dc, clock, -1, &clockRect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);

    int iconsLeft = DrawNotifyIcons(dc, clockRect.left - 6, kIconsTop);

    HFONT bold = CreateShellFont(13, true);
    SelectObject(dc, bold);
    RECT titleRect = {view.startIcon ? 26 : 6, 0, iconsLeft - 4, kTaskBarHeight};
    DrawTextW(dc, view.title, -1, &titleRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(bold);
    DeleteObject(normal);

    DrawCorner(dc, view.okButton);
}

// A full-screen application hides the bar while it is in front; any other
// brings it back.
void ApplyFullScreen(HWND wnd)
{
    bool hide = GetFullScreenState(GetForegroundWindow()).taskBarHidden;
    bool visible = IsWindowVisible(wnd) != 0;
    if (hide && visible)
        ShowWindow(wnd, SW_HIDE);
    else if (!hide && !visible)
        SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Refresh(HWND wnd)
{
    ForgetDeadNavBarWindows();
    ForgetDeadNotifyIcons();
    ApplyFullScreen(wnd);
    KeepTopmostWindowsOnTop();
    PollDesktopInbox();
    if (!(CurrentView() == g_shown) || TaskBarChildrenChanged(wnd))
        InvalidateRect(wnd, nullptr, FALSE);
}

// A request of the shell library; records of another size are ignored.
LRESULT HandleCopyData(HWND wnd, const COPYDATASTRUCT* copy)
{
    if (!copy || !copy->lpData)
        return FALSE;
    bool taken = false;
    switch (copy->dwData) {
    case SHELL_NAVTEXT:
        if (copy->cbData == sizeof(SHELL_NAVTEXT_DATA))
            taken = HandleNavBarText(*static_cast<const SHELL_NAVTEXT_DATA*>(copy->lpData));
        break;
    case SHELL_FULLSCREEN:
        if (copy->cbData == sizeof(SHELL_FULLSCREEN_DATA))
            taken = HandleFullScreen(*static_cast<const SHELL_FULLSCREEN_DATA*>(copy->lpData));
        break;
    case SHELL_DONEBUTTON:
        // The button follows the window's extended style, read at painting.
        taken = copy->cbData == sizeof(SHELL_DONEBUTTON_DATA) &&
                IsWindow(static_cast<const SHELL_DONEBUTTON_DATA*>(copy->lpData)->hwnd);
        break;
    case SHELL_NOTIFYICON:
        if (copy->cbData == sizeof(SHELL_NOTIFYICON_DATA))
            taken = HandleNotifyIcon(*static_cast<const SHELL_NOTIFYICON_DATA*>(copy->lpData));
        break;
    case SHELL_CHILDPICTURE:
        if (copy->cbData == sizeof(SHELL_CHILDPICTURE_DATA))
            taken = HandleChildPicture(wnd, *static_cast<const SHELL_CHILDPICTURE_DATA*>(copy->lpData));
        break;
    }
    if (taken)
        InvalidateRect(wnd, nullptr, FALSE);
    return taken;
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
    HWND okWindow = OkButtonWindow();
    if (okWindow && (GetWindowLongPtrW(okWindow, GWL_EXSTYLE) & kCaptionOkButton)) {
        PostMessageW(okWindow, WM_COMMAND, IDOK, 0);
        return;
    }
    SmartMinimise(ForegroundApplication());
}

// The task bar's own handling of the messages its hooks hear.
void OwnHandling(HWND wnd, UINT msg, LPARAM lp)
{
    POINT point = {(short)LOWORD(lp), (short)HIWORD(lp)};
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetCapture(wnd);
        PressNotifyIcon(point);
        break;
    case WM_LBUTTONUP: {
        RECT rc;
        GetClientRect(wnd, &rc);
        if (!ReleaseNotifyIcon() && PtInRect(&rc, point) && point.x >= kCornerLeft)
            TapCorner();
        else if (PtInRect(&rc, point) && point.x < kStartFlagRight && g_shown.startIcon)
            ToggleStartMenu(wnd);
        InvalidateRect(wnd, nullptr, FALSE);
        break;
    }
    default:
        // Message 1024 with wParam 4 means nothing to the task bar itself:
        // it is there for its hooks.
        break;
    }
}

LRESULT CALLBACK TaskBarProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        SetTimer(wnd, kRefreshTimer, kRefreshMs, nullptr);
        StartHardwareKeys(wnd);
        return 0;
    case WM_TIMER:
        Refresh(wnd);
        return 0;
    case WM_MOUSEACTIVATE:
        // Taps on the task bar never take the foreground from the application.
        return MA_NOACTIVATE;
    case WM_COPYDATA:
        return HandleCopyData(wnd, reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_HOTKEY:
        OnHardwareKey(wp);
        return 0;
    case WM_SETTINGCHANGE:
        if (wp == kButtonsChanged)
            ReloadHardwareKeys();
        if (wp == kThemeChanged) {
            ReloadThemeColours();
            InvalidateRect(wnd, nullptr, FALSE);
        }
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
        g_shown = CurrentView();
        PaintTaskBar(wnd, mem, g_shown);
        DrawTaskBarChildren(wnd, mem);
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
    case WM_DESTROY:
        StopHardwareKeys(wnd);
        DestroyNotifyIcons();
        return 0;
    }
    if (msg == TaskBarHookMessage() && msg != 0)
        return HandleHookSubscription(reinterpret_cast<HWND>(wp), lp);
    if (IsHookedTaskBarMessage(msg, wp)) {
        // The capture belongs to the press, whoever handles the release.
        if (msg == WM_LBUTTONUP && GetCapture() == wnd)
            ReleaseCapture();
        if (AskTaskBarHooks(msg, wp, lp))
            return 0;
        if (TaskBarOwnsMessage(msg))
            OwnHandling(wnd, msg, lp);
        TellTaskBarHooks(msg, wp, lp);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

} // namespace

BOOL RegisterTaskBarClass(HINSTANCE instance)
{
    RegisterTaskBarHookMessages();
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
