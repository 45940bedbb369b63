// A picture file decoded by the device's image decoder into a bitmap of its
// own, selected into a memory context of its own: nothing is shared with the
// framework's image classes, so any thread may draw with it.
#pragma once

#include <windows.h>

class CTskPicture {
public:
    CTskPicture() = default;
    ~CTskPicture();
    CTskPicture(const CTskPicture&) = delete;
    CTskPicture& operator=(const CTskPicture&) = delete;

    // Decodes the file for drawing into contexts like reference.
    bool Load(HDC reference, const wchar_t* path);
    bool IsLoaded() const { return m_dc != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    HDC Dc() const { return m_dc; }

    // At natural size at (x, y); transparent 0xFFFFFFFF copies opaque.
    void Draw(HDC target, int x, int y, COLORREF transparent) const;

private:
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// A memory surface of a given size with its own bitmap.
class CTskSurface {
public:
    CTskSurface(HDC reference, int width, int height);
    ~CTskSurface();
    CTskSurface(const CTskSurface&) = delete;
    CTskSurface& operator=(const CTskSurface&) = delete;
    HDC Dc() const { return m_dc; }
    bool IsReady() const { return m_dc != nullptr && m_bitmap != nullptr; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};
