// Drawing the launch list's grid: the cached icons, or the programs' own.
#include "launch_list.h"

#include <pack_look.h>

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
    return TRUE;
}

void CLaunchList::DropIconCache()
{
    delete m_pIconCache;
    m_pIconCache = nullptr;
}

void CLaunchList::DrawEntry(CDC* dc, int index) const
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
    if (m_pIconCache && index < kCachedEntries) {
        // Rectangles of images are inclusive: 0..15 is the whole cell.
        const int column = index % kColumns;
        const int row = index / kColumns;
        const RECT source = {column * kIconSize, row * kIconSize, column * kIconSize + kIconSize - 1,
                             row * kIconSize + kIconSize - 1};
        const RECT dest = {x, y, x + kIconSize - 1, y + kIconSize - 1};
        m_pIconCache->Draw(*dc, dest, source, kTransparent);
    } else {
        PackLook::DrawProgramIcon(*dc, x, y, path);
    }
}

void CLaunchList::Draw(CDC* dc) const
{
    for (int i = 0; i < GetCount() && IsShown(i); ++i)
        DrawEntry(dc, i);
}
