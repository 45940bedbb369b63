// The tool's hook on the task bar: a press on the task bar's right end
// (x > 215) held down opens the tool's menu, and with "Close" set a plain
// tap closes the program in front.  Either swallows the press, so the task
// bar does nothing of its own for that tap.
//
// On the device the tool replaces the task bar's window procedure; here the
// task bar lives in another process and offers its hook chain instead
// (shellproto.h): the tool's window subscribes to the presses, and the
// side bar's hook, when it has one, is released and taken again around it
// so that it stays ahead of the tool's, as the device's chain of replaced
// procedures would have it.
#pragma once

#include <windows.h>

class CCornerHook {
public:
    // Posted to the window that subscribed: a press held on the corner
    // (WM_RBUTTONDOWN, which opens the menu), and the window in front to
    // close (wParam), done once the task bar has its answer.
    static constexpr UINT kCloseFront = WM_APP + 1;

    // Subscribes `window` to the task bar's presses; false without a task
    // bar or when the task bar refused.
    bool Install(HWND window);
    // Unsubscribes (always safe to call, also when never installed).
    void Remove();
    bool Installed() const { return m_window != nullptr; }
    HWND TaskBar() const { return m_taskBar; }

    // The task bar's question about one of its messages: non-zero swallows it.
    bool IsHookMessage(UINT message) const { return message != 0 && message == m_notifyMessage; }
    LRESULT OnTaskBarMessage(WPARAM packed, LPARAM lParam);

    // A corner tap the tool makes itself ("Minimize", or closing a window
    // that can only be minimised) must reach the task bar: it passes the
    // hook whenever it arrives.
    void ExpectOwnTap();

    // The window a corner tap closes without tapping the corner itself; null
    // when nothing in front can be closed so (the Today screen, a dialog,
    // the shell's or the side bar's windows, this tool's own, nothing).
    static HWND ClosableFrontWindow();

private:
    bool Subscribe(HWND window, LPARAM flags);

    HWND m_taskBar = nullptr;
    HWND m_window = nullptr;
    UINT m_subscribeMessage = 0;
    UINT m_notifyMessage = 0;
    int m_ownTaps = 0;
};
