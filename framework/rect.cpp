// CRect: the members that use the platform's rectangle arithmetic.
#include "geometry.h"

void CRect::SwapLeftRight(RECT* rect)
{
    LONG left = rect->left;
    rect->left = rect->right;
    rect->right = left;
}

BOOL CRect::IntersectRect(const RECT* a, const RECT* b)
{
    return ::IntersectRect(this, a, b);
}

BOOL CRect::UnionRect(const RECT* a, const RECT* b)
{
    return ::UnionRect(this, a, b);
}

BOOL CRect::SubtractRect(const RECT* from, const RECT* minus)
{
    return ::SubtractRect(this, from, minus);
}
