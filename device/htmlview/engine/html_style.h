// What each node of a page looks like: font, colour, link, alignment and
// white-space handling, inherited down the tree.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "html_document.h"
#include "html_fonts.h"

namespace html {

enum class Align : uint8_t { kLeft, kCenter, kRight };

// The page-wide settings of <body>.
struct PageStyle {
    COLORREF background = RGB(0xFF, 0xFF, 0xFF);
    COLORREF text = RGB(0, 0, 0);
    COLORREF link = RGB(0, 0, 0xFF);
    int leftMargin = 4;
    int topMargin = 4;
};

enum StyleFlag : uint8_t {
    kStylePre = 1,     // white space kept, lines end at line ends
    kStyleNoWrap = 2,  // lines end only at breaks
};

struct NodeStyle {
    int16_t font = 0;      // FontSet index
    uint8_t size = 3;      // 1-7, the scale of <font size>
    uint8_t flags = 0;     // StyleFlag bits
    Align align = Align::kLeft;
    COLORREF color = 0;
    int link = -1;         // the enclosing <a href>, or -1
};

// Character height in pixels of font sizes 1-7 on the device.
int FontPixels(int size);

PageStyle ReadPageStyle(const Document& doc);

// One style per node, in node order.
std::vector<NodeStyle> ComputeStyles(const Document& doc, const PageStyle& page, FontSet& fonts);

}  // namespace html
