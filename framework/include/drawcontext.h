// Drawing contexts.
//
// Classes in this file:
//   CDC        a borrowed device context with the drawing calls used here
//   CClientDC  a window's client-area context for the object's lifetime
//   CPaintDC   one paint cycle (BeginPaint ... EndPaint)
//   CMemDC     a memory context compatible with a window's
//   CBitmapDC  an off-screen surface: a memory context with its own bitmap
//
// Image rule shared with imagefile.h: a transparent colour of kOpaqueCopy
// (0xFFFFFFFF) copies opaque; any other colour leaves the destination where
// the source pixel has exactly that colour. Source rectangles, and the
// destination of Draw, are inclusive (width = right - left + 1); the
// destination of DrawTile is half-open, its last column and row clipped.
#pragma once

#include <windows.h>

#include "cobject.h"
#include "corvane_api.h"
#include "gdiobject.h"
#include "geometry.h"

class CWnd;

// The transparent colour that means "no transparency".
constexpr COLORREF kOpaqueCopy = 0xFFFFFFFF;

class CORVANE_API CDC : public CObject {
public:
    CDC() = default;
    explicit CDC(HDC hdc) : m_hDC(hdc) {}  // borrowed, not released
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    BOOL Attach(HDC hdc);  // 0 for a null context
    HDC Detach();
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Each selects the object and records the handle it displaced in the
    // object (see ReleaseObject), returning that handle.
    HPEN SelectObject(CPen* pen);
    HBRUSH SelectObject(CBrush* brush);
    HFONT SelectObject(CFont* font);
    HBITMAP SelectObject(CBitmap* bitmap);
    HGDIOBJ SelectObject(HGDIOBJ object);
    // Selects back the handle the object displaced.
    HGDIOBJ ReleaseObject(CGdiObject* object);
    HGDIOBJ GetStockObject(int index) const { return ::GetStockObject(index); }
    HGDIOBJ SelectStockObject(int index) { return SelectObject(::GetStockObject(index)); }

    // Lines are polylines; like the platform's, they leave out the last point.
    BOOL Line(int x1, int y1, int x2, int y2);
    CPoint MoveTo(int x, int y);  // returns the previous position
    BOOL LineTo(int x, int y);    // moves the position only on success

    BOOL Rectangle(int left, int top, int right, int bottom) { return ::Rectangle(m_hDC, left, top, right, bottom); }
    BOOL Rectangle(const RECT* rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Ellipse(int left, int top, int right, int bottom) { return ::Ellipse(m_hDC, left, top, right, bottom); }
    BOOL Ellipse(const RECT* rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
    { return ::RoundRect(m_hDC, left, top, right, bottom, cornerWidth, cornerHeight); }
    BOOL RoundRect(const RECT* rect, POINT corner)
    { return RoundRect(rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y); }
    // A null brush fills with the brush selected in the context.
    int FillRect(const RECT* rect, CBrush* brush);

    // A null source is for raster operations that read no source.
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop);
    // Stretches colour-on-colour (no pixels ANDed or ORed when shrinking).
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, DWORD rop);

    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    COLORREF SetPixel(int x, int y, COLORREF colour) { return ::SetPixel(m_hDC, x, y, colour); }
    COLORREF SetPixel(POINT point, COLORREF colour) { return SetPixel(point.x, point.y, colour); }

    int DrawTextW(LPCWSTR text, int length, RECT* rect, UINT format)
    { return ::DrawTextW(m_hDC, text, length, rect, format); }
    BOOL DrawIcons(int x, int y, HICON icon);  // natural size, normal mode
    // One line of text with its top-left corner at (x, y), in the selected
    // font and colours.
    int TextOut(int x, int y, LPCWSTR text);
    // The text in "Tahoma" of the given height (weight 400) over a transparent
    // background: first in the shadow colour one pixel right and down, then
    // in the text colour at (x, y). Leaves the text colour set.
    void ShadowTextOut(int x, int y, LPCWSTR text, int fontHeight, COLORREF shadowColour, COLORREF textColour);

    int SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

    HDC m_hDC = nullptr;
    CPoint m_ptCur{0, 0};  // the position MoveTo and LineTo work from
};

// The client-area context of a window, released by the destructor.
class CORVANE_API CClientDC : public CDC {
public:
    // Holds no context until one is attached.
    CClientDC();
    explicit CClientDC(HWND hWnd);
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

    HWND m_hWnd;
};

// BeginPaint in the constructor, EndPaint in the destructor.
class CORVANE_API CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hWnd);
    ~CPaintDC() override;

    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

// A memory context compatible with the window's, deleted by the destructor.
class CORVANE_API CMemDC : public CDC {
public:
    explicit CMemDC(HWND hWnd);
    ~CMemDC() override;
};

// An off-screen surface of a fixed size: a memory context holding its own
// bitmap compatible with a reference context. Reusable: DeleteDC, then
// CreateDCW with another size.
class CORVANE_API CBitmapDC : public CDC {
public:
    CBitmapDC() = default;
    CBitmapDC(HDC reference, int width, int height) { CreateDCW(reference, width, height); }
    ~CBitmapDC() override;  // DeleteDC

    // Always 1. A surface with no area gets no bitmap of its own (the
    // memory context keeps its stock one, which is never deleted).
    BOOL CreateDCW(HDC reference, int width, int height);
    BOOL DeleteDC();  // always 1
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    // The whole surface at its natural size.
    void Draw(HDC target, int x, int y, COLORREF transparent);
    // The whole surface stretched onto an inclusive destination.
    void Draw(HDC target, const RECT& dest, COLORREF transparent);
    void Draw(HDC target, const RECT& dest, const RECT& source, COLORREF transparent);
    // The whole surface, or a source area, repeated over a half-open destination.
    void DrawTile(HDC target, const RECT& dest, COLORREF transparent);
    void DrawTile(HDC target, const RECT& dest, const RECT& source, COLORREF transparent);

protected:
    RECT WholeSurface() const;

    int m_nWidth = 0;
    int m_nHeight = 0;
    HDC m_hMemDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};
