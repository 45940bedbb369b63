// CSelectObject: a drawing object selected into a context for the guard's
// life; the object it displaced is selected back when the guard goes.
//
//     {
//         CSelectObject font(dc, titleFont);                      // CFont, CPen... or a handle
//         CSelectObject pen(dc, ::GetStockObject(BLACK_PEN));
//         ...draw...
//     }                                                          // pen, then font, put back
//
// A selection that failed (null context or object) puts nothing back.
#pragma once

#include <windows.h>

class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hPrevious(dc && object ? ::SelectObject(dc, object) : nullptr)
    {
        if (m_hPrevious == HGDI_ERROR)
            m_hPrevious = nullptr;
    }
    ~CSelectObject()
    {
        if (m_hPrevious)
            ::SelectObject(m_hDC, m_hPrevious);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

    // Whether the object was selected (and the one it displaced will come back).
    bool IsSelected() const { return m_hPrevious != nullptr; }
    HGDIOBJ GetPrevious() const { return m_hPrevious; }

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};
