// Laying a styled page out at a width: the list of things to paint, each at
// its place on the page (x from the view's left edge, y from the page top).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "html_document.h"
#include "html_fonts.h"
#include "html_images.h"
#include "html_style.h"

namespace html {

enum class ItemKind : uint8_t {
    kText,    // characters of Document::text
    kFill,    // a cell's, row's or table's background
    kFrame,   // a border, `variant` pixels thick
    kRule,    // <hr>
    kBullet,  // list bullet: variant 0 disc, 1 circle, 2 square
    kNumber,  // list number textStart, drawn as "n." ending at the right edge
    kImage,   // picture `image` of the ImageStore (an empty frame when missing)
    kObject,  // <object>/<embed> box; variant 1 once a control is placed in it
};

struct Item {
    ItemKind kind = ItemKind::kText;
    uint8_t variant = 0;
    int16_t font = 0;
    RECT rect = {};
    COLORREF color = 0;
    uint32_t textStart = 0;
    uint32_t textLength = 0;
    int node = -1;   // the node it came from
    int link = -1;   // the enclosing <a href>, or -1
    int image = -1;
};

struct PageLayout {
    std::vector<Item> items;  // in painting order
    std::vector<std::pair<std::wstring, int>> anchors;  // <a name> and id, with their y
    int width = 0;
    int height = 0;
    COLORREF background = RGB(0xFF, 0xFF, 0xFF);
    unsigned cuts = 0;  // CutReason bits of the layout (rows, columns, height)

    // Indices of the items that reach into page rows [top, bottom), in
    // painting order.
    void Visible(int top, int bottom, std::vector<uint32_t>& out) const;
    // Rebuilds the index Visible uses; LayoutPage calls it.
    void IndexBands();

private:
    std::vector<std::vector<uint32_t>> bands_;
};

PageLayout LayoutPage(const Document& doc, const std::vector<NodeStyle>& styles, const PageStyle& page,
                      FontSet& fonts, ImageStore& images, int width);

}  // namespace html
