// Windows of any program on the device: found by class, waited for, counted,
// listed.
#pragma once
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

namespace testkit {

// The first top-level window of the class (other than `other`), waiting up
// to ms for one; null when none came.
HWND WaitForWindow(const wchar_t* className, DWORD ms, HWND other = nullptr);
// Waits up to ms until no top-level window of the class is left.
bool WaitNoWindow(const wchar_t* className, DWORD ms);
int CountWindows(const wchar_t* className);
// The first visible top-level window of the class, null when none shows.
HWND VisibleWindow(const wchar_t* className);
// Waits until the program owning the window has finished starting (waits
// for input in its message loop).
void WaitUntilIdle(HWND window);
// The first child, at any depth, of that class and (unless 0) that id.
HWND FindChild(HWND parent, const wchar_t* className, int id = 0);

RECT WindowRect(HWND window);  // on the screen; empty for null
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);

// Makes the window the foreground window and waits until it is.
bool BringToFront(HWND window);

// The device shell's task bar and Today screen.
HWND TaskBar();
HWND TodayScreen();
// Tells every window that a setting changed, as settings programs do.
void BroadcastSettingChange(WPARAM what);

// One line per top-level window, top first: handle, class, "title",
// rectangle, visible or hidden, owning process id.
std::vector<std::wstring> DescribeWindows();

// Whether upper comes before lower in the order of the top-level windows
// (false when upper is not met before lower, or neither is there).
bool IsAbove(HWND upper, HWND lower);

}  // namespace testkit

// Rectangles and points compared and printed whole in checks:
//     EXPECT_EQ((RECT{0, 26, 240, 320}), testkit::WindowRect(window));
inline bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const RECT& a, const RECT& b) { return !(a == b); }
inline void PrintTo(const RECT& r, std::ostream* out)
{
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const POINT& a, const POINT& b) { return !(a == b); }
inline void PrintTo(const POINT& p, std::ostream* out) { *out << "(" << p.x << ", " << p.y << ")"; }
