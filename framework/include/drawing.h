// Drawing and images of Corvane.
//
// Classes in these headers:
//   CGdiObject, CPen, CBrush, CFont, CBitmap, CIcon   gdiobject.h    owned drawing objects
//   CDC, CClientDC, CPaintDC, CMemDC, CBitmapDC        drawcontext.h  contexts, off-screen surface
//   CVOImage, CImage, CIconList, g_hdc ...             imagefile.h    decoded images
#pragma once

#include "drawcontext.h"
#include "gdiobject.h"
#include "imagefile.h"
