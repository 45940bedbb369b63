// Tap-and-hold on a skin window: the menus of "POWER" and "CLOSE"; a hold on
// any other button counts as a tap.
#include "skinwnd.h"

namespace {

struct MenuItem {
    UINT id;  // 0: a separator
    const wchar_t* text;
};

const MenuItem kPowerMenu[] = {
    {IDM_SKIN_POWEROFF, L"Power Off"},
    {IDM_SKIN_RESET, L"Reset"},
};

const MenuItem kCloseMenu[] = {
    {IDM_SKIN_NEXTWINDOW, L"Next Window"},
    {IDM_SKIN_CLOSE, L"Close"},
    {IDM_SKIN_CLOSEALL, L"Close All"},
    {0, nullptr},
    {IDM_SKIN_EXIT, L"Exit"},
};

// Shows the menu 10 pixels below the point (client coordinates of owner);
// the choice comes back to owner as a command.
template <size_t N>
void TrackMenu(const MenuItem (&items)[N], HWND owner, CPoint point)
{
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    for (const MenuItem& item : items) {
        if (item.id)
            ::AppendMenuW(menu, MF_STRING, item.id, item.text);
        else
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    ::ClientToScreen(owner, &point);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, point.x, point.y + 10, 0, owner, nullptr);
    ::DestroyMenu(menu);
}

}  // namespace

int CSkinWnd::OnTapHold(CButton* button, CPoint point)
{
    if (!button)
        return 0;
    if (button->IsEqual(L"POWER"))
        TrackMenu(kPowerMenu, m_hWnd, point);
    else if (button->IsEqual(L"CLOSE"))
        TrackMenu(kCloseMenu, m_hWnd, point);
    else
        OnClicked(button, point);
    return 1;
}
