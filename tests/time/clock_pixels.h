// What the world clock shows, checked as the user sees it: texts drawn by
// the test with the clock's own fonts and compared with the screen (the
// pop-up menus and captures are the test kit's, screen_compare.h).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <ketra_testkit.h>

#include "clock_style.h"

namespace clocktest {

using testkit::CaptureClient;
using testkit::MenuItem;
using testkit::PopupMenuShows;
using testkit::WaitForPopupMenu;

// How many pixels of the text's cell differ between the screen and the text
// drawn at client point `at` in the font and colour over a plain background;
// with shadow, drawn first in the colour and then in white one pixel up and
// left (at is where the coloured copy starts).  -1 when nothing could be read.
int TextDifference(HWND window, POINT at, const std::wstring& text, const globora::FontSpec& font,
                   COLORREF colour, COLORREF background, bool shadow = false);

// Pixels of a client rectangle that do not have this colour.
int OtherPixels(HWND window, const RECT& area, COLORREF colour);

} // namespace clocktest
