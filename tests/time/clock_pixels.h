// What the world clock shows, checked as the user sees it: texts drawn by
// the test with the clock's own fonts and compared with the screen, and
// another program's pop-up menu compared with the same menu shown by the
// test (a menu of another process cannot be read through its handle).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <ketra_testkit.h>

#include "clock_style.h"

namespace clocktest {

// The screen's pixels of a rectangle of a window's client area.
std::unique_ptr<testkit::PixelSurface> CaptureClient(HWND window, const RECT& area);

// How many pixels of the text's cell differ between the screen and the text
// drawn at client point `at` in the font and colour over a plain background;
// with shadow, drawn first in the colour and then in white one pixel up and
// left (at is where the coloured copy starts).  -1 when nothing could be read.
int TextDifference(HWND window, POINT at, const std::wstring& text, const globora::FontSpec& font,
                   COLORREF colour, COLORREF background, bool shadow = false);

// Pixels of a client rectangle that do not have this colour.
int OtherPixels(HWND window, const RECT& area, COLORREF colour);

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

} // namespace clocktest
