// Stylus and key input as the device's hardware makes it (through the
// system's input queue), sent from the test itself.  This thread's
// messages are dispatched while the stylus is down, so the test's own
// windows see the gesture as it happens.
#pragma once
#include <windows.h>

namespace testkit {

// At screen points; false when the point is off the screen or input failed.
bool Tap(int x, int y);
bool Hold(int x, int y, DWORD ms = 800);
bool Drag(int x1, int y1, int x2, int y2);
// The stylus put down and lifted again at screen points, for a test that
// looks at the screen while it is down.  Every StylusDown needs its StylusUp.
bool StylusDown(int x, int y);
bool StylusUp(int x, int y);
// A tap in the middle of a window, or at a point of its client area.
bool TapWindow(HWND window);
bool TapClient(HWND window, int x, int y);
// A key pressed and released (VK code).
bool PressKey(WORD vk);
bool KeyDown(WORD vk);
bool KeyUp(WORD vk);

// Makes the device's next gesture a hold (1) or a tap (2), whatever the
// stylus does.
void ForceNextGesture(DWORD gesture);

}  // namespace testkit
