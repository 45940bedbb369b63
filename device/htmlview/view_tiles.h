// The page drawn into bitmaps of the view's width, a band of rows each, so
// that scrolling copies what was drawn before instead of drawing it again.
// The bands next to the view are drawn ahead while the view is idle.
#pragma once
#include <windows.h>

#include <vector>

#include "html_page.h"

class PageTiles {
public:
    PageTiles() = default;
    ~PageTiles() { Clear(); }
    PageTiles(const PageTiles&) = delete;
    PageTiles& operator=(const PageTiles&) = delete;

    // Forgets every band (the page, its layout or the view's width changed).
    void Clear();
    // Copies the page's rows behind `area` (view coordinates, the view's top
    // at page row scrollY) to dc, drawing the bands that are missing.
    void Draw(HDC dc, const RECT& area, int scrollY, const html::Page& page);
    // Draws one missing band next to the rows [top, bottom); false when
    // those around are all drawn already.
    bool DrawAhead(HDC reference, int top, int bottom, const html::Page& page);

private:
    struct Tile {
        int top;
        HBITMAP bitmap;
        unsigned long long used;
    };
    Tile* Find(int top);
    Tile* Render(HDC reference, int top, const html::Page& page);

    std::vector<Tile> tiles_;
    int width_ = 0;
    unsigned long long clock_ = 0;
};
