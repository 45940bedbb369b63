// The designer's mock-ups: the Today screen with a tray, a message box and
// a warning box beside it, and the Start menu, drawn with a theme.
#pragma once

#include <windows.h>

#include <tessary.h>

enum {
    kMockupWidth = 240,
    kMockupHeight = 208,
    kStartMockupWidth = 82,
    kStartMockupHeight = 145,
};

// Where the Start-menu mock-up lies over the Today mock-up.
const POINT kStartMockupAt = {10, 38};

// The design pictures beside the program ("\QvTray.gif" ...); a missing
// one leaves its part of the mock-up empty.
struct DesignPictures {
    wchar_t tray[MAX_PATH];
    wchar_t info[MAX_PATH];
    wchar_t warning[MAX_PATH];
};

// The Today mock-up into dc (kMockupWidth x kMockupHeight) and the Start
// mock-up into startDc (kStartMockupWidth x kStartMockupHeight).  icons is
// the strip of the mock-ups' icons (magenta transparent).
void DrawTodayMockup(HDC dc, const CTskInfo& theme, const DesignPictures& pictures, HDC icons);
void DrawStartMockup(HDC dc, const CTskInfo& theme, HDC icons);
