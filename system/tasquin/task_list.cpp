// The task manager's list of running programs.
#include "task_list.h"

#include <cwchar>
#include <string>
#include <vector>

namespace {

// Bound on the walk, against a window list that keeps changing.
const int kMaxWalk = 4096;

// Programs the shell knows by their window class rather than their file.
struct ClassRule {
    const wchar_t* className;
    const wchar_t* path;  // null: the program's file
    UINT ownIcon;         // 0 none, else which of the own icons
};
const ClassRule kClassRules[] = {
    {L"Tasks Application", L"\\Windows\\tasks.lnk", 0},
    {L"Contacts", L"\\Windows\\addrbook.lnk", 0},
    {L"Calendar", L"\\Windows\\calendar.lnk", 0},
    {L"Explore", nullptr, CTaskList::kExploreIcon},
    {L"DesktopExplorerWindow", L"Today", CTaskList::kTodayIcon},
};

void CopyText(wchar_t* target, size_t capacity, const wchar_t* text)
{
    target[0] = L'\0';
    wcsncat(target, text, capacity - 1);
}

HICON LoadOwnIcon(HINSTANCE module, UINT id)
{
    if (!module)
        return nullptr;
    return static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
}

// The program file of the window's process; empty when it cannot be read.
void ProcessPath(HWND wnd, wchar_t* path, DWORD capacity)
{
    path[0] = L'\0';
    DWORD processId = 0;
    ::GetWindowThreadProcessId(wnd, &processId);
    HANDLE process = processId ? ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId) : nullptr;
    if (!process)
        return;
    DWORD size = capacity;
    if (!::QueryFullProcessImageNameW(process, 0, path, &size))
        path[0] = L'\0';
    ::CloseHandle(process);
}

}  // namespace

CTaskList::CTaskList(HINSTANCE iconModule)
    : m_hExploreIcon(LoadOwnIcon(iconModule, kExploreIcon)), m_hTodayIcon(LoadOwnIcon(iconModule, kTodayIcon))
{
}

CTaskList::~CTaskList()
{
    RemoveAll();
    if (m_hExploreIcon)
        ::DestroyIcon(m_hExploreIcon);
    if (m_hTodayIcon)
        ::DestroyIcon(m_hTodayIcon);
}

void CTaskList::RemoveAll()
{
    for (POSITION position = m_entries.GetHeadPosition(); position;)
        delete static_cast<CTaskEntry*>(m_entries.GetNext(position));
    m_entries.RemoveAll();
}

CTaskEntry* CTaskList::GetAt(int index) const
{
    POSITION position = index >= 0 ? m_entries.FindIndex(index) : nullptr;
    return position ? static_cast<CTaskEntry*>(m_entries.GetAt(position)) : nullptr;
}

BOOL CTaskList::IsApplicationWindow(HWND wnd, HWND ownBar)
{
    if (wnd == ownBar || !::IsWindowVisible(wnd))
        return FALSE;
    if (::GetWindow(wnd, GW_OWNER) || ::GetParent(wnd))
        return FALSE;
    if ((::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD) || (::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return FALSE;
    return TRUE;
}

BOOL CTaskList::Refresh(HWND ownBar, BOOL force)
{
    if (!force && m_hForeground && ::GetForegroundWindow() == m_hForeground)
        return FALSE;

    // What was listed, to tell whether anything changed.
    std::vector<HWND> before;
    std::vector<std::wstring> beforeTitles;
    for (int i = 0; i < GetCount(); ++i) {
        before.push_back(GetAt(i)->m_hWnd);
        beforeTitles.push_back(GetAt(i)->m_szTitle);
    }

    RemoveAll();
    int walked = 0;
    for (HWND wnd = ::GetTopWindow(nullptr); wnd && walked < kMaxWalk; wnd = ::GetWindow(wnd, GW_HWNDNEXT), ++walked) {
        if (!IsApplicationWindow(wnd, ownBar))
            continue;
        wchar_t title[CTaskEntry::kTextChars] = L"";
        wchar_t className[CTaskEntry::kTextChars] = L"";
        if (::GetWindowTextW(wnd, title, CTaskEntry::kTextChars) <= 0 ||
            ::GetClassNameW(wnd, className, CTaskEntry::kTextChars) <= 0)
            continue;
        AddWindow(wnd, title, className);
    }
    m_hForeground = GetCount() > 0 ? GetAt(0)->m_hWnd : nullptr;

    if (static_cast<int>(before.size()) != GetCount())
        return TRUE;
    for (int i = 0; i < GetCount(); ++i)
        if (before[i] != GetAt(i)->m_hWnd || beforeTitles[i] != GetAt(i)->m_szTitle)
            return TRUE;
    return FALSE;
}

// A second window of a title already listed only gives its class.
void CTaskList::AddWindow(HWND wnd, const wchar_t* title, const wchar_t* className)
{
    for (int i = 0; i < GetCount(); ++i) {
        CTaskEntry* entry = GetAt(i);
        if (wcscmp(entry->m_szTitle, title) == 0) {
            CopyText(entry->m_szClass, CTaskEntry::kTextChars, className);
            return;
        }
    }
    CTaskEntry* entry = new CTaskEntry;
    entry->m_hWnd = wnd;
    CopyText(entry->m_szTitle, CTaskEntry::kTextChars, title);
    CopyText(entry->m_szClass, CTaskEntry::kTextChars, className);
    ProcessPath(wnd, entry->m_szPath, MAX_PATH);
    for (const ClassRule& rule : kClassRules) {
        if (wcscmp(className, rule.className) != 0)
            continue;
        if (rule.path)
            CopyText(entry->m_szPath, MAX_PATH, rule.path);
        entry->m_nOwnIcon = rule.ownIcon;
        if (rule.ownIcon == kExploreIcon)
            entry->m_hOwnIcon = m_hExploreIcon;
        else if (rule.ownIcon == kTodayIcon)
            entry->m_hOwnIcon = m_hTodayIcon;
        break;
    }
    m_entries.AddTail(entry);
}
