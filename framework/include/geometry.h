// Geometry value types: CSize, CPoint, CRect and CRectList.
//
// CSize, CPoint and CRect derive from the platform's SIZE, POINT and RECT and
// add no data, so a CRect can go wherever a RECT pointer is expected. Their
// default constructors leave the members uninitialised, as the platform
// records do. "Offset" means adding to both corners of a rectangle.
#pragma once

#include <windows.h>

#include "corvane_api.h"

class CPoint;
class CRect;

class CORVANE_API CSize : public SIZE {
public:
    CSize() = default;
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(SIZE initSize) { cx = initSize.cx; cy = initSize.cy; }
    CSize(POINT initPt) { cx = initPt.x; cy = initPt.y; }
    // Low word sign-extended to cx, high word sign-extended to cy.
    explicit CSize(DWORD packed) { cx = (short)LOWORD(packed); cy = (short)HIWORD(packed); }

    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    void operator+=(SIZE size) { cx += size.cx; cy += size.cy; }
    void operator-=(SIZE size) { cx -= size.cx; cy -= size.cy; }

    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT point) const;
    CPoint operator-(POINT point) const;
    CRect operator+(const RECT* rect) const;
    CRect operator-(const RECT* rect) const;
};

class CORVANE_API CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT initPt) { x = initPt.x; y = initPt.y; }
    CPoint(SIZE initSize) { x = initSize.cx; y = initSize.cy; }
    // Low word sign-extended to x, high word sign-extended to y (mouse lParam).
    explicit CPoint(DWORD packed) { x = (short)LOWORD(packed); y = (short)HIWORD(packed); }

    void Offset(int dx, int dy) { x += dx; y += dy; }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }

    bool operator==(POINT point) const { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const { return !(*this == point); }
    void operator+=(SIZE size) { Offset(size); }
    void operator-=(SIZE size) { Offset(-size.cx, -size.cy); }
    void operator+=(POINT point) { Offset(point); }
    void operator-=(POINT point) { Offset(-point.x, -point.y); }

    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
    CRect operator+(const RECT* rect) const;
    CRect operator-(const RECT* rect) const;
};

class CORVANE_API CRect : public RECT {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& src) { CopyRect(&src); }
    CRect(const RECT* src) { CopyRect(src); }
    CRect(POINT point, SIZE size) { SetRect(point.x, point.y, point.x + size.cx, point.y + size.cy); }
    CRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft, bottomRight); }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    // Each sum is halved with truncation toward zero.
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    void SwapLeftRight() { SwapLeftRight(this); }
    static void SwapLeftRight(RECT* rect);

    operator RECT*() { return this; }
    operator const RECT*() const { return this; }

    // Empty: width or height not positive. Null: all four members zero.
    BOOL IsRectEmpty() const { return left >= right || top >= bottom; }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // Left and top edges are inside, right and bottom edges outside.
    BOOL PtInRect(POINT point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }

    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(const RECT* src) { SetRect(src->left, src->top, src->right, src->bottom); }
    BOOL EqualRect(const RECT* other) const
    {
        return left == other->left && top == other->top && right == other->right && bottom == other->bottom;
    }

    void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    // Moves left and top out by the RECT's left and top, right and bottom by its right and bottom.
    void InflateRect(const RECT* by) { InflateRect(by->left, by->top, by->right, by->bottom); }
    void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(const RECT* by) { InflateRect(-by->left, -by->top, -by->right, -by->bottom); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int dx, int dy) { left += dx; top += dy; right += dx; bottom += dy; }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }

    // The platform's rectangle arithmetic; nonzero when the result is not empty.
    BOOL IntersectRect(const RECT* a, const RECT* b);
    BOOL UnionRect(const RECT* a, const RECT* b);
    BOOL SubtractRect(const RECT* from, const RECT* minus);

    CRect& operator=(const RECT& src) { CopyRect(&src); return *this; }
    bool operator==(const RECT& other) const { return EqualRect(&other) != 0; }
    bool operator!=(const RECT& other) const { return !EqualRect(&other); }
    void operator+=(POINT point) { OffsetRect(point); }
    void operator+=(SIZE size) { OffsetRect(size); }
    void operator+=(const RECT* by) { InflateRect(by); }
    void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
    void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
    void operator-=(const RECT* by) { DeflateRect(by); }
    void operator&=(const RECT& other) { IntersectRect(this, &other); }
    void operator|=(const RECT& other) { UnionRect(this, &other); }

    CRect operator+(POINT point) const { CRect r(*this); r.OffsetRect(point); return r; }
    CRect operator-(POINT point) const { CRect r(*this); r.OffsetRect(-point.x, -point.y); return r; }
    CRect operator+(SIZE size) const { CRect r(*this); r.OffsetRect(size); return r; }
    CRect operator-(SIZE size) const { CRect r(*this); r.OffsetRect(-size.cx, -size.cy); return r; }
    CRect operator+(const RECT* by) const { CRect r(*this); r.InflateRect(by); return r; }
    CRect operator-(const RECT* by) const { CRect r(*this); r.DeflateRect(by); return r; }
    // Without this, "rect - &rc" would also match pointer subtraction through operator RECT*.
    CRect operator-(RECT* by) const { return *this - static_cast<const RECT*>(by); }
    CRect operator&(const RECT& other) const { CRect r; r.IntersectRect(this, &other); return r; }
    CRect operator|(const RECT& other) const { CRect r; r.UnionRect(this, &other); return r; }
};

inline CPoint CSize::operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
inline CPoint CSize::operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
inline CRect CSize::operator+(const RECT* rect) const { return CRect(rect) + *this; }
inline CRect CSize::operator-(const RECT* rect) const { return CRect(rect) - *this; }
inline CRect CPoint::operator+(const RECT* rect) const { return CRect(rect) + *this; }
inline CRect CPoint::operator-(const RECT* rect) const { return CRect(rect) - *this; }

// A fixed number of rectangles, used for hit-testing button areas. The array
// is replaced, never grown: SetCount discards the old rectangles.
class CORVANE_API CRectList {
public:
    explicit CRectList(int count = 10);
    ~CRectList();
    CRectList(const CRectList&) = delete;
    CRectList& operator=(const CRectList&) = delete;

    // A count below 1 becomes 10; the new rectangles are uninitialised.
    void SetCount(int count);
    int GetCount() const { return m_count; }
    // Indexes outside 0..count-1 are ignored by SetItem; GetItem returns an empty rectangle for them.
    void SetItem(int index, const RECT& rect);
    CRect GetItem(int index) const;
    // Index of the first rectangle containing the point, or -1.
    int PtInRectList(POINT point) const;

private:
    int m_count = 0;
    CRect* m_rects = nullptr;
};
