// Preview drawing: the theme's Today screen, Start menu, caption gradient
// and navigation tray in small.
#include <tessary.h>

#include "picture.h"

namespace {

const int kTodayDesignHeight = 320;
const int kTodayTopBand = 35;
const int kTodayBottomBand = 30;
const int kStartDesignHeight = 255;
const int kCaptionSteps = 15;

void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    RECT rc = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void Frame(HDC dc, POINT point, SIZE size)
{
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, point.x, point.y, point.x + size.cx, point.y + size.cy);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

BYTE Mix(BYTE a, BYTE b, int steps, int i)
{
    return static_cast<BYTE>((a * (steps - i) + b * i) / steps);
}

// The picture stretched by scale from (0, 0) to the inclusive corner
// (trunc(width x scale), trunc(height x scale)).
SIZE StretchedSize(const CTskPicture& picture, double scale)
{
    SIZE size = {static_cast<LONG>(picture.Width() * scale) + 1, static_cast<LONG>(picture.Height() * scale) + 1};
    return size;
}

void DrawStretched(HDC target, const CTskPicture& picture, SIZE size)
{
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, size.cx, size.cy, picture.Dc(), 0, 0, picture.Width(), picture.Height(), SRCCOPY);
}

// Repeats the source's top-left tile over the half-open destination,
// clipping the last column and row.
void DrawTiled(HDC target, const RECT& dest, HDC source, int tileWidth, int tileHeight)
{
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    for (int y = dest.top; y < dest.bottom; y += tileHeight) {
        int height = y + tileHeight < dest.bottom ? tileHeight : dest.bottom - y;
        for (int x = dest.left; x < dest.right; x += tileWidth) {
            int width = x + tileWidth < dest.right ? tileWidth : dest.right - x;
            BitBlt(target, x, y, width, height, source, 0, 0, SRCCOPY);
        }
    }
}

} // namespace

int DrawGradient(HDC dc, POINT point, SIZE size, int steps, COLORREF from, COLORREF to)
{
    if (!dc || steps <= 0)
        return 0;
    for (int i = 0; i < steps; ++i) {
        int left = point.x + static_cast<int>(static_cast<long long>(i) * size.cx / steps);
        int right = i == steps - 1 ? point.x + size.cx
                                   : point.x + static_cast<int>(static_cast<long long>(i + 1) * size.cx / steps);
        COLORREF colour = RGB(Mix(GetRValue(from), GetRValue(to), steps, i),
                              Mix(GetGValue(from), GetGValue(to), steps, i),
                              Mix(GetBValue(from), GetBValue(to), steps, i));
        FillSolid(dc, left, point.y, right, point.y + size.cy, colour);
    }
    return 1;
}

int DrawGradientDlg(HDC dc, POINT point, SIZE size, int steps, COLORREF from, COLORREF to,
                    const wchar_t* imagePath, COLORREF transparent)
{
    DrawGradient(dc, point, size, steps, from, to);
    CTskPicture picture;
    if (!dc || !picture.Load(dc, imagePath))
        return 0;
    picture.Draw(dc, point.x, point.y, transparent);
    return 1;
}

int DrawToday(HDC dc, POINT point, SIZE size, const CTskInfo* info)
{
    if (!dc || !info || size.cx <= 0 || size.cy <= 0)
        return 1;
    const double scale = static_cast<double>(size.cy) / kTodayDesignHeight;
    const int top = static_cast<int>(kTodayTopBand * scale);
    const int bottom = static_cast<int>(kTodayBottomBand * scale);
    const int middle = size.cy - top - bottom;

    // The middle band: the Today picture scaled on white.
    CTskSurface band(dc, size.cx, middle);
    if (band.IsReady()) {
        FillSolid(band.Dc(), 0, 0, size.cx, middle, RGB(0xFF, 0xFF, 0xFF));
        CTskPicture picture;
        if (picture.Load(dc, info->m_szToday))
            DrawStretched(band.Dc(), picture, StretchedSize(picture, scale));
        BitBlt(dc, point.x, point.y + top, size.cx, middle, band.Dc(), 0, 0, SRCCOPY);
    }

    DrawGradient(dc, point, SIZE{size.cx, top}, kCaptionSteps, info->m_color[2], info->m_color[3]);
    const int boundary = point.y + size.cy - bottom - 1;
    FillSolid(dc, point.x, boundary, point.x + size.cx, boundary + 1, RGB(0, 0, 0));
    FillSolid(dc, point.x, point.y + size.cy - bottom, point.x + size.cx, point.y + size.cy, info->m_color[5]);
    Frame(dc, point, size);
    return 1;
}

int DrawStartMenu(HDC dc, POINT point, SIZE size, const CTskInfo* info)
{
    if (!dc || !info || size.cx <= 0 || size.cy <= 0)
        return 1;
    const double scale = static_cast<double>(size.cy) / kStartDesignHeight;
    CTskSurface surface(dc, size.cx, size.cy);
    CTskPicture picture;
    if (surface.IsReady()) {
        FillSolid(surface.Dc(), 0, 0, size.cx, size.cy, RGB(0xFF, 0xFF, 0xFF));
        SIZE tile = {size.cx, size.cy};
        if (picture.Load(dc, info->m_szStart)) {
            SIZE stretched = StretchedSize(picture, scale);
            DrawStretched(surface.Dc(), picture, stretched);
            // The tile cannot reach past the surface it is taken from.
            tile.cx = stretched.cx < size.cx ? stretched.cx : size.cx;
            tile.cy = stretched.cy < size.cy ? stretched.cy : size.cy;
        }
        RECT dest = {point.x, point.y, point.x + size.cx - 1, point.y + size.cy - 1};
        DrawTiled(dc, dest, surface.Dc(), tile.cx, tile.cy);
    }
    Frame(dc, point, size);
    return 1;
}

int DrawNavTray(HDC dc, POINT point, SIZE size, const CTskInfo* info, const wchar_t* imagePath,
                COLORREF transparent)
{
    if (!dc || !info)
        return 0;
    FillSolid(dc, point.x, point.y, point.x + size.cx, point.y + size.cy, info->m_color[6]);
    CTskPicture picture;
    if (!picture.Load(dc, imagePath))
        return 0;
    picture.Draw(dc, point.x, point.y, transparent);
    return 1;
}
