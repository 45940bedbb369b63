// CVOImage: the decoded bitmap, its natural or stretched draw and copies.
// Decoding lives in image_decode.cpp.
#include "imagefile.h"
#include "shared_image_dc.h"

HDC g_hdc = nullptr;
BOOL g_bStretchBlt = FALSE;
int g_iScale = 100;
int g_iMaxWidth = 10000;
int g_iMaxHeight = 10000;

CVOImage::~CVOImage()
{
    DeleteBitmap();
}

void CVOImage::DeleteBitmap()
{
    if (m_hBitmap) {
        DeleteObject(m_hBitmap);
        m_hBitmap = nullptr;
    }
}

BOOL CVOImage::Draw(HDC hdc, int x, int y, int width, int height)
{
    g_bStretchBlt = FALSE;
    SharedImageDc image(m_hBitmap);
    if (!image.ok())
        return TRUE;
    if ((width == -1 && height == -1) || (width == m_nWidth && height == m_nHeight)) {
        BitBlt(hdc, x, y, m_nWidth, m_nHeight, image.dc(), 0, 0, SRCCOPY);
    } else if (width > 0 && height > 0) {  // a negative size would mirror
        SetStretchBltMode(hdc, COLORONCOLOR);
        StretchBlt(hdc, x, y, width, height, image.dc(), 0, 0, m_nWidth, m_nHeight, SRCCOPY);
        g_bStretchBlt = TRUE;
    }
    return TRUE;
}

HBITMAP CVOImage::Copy() const
{
    SharedImageDc image(m_hBitmap);
    if (!image.ok())
        return nullptr;
    // Compatible with g_hdc while the image is selected in it: the copy
    // gets the image's own pixel format.
    HBITMAP copy = CreateCompatibleBitmap(image.dc(), m_nWidth, m_nHeight);
    HDC scratch = CreateCompatibleDC(image.dc());
    if (!copy || !scratch) {
        if (copy)
            DeleteObject(copy);
        if (scratch)
            DeleteDC(scratch);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(scratch, copy);
    BitBlt(scratch, 0, 0, m_nWidth, m_nHeight, image.dc(), 0, 0, SRCCOPY);
    SelectObject(scratch, old);
    DeleteDC(scratch);
    return copy;
}
