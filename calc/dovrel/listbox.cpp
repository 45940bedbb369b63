// CListBox: the list box wrapper.
#include "dovrel_listbox.h"

#include "dovrel_private.h"

BOOL CListBox::Create(const RECT& rect, HWND parent, UINT id, DWORD style)
{
    return CWnd::Create(L"LISTBOX", L"", style ? style : kDefaultStyle, rect, parent, id);
}

int CListBox::GetText(int index, LPWSTR buffer, int capacity)
{
    return CopyItemText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, index, buffer, capacity, LB_ERR);
}
