// Drawing the launch list's grid: the cached icons, or the programs' own.
//
// The cached icons are copied through a mask made once per cache (an AND
// of the mask, then an OR of the picture whose transparent pixels are
// black): a transparent blit per cell would build its mask every time.
#include "launch_list.h"

#include <pack_look.h>

namespace {

const COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
const COLORREF kBlack = RGB(0, 0, 0);
const DWORD kDestAndNotSource = 0x00220326;  // DSna

// A memory context holding one bitmap while it lives.
class SelectedBitmap {
public:
    SelectedBitmap(HDC reference, HBITMAP bitmap)
        : m_hdc(bitmap ? ::CreateCompatibleDC(reference) : nullptr),
          m_hOld(m_hdc ? ::SelectObject(m_hdc, bitmap) : nullptr)
    {
    }
    ~SelectedBitmap()
    {
        if (m_hdc) {
            ::SelectObject(m_hdc, m_hOld);
            ::DeleteDC(m_hdc);
        }
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    HDC get() const { return m_hOld && m_hOld != HGDI_ERROR ? m_hdc : nullptr; }

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};

}  // namespace

BOOL CLaunchList::LoadIconCache(HDC reference, LPCWSTR path)
{
    DropIconCache();
    if (!path || ::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    CImage* cache = new CImage;
    if (!cache->Load(reference, path) || cache->GetWidth() < kCacheSide || cache->GetHeight() < kCacheSide) {
        delete cache;
        return FALSE;
    }
    m_pIconCache = cache;
    if (!MakeCacheCopies(reference)) {
        DropIconCache();
        return FALSE;
    }
    return TRUE;
}

BOOL CLaunchList::MakeCacheCopies(HDC reference)
{
    const int width = m_pIconCache->GetWidth();
    const int height = m_pIconCache->GetHeight();
    m_hCacheMask = ::CreateBitmap(width, height, 1, 1, nullptr);
    m_hCachePicture = ::CreateCompatibleBitmap(reference, width, height);
    SelectedBitmap image(reference, *m_pIconCache);
    SelectedBitmap mask(reference, m_hCacheMask);
    SelectedBitmap picture(reference, m_hCachePicture);
    if (!image.get() || !mask.get() || !picture.get())
        return FALSE;
    // Colour to monochrome: pixels of the background colour become white.
    ::SetBkColor(image.get(), kTransparent);
    BOOL ok = ::BitBlt(mask.get(), 0, 0, width, height, image.get(), 0, 0, SRCCOPY);
    // The picture with its transparent pixels black (monochrome to colour:
    // white takes the background colour, black the text colour).
    ok = ok && ::BitBlt(picture.get(), 0, 0, width, height, image.get(), 0, 0, SRCCOPY);
    ::SetBkColor(picture.get(), kWhite);
    ::SetTextColor(picture.get(), kBlack);
    ok = ok && ::BitBlt(picture.get(), 0, 0, width, height, mask.get(), 0, 0, kDestAndNotSource);
    return ok;
}

void CLaunchList::DropIconCache()
{
    delete m_pIconCache;
    m_pIconCache = nullptr;
    if (m_hCacheMask)
        ::DeleteObject(m_hCacheMask);
    if (m_hCachePicture)
        ::DeleteObject(m_hCachePicture);
    m_hCacheMask = m_hCachePicture = nullptr;
}

void CLaunchList::DrawCachedCell(HDC target, HDC mask, HDC picture, int index, int x, int y) const
{
    const int sourceX = (index % kColumns) * kIconSize;
    const int sourceY = (index / kColumns) * kIconSize;
    const COLORREF oldBack = ::SetBkColor(target, kWhite);
    const COLORREF oldText = ::SetTextColor(target, kBlack);
    ::BitBlt(target, x, y, kIconSize, kIconSize, mask, sourceX, sourceY, SRCAND);
    ::BitBlt(target, x, y, kIconSize, kIconSize, picture, sourceX, sourceY, SRCPAINT);
    ::SetTextColor(target, oldText);
    ::SetBkColor(target, oldBack);
}

void CLaunchList::DrawEntry(CDC* dc, int index, HDC mask, HDC picture) const
{
    LPCWSTR path = GetPath(index);
    if (!dc || !path)
        return;
    const CRect cell = CellRect(index);
    HGDIOBJ oldBrush = ::SelectObject(*dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(*dc, cell.left, cell.top, cell.right - 1, cell.bottom - 1);
    ::SelectObject(*dc, oldBrush);

    const int x = cell.left + 2;
    const int y = cell.top + 2;
    if (mask && picture && index < kCachedEntries)
        DrawCachedCell(*dc, mask, picture, index, x, y);
    else
        PackLook::DrawProgramIcon(*dc, x, y, path);
}

void CLaunchList::DrawEntry(CDC* dc, int index) const
{
    if (!dc)
        return;
    SelectedBitmap mask(*dc, m_pIconCache ? m_hCacheMask : nullptr);
    SelectedBitmap picture(*dc, m_pIconCache ? m_hCachePicture : nullptr);
    DrawEntry(dc, index, mask.get(), picture.get());
}

void CLaunchList::Draw(CDC* dc) const
{
    if (!dc)
        return;
    SelectedBitmap mask(*dc, m_pIconCache ? m_hCacheMask : nullptr);
    SelectedBitmap picture(*dc, m_pIconCache ? m_hCachePicture : nullptr);
    for (int i = 0; i < GetCount() && IsShown(i); ++i)
        DrawEntry(dc, i, mask.get(), picture.get());
}
