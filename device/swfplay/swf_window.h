// The player's window: one movie playing in a box of a page.
#pragma once
#include <windows.h>

#define SWF_PLAYER_CLASS L"SwfPlayer"
// Asked of the window: the number of frames it has shown.
#define SWF_GET_FRAMES_SHOWN (WM_APP + 1)

// Creates the visible child window over `box` of `parent`, playing the movie
// at `path` (a device path, "file://" allowed) over `background` (CLR_INVALID:
// the movie's own).  A movie that cannot be played leaves the box filled and
// says why in the device log.
HWND CreateSwfPlayerWindow(HINSTANCE instance, HWND parent, const RECT& box, const wchar_t* path,
                           COLORREF background);

