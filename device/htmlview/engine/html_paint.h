// Painting a laid-out page into a device context.
#pragma once
#include <windows.h>

#include "html_document.h"
#include "html_fonts.h"
#include "html_images.h"
#include "html_layout.h"

namespace html {

// Paints the part of the page that shows in `clip` (view coordinates) when
// the view's top edge is at page row scrollY; the background is filled
// first, so nothing of what was there before shows through.
void PaintPage(HDC dc, const Document& doc, const PageLayout& layout, const FontSet& fonts, const ImageStore& images,
               int scrollY, const RECT& clip);

}  // namespace html
