#include "view_tiles.h"

#include <algorithm>

namespace {

const int kTileHeight = 128;
// At most this many bands are kept (about 1.5 MB at the device's width):
// a screen, a screen ahead and a screen back, with room to spare.
const size_t kMaxTiles = 12;

int TileTop(int y)
{
    return y < 0 ? 0 : y / kTileHeight * kTileHeight;
}

}  // namespace

void PageTiles::Clear()
{
    for (Tile& tile : tiles_)
        DeleteObject(tile.bitmap);
    tiles_.clear();
    width_ = 0;
}

PageTiles::Tile* PageTiles::Find(int top)
{
    for (Tile& tile : tiles_)
        if (tile.top == top)
            return &tile;
    return nullptr;
}

PageTiles::Tile* PageTiles::Render(HDC reference, int top, const html::Page& page)
{
    int width = std::max(page.layout().width, 1);
    if (width != width_) {
        Clear();
        width_ = width;
    }
    Tile* tile = nullptr;
    if (tiles_.size() < kMaxTiles) {
        HBITMAP bitmap = CreateCompatibleBitmap(reference, width, kTileHeight);
        if (!bitmap)
            return nullptr;
        tiles_.push_back({top, bitmap, 0});
        tile = &tiles_.back();
    } else {
        // The band used longest ago makes room.
        tile = &*std::min_element(tiles_.begin(), tiles_.end(),
                                  [](const Tile& a, const Tile& b) { return a.used < b.used; });
        tile->top = top;
    }
    HDC memory = CreateCompatibleDC(reference);
    HGDIOBJ old = SelectObject(memory, tile->bitmap);
    RECT band = {0, 0, width, kTileHeight};
    page.Paint(memory, top, band);
    SelectObject(memory, old);
    DeleteDC(memory);
    tile->used = ++clock_;
    return tile;
}

void PageTiles::Draw(HDC dc, const RECT& area, int scrollY, const html::Page& page)
{
    if (width_ != std::max(page.layout().width, 1))
        Clear();
    HDC memory = CreateCompatibleDC(dc);
    for (int top = TileTop(area.top + scrollY); top < area.bottom + scrollY; top += kTileHeight) {
        int from = std::max<int>(area.top + scrollY, top);
        int to = std::min<int>(area.bottom + scrollY, top + kTileHeight);
        Tile* tile = Find(top);
        if (!tile) {
            // Not drawn yet: straight into the view, the band itself comes
            // while the view is idle (DrawAhead).
            RECT rows = {area.left, from - scrollY, area.right, to - scrollY};
            page.Paint(dc, scrollY, rows);
            continue;
        }
        tile->used = ++clock_;
        HGDIOBJ old = SelectObject(memory, tile->bitmap);
        BitBlt(dc, area.left, from - scrollY, area.right - area.left, to - from, memory, area.left, from - top,
               SRCCOPY);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
}

bool PageTiles::DrawAhead(HDC reference, int top, int bottom, const html::Page& page)
{
    int height = bottom - top;
    int pageHeight = page.layout().height;
    // The bands in view, then those of the screen below, then above.
    for (int y = TileTop(top); y < std::min(bottom + height, pageHeight); y += kTileHeight)
        if (!Find(y)) {
            Render(reference, y, page);
            return true;
        }
    for (int y = TileTop(top - 1); y >= std::max(0, top - height) && top > 0; y -= kTileHeight)
        if (!Find(y)) {
            Render(reference, y, page);
            return true;
        }
    return false;
}
