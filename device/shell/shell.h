// The device shell process: owns the task bar ("HHTaskBar", the strip across
// the top of the screen) and the Today screen ("DesktopExplorerWindow"), which
// both start at boot and live until shutdown.
#pragma once
#include <windows.h>

// Device screen geometry.
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;
constexpr int kTaskBarHeight = 26;

// Task bar (taskbar.cpp).
BOOL RegisterTaskBarClass(HINSTANCE instance);
HWND CreateTaskBar(HINSTANCE instance);

// Today screen (today.cpp).
BOOL RegisterTodayClass(HINSTANCE instance);
HWND CreateTodayScreen(HINSTANCE instance);

// Drawing helpers shared by the shell's windows (paint.cpp).
void FillVerticalGradient(HDC dc, const RECT& rc, COLORREF top, COLORREF bottom);
HFONT CreateShellFont(int height, bool bold);
// The text of the owner's name (HKCU "ControlPanel\Owner" value "Owner",
// UTF-16, at most 36 characters), or an empty string.
void ReadOwnerName(wchar_t* name, int cch);
