// CRegistryWatch: registry change notices on events, armed again at each
// question that finds one set.
#include "registry_watch.h"

#include <strsafe.h>
#include <wchar.h>

CRegistryWatch::CRegistryWatch(HKEY root, const wchar_t* path) : m_root(root)
{
    m_pathFits = path && SUCCEEDED(StringCchCopyW(m_path, MAX_PATH, path));
    if (!m_pathFits)
        return;
    StringCchCopyW(m_parentPath, MAX_PATH, m_path);
    wchar_t* last = wcsrchr(m_parentPath, L'\\');
    if (last)
        *last = L'\0';
    else
        m_parentPath[0] = L'\0';  // the root itself
}

CRegistryWatch::~CRegistryWatch()
{
    Close(m_below);
    Close(m_parent);
}

bool CRegistryWatch::TakeChange()
{
    // A notice on the key alone would miss the key being deleted and made
    // anew: the handle keeps watching the deleted one. Its parent sees that.
    if (Pending(m_below) && Pending(m_parent))
        return false;
    Close(m_below);
    Close(m_parent);
    const bool armed = Arm(m_parent, m_parentPath, FALSE, REG_NOTIFY_CHANGE_NAME) &&
                       Arm(m_below, m_path, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET);
    if (!armed) {
        // Asked again, and answered true, at every question.
        Close(m_below);
        Close(m_parent);
    }
    return true;
}

bool CRegistryWatch::Arm(Notice& notice, const wchar_t* path, BOOL subtree, DWORD filter)
{
    if (!m_pathFits)
        return false;
    if (!notice.event && !(notice.event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr)))
        return false;
    if (::RegOpenKeyExW(m_root, path, 0, KEY_READ | KEY_NOTIFY, &notice.key) != ERROR_SUCCESS) {
        notice.key = nullptr;
        return false;
    }
    ::ResetEvent(notice.event);
    return ::RegNotifyChangeKeyValue(notice.key, subtree, filter, notice.event, TRUE) == ERROR_SUCCESS;
}

// Armed, and nothing reported since.
bool CRegistryWatch::Pending(const Notice& notice)
{
    return notice.key && notice.event && ::WaitForSingleObject(notice.event, 0) == WAIT_TIMEOUT;
}

void CRegistryWatch::Close(Notice& notice)
{
    if (notice.key)
        ::RegCloseKey(notice.key);
    notice.key = nullptr;
    if (notice.event)
        ::CloseHandle(notice.event);
    notice.event = nullptr;
}
