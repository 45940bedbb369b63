// The title of a settings page, as every settings page of the system paints
// it: "Tahoma" 13 pixels high, bold, colour 0x804000, at (7, 4), over a black
// line across the page at y = 22.
//
//     void CMyPage::OnPaint(HDC dc) { CorPaintPageTitle(dc, L"Clock Settings"); ... }
#pragma once

#include <windows.h>

#include "corvane_api.h"

enum : int {
    kPageTitleHeight = 13,  // font height in pixels
    kPageTitleLeft = 7,
    kPageTitleTop = 4,
    kPageTitleLineY = 22,   // the line under the title; page content starts below it
};
constexpr COLORREF kPageTitleColour = 0x804000;

// Paints the title and the line, width pixels long, leaving the context's
// objects, colours and mode as they were.
CORVANE_API void CorPaintPageTitle(HDC dc, LPCWSTR title, int width = 240);
