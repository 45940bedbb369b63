// How the world clock looks: its colours, fonts and places, for the program
// (Globora.exe), its side-bar applet (Globora.dll) and their tests, which
// draw the expected texts with the same fonts at the same places.
#pragma once

#include <windows.h>

namespace globora {

// ---- colours ------------------------------------------------------------------
const COLORREF kFill = RGB(132, 132, 193);     // header and the area under the map
const COLORREF kBoxFill = RGB(208, 208, 232);
const COLORREF kText = RGB(64, 64, 128);
const COLORREF kHighlight = RGB(255, 255, 255);
const COLORREF kDot = RGB(255, 0, 0);          // the slot cities on the map

// ---- fonts: Tahoma, cell height in pixels ---------------------------------------
struct FontSpec {
    int height;
    int weight;
};
const wchar_t kFontFace[] = L"Tahoma";
const FontSpec kDigitFont = {18, FW_BOLD};        // box times
const FontSpec kHeaderClockFont = {20, FW_BOLD};  // header in clock mode
const FontSpec kHeaderCityFont = {13, FW_BOLD};   // header in city mode
const FontSpec kNameFont = {12, FW_NORMAL};       // city names, weekday, AM/PM
const FontSpec kListFont = {13, FW_NORMAL};       // the city list

// A font of this style (the caller deletes it).
inline HFONT CreateStyleFont(const FontSpec& style)
{
    return CreateFontW(style.height, 0, 0, 0, style.weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFontFace);
}

// ---- the program's window ---------------------------------------------------------
const int kWidth = 240;
const RECT kHeaderArea = {0, 0, 240, 50};
const RECT kMapArea = {0, 50, 240, 162};
const RECT kBoxAreas[4] = {{0, 163, 117, 208}, {117, 163, 234, 208}, {0, 208, 117, 253}, {117, 208, 234, 253}};
const int kMapWidth = 240;
const int kMapHeight = 112;

// The header and map strip: a 240 x 50 surface; the frame inside it.
const int kHeaderHeight = 50;
const RECT kHeaderFrame = {3, 5, 3 + 232, 5 + 36};
const POINT kHeaderClockText = {4, 10};   // from the frame's corner; the white copy one up and left
const POINT kHeaderCityLine1 = {4, 2};
const POINT kHeaderCityLine2 = {4, 18};

// The boxes: a 240 x 118 surface drawn at y = 163, one box per slot.
const int kBoxesTop = 163;
const int kBoxesHeight = 118;
const POINT kBoxOrigins[4] = {{3, 7}, {120, 7}, {3, 50}, {120, 50}};
const SIZE kBoxSize = {113, 39};
const POINT kBoxName = {5, 3};
const POINT kBoxWeekday = {87, 13};
const POINT kBoxAmPm = {87, 23};
const POINT kBoxTimeShort = {12, 15};  // a time text of fewer than 10 characters
const POINT kBoxTimeLong = {4, 15};
const POINT kBoxCopyIcon = {81, 0};
const POINT kBoxListIcon = {95, 0};
// Tap zones in a box area's top 20 pixels: the right-most 16 open the list,
// the 16 left of them copy the current city.
const int kBoxIconRow = 20;
const int kBoxIconZone = 16;

// ---- the applet ---------------------------------------------------------------------
const int kAppletWidth = 236;
const int kAppletHeight = 90;
const POINT kAppletBoxOrigins[4] = {{5, 4}, {120, 4}, {5, 47}, {120, 47}};
const SIZE kAppletBoxSize = {111, 39};
// The bar's shared colours (HKLM "Software\ZARQ\Ketra\Colors", DWORD "1" to "3").
const COLORREF kAppletBackground = RGB(252, 252, 254);
const COLORREF kAppletBoxFill = RGB(236, 233, 216);
const COLORREF kAppletText = RGB(0, 0, 0);

// ---- the map's projection (window pixels) -----------------------------------------
inline POINT MapPoint(double longitude, double latitude)
{
    return {(LONG)(120 + longitude * 120 / 180), (LONG)(116 - latitude * 70 / 90)};
}
inline double MapLongitude(int x)
{
    return (x - 120) / 120.0 * 180;
}
inline double MapLatitude(int y)
{
    return (116 - y) / 70.0 * 90;
}

} // namespace globora
