// CRegistryWatch: tells whether anything below a registry key changed since
// the last time it was asked, so that a reader can keep what it read until
// then instead of reading the key again.
#pragma once

#include <windows.h>

#include "corvane_api.h"

class CORVANE_API CRegistryWatch {
public:
    CRegistryWatch(HKEY root, const wchar_t* path);
    ~CRegistryWatch();
    CRegistryWatch(const CRegistryWatch&) = delete;
    CRegistryWatch& operator=(const CRegistryWatch&) = delete;

    // True when the key or anything below it (values, subkeys, their values)
    // may have changed since the last call, when the key was deleted or made
    // anew, and on the first call. The watch is armed again before it
    // returns, so a caller that reads the key after a true misses no change
    // made during its read. When the key cannot be watched (missing, no
    // notices) every call answers true.
    bool TakeChange();

private:
    // One change notice: an open key and the event the registry sets.
    struct Notice {
        HKEY key = nullptr;
        HANDLE event = nullptr;
    };

    bool Arm(Notice& notice, const wchar_t* path, BOOL subtree, DWORD filter);
    static bool Pending(const Notice& notice);
    static void Close(Notice& notice);

    HKEY m_root;
    wchar_t m_path[MAX_PATH] = {};
    wchar_t m_parentPath[MAX_PATH] = {};
    bool m_pathFits = false;
    Notice m_below;   // the key and everything below it
    Notice m_parent;  // the key's parent, for the key itself going or coming
};
