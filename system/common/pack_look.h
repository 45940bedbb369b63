// The look the system pack's applets share: the side bar's three colours,
// the pack's font, the tray strip "sp.bmp" beside the applet, and the
// messages between the applets and the bar.
#pragma once

#include <windows.h>

#include <corvane.h>
#include <ketra_host.h>

namespace PackLook {

// The tray strip and the options program beside the applets.
constexpr wchar_t kTrayStrip[] = L"sp.bmp";

// Tray icons of "sp.bmp".
enum TrayIcon {
    kIconExpanded = 1,
    kIconSystemBar = 3,
    kIconTaskBar = 4,
    kIconLauncher = 5,  // also the launcher's "Expand"
    kIconSettings = 6,
    kIconOption = 7,
};

// The applets' registered names, which the trays send to the bar.
constexpr wchar_t kSystemBar[] = L"System Bar";
constexpr wchar_t kTaskBar[] = L"TaskBar";
constexpr wchar_t kLauncher[] = L"Launcher";
constexpr wchar_t kSettings[] = L"Settings";

// The bar's colours, asked once per drawing (message 0x040A).
struct Colours {
    COLORREF background;  // 0
    COLORREF fill;        // 1
    COLORREF text;        // 2
};
Colours AskColours(CApplet* applet);

// Tahoma, height 12, weight 400.
BOOL CreatePackFont(CFont* font);

// path of name in the folder of the applet's library; false when it does
// not fit.
BOOL FileBesideApplet(HINSTANCE module, LPCWSTR name, wchar_t* path, size_t pathChars);

// Draws a single line of text in the selected font and colour, cut to the
// rectangle.
void DrawLine(HDC dc, LPCWSTR text, const RECT& rect);

// Draws a program's or shortcut's shell icon (16 x 16) at (x, y).
void DrawProgramIcon(HDC dc, int x, int y, LPCWSTR path);

}  // namespace PackLook
