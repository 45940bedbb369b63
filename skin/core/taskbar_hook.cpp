// The hook on the device's task bar.
//
// On the device the hook replaces the task bar's window procedure.  Here the
// task bar lives in another process, whose window procedure cannot be
// replaced, so it offers a chain of subscriber windows instead (shellproto.h):
// it asks them about each stylus release (and message 1024 with wParam 4)
// before its own handling, and tells them after it.  A hidden window of this
// process subscribes and does, around the task bar's own handling, what the
// replaced procedure did:
//   - a release right of x = 215: the notified window is hidden while the
//     task bar acts on the tap (so that it never counts as the window in
//     front), then the foreground window is told it lost activation, the
//     notified window comes back topmost and is sent 1029 with wParam 2;
//   - message 1024 with wParam 4: the notified window is sent 1029 with
//     wParam 2 before the task bar handles the message.
#include "taskbar_hook.h"

#include <shellproto.h>

#include "mmskinwnd.h"

namespace {

constexpr int kCornerRight = 215;      // releases right of this column close the window
constexpr UINT kSubscribeTimeoutMs = 2000;
constexpr UINT kActivateTimeoutMs = 1000;
// Shows the hidden window again should the task bar never report back (a
// subscriber further down its chain took the tap).
constexpr UINT_PTR kRestoreTimer = 1;
constexpr UINT kRestoreMs = 2000;
const wchar_t kHookWindowClass[] = L"SkivelTaskBarHook";

struct HookState {
    HWND taskBar;
    HWND hookWindow;  // the subscriber: stands where the task bar's own procedure was kept
    HWND notify;
    const void* owner;
    bool hidden;  // notify was hidden for a release the task bar is handling
};

HookState g_hook = {};
UINT g_subscribeMessage = 0;
UINT g_askMessage = 0;
UINT g_doneMessage = 0;

bool IsCornerRelease(UINT message, LPARAM lParam)
{
    return message == WM_LBUTTONUP && (short)LOWORD(lParam) > kCornerRight;
}

void ShowAgain(HWND notify)
{
    ::SetWindowPos(notify, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

// Before the task bar's own handling; 0 lets it go on.
LRESULT BeforeTaskBar(HWND hookWindow, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND notify = g_hook.notify;
    if (IsCornerRelease(message, lParam)) {
        ::SetWindowPos(notify, HWND_BOTTOM, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        g_hook.hidden = true;
        ::SetTimer(hookWindow, kRestoreTimer, kRestoreMs, nullptr);
    } else if (message == SHELL_HOOK_TASKBAR_MESSAGE && wParam == SHELL_HOOK_TASKBAR_WPARAM) {
        ::SendMessageW(notify, WM_SKIN_HOOKNOTIFY, 2, 0);
    }
    return 0;
}

// After the task bar's own handling.  The notified window may unhook while
// it handles 1029, so nothing of the state is used after that.
void AfterTaskBar(HWND hookWindow, UINT message, LPARAM lParam)
{
    if (!IsCornerRelease(message, lParam) || !g_hook.hidden)
        return;
    g_hook.hidden = false;
    ::KillTimer(hookWindow, kRestoreTimer);
    HWND notify = g_hook.notify;
    HWND foreground = ::GetForegroundWindow();
    if (foreground)
        ::SendMessageTimeoutW(foreground, WM_ACTIVATE, WA_INACTIVE, 0, SMTO_ABORTIFHUNG, kActivateTimeoutMs,
                              nullptr);
    ShowAgain(notify);
    ::SendMessageW(notify, WM_SKIN_HOOKNOTIFY, 2, 0);
}

LRESULT CALLBACK HookWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_askMessage && message != 0)
        return BeforeTaskBar(hWnd, SHELL_HOOK_MSG(wParam), SHELL_HOOK_WPARAM(wParam), lParam);
    if (message == g_doneMessage && message != 0) {
        AfterTaskBar(hWnd, SHELL_HOOK_MSG(wParam), lParam);
        return 0;
    }
    if (message == WM_TIMER && wParam == kRestoreTimer) {
        ::KillTimer(hWnd, kRestoreTimer);
        if (g_hook.hidden) {
            g_hook.hidden = false;
            ShowAgain(g_hook.notify);
        }
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&HookWindowProc), &module);
    return module;
}

HWND CreateHookWindow()
{
    HINSTANCE module = ThisModule();
    WNDCLASSW wc = {};
    if (!::GetClassInfoW(module, kHookWindowClass, &wc)) {
        wc.lpfnWndProc = HookWindowProc;
        wc.hInstance = module;
        wc.lpszClassName = kHookWindowClass;
        if (!::RegisterClassW(&wc))
            return nullptr;
    }
    return ::CreateWindowExW(0, kHookWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
}

void RegisterMessages()
{
    if (!g_subscribeMessage) {
        g_subscribeMessage = ::RegisterWindowMessageW(SHELL_HOOK_MESSAGE_NAME);
        g_askMessage = ::RegisterWindowMessageW(SHELL_HOOK_NOTIFY_NAME);
        g_doneMessage = ::RegisterWindowMessageW(SHELL_HOOK_DONE_NAME);
    }
}

}  // namespace

namespace taskbar_hook {

int Install(HWND notify, const void* owner)
{
    if (g_hook.hookWindow || !::IsWindow(notify))
        return 0;
    RegisterMessages();
    HWND taskBar = ::FindWindowW(SHELL_TASKBAR_CLASS, nullptr);
    if (!taskBar || !g_subscribeMessage)
        return 0;
    HWND hookWindow = CreateHookWindow();
    if (!hookWindow)
        return 0;
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(taskBar, g_subscribeMessage, reinterpret_cast<WPARAM>(hookWindow),
                               SHELL_HOOK_BEFORE | SHELL_HOOK_AFTER, SMTO_ABORTIFHUNG, kSubscribeTimeoutMs,
                               &answer) ||
        !answer) {
        ::DestroyWindow(hookWindow);
        return 0;
    }
    g_hook = HookState{taskBar, hookWindow, notify, owner, false};
    return 1;
}

void Remove()
{
    if (!g_hook.hookWindow)
        return;
    HookState old = g_hook;
    g_hook = HookState{};
    if (::IsWindow(old.taskBar))
        ::SendMessageTimeoutW(old.taskBar, g_subscribeMessage, reinterpret_cast<WPARAM>(old.hookWindow),
                              SHELL_HOOK_OFF, SMTO_ABORTIFHUNG, kSubscribeTimeoutMs, nullptr);
    if (old.hidden)
        ShowAgain(old.notify);
    ::DestroyWindow(old.hookWindow);
}

int IsInstalled()
{
    return g_hook.hookWindow != nullptr;
}

const void* Owner()
{
    return g_hook.owner;
}

}  // namespace taskbar_hook
