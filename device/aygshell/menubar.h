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

// Reads menu bar `id` of `module`: the RCDATA format of aygshell.h, or a bare
// MENU resource (also when forceMenu).  False, with nothing allocated, for a
// missing or malformed resource.
bool LoadMenuBarLayout(HINSTANCE module, UINT id, bool forceMenu, MenuBarLayout* layout);
