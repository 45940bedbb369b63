// Inside Corvane only: the image drawing rules shared by CImage and
// CBitmapDC, on a source context holding the image.
#pragma once

#include <windows.h>

namespace image_blit {

// One blit of a source area onto a destination area (both width x height
// sized, stretched as needed): opaque for kOpaqueCopy, else leaving out the
// source pixels of exactly the transparent colour.
BOOL Blit(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
          int sourceHeight, COLORREF transparent);

// The inclusive source rectangle stretched onto the inclusive destination.
// Nothing is drawn when either has no area (including reversed rectangles).
void DrawInclusive(HDC target, const RECT& dest, HDC source, const RECT& sourceRect, COLORREF transparent);

// The inclusive source rectangle repeated over the half-open destination,
// row by row from the top-left; the last column and row are clipped to the
// destination, never squeezed. Nothing is drawn for a source with no area.
void DrawTiled(HDC target, const RECT& dest, HDC source, const RECT& sourceRect, COLORREF transparent);

} // namespace image_blit
