// The settings pages' title.
#include "page_title.h"

#include <cwchar>

#include "gdi_scope.h"
#include "gdiobject.h"

void CorPaintPageTitle(HDC dc, LPCWSTR title, int width)
{
    if (!dc)
        return;
    if (title && *title) {
        CFont font;
        font.Attach(::CreateFontW(kPageTitleHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
        CSelectObject selectFont(dc, font);
        const int oldMode = ::SetBkMode(dc, TRANSPARENT);
        const COLORREF oldColour = ::SetTextColor(dc, kPageTitleColour);
        ::ExtTextOutW(dc, kPageTitleLeft, kPageTitleTop, 0, nullptr, title, static_cast<UINT>(wcslen(title)), nullptr);
        ::SetTextColor(dc, oldColour);
        ::SetBkMode(dc, oldMode);
    }
    CSelectObject pen(dc, ::GetStockObject(BLACK_PEN));
    POINT oldPosition;
    ::MoveToEx(dc, 0, kPageTitleLineY, &oldPosition);
    ::LineTo(dc, width, kPageTitleLineY);
    ::MoveToEx(dc, oldPosition.x, oldPosition.y, nullptr);
}
