// CWndList and CWndIconList: the windows a window walk should leave out,
// and an icon per window.
#include <cwchar>

#include "shell.h"
#include "shell_text.h"

namespace {

BOOL Append(wchar_t (*list)[CWndList::kMaxNameChars], int* count, LPCWSTR text)
{
    if (!text || *count >= CWndList::kMaxAvoid)
        return FALSE;
    CopyBounded(list[*count], CWndList::kMaxNameChars, text);
    ++*count;
    return TRUE;
}

BOOL Holds(const wchar_t (*list)[CWndList::kMaxNameChars], int count, LPCWSTR text)
{
    if (!text)
        return FALSE;
    for (int i = 0; i < count; ++i)
        if (wcscmp(list[i], text) == 0)
            return TRUE;
    return FALSE;
}

}  // namespace

CWndList::CWndList() : m_nAvoidNames(0), m_nAvoidClasses(0)
{
    ResetAvoidList();
}

BOOL CWndList::AddAvoidName(LPCWSTR title)
{
    return Append(m_avoidNames, &m_nAvoidNames, title);
}

BOOL CWndList::AddAvoidClass(LPCWSTR className)
{
    return Append(m_avoidClasses, &m_nAvoidClasses, className);
}

void CWndList::ResetAvoidList()
{
    m_nAvoidNames = 0;
    m_nAvoidClasses = 0;
    for (int i = 0; i < kMaxAvoid; ++i)
        m_avoidNames[i][0] = m_avoidClasses[i][0] = L'\0';
}

BOOL CWndList::IsAvoidName(LPCWSTR title) const
{
    return Holds(m_avoidNames, m_nAvoidNames, title);
}

BOOL CWndList::IsAvoidClass(LPCWSTR className) const
{
    return Holds(m_avoidClasses, m_nAvoidClasses, className);
}

CWndIconList::CWndIconList() : m_nIcons(0)
{
    ResetIcons();
}

BOOL CWndIconList::SetWndIcon(HWND hWnd, HICON icon)
{
    if (!hWnd)
        return FALSE;
    for (int i = 0; i < m_nIcons; ++i) {
        if (m_iconWnds[i] == hWnd) {
            m_icons[i] = icon;
            return TRUE;
        }
    }
    if (m_nIcons >= kMaxIcons)
        return FALSE;
    m_iconWnds[m_nIcons] = hWnd;
    m_icons[m_nIcons] = icon;
    ++m_nIcons;
    return TRUE;
}

HICON CWndIconList::GetWndIcon(HWND hWnd) const
{
    for (int i = 0; i < m_nIcons; ++i)
        if (m_iconWnds[i] == hWnd)
            return m_icons[i];
    return nullptr;
}

void CWndIconList::ResetIcons()
{
    m_nIcons = 0;
    for (int i = 0; i < kMaxIcons; ++i) {
        m_iconWnds[i] = nullptr;
        m_icons[i] = nullptr;
    }
}
