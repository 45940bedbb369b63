// Painting of the menu bar: the Pocket PC 2003 look.
#include "menubar.h"

namespace {

const COLORREF kTopLine = RGB(0x7B, 0x8C, 0xAD);
const COLORREF kPressedFill = RGB(0x31, 0x5A, 0xA5);

} // namespace

// Text buttons are drawn here, the device's way: the label centred, and the
// button filled dark with a white label while pressed or checked.  Image
// buttons keep the toolbar's drawing.
LRESULT DrawMenuBarButton(const MenuBar* bar, NMTBCUSTOMDRAW* draw)
{
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    UINT command = (UINT)draw->nmcd.dwItemSpec;
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_IMAGE;
    if (SendMessageW(bar->toolbar, TB_GETBUTTONINFOW, command, (LPARAM)&info) < 0 || info.iImage != I_IMAGENONE)
        return CDRF_DODEFAULT;
    // The toolbar copies a label without a size: ask for its length first.
    LRESULT length = SendMessageW(bar->toolbar, TB_GETBUTTONTEXTW, command, 0);
    std::wstring label(length > 0 ? (size_t)length + 1 : 1, L'\0');
    if (length > 0)
        SendMessageW(bar->toolbar, TB_GETBUTTONTEXTW, command, (LPARAM)&label[0]);

    HDC dc = draw->nmcd.hdc;
    RECT rc = draw->nmcd.rc;
    bool down = (draw->nmcd.uItemState & (CDIS_SELECTED | CDIS_CHECKED)) != 0;
    if (down) {
        HBRUSH fill = CreateSolidBrush(kPressedFill);
        FillRect(dc, &rc, fill);
        DeleteObject(fill);
    }
    bool enabled = !(draw->nmcd.uItemState & CDIS_DISABLED);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, down ? RGB(0xFF, 0xFF, 0xFF) : enabled ? RGB(0, 0, 0) : GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ oldFont = bar->font ? SelectObject(dc, bar->font) : nullptr;
    DrawTextW(dc, label.c_str(), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (oldFont)
        SelectObject(dc, oldFont);
    return CDRF_SKIPDEFAULT;
}

void PaintMenuBarBackground(HWND wnd, const MenuBar* bar, HDC dc)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    HBRUSH fill = CreateSolidBrush(bar->background);
    FillRect(dc, &rc, fill);
    DeleteObject(fill);
    RECT line = {rc.left, rc.top, rc.right, rc.top + 1};
    HBRUSH edge = CreateSolidBrush(kTopLine);
    FillRect(dc, &line, edge);
    DeleteObject(edge);
}
