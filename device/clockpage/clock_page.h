// The device's clock page: the device's date, time and zone above the list
// of zones.  A zone chosen in the list becomes the device's ("TZIndex") and
// is written to the device log as "clock: zone <key>".  The control panel
// shows it for "cplmain.cpl 16,0" and \Windows\clock.exe on its own.
#pragma once
#include <windows.h>

// Shows the page with the given window title and runs until it is closed
// (the navigation bar's OK); returns the program's exit code.
int RunClockPage(HINSTANCE instance, const wchar_t* title);
