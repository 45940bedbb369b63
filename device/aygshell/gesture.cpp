// Tap-and-hold recognition on stylus down.
#include "aygshell_private.h"

#include <devlog.h>

#include <stdlib.h>

namespace {

constexpr DWORD kDefaultHoldMs = 500;
constexpr DWORD kPollMs = 10;
constexpr DWORD kForceHold = 1;
constexpr DWORD kForceTap = 2;

// The pen as the hardware reports it.  A window of another thread (a
// program answering the task bar's hook about a press on the task bar)
// never sees the pen's messages in its own queue, so for such a window the
// wait ends on the pen's real state: up, or moved past the threshold.
class HardwarePen {
public:
    explicit HardwarePen(const SHRGINFO& info)
        : watch_(GetWindowThreadProcessId(info.hwndClient, nullptr) != GetCurrentThreadId()), down_(info.ptDown)
    {
        if (watch_)
            ClientToScreen(info.hwndClient, &down_);
    }

    // True when the gesture cannot be a hold any more.
    bool Ended() const
    {
        if (!watch_)
            return false;
        if (!(GetAsyncKeyState(VK_LBUTTON) & 0x8000))
            return true;
        POINT now;
        return GetCursorPos(&now) &&
               (abs(now.x - down_.x) > SHRG_THRESHOLD || abs(now.y - down_.y) > SHRG_THRESHOLD);
    }

private:
    bool watch_;
    POINT down_;
};

// True when the pen is still down, within the threshold, after the hold
// time.  Nothing is removed from the queue except small moves inside the
// threshold (pen jitter, which a hold absorbs): the up or the long move that
// ends the wait stays there for the window's normal handling.
bool WaitForHold(const SHRGINFO& info)
{
    DWORD holdMs = DevStateGetDword(L"HoldTime", kDefaultHoldMs);
    if (info.dwFlags & SHRG_LONGDELAY)
        holdMs *= 2;
    ULONGLONG deadline = GetTickCount64() + holdMs;
    const HardwarePen pen(info);
    for (;;) {
        if (pen.Ended())
            return false;
        MSG msg;
        if (PeekMessageW(&msg, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE | PM_NOYIELD))
            return false;
        if (PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE | PM_NOYIELD)) {
            POINT pt = {(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
            if (msg.hwnd && msg.hwnd != info.hwndClient)
                MapWindowPoints(msg.hwnd, info.hwndClient, &pt, 1);
            if (abs(pt.x - info.ptDown.x) > SHRG_THRESHOLD || abs(pt.y - info.ptDown.y) > SHRG_THRESHOLD)
                return false;
            PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE | PM_NOYIELD);
            continue;
        }
        if (GetTickCount64() >= deadline)
            return true;
        Sleep(kPollMs);
    }
}

// Tests decide the next gesture through the device state, once.
bool TakeForcedGesture(bool* held)
{
    DWORD forced = DevStateGetDword(L"ForceGesture", 0);
    if (forced != kForceHold && forced != kForceTap)
        return false;
    DevStateDelete(L"ForceGesture");
    *held = forced == kForceHold;
    return true;
}

void NotifyContextMenu(const SHRGINFO& info)
{
    HWND target = info.hwndClient;
    if (info.dwFlags & SHRG_NOTIFYPARENT) {
        HWND parent = GetParent(info.hwndClient);
        if (parent)
            target = parent;
    }
    NMRGINFO notify = {};
    notify.hdr.hwndFrom = info.hwndClient;
    notify.hdr.idFrom = (UINT_PTR)GetDlgCtrlID(info.hwndClient);
    notify.hdr.code = GN_CONTEXTMENU;
    notify.ptAction = info.ptDown;
    ClientToScreen(info.hwndClient, &notify.ptAction);
    SendMessageW(target, WM_NOTIFY, notify.hdr.idFrom, (LPARAM)&notify);
}

} // namespace

extern "C" DWORD WINAPI SHRecognizeGesture(SHRGINFO* shrg)
{
    if (!shrg || shrg->cbSize < sizeof(SHRGINFO) || !IsWindow(shrg->hwndClient))
        return 0;
    bool held = false;
    if (!TakeForcedGesture(&held))
        held = WaitForHold(*shrg);
    if (!held)
        return 0;
    if (!(shrg->dwFlags & SHRG_RETURNCMD))
        NotifyContextMenu(*shrg);
    return GN_CONTEXTMENU;
}
