#include "com_server.h"

#include <strsafe.h>

namespace {

LONG g_serverCount = 0;

bool ClassKeyPath(const CLSID& clsid, wchar_t* path, size_t cch)
{
    wchar_t text[64];
    if (!StringFromGUID2(clsid, text, ARRAYSIZE(text)))
        return false;
    return SUCCEEDED(StringCchPrintfW(path, cch, L"CLSID\\%ls", text));
}

LSTATUS SetText(HKEY root, const wchar_t* subKey, const wchar_t* name, const wchar_t* value)
{
    return RegSetKeyValueW(root, subKey, name, REG_SZ, value, (DWORD)((wcslen(value) + 1) * sizeof(wchar_t)));
}

}  // namespace

void ComServerAddRef()
{
    InterlockedIncrement(&g_serverCount);
}

void ComServerRelease()
{
    InterlockedDecrement(&g_serverCount);
}

HRESULT ComServerCanUnloadNow()
{
    return g_serverCount == 0 ? S_OK : S_FALSE;
}

HRESULT ComRegisterInputMethod(HMODULE module, const CLSID& clsid, const wchar_t* name)
{
    wchar_t key[96];
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(module, path, ARRAYSIZE(path));
    if (!ClassKeyPath(clsid, key, ARRAYSIZE(key)) || length == 0 || length >= ARRAYSIZE(path))
        return SELFREG_E_CLASS;
    wchar_t server[128];
    wchar_t flag[128];
    if (FAILED(StringCchPrintfW(server, ARRAYSIZE(server), L"%ls\\InprocServer32", key)) ||
        FAILED(StringCchPrintfW(flag, ARRAYSIZE(flag), L"%ls\\IsSIPInputMethod", key)))
        return SELFREG_E_CLASS;
    bool ok = SetText(HKEY_CLASSES_ROOT, key, nullptr, name) == ERROR_SUCCESS &&
              SetText(HKEY_CLASSES_ROOT, server, nullptr, path) == ERROR_SUCCESS &&
              SetText(HKEY_CLASSES_ROOT, server, L"ThreadingModel", L"Apartment") == ERROR_SUCCESS &&
              SetText(HKEY_CLASSES_ROOT, flag, nullptr, L"1") == ERROR_SUCCESS;
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT ComUnregisterClass(const CLSID& clsid)
{
    wchar_t key[96];
    if (!ClassKeyPath(clsid, key, ARRAYSIZE(key)))
        return SELFREG_E_CLASS;
    LSTATUS rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
