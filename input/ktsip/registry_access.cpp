#include "ktsip_private.h"

bool RegWriteText(HKEY root, LPCWSTR key, LPCWSTR name, LPCWSTR value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    DWORD bytes = (DWORD)((wcslen(value) + 1) * sizeof(wchar_t));
    LSTATUS rc = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
    RegCloseKey(handle);
    return rc == ERROR_SUCCESS;
}

bool RegReadText(HKEY root, LPCWSTR key, LPCWSTR name, wchar_t* buffer, DWORD cch)
{
    if (!buffer || cch == 0)
        return false;
    buffer[0] = L'\0';
    DWORD bytes = cch * sizeof(wchar_t);
    // RegGetValueW terminates the text and fails when it does not fit.
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS) {
        buffer[0] = L'\0';
        return false;
    }
    return true;
}

bool RegDeleteKeyTree(HKEY root, LPCWSTR key)
{
    LSTATUS rc = RegDeleteTreeW(root, key);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}
