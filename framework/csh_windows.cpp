// CSH: closing, hiding and minimising other programs' windows, and the
// Today screen.
//
// The walks consider only ordinary application windows: visible, top-level
// (no owner, no parent, not a child) and not tool windows; the shell's own
// strips (task bar, menu bars, input panel) are tool windows with empty
// titles and never count. Window classes decide what happens to a window:
// the Today screen is never closed, the file explorer and dialogs are only
// hidden, media-player windows have their process killed, anything else is
// asked to close.
#include <windows.h>

#include <cwchar>
#include <vector>

#include "shell.h"

namespace {

const LONG_PTR kCaptionOkButton = static_cast<LONG_PTR>(0x80000000UL);  // WS_EX_CAPTIONOKBTN
const wchar_t kTodayClass[] = L"DesktopExplorerWindow";
const wchar_t kExplorerClass[] = L"Explore";
// The platform's dialog class is "Dialog" on the device and "#32770" on
// the desktop.
const wchar_t kDeviceDialogClass[] = L"Dialog";
const wchar_t kDesktopDialogClass[] = L"#32770";
const wchar_t kPlayerClassPrefix[] = L"WMP";

const int kClassChars = 128;
const int kMaxClosedPerCall = 50;
// Bound on the z-order walk, against a window list that keeps changing.
const size_t kMaxWalk = 4096;

// Normalised (0-65535) position of the navigation bar's close/minimise
// button in the top-right corner of the screen.
const DWORD kCornerX = 62804;
const DWORD kCornerY = 2047;

struct WindowClass {
    wchar_t name[kClassChars];
};

WindowClass ClassOf(HWND wnd)
{
    WindowClass cls = {};
    if (!::GetClassNameW(wnd, cls.name, kClassChars))
        cls.name[0] = L'\0';
    return cls;
}

bool HasTitle(HWND wnd)
{
    wchar_t title[2] = L"";
    return ::GetWindowTextW(wnd, title, 2) > 0 && title[0] != L'\0';
}

bool IsToday(const WindowClass& cls)
{
    return wcscmp(cls.name, kTodayClass) == 0;
}

bool IsExplorer(const WindowClass& cls)
{
    return wcscmp(cls.name, kExplorerClass) == 0;
}

bool IsDialog(const WindowClass& cls)
{
    return wcscmp(cls.name, kDeviceDialogClass) == 0 || wcscmp(cls.name, kDesktopDialogClass) == 0;
}

bool IsMediaPlayer(const WindowClass& cls)
{
    return wcsncmp(cls.name, kPlayerClassPrefix, wcslen(kPlayerClassPrefix)) == 0;
}

bool HasCaptionOkButton(HWND wnd)
{
    return (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & kCaptionOkButton) != 0;
}

bool IsOrdinaryAppWindow(HWND wnd, HWND own)
{
    if (wnd == own || !::IsWindowVisible(wnd))
        return false;
    if (::GetWindow(wnd, GW_OWNER) || ::GetParent(wnd))
        return false;
    if (::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD)
        return false;
    return (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0;
}

// The top-level windows from the top of the z-order down, taken before any
// of them is acted on (closing one would otherwise end the walk).
std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    for (HWND wnd = ::GetTopWindow(nullptr); wnd && windows.size() < kMaxWalk; wnd = ::GetWindow(wnd, GW_HWNDNEXT))
        windows.push_back(wnd);
    return windows;
}

void PressOk(HWND wnd)
{
    ::SendMessageW(wnd, WM_COMMAND, IDOK, 0);
}

// Out of sight at the bottom of the z-order, without activating anything.
void HideToBottom(HWND wnd)
{
    ::SetWindowPos(wnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

}  // namespace

BOOL CSH::CloseAllApps(HWND own)
{
    std::vector<HWND> toClose;
    for (HWND wnd : TopLevelWindows()) {
        if (!::IsWindow(wnd) || !IsOrdinaryAppWindow(wnd, own))
            continue;
        if (HasCaptionOkButton(wnd)) {
            PressOk(wnd);
            continue;
        }
        WindowClass cls = ClassOf(wnd);
        if (IsToday(cls))
            continue;
        if (IsExplorer(cls) || IsDialog(cls)) {
            HideToBottom(wnd);
            continue;
        }
        if (HasTitle(wnd) && toClose.size() < static_cast<size_t>(kMaxClosedPerCall))
            toClose.push_back(wnd);
    }

    for (HWND wnd : toClose) {
        if (!::IsWindowVisible(wnd))
            continue;
        if (IsMediaPlayer(ClassOf(wnd)))
            KillApp(wnd);
        else
            ::SendMessageW(wnd, WM_CLOSE, 0, 0);
    }
    Home();
    return TRUE;
}

BOOL CSH::CloseAll(HWND own)
{
    return CloseAllApps(own);
}

HWND CSH::GetForeApp(HWND own)
{
    for (HWND wnd : TopLevelWindows())
        if (IsOrdinaryAppWindow(wnd, own))
            return wnd;
    return nullptr;
}

BOOL CSH::CloseForeWindow(HWND own)
{
    HWND front = ::GetForegroundWindow();
    if (!front || front == own)
        front = GetForeApp(own);
    if (front)
        CloseWindow(front);
    return TRUE;
}

BOOL CSH::CloseWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd))
        return FALSE;
    if (HasCaptionOkButton(hWnd)) {
        PressOk(hWnd);
        return FALSE;
    }
    WindowClass cls = ClassOf(hWnd);
    if (IsToday(cls) || IsDialog(cls)) {
        MinimizeForeWindow();
        return TRUE;
    }
    if (IsExplorer(cls)) {
        HideToBottom(hWnd);
        return TRUE;
    }
    if (IsMediaPlayer(cls)) {
        KillApp(hWnd);
        return TRUE;
    }
    ::SendMessageW(hWnd, WM_CLOSE, 0, 0);
    return FALSE;
}

BOOL CSH::KillForeApp(HWND own)
{
    for (HWND wnd : TopLevelWindows()) {
        if (!IsOrdinaryAppWindow(wnd, own) || !HasTitle(wnd))
            continue;
        WindowClass cls = ClassOf(wnd);
        if (!cls.name[0])
            continue;
        if (IsToday(cls)) {
            MinimizeForeWindow();
            return TRUE;
        }
        if (IsExplorer(cls))
            HideToBottom(wnd);
        else
            KillApp(wnd);
        return FALSE;
    }
    return FALSE;
}

// The stylus goes down and up on the corner button; the shell then presses
// "ok" or minimises whatever is in front. The press carries a move so that
// the desktop, which ignores the coordinates of a press alone, taps there too.
// So does the release: the X server reports the pointer's move late, and the
// old place arriving between the two would otherwise lift the stylus there,
// off the corner, and the tap would be lost.
BOOL CSH::MinimizeForeWindow()
{
    ::mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, kCornerX, kCornerY, 0, 0);
    ::mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, kCornerX, kCornerY, 0, 0);
    return TRUE;
}

BOOL CSH::Home()
{
    HWND today = ::FindWindowW(kTodayClass, nullptr);
    if (!today)
        return FALSE;
    return ::SetForegroundWindow(today) ? TRUE : FALSE;
}
