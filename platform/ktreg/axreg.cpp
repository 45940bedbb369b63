// CAxReg: reading, writing and deleting single applet registrations.
#include "axreg.h"

#include <strsafe.h>

namespace {

// Reads a text value of any stored length (up to the registry reader's
// limit) and cuts it to the field, so over-long text is cut rather than
// refused. Absent or unreadable values leave the field unchanged.
void ReadTextField(CRegistry& key, LPCWSTR name, wchar_t* field, size_t fieldChars)
{
    wchar_t text[CRegistry::kMaxText];
    DWORD size = CRegistry::kMaxText;
    if (key.ReadString(name, text, &size))
        StringCchCopyW(field, fieldChars, text);  // truncates and terminates
}

void ReadNumberField(CRegistry& key, LPCWSTR name, DWORD* field)
{
    DWORD value = 0;
    if (key.ReadDWORD(name, &value))
        *field = value;
}

// key\name of a registration; 0 when it does not fit.
BOOL RegistrationPath(const CAxDllInfo* info, wchar_t* path, size_t pathChars)
{
    return SUCCEEDED(StringCchPrintfW(path, pathChars, L"%ls\\%ls", info->szKey, info->szName));
}

}  // namespace

int CAxReg::GetAppletCount(LPCWSTR branch)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, branch, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD subkeys = 0;
    LONG status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? (int)subkeys : 0;
}

BOOL CAxReg::GetAppletInfo(CAxDllInfo* info)
{
    if (!info)
        return 0;
    wchar_t path[MAX_PATH];
    info->dwType = 0;
    if (!RegistrationPath(info, path, MAX_PATH))
        return 0;
    CRegistry key;
    if (!key.Open(HKEY_LOCAL_MACHINE, path, TRUE))
        return 0;
    return ReadValues(key, info);
}

BOOL CAxReg::GetAppletInfo(HKEY branch, CAxDllInfo* info)
{
    if (!info)
        return 0;
    info->dwType = 0;
    CRegistry key;
    if (!branch || !key.Open(branch, info->szName, TRUE))
        return 0;
    return ReadValues(key, info);
}

BOOL CAxReg::ReadValues(CRegistry& key, CAxDllInfo* info)
{
    if (!key.ReadDWORD(L"Type", &info->dwType))
        return 0;
    ReadTextField(key, L"DLL", info->szDLL, CAxDllInfo::kDllChars);
    ReadNumberField(key, L"Enabled", &info->dwEnabled);
    ReadNumberField(key, L"Options", &info->dwOptions);
    ReadNumberField(key, L"Order", &info->dwOrder);
    info->dwNotify = 0;
    ReadTextField(key, L"Group", info->szGroup, CAxDllInfo::kGroupChars);
    ReadNumberField(key, L"Notify", &info->dwNotify);
    return 1;
}

BOOL CAxReg::HasApplet(LPCWSTR branch, LPCWSTR name)
{
    wchar_t path[MAX_PATH];
    if (FAILED(StringCchPrintfW(path, MAX_PATH, L"%ls\\%ls", branch, name)))
        return 0;
    CRegistry key;
    return key.Open(HKEY_LOCAL_MACHINE, path, TRUE);
}

BOOL CAxReg::DelApplet(LPCWSTR branch, LPCWSTR name)
{
    if (!name || !name[0])
        return 0;  // never the branch itself
    CRegistry key;
    if (!key.Open(HKEY_LOCAL_MACHINE, branch))
        return 0;
    return key.DeleteSubKey(name);
}

BOOL CAxReg::SetAppletInfo(const CAxDllInfo* info, BOOL create)
{
    // A record without a name would write its values into the branch key.
    if (!info || !info->szName[0])
        return 0;
    wchar_t path[MAX_PATH];
    if (!RegistrationPath(info, path, MAX_PATH))
        return 0;
    CRegistry key;
    if (!key.Open(HKEY_LOCAL_MACHINE, path, FALSE, create))
        return 0;
    BOOL ok = key.WriteDWORD(L"Type", info->dwType);
    ok = key.WriteDWORD(L"Options", info->dwOptions) && ok;
    ok = key.WriteDWORD(L"Order", info->dwOrder) && ok;
    ok = key.WriteDWORD(L"Enabled", info->dwEnabled) && ok;
    ok = key.WriteString(L"DLL", info->szDLL) && ok;
    ok = key.WriteString(L"Group", info->szGroup) && ok;
    ok = key.WriteDWORD(L"Notify", info->dwNotify) && ok;
    return ok ? 1 : 0;
}

BOOL CAxReg::DelAppletInfo(const CAxDllInfo* info)
{
    return info ? DelApplet(info->szKey, info->szName) : 0;
}

BOOL CAxReg::SortByOrder(CAxDllInfo** list, int count)
{
    if (count > 0 && !list)
        return 0;
    for (int i = 0; i < count; ++i)
        if (!list[i])
            return 0;
    for (int i = 0; i < count - 1; ++i)
        for (int j = i + 1; j < count; ++j)
            if (list[j]->dwOrder < list[i]->dwOrder) {
                CAxDllInfo* swap = list[i];
                list[i] = list[j];
                list[j] = swap;
            }
    return 1;
}

BOOL CAxReg::InitInfo(CAxDllInfo* info, LPCWSTR branch, LPCWSTR name)
{
    ZeroMemory(info, sizeof(*info));
    return SUCCEEDED(StringCchCopyW(info->szKey, CAxDllInfo::kKeyChars, branch)) &&
           SUCCEEDED(StringCchCopyW(info->szName, CAxDllInfo::kNameChars, name));
}
