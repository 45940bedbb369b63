#include "corner_hook.h"

#include <aygshell.h>
#include <ketra_host.h>
#include <shellproto.h>

#include <cwchar>

#include "battery_level.h"

namespace {

constexpr int kCornerRight = 215;  // presses right of this column are the corner's
constexpr UINT kTaskBarTimeoutMs = 2000;
constexpr DWORD kHostTimeoutMs = 2000;

bool HasClass(HWND window, const wchar_t* name)
{
    wchar_t cls[64] = L"";
    return GetClassNameW(window, cls, 64) > 0 && wcscmp(cls, name) == 0;
}

// The side bar holds its own hook: it lets go of it around a change of the
// chain and takes it again afterwards (1028 with 3, 5 and 4).
bool ReleaseHostHook()
{
    LRESULT hooked = 0;
    if (!KetraSend(WM_KETRA_CONTROL, KETRA_CONTROL_IS_HOOKED, 0, kHostTimeoutMs, &hooked) || !hooked)
        return false;
    KetraSend(WM_KETRA_CONTROL, KETRA_CONTROL_UNHOOK, 0, kHostTimeoutMs);
    return true;
}

void RetakeHostHook()
{
    KetraSend(WM_KETRA_CONTROL, KETRA_CONTROL_HOOK, 0, kHostTimeoutMs);
}

}  // namespace

bool CCornerHook::Subscribe(HWND window, LPARAM flags)
{
    DWORD_PTR answer = 0;
    return m_taskBar && SendMessageTimeoutW(m_taskBar, m_subscribeMessage, reinterpret_cast<WPARAM>(window), flags,
                                            SMTO_ABORTIFHUNG, kTaskBarTimeoutMs, &answer) &&
           answer != 0;
}

bool CCornerHook::Install(HWND window)
{
    if (m_window)
        return true;  // never twice
    m_taskBar = FindWindowW(SHELL_TASKBAR_CLASS, nullptr);
    m_subscribeMessage = RegisterWindowMessageW(SHELL_HOOK_MESSAGE_NAME);
    m_notifyMessage = RegisterWindowMessageW(SHELL_HOOK_NOTIFY_NAME);
    if (!m_taskBar || !m_subscribeMessage || !m_notifyMessage)
        return false;
    const bool hostHooked = ReleaseHostHook();
    const bool subscribed = Subscribe(window, SHELL_HOOK_BEFORE | SHELL_HOOK_PRESSES);
    if (hostHooked)
        RetakeHostHook();
    if (subscribed)
        m_window = window;
    return subscribed;
}

void CCornerHook::Remove()
{
    if (!m_window)
        return;
    HWND window = m_window;
    m_window = nullptr;
    const bool hostHooked = ReleaseHostHook();
    if (IsWindow(m_taskBar))
        Subscribe(window, SHELL_HOOK_OFF);
    if (hostHooked)
        RetakeHostHook();
}

void CCornerHook::ExpectOwnTap()
{
    // A hidden task bar (a full-screen program in front) never gets the tap.
    if (m_window && IsWindowVisible(m_taskBar))
        ++m_ownTaps;
}

LRESULT CCornerHook::OnTaskBarMessage(WPARAM packed, LPARAM lParam)
{
    if (!m_window || SHELL_HOOK_MSG(packed) != WM_LBUTTONDOWN)
        return 0;
    const POINT point = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    if (point.x <= kCornerRight)
        return 0;
    if (m_ownTaps > 0) {
        --m_ownTaps;
        return 0;
    }
    SHRGINFO gesture = {};
    gesture.cbSize = sizeof(gesture);
    gesture.hwndClient = m_taskBar;
    gesture.ptDown = point;
    gesture.dwFlags = SHRG_RETURNCMD;
    if (SHRecognizeGesture(&gesture) == GN_CONTEXTMENU) {
        PostMessageW(m_window, WM_RBUTTONDOWN, 0, 0);
        return 1;
    }
    if (!BatteryLevel::CloseOnCorner())
        return 0;
    HWND front = ClosableFrontWindow();
    if (!front)
        return 0;
    // Closed once the task bar has its answer: the program may take its
    // time, and must not keep the task bar waiting.
    PostMessageW(m_window, kCloseFront, reinterpret_cast<WPARAM>(front), 0);
    return 1;
}

HWND CCornerHook::ClosableFrontWindow()
{
    HWND front = GetForegroundWindow();
    if (!front || !IsWindowVisible(front))
        return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(front, &process);
    if (process == GetCurrentProcessId())
        return nullptr;
    static const wchar_t* const kNeverClosed[] = {
        L"DesktopExplorerWindow",  // the Today screen
        SHELL_TASKBAR_CLASS,       // the task bar
        KETRA_CLASS,               // the side bar
        L"Dialog",                 // dialogs are only minimised
        L"#32770",
    };
    for (const wchar_t* name : kNeverClosed)
        if (HasClass(front, name))
            return nullptr;
    return front;
}
