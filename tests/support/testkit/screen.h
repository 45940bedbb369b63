// The device screen as the user sees it: pixels of all windows of all
// programs, and screenshots.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testkit {

COLORREF ScreenPixel(int x, int y);
// A point of a window's client area, read from the screen.
COLORREF ScreenPixel(HWND window, int x, int y);
// Pixels (x0, y) to (x1 - 1, y).
std::vector<COLORREF> ScreenRow(int y, int x0, int x1);
// Saves the whole screen as a PNG; false when it could not be written.
bool SaveScreenshot(const std::wstring& path);

}  // namespace testkit
