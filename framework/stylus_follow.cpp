// Keeping the stylus with the window that captured it.
//
// Under Wine a window that has captured the mouse gets the moves and the
// lift made outside it only while its thread owns the foreground window. The
// side bar and the applets in it do not take the foreground when tapped (a
// keyboard in the bar types into the program in front), so once the user had
// tapped another program, a drag that left the bar lost its moves and its
// lift: the bar's outline stayed on the screen and the next tap on the bar
// ended the drag at a place nobody chose. On the device the stylus stays with
// the capturing window. So while the stylus is down on a window of a thread
// that is not in front, a low-level mouse hook hands the window that holds
// the capture the moves and the lift, wherever they are made.
#include "stylus_follow.h"

namespace {

HHOOK g_follow = nullptr;

void StopFollowing()
{
    if (g_follow)
        ::UnhookWindowsHookEx(g_follow);
    g_follow = nullptr;
}

// Runs on the thread that installed it, for every mouse event of the device.
LRESULT CALLBACK FollowStylus(int code, WPARAM message, LPARAM lParam)
{
    const HHOOK hook = g_follow;
    if (code != HC_ACTION)
        return ::CallNextHookEx(hook, code, message, lParam);
    const HWND capture = ::GetCapture();
    if (capture && (message == WM_MOUSEMOVE || message == WM_LBUTTONUP)) {
        POINT client = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->pt;
        ::ScreenToClient(capture, &client);
        ::PostMessageW(capture, static_cast<UINT>(message), message == WM_MOUSEMOVE ? MK_LBUTTON : 0,
                       MAKELPARAM(client.x, client.y));
        if (message == WM_LBUTTONUP)
            StopFollowing();
        return 1;  // the window under the stylus gets nothing, as with a capture
    }
    if (message == WM_LBUTTONUP || message == WM_LBUTTONDOWN)
        StopFollowing();  // the press ended (or a new one began) without a capture
    return ::CallNextHookEx(hook, code, message, lParam);
}

bool ThreadIsInFront()
{
    const HWND front = ::GetForegroundWindow();
    return front && ::GetWindowThreadProcessId(front, nullptr) == ::GetCurrentThreadId();
}

}  // namespace

void FollowStylusWhileDown()
{
    // A press another part of the program sent is no stylus on the screen.
    const bool stylusDown = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    if (g_follow || !stylusDown || ThreadIsInFront())
        return;
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&FollowStylus), &self);
    g_follow = ::SetWindowsHookExW(WH_MOUSE_LL, FollowStylus, self, 0);
}
