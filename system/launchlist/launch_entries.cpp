// The launch list's entries: adding, finding, removing and rearranging.
#include "launch_list.h"

#include <cwchar>

CLaunchEntry::CLaunchEntry(LPCWSTR path)
{
    m_szPath[0] = L'\0';
    if (path)
        wcsncat(m_szPath, path, kMaxPathChars);
}

CLaunchList::CLaunchList()
{
    m_ptOrigin = CPoint(0, 0);
    m_szFile[0] = L'\0';
}

CLaunchList::~CLaunchList()
{
    RemoveAll();
    DropIconCache();
}

LPCWSTR CLaunchList::GetPath(int index) const
{
    POSITION position = index >= 0 ? m_entries.FindIndex(index) : nullptr;
    return position ? static_cast<CLaunchEntry*>(m_entries.GetAt(position))->m_szPath : nullptr;
}

BOOL CLaunchList::Add(LPCWSTR path)
{
    if (!path || !*path || wcsnlen(path, CLaunchEntry::kMaxPathChars + 1) > CLaunchEntry::kMaxPathChars)
        return FALSE;
    m_entries.AddTail(new CLaunchEntry(path));
    return TRUE;
}

BOOL CLaunchList::Contains(LPCWSTR path) const
{
    if (!path)
        return FALSE;
    for (POSITION position = m_entries.GetHeadPosition(); position;) {
        if (wcscmp(static_cast<CLaunchEntry*>(m_entries.GetNext(position))->m_szPath, path) == 0)
            return TRUE;
    }
    return FALSE;
}

BOOL CLaunchList::RemoveAt(int index)
{
    POSITION position = index >= 0 ? m_entries.FindIndex(index) : nullptr;
    if (!position)
        return FALSE;
    delete static_cast<CLaunchEntry*>(m_entries.GetAt(position));
    m_entries.RemoveAt(position);
    return TRUE;
}

void CLaunchList::RemoveAll()
{
    for (POSITION position = m_entries.GetHeadPosition(); position;)
        delete static_cast<CLaunchEntry*>(m_entries.GetNext(position));
    m_entries.RemoveAll();
}

BOOL CLaunchList::MoveTo(int from, int to)
{
    POSITION source = from >= 0 ? m_entries.FindIndex(from) : nullptr;
    if (!source || to < 0 || to == from || to == from + 1)
        return FALSE;  // onto itself, or already just in front of the target
    CObject* moved = m_entries.GetAt(source);
    if (to >= GetCount()) {
        if (from == GetCount() - 1)
            return FALSE;  // already the last
        m_entries.RemoveAt(source);
        m_entries.AddTail(moved);
        return TRUE;
    }
    // Positions name nodes, so the target's stays right across the removal.
    POSITION target = m_entries.FindIndex(to);
    m_entries.RemoveAt(source);
    m_entries.InsertBefore(target, moved);
    return TRUE;
}

BOOL CLaunchList::Swap(int first, int second)
{
    POSITION a = first >= 0 ? m_entries.FindIndex(first) : nullptr;
    POSITION b = second >= 0 ? m_entries.FindIndex(second) : nullptr;
    if (!a || !b || a == b)
        return FALSE;
    CObject* held = m_entries.GetAt(a);
    m_entries.SetAt(a, m_entries.GetAt(b));
    m_entries.SetAt(b, held);
    return TRUE;
}
