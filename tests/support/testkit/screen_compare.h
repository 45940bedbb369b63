// What another program shows, checked as the user sees it: a pop-up menu
// compared with the same menu shown by the test at the same place (a menu
// of another process cannot be read through its handle), and texts drawn
// by the test in a given font and compared with the screen.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "pictures.h"

namespace testkit {

// The screen's pixels of a screen rectangle, and of a rectangle of a
// window's client area.
std::unique_ptr<PixelSurface> CaptureScreen(const RECT& screenArea);
std::unique_ptr<PixelSurface> CaptureClient(HWND window, const RECT& area);
// Pixels that differ between two surfaces of one size; -1 for two sizes.
int Differences(const PixelSurface& a, const PixelSurface& b);

// How many pixels of the text's cell differ between the screen and the
// text drawn at client point `at` of the window, in the font and colour
// over a plain background.  The font stays the caller's.
int TextDifference(HWND window, POINT at, const std::wstring& text, HFONT font, COLORREF colour,
                   COLORREF background);

struct MenuItem {
    std::wstring text;  // empty: a separator
    bool grayed = false;
};

// The visible pop-up menu of another program (null when none shows within ms).
HWND WaitForPopupMenu(DWORD ms);

// Whether the visible pop-up menu looks exactly like these items shown by
// this test at the same place; what differed goes to `why`.  The other
// program's menu is closed (Escape) on the way.
bool PopupMenuShows(const std::vector<MenuItem>& items, std::string* why);

}  // namespace testkit
