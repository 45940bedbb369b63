// Registry key deletion as on the device: deleting a key deletes its
// subkeys too (the desktop refuses a key that has subkeys).
#include "coredll_private.h"

namespace {

using RegDeleteKeyFn = LSTATUS(WINAPI*)(HKEY, LPCWSTR);

// Deeper trees than this are not made by device software; the limit keeps
// a corrupt hive from exhausting the stack.
const int kMaxDepth = 64;

RegDeleteKeyFn RealRegDeleteKey()
{
    static const RegDeleteKeyFn real = RealFunction<RegDeleteKeyFn>(L"advapi32.dll", "RegDeleteKeyW");
    return real;
}

LSTATUS DeleteTree(HKEY parent, const wchar_t* subKey, int depth)
{
    if (depth > kMaxDepth)
        return ERROR_CANTWRITE;

    HKEY key;
    LSTATUS rc = RegOpenKeyExW(parent, subKey, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE, &key);
    if (rc != ERROR_SUCCESS)
        return rc;

    // Always delete the first child: indices shift as children go.
    wchar_t child[256];
    for (;;) {
        DWORD cch = ARRAYSIZE(child);
        rc = RegEnumKeyExW(key, 0, child, &cch, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc == ERROR_SUCCESS)
            rc = DeleteTree(key, child, depth + 1);
        if (rc != ERROR_SUCCESS) {
            RegCloseKey(key);
            return rc;
        }
    }
    RegCloseKey(key);
    return RealRegDeleteKey()(parent, subKey);
}

} // namespace

extern "C" LSTATUS WINAPI CoreRegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey)
{
    if (!RealRegDeleteKey())
        return ERROR_PROC_NOT_FOUND;
    // No subkey names the open key itself: never empty a whole hive.
    if (!lpSubKey || !*lpSubKey)
        return RealRegDeleteKey()(hKey, lpSubKey);
    return DeleteTree(hKey, lpSubKey, 0);
}
