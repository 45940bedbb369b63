// Reading a menu bar's resources (format described in aygshell.h).
#include "menubar.h"

namespace {

constexpr size_t kHeaderWords = 2;
constexpr size_t kButtonWords = 7;

std::wstring LoadLabel(HINSTANCE module, UINT id)
{
    const wchar_t* text = nullptr;
    int cch = LoadStringW(module, id, (LPWSTR)&text, 0);  // read-only pointer into the resource
    return cch > 0 && text ? std::wstring(text, cch) : std::wstring();
}

bool FromMenuBarData(HINSTANCE module, const WORD* words, size_t count, MenuBarLayout* layout)
{
    if (count < kHeaderWords)
        return false;
    UINT menuId = words[0];
    size_t buttons = words[1];
    if (count < kHeaderWords + buttons * kButtonWords)
        return false;
    HMENU menu = nullptr;
    if (menuId) {
        menu = LoadMenuW(module, MAKEINTRESOURCEW(menuId));
        if (!menu)
            return false;
    }
    std::vector<MenuBarButton> result;
    for (size_t i = 0; i < buttons; ++i) {
        const WORD* record = words + kHeaderWords + i * kButtonWords;
        MenuBarButton button;
        button.image = (short)record[0];
        button.command = record[1];
        button.state = (BYTE)record[2];
        button.style = (BYTE)record[3];
        if (record[4] != SHMB_NOLABEL)
            button.label = LoadLabel(module, record[4]);
        if (button.style & SHMB_DROPDOWN) {
            button.popup = (menu && record[6] != SHMB_NOMENU) ? GetSubMenu(menu, record[6]) : nullptr;
            if (!button.popup) {
                if (menu)
                    DestroyMenu(menu);
                return false;
            }
        }
        result.push_back(button);
    }
    layout->menu = menu;
    layout->buttons = result;
    return true;
}

// A bare MENU: its top level becomes the bar.
bool FromMenu(HINSTANCE module, UINT id, MenuBarLayout* layout)
{
    HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(id));
    if (!menu)
        return false;
    std::vector<MenuBarButton> result;
    int items = GetMenuItemCount(menu);
    for (int i = 0; i < items; ++i) {
        wchar_t text[64] = L"";
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = 63;
        if (!GetMenuItemInfoW(menu, (UINT)i, TRUE, &info) || (info.fType & MFT_SEPARATOR))
            continue;
        MenuBarButton button;
        button.label = text;
        button.style = SHMB_AUTOSIZE;
        button.state = (info.fState & MFS_DISABLED) ? 0 : TBSTATE_ENABLED;
        if (info.hSubMenu) {
            button.style |= SHMB_DROPDOWN;
            button.command = SHMB_HMENU_FIRSTCMD + (UINT)i;
            button.popup = info.hSubMenu;
        } else {
            button.command = info.wID;
        }
        result.push_back(button);
    }
    layout->menu = menu;
    layout->buttons = result;
    return true;
}

} // namespace

bool LoadMenuBarLayout(HINSTANCE module, UINT id, bool forceMenu, MenuBarLayout* layout)
{
    if (!forceMenu) {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
        if (found) {
            HGLOBAL loaded = LoadResource(module, found);
            const WORD* words = loaded ? (const WORD*)LockResource(loaded) : nullptr;
            DWORD size = SizeofResource(module, found);
            return words && FromMenuBarData(module, words, size / sizeof(WORD), layout);
        }
    }
    return FromMenu(module, id, layout);
}
