// Recognising the drawing objects the platform shares between all callers.
#include "gdi_shared.h"

namespace {

bool IsStockIndexObject(HGDIOBJ object)
{
    for (int index = WHITE_BRUSH; index <= DC_PEN; ++index) {
        if (GetStockObject(index) == object)
            return true;
    }
    return false;
}

bool IsSystemColourBrush(HGDIOBJ object)
{
    for (int colour = COLOR_SCROLLBAR; colour <= COLOR_MENUBAR; ++colour) {
        if (GetSysColorBrush(colour) == object)
            return true;
    }
    return false;
}

// The stock bitmap has no public stock index; it is the one a new memory
// context starts with. Only 1 x 1 monochrome bitmaps can be it.
bool IsStockBitmap(HGDIOBJ object)
{
    BITMAP info = {};
    if (GetObjectW(object, sizeof(info), &info) != sizeof(info) || info.bmWidth != 1 || info.bmHeight != 1 ||
        info.bmBitsPixel != 1)
        return false;
    HDC probe = CreateCompatibleDC(nullptr);
    if (!probe)
        return false;
    const bool stock = GetCurrentObject(probe, OBJ_BITMAP) == object;
    DeleteDC(probe);
    return stock;
}

} // namespace

bool IsSharedGdiObject(HGDIOBJ object)
{
    switch (GetObjectType(object)) {
    case OBJ_BRUSH:
        return IsStockIndexObject(object) || IsSystemColourBrush(object);
    case OBJ_PEN:
    case OBJ_FONT:
    case OBJ_PAL:
        return IsStockIndexObject(object);
    case OBJ_BITMAP:
        return IsStockBitmap(object);
    default:
        return false;
    }
}
