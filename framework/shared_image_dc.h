// Inside Corvane only: an image's bitmap selected into the shared image
// context g_hdc for the duration of one draw.
#pragma once

#include <windows.h>

#include "imagefile.h"

class SharedImageDc {
public:
    explicit SharedImageDc(HBITMAP bitmap)
        : m_old(g_hdc && bitmap ? SelectObject(g_hdc, bitmap) : nullptr)
    {
    }
    ~SharedImageDc()
    {
        if (ok())
            SelectObject(g_hdc, m_old);
    }
    SharedImageDc(const SharedImageDc&) = delete;
    SharedImageDc& operator=(const SharedImageDc&) = delete;

    // False when there is no image (or it could not be selected): draw nothing.
    bool ok() const { return m_old && m_old != HGDI_ERROR; }
    HDC dc() const { return g_hdc; }

private:
    HGDIOBJ m_old;
};
