// The hard limits of the HTML engine.  The view is embedded by the Today
// screen and the side bar, so no page may take down or stall the process
// that shows it: beyond these, a page is cut and shows what fits.
#pragma once
#include <cstddef>

namespace html {

// Characters of source kept (a file is read up to this many bytes).
const size_t kMaxPageChars = 4u * 1024 * 1024;
// Elements open inside each other; deeper tags are flattened into the
// deepest element.  Every recursion of the engine follows the element
// tree, so this also bounds its depth.
const int kMaxDepth = 64;
// Elements and text pieces of one page.
const size_t kMaxNodes = 250000;
// Rows and columns of one table.
const int kMaxTableRows = 2000;
const int kMaxTableColumns = 64;
// Sizes from attributes (width, height, padding, ...) are clamped to this.
const int kMaxAttributePixels = 4096;
// Height of a laid-out page in pixels.
const int kMaxPageHeight = 8 * 1024 * 1024;

// Why a page was cut (bits of HtmlDocument::cuts).
enum CutReason : unsigned {
    kCutSize = 1,      // source longer than kMaxPageChars
    kCutDepth = 2,     // nesting deeper than kMaxDepth
    kCutNodes = 4,     // more than kMaxNodes elements and texts
    kCutRows = 8,      // a table with more than kMaxTableRows rows
    kCutColumns = 16,  // a table row with more than kMaxTableColumns cells
    kCutHeight = 32,   // laid out taller than kMaxPageHeight
};

}  // namespace html
