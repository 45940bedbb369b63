// The launch list's grid: cells, rows and hit testing.
#include "launch_list.h"

void CLaunchList::SetLines(int lines)
{
    m_nLines = lines >= 1 && lines <= 10 ? lines : LaunchSettings::kDefaultLines;
}

int CLaunchList::RowsNeeded() const
{
    return RowsNeeded(m_bExpanded);
}

int CLaunchList::RowsNeeded(BOOL expanded) const
{
    // An empty list still has its one row (C division truncates -1 / 10 to 0).
    int rows = (GetCount() - 1) / kColumns + 1;
    if (!expanded && rows > m_nLines)
        rows = m_nLines;
    return rows;
}

CRect CLaunchList::CellRect(int index) const
{
    const int row = index / kColumns;
    const int column = index % kColumns;
    int x = m_ptOrigin.x + kCellWidth * column;
    if (column >= kGapColumn)
        x += kGap;
    const int y = m_ptOrigin.y + kCellHeight * row;
    return CRect(x, y, x + kCellWidth, y + kCellHeight);
}

BOOL CLaunchList::IsShown(int index) const
{
    return index >= 0 && index < GetCount() && (m_bExpanded || index / kColumns < m_nLines);
}

int CLaunchList::HitTest(POINT point) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (!IsShown(i))
            return -1;  // the first entry of the first hidden row
        if (CellRect(i).PtInRect(point))
            return i;
    }
    return -1;
}
