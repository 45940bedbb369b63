// CRectList: a replaceable array of rectangles for hit-testing.
#include "geometry.h"

CRectList::CRectList(int count)
{
    SetCount(count);
}

CRectList::~CRectList()
{
    delete[] m_rects;
}

void CRectList::SetCount(int count)
{
    if (count < 1)
        count = 10;
    delete[] m_rects;
    m_rects = new CRect[count];
    m_count = count;
}

void CRectList::SetItem(int index, const RECT& rect)
{
    if (index >= 0 && index < m_count)
        m_rects[index] = rect;
}

CRect CRectList::GetItem(int index) const
{
    if (index < 0 || index >= m_count)
        return CRect(0, 0, 0, 0);
    return m_rects[index];
}

int CRectList::PtInRectList(POINT point) const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_rects[i].PtInRect(point))
            return i;
    }
    return -1;
}
