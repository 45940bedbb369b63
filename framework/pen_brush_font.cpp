// CPen, CBrush and CFont: creation of the typed drawing objects.
//
// Creating into an object that already holds a handle replaces (deletes)
// the old one, so a wrapper never leaks what it owned.
#include "gdiobject.h"

#include <strsafe.h>

BOOL CPen::CreatePen(int style, int width, COLORREF colour)
{
    DeleteObject();
    return Attach(::CreatePen(style, width, colour));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen)
{
    DeleteObject();
    return Attach(::CreatePenIndirect(logPen));
}

BOOL CPen::GetLogPen(LOGPEN* logPen) const
{
    return m_hObject && ::GetObjectW(m_hObject, sizeof(LOGPEN), logPen) == sizeof(LOGPEN);
}

BOOL CBrush::CreateSolidBrush(COLORREF colour)
{
    DeleteObject();
    return Attach(::CreateSolidBrush(colour));
}

BOOL CBrush::CreateSysColorBrush(int colourIndex)
{
    DeleteObject();
    // Shared by the platform: DeleteObject recognises it and only detaches it.
    return Attach(::GetSysColorBrush(colourIndex));
}

BOOL CBrush::GetLogBrush(LOGBRUSH* logBrush) const
{
    return m_hObject && ::GetObjectW(m_hObject, sizeof(LOGBRUSH), logBrush) == sizeof(LOGBRUSH);
}

BOOL CFont::CreateFontIndirectW(const LOGFONTW* logFont)
{
    DeleteObject();
    return Attach(::CreateFontIndirectW(logFont));
}

BOOL CFont::CreateFont(int height, LPCWSTR faceName, int weight)
{
    LOGFONTW logFont = {};
    logFont.lfHeight = height;
    logFont.lfWeight = weight;
    logFont.lfCharSet = DEFAULT_CHARSET;
    // A cut face name would quietly give another font: refuse it instead.
    if (faceName && FAILED(StringCchCopyW(logFont.lfFaceName, LF_FACESIZE, faceName)))
        return FALSE;
    return CreateFontIndirectW(&logFont);
}

BOOL CFont::CreateFont(int, int, int, int, int, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, BYTE, LPCWSTR)
{
    return FALSE;
}
