// CDC: the drawing calls on a borrowed device context.
#include "drawcontext.h"

namespace {

// Selects the object's handle and records in the object what it displaced.
HGDIOBJ SelectRecordingOld(HDC hdc, CGdiObject* object)
{
    if (!object)
        return nullptr;
    HGDIOBJ old = ::SelectObject(hdc, object->GetSafeHandle());
    object->SetOldHandle(old);
    return old;
}

} // namespace

BOOL CDC::Attach(HDC hdc)
{
    if (!hdc)
        return FALSE;
    m_hDC = hdc;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hdc = m_hDC;
    m_hDC = nullptr;
    return hdc;
}

HPEN CDC::SelectObject(CPen* pen)
{
    return static_cast<HPEN>(SelectRecordingOld(m_hDC, pen));
}

HBRUSH CDC::SelectObject(CBrush* brush)
{
    return static_cast<HBRUSH>(SelectRecordingOld(m_hDC, brush));
}

HFONT CDC::SelectObject(CFont* font)
{
    return static_cast<HFONT>(SelectRecordingOld(m_hDC, font));
}

HBITMAP CDC::SelectObject(CBitmap* bitmap)
{
    return static_cast<HBITMAP>(SelectRecordingOld(m_hDC, bitmap));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object)
{
    return ::SelectObject(m_hDC, object);
}

HGDIOBJ CDC::ReleaseObject(CGdiObject* object)
{
    if (!object || !object->GetOldHandle())
        return nullptr;
    return ::SelectObject(m_hDC, object->GetOldHandle());
}

BOOL CDC::Line(int x1, int y1, int x2, int y2)
{
    const POINT points[2] = {{x1, y1}, {x2, y2}};
    return ::Polyline(m_hDC, points, 2);
}

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint previous = m_ptCur;
    m_ptCur = CPoint(x, y);
    return previous;
}

BOOL CDC::LineTo(int x, int y)
{
    if (!Line(m_ptCur.x, m_ptCur.y, x, y))
        return FALSE;
    m_ptCur = CPoint(x, y);
    return TRUE;
}

int CDC::FillRect(const RECT* rect, CBrush* brush)
{
    HBRUSH fill = brush ? static_cast<HBRUSH>(brush->GetSafeHandle())
                        : static_cast<HBRUSH>(GetCurrentObject(m_hDC, OBJ_BRUSH));
    return ::FillRect(m_hDC, rect, fill);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, width, height, source ? source->GetSafeHdc() : nullptr, sourceX, sourceY, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, int sourceWidth,
                     int sourceHeight, DWORD rop)
{
    // The desktop's default mode ANDs pixels together when shrinking; the
    // device always stretches colour-on-colour.
    ::SetStretchBltMode(m_hDC, COLORONCOLOR);
    return ::StretchBlt(m_hDC, x, y, width, height, source ? source->GetSafeHdc() : nullptr, sourceX, sourceY,
                        sourceWidth, sourceHeight, rop);
}

BOOL CDC::DrawIcons(int x, int y, HICON icon)
{
    return ::DrawIconEx(m_hDC, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

int CDC::TextOut(int x, int y, LPCWSTR text)
{
    // A rectangle far larger than any screen, so the text is never cut.
    RECT area = {x, y, x + 65536, y + 65536};
    return ::DrawTextW(m_hDC, text, -1, &area, DT_SINGLELINE);
}

void CDC::ShadowTextOut(int x, int y, LPCWSTR text, int fontHeight, COLORREF shadowColour, COLORREF textColour)
{
    CFont font;
    font.CreateFont(fontHeight, L"Tahoma", FW_NORMAL);
    SelectObject(&font);
    const int oldMode = SetBkMode(TRANSPARENT);
    SetTextColor(shadowColour);
    TextOut(x + 1, y + 1, text);
    SetTextColor(textColour);
    TextOut(x, y, text);
    SetBkMode(oldMode);
    ReleaseObject(&font);
}
