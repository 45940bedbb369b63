// Drawing and images of Corvane.
//
// Classes in these headers:
//   CGdiObject, CPen, CBrush, CFont, CBitmap, CIcon   gdiobject.h    owned drawing objects
//   CDC, CClientDC, CPaintDC, CMemDC, CBitmapDC        drawcontext.h  contexts, off-screen surface
//   CVOImage, CImage, CIconList, g_hdc ...             imagefile.h    decoded images
//   CSelectObject                                      gdi_scope.h    a selection undone at scope end
//   CorPaintPageTitle                                  page_title.h   a settings page's title
#pragma once

#include "drawcontext.h"
#include "gdi_scope.h"
#include "gdiobject.h"
#include "imagefile.h"
#include "page_title.h"
