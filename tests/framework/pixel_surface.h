// Test helper: a memory context drawing into a 32-bit top-down DIB section
// whose pixels the test reads back directly.
#pragma once

#include <windows.h>

class PixelSurface {
public:
    PixelSurface(int width, int height, COLORREF fill);
    ~PixelSurface();
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

    void Fill(COLORREF colour);
    void Set(int x, int y, COLORREF colour);
    COLORREF At(int x, int y) const;  // CLR_INVALID outside the surface

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};
