#include "input.h"

#include "devlog.h"
#include "pump.h"

namespace testkit {

namespace {

const DWORD kTapPressMs = 50;  // well under a hold
const int kDragSteps = 10;
const DWORD kDragStepMs = 15;
const DWORD kSettleMs = 30;  // lets the target process each event
const DWORD kKeyPressMs = 30;

// Aims at the centre of the pixel, so that both a truncating and a rounding
// conversion back land on it.
LONG Normalise(int pixel, int extent)
{
    return (LONG)(((2LL * pixel + 1) * 65536) / (2LL * extent));
}

bool OnScreen(int x, int y)
{
    return x >= 0 && y >= 0 && x < GetSystemMetrics(SM_CXSCREEN) && y < GetSystemMetrics(SM_CYSCREEN);
}

bool SendStylus(int x, int y, DWORD buttonFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalise(x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalise(y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | buttonFlags;
    return SendInput(1, &input, sizeof(input)) == 1;
}

bool Press(int x, int y, DWORD downMs)
{
    if (!OnScreen(x, y))
        return false;
    // Moved there twice: the X server reports the pointer's move a little
    // late, and the old place arriving after the press would read as the
    // stylus moving (a hold would become a tap).
    if (!SendStylus(x, y, 0))
        return false;
    PumpMessages(kSettleMs * 4);
    if (!SendStylus(x, y, 0))
        return false;
    PumpMessages(kSettleMs);
    if (!SendStylus(x, y, MOUSEEVENTF_LEFTDOWN))
        return false;
    PumpMessages(downMs);
    const bool lifted = SendStylus(x, y, MOUSEEVENTF_LEFTUP);
    PumpMessages(kSettleMs);
    return lifted;
}

bool IsExtendedKey(WORD vk)
{
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
    case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS:
        return true;
    default:
        return false;
    }
}

bool SendKey(WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = (WORD)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    const bool sent = SendInput(1, &input, sizeof(input)) == 1;
    PumpMessages(kKeyPressMs);
    return sent;
}

}  // namespace

bool Tap(int x, int y)
{
    return Press(x, y, kTapPressMs);
}

bool Hold(int x, int y, DWORD ms)
{
    return Press(x, y, ms);
}

bool Drag(int x1, int y1, int x2, int y2)
{
    if (!OnScreen(x1, y1) || !OnScreen(x2, y2) || !SendStylus(x1, y1, 0))
        return false;
    PumpMessages(kSettleMs);
    if (!SendStylus(x1, y1, MOUSEEVENTF_LEFTDOWN))
        return false;
    // Several moves with pauses, so the target sees a motion, not a jump.
    bool ok = true;
    for (int step = 1; step <= kDragSteps && ok; ++step) {
        PumpMessages(kDragStepMs);
        ok = SendStylus(x1 + (x2 - x1) * step / kDragSteps, y1 + (y2 - y1) * step / kDragSteps, 0);
    }
    PumpMessages(kDragStepMs);
    // Lifted even after a failed move: a stylus left down confuses every later test.
    const bool lifted = SendStylus(x2, y2, MOUSEEVENTF_LEFTUP);
    PumpMessages(kSettleMs);
    return ok && lifted;
}

bool StylusDown(int x, int y)
{
    if (!OnScreen(x, y) || !SendStylus(x, y, 0))
        return false;
    PumpMessages(kSettleMs * 4);
    if (!SendStylus(x, y, 0))
        return false;
    PumpMessages(kSettleMs);
    const bool down = SendStylus(x, y, MOUSEEVENTF_LEFTDOWN);
    PumpMessages(kSettleMs);
    return down;
}

bool StylusUp(int x, int y)
{
    const bool lifted = OnScreen(x, y) && SendStylus(x, y, MOUSEEVENTF_LEFTUP);
    PumpMessages(kSettleMs);
    return lifted;
}

bool TapWindow(HWND window)
{
    RECT rect;
    return GetWindowRect(window, &rect) && Tap((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

bool TapClient(HWND window, int x, int y)
{
    POINT point = {x, y};
    return ClientToScreen(window, &point) && Tap(point.x, point.y);
}

bool PressKey(WORD vk)
{
    return KeyDown(vk) && KeyUp(vk);
}

bool KeyDown(WORD vk)
{
    return SendKey(vk, false);
}

bool KeyUp(WORD vk)
{
    return SendKey(vk, true);
}

void ForceNextGesture(DWORD gesture)
{
    DevStateSetDword(L"ForceGesture", gesture);
}

}  // namespace testkit
