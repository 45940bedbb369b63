// The image drawing rules: opaque or transparent blits, inclusive
// rectangles for Draw, half-open destinations for DrawTile.
#include "image_blit.h"

#include <cedevice.h>

#include "drawcontext.h"

namespace image_blit {

BOOL Blit(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
          int sourceHeight, COLORREF transparent)
{
    if (transparent == kOpaqueCopy) {
        // Colour-on-colour, as the device stretches (the desktop's default
        // mode ANDs pixels together when shrinking).
        SetStretchBltMode(target, COLORONCOLOR);
        return StretchBlt(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, SRCCOPY);
    }
    return TransparentImage(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight,
                            transparent);
}

void DrawInclusive(HDC target, const RECT& dest, HDC source, const RECT& sourceRect, COLORREF transparent)
{
    const int width = dest.right - dest.left + 1;
    const int height = dest.bottom - dest.top + 1;
    const int sourceWidth = sourceRect.right - sourceRect.left + 1;
    const int sourceHeight = sourceRect.bottom - sourceRect.top + 1;
    // Negative sizes would mirror the image; zero sizes draw nothing anyway.
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    Blit(target, dest.left, dest.top, width, height, source, sourceRect.left, sourceRect.top, sourceWidth,
         sourceHeight, transparent);
}

void DrawTiled(HDC target, const RECT& dest, HDC source, const RECT& sourceRect, COLORREF transparent)
{
    const int tileWidth = sourceRect.right - sourceRect.left + 1;
    const int tileHeight = sourceRect.bottom - sourceRect.top + 1;
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    const int columns = (dest.right - dest.left) / tileWidth + 1;
    const int rows = (dest.bottom - dest.top) / tileHeight + 1;
    for (int row = 0; row < rows; ++row) {
        const int y = dest.top + row * tileHeight;
        const int height = y + tileHeight < dest.bottom ? tileHeight : dest.bottom - y;
        if (height <= 0)
            continue;  // the empty row past an exact fit, or a reversed destination
        for (int column = 0; column < columns; ++column) {
            const int x = dest.left + column * tileWidth;
            const int width = x + tileWidth < dest.right ? tileWidth : dest.right - x;
            if (width <= 0)
                continue;
            Blit(target, x, y, width, height, source, sourceRect.left, sourceRect.top, width, height, transparent);
        }
    }
}

} // namespace image_blit
