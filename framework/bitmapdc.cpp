// CBitmapDC: an off-screen surface of its own size.
#include "drawcontext.h"
#include "gdi_shared.h"
#include "image_blit.h"

CBitmapDC::~CBitmapDC()
{
    DeleteDC();
}

BOOL CBitmapDC::CreateDCW(HDC reference, int width, int height)
{
    DeleteDC();  // a second CreateDCW replaces the surface instead of leaking it
    m_nWidth = width;
    m_nHeight = height;
    m_hMemDC = ::CreateCompatibleDC(reference);
    m_hBitmap = ::CreateCompatibleBitmap(reference, width, height);
    m_hOldBitmap = ::SelectObject(m_hMemDC, m_hBitmap);
    m_hDC = m_hMemDC;
    return TRUE;
}

BOOL CBitmapDC::DeleteDC()
{
    if (m_hMemDC) {
        if (m_hOldBitmap && m_hOldBitmap != HGDI_ERROR)
            ::SelectObject(m_hMemDC, m_hOldBitmap);
        ::DeleteDC(m_hMemDC);
    }
    // A surface of no area was handed the platform's stock bitmap: not ours.
    if (m_hBitmap && !IsSharedGdiObject(m_hBitmap))
        ::DeleteObject(m_hBitmap);
    m_hMemDC = nullptr;
    m_hBitmap = nullptr;
    m_hOldBitmap = nullptr;
    m_hDC = nullptr;
    return TRUE;
}

RECT CBitmapDC::WholeSurface() const
{
    return RECT{0, 0, m_nWidth - 1, m_nHeight - 1};
}

void CBitmapDC::Draw(HDC target, int x, int y, COLORREF transparent)
{
    Draw(target, RECT{x, y, x + m_nWidth - 1, y + m_nHeight - 1}, transparent);
}

void CBitmapDC::Draw(HDC target, const RECT& dest, COLORREF transparent)
{
    Draw(target, dest, WholeSurface(), transparent);
}

void CBitmapDC::Draw(HDC target, const RECT& dest, const RECT& source, COLORREF transparent)
{
    if (m_hMemDC)
        image_blit::DrawInclusive(target, dest, m_hMemDC, source, transparent);
}

void CBitmapDC::DrawTile(HDC target, const RECT& dest, COLORREF transparent)
{
    DrawTile(target, dest, WholeSurface(), transparent);
}

void CBitmapDC::DrawTile(HDC target, const RECT& dest, const RECT& source, COLORREF transparent)
{
    if (m_hMemDC)
        image_blit::DrawTiled(target, dest, m_hMemDC, source, transparent);
}
