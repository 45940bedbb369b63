// CImage: the transparent, stretched and tiled draws of a decoded image.
#include "image_blit.h"
#include "imagefile.h"
#include "shared_image_dc.h"

BOOL CImage::Load(HDC hdc, LPCWSTR path)
{
    m_hdc = hdc;
    return CVOImage::Load(hdc, path);
}

BOOL CImage::LoadFromResource(HDC hdc, UINT resourceId)
{
    m_hdc = hdc;
    return SetBitmap(hdc, resourceId, L"IMAGE", nullptr);
}

RECT CImage::WholeImage() const
{
    return RECT{0, 0, m_nWidth - 1, m_nHeight - 1};
}

void CImage::Draw(HDC hdc, int x, int y, COLORREF transparent)
{
    if (transparent == kOpaqueCopy) {
        CVOImage::Draw(hdc, x, y, -1, -1);
        return;
    }
    SharedImageDc image(m_hBitmap);
    if (image.ok())
        image_blit::Blit(hdc, x, y, m_nWidth, m_nHeight, image.dc(), 0, 0, m_nWidth, m_nHeight, transparent);
}

void CImage::Draw(HDC hdc, const RECT& dest, COLORREF transparent)
{
    Draw(hdc, dest, WholeImage(), transparent);
}

void CImage::Draw(HDC hdc, const RECT& dest, const RECT& source, COLORREF transparent)
{
    SharedImageDc image(m_hBitmap);
    if (image.ok())
        image_blit::DrawInclusive(hdc, dest, image.dc(), source, transparent);
}

void CImage::DrawTile(HDC hdc, const RECT& dest, COLORREF transparent)
{
    DrawTile(hdc, dest, WholeImage(), transparent);
}

void CImage::DrawTile(HDC hdc, const RECT& dest, const RECT& source, COLORREF transparent)
{
    SharedImageDc image(m_hBitmap);
    if (image.ok())
        image_blit::DrawTiled(hdc, dest, image.dc(), source, transparent);
}

COLORREF CImage::GetPixel(int x, int y) const
{
    SharedImageDc image(m_hBitmap);
    if (!image.ok())
        return CLR_INVALID;
    return ::GetPixel(image.dc(), x, y);
}
