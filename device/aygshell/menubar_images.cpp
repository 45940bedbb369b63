// Images of the menu bar's tool buttons.
#include "menubar.h"

#include "common_controls.h"

namespace {

const COLORREF kTransparent = RGB(0xC0, 0xC0, 0xC0);

} // namespace

void SetImageSize(MenuBar* bar, int cx, int cy)
{
    if (cx <= 0 || cy <= 0)
        return;
    bar->imageWidth = cx;
    bar->imageHeight = cy;
    SendMessageW(bar->toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy));
}

LRESULT AddImages(MenuBar* bar, const TBADDBITMAP* add)
{
    if (!add)
        return -1;
    if (add->hInst == HINST_COMMCTRL)  // the toolbar's own standard images
        return SendMessageW(bar->toolbar, TB_ADDBITMAP, 0, (LPARAM)add);
    // Without a module the id is the caller's bitmap, which stays the caller's.
    HBITMAP bitmap = add->hInst ? LoadBitmapW(add->hInst, MAKEINTRESOURCEW(add->nID))
                                : (HBITMAP)CopyImage((HBITMAP)add->nID, IMAGE_BITMAP, 0, 0, 0);
    if (!bitmap)
        return -1;
    if (!bar->images) {
        bar->images = common_controls::CreateImageList(bar->imageWidth, bar->imageHeight, ILC_COLOR24 | ILC_MASK, 4, 4);
        if (bar->images)
            SendMessageW(bar->toolbar, TB_SETIMAGELIST, 0, (LPARAM)bar->images);
    }
    int first = bar->images ? common_controls::AddMasked(bar->images, bitmap, kTransparent) : -1;
    DeleteObject(bitmap);
    return first;
}

void AddBitmapStrip(MenuBar* bar, HINSTANCE module, int bitmapId, int count)
{
    HBITMAP strip = LoadBitmapW(module, MAKEINTRESOURCEW(bitmapId));
    if (strip) {
        BITMAP info = {};
        if (GetObjectW(strip, sizeof(info), &info) && info.bmWidth >= count)
            SetImageSize(bar, info.bmWidth / count, info.bmHeight);
        DeleteObject(strip);
    }
    TBADDBITMAP add = {module, (UINT_PTR)bitmapId};
    AddImages(bar, &add);
}

void FreeImages(MenuBar* bar)
{
    if (bar->images) {
        common_controls::DestroyImageList(bar->images);
        bar->images = nullptr;
    }
}
