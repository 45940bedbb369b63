// The menu bar's description, read from its resources (menubar_resource.cpp)
// and shown by its window (menubar.cpp).
#pragma once
#include "aygshell_private.h"

#include <vector>

struct MenuBarButton {
    int image = I_IMAGENONE;     // index into the bitmap strip
    UINT command = 0;
    BYTE state = TBSTATE_ENABLED;
    BYTE style = SHMB_BUTTON;    // SHMB_*
    std::wstring label;          // empty: image only
    HMENU popup = nullptr;       // drop-downs: the pop-up they open
};

struct MenuBarLayout {
    HMENU menu = nullptr;        // owns the pop-ups; destroyed with the bar
    std::vector<MenuBarButton> buttons;
};

// The state of one menu bar window (its user data).
struct MenuBar {
    HWND owner = nullptr;
    HWND toolbar = nullptr;
    HFONT font = nullptr;
    COLORREF background = RGB(0xDA, 0xE2, 0xF2);  // light grey-blue
    MenuBarLayout layout;
    std::vector<std::pair<UINT, HMENU>> popups;  // drop-down command -> pop-up
    std::vector<std::wstring> tips;              // for the image buttons, in order
    HIMAGELIST images = nullptr;                 // owned
    int imageWidth = 16;
    int imageHeight = 16;
};

// Reads menu bar `id` of `module`: the RCDATA format of aygshell.h, or a bare
// MENU resource (also when forceMenu).  False, with nothing allocated, for a
// missing or malformed resource.
bool LoadMenuBarLayout(HINSTANCE module, UINT id, bool forceMenu, MenuBarLayout* layout);

// Images (menubar_images.cpp).  Strips are added the device's way: light
// grey (0xC0C0C0) is transparent.  AddImages answers TB_ADDBITMAP.
void SetImageSize(MenuBar* bar, int cx, int cy);
LRESULT AddImages(MenuBar* bar, const TBADDBITMAP* add);
// A strip of `count` images from a bitmap resource; the image size is the
// bitmap's height and its width over the count.
void AddBitmapStrip(MenuBar* bar, HINSTANCE module, int bitmapId, int count);
void FreeImages(MenuBar* bar);

// Drawing (menubar_draw.cpp).
void PaintMenuBarBackground(HWND wnd, const MenuBar* bar, HDC dc);
// NM_CUSTOMDRAW of the inner toolbar.
LRESULT DrawMenuBarButton(const MenuBar* bar, NMTBCUSTOMDRAW* draw);
