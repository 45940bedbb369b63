#include "webbia.h"

namespace {

const wchar_t* WithoutLeadingBackslash(const wchar_t* path)
{
    while (path && *path == L'\\')
        ++path;
    return path;
}

}  // namespace

HKEY WebbiaOpenKey(HKEY root, const wchar_t* path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, WithoutLeadingBackslash(path), 0, access, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool WebbiaReadDword(HKEY key, const wchar_t* name, DWORD* value)
{
    DWORD type = 0, size = sizeof(*value), read = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(read))
        return false;
    *value = read;
    return true;
}

bool WebbiaReadString(HKEY key, const wchar_t* name, wchar_t* buffer, DWORD cch)
{
    if (cch == 0)
        return false;
    // Room for a terminator the stored value may lack.
    wchar_t* scratch = new wchar_t[cch + 1]();
    DWORD type = 0, size = cch * sizeof(wchar_t);
    bool ok = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(scratch), &size) ==
                  ERROR_SUCCESS &&
              (type == REG_SZ || type == REG_EXPAND_SZ);
    if (ok) {
        scratch[size / sizeof(wchar_t)] = L'\0';
        size_t length = wcslen(scratch);
        ok = length < cch;
        if (ok)
            wcsncpy(buffer, scratch, cch);
    }
    delete[] scratch;
    return ok;
}

bool WebbiaWriteDword(HKEY key, const wchar_t* name, DWORD value)
{
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

bool WebbiaWriteString(HKEY key, const wchar_t* name, const wchar_t* text)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}
