// CRegistry: one open registry key with typed reads and writes.
//
// Reads go through a local buffer first, so a value of the wrong type or
// size never reaches the caller's buffer.
#include "registry.h"

#include <cstring>
#include <cwchar>

namespace {

// The signature's bytes read "VREG" in memory while the object lives, "_REG" after.
const DWORD kSignatureAlive = 'V' | ('R' << 8) | ('E' << 16) | ('G' << 24);
const DWORD kSignatureDead = '_' | ('R' << 8) | ('E' << 16) | ('G' << 24);

// Device paths are written "\SOFTWARE\..."; the desktop registry refuses a
// leading backslash, so it is dropped.
const wchar_t* SkipLeadingBackslashes(const wchar_t* path)
{
    while (*path == L'\\')
        ++path;
    return path;
}

// Copies a name or text of `needed` characters (terminator included) into
// the caller's buffer, or reports the size the caller must provide.
BOOL CopyOut(const wchar_t* text, DWORD needed, wchar_t* buffer, DWORD* size)
{
    if (!buffer || *size < needed) {
        *size = needed;
        return FALSE;
    }
    std::memcpy(buffer, text, (needed - 1) * sizeof(wchar_t));
    buffer[needed - 1] = L'\0';
    *size = needed;
    return TRUE;
}

} // namespace

CRegistry::CRegistry() : m_signature(kSignatureAlive) {}

CRegistry::~CRegistry()
{
    Close();
    m_signature = kSignatureDead;
}

BOOL CRegistry::Open(HKEY root, const wchar_t* path, BOOL readOnly, BOOL create, BOOL useAccess, REGSAM access)
{
    Close();
    if (!path)
        return FALSE;
    path = SkipLeadingBackslashes(path);

    REGSAM chosen = useAccess ? access : KEY_ALL_ACCESS;
    HKEY key = nullptr;
    LONG result;
    if (create) {
        DWORD disposition;
        result = RegCreateKeyExW(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, chosen, nullptr, &key,
                                 &disposition);
    } else {
        result = RegOpenKeyExW(root, path, 0, readOnly ? KEY_READ : chosen, &key);
    }
    if (result != ERROR_SUCCESS)
        return FALSE;

    m_key = key;
    m_base = root;
    m_open = TRUE;
    m_readOnly = readOnly ? TRUE : FALSE;
    return TRUE;
}

BOOL CRegistry::Close()
{
    if (!m_open)
        return TRUE;
    if (RegCloseKey(m_key) != ERROR_SUCCESS)
        return FALSE;
    m_key = nullptr;
    m_open = FALSE;
    return TRUE;
}

BOOL CRegistry::ReadString(const wchar_t* name, wchar_t* buffer, DWORD* size)
{
    if (!m_open || !size)
        return FALSE;
    // One spare character so that text stored without a terminator gets one.
    wchar_t text[kMaxText + 1];
    DWORD bytes = kMaxText * sizeof(wchar_t);
    DWORD type;
    if (RegQueryValueExW(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) != ERROR_SUCCESS)
        return FALSE;
    DWORD chars = bytes / sizeof(wchar_t);
    text[chars] = L'\0';
    DWORD needed = static_cast<DWORD>(wcsnlen(text, chars)) + 1;
    return CopyOut(text, needed, buffer, size);
}

BOOL CRegistry::WriteString(const wchar_t* name, const wchar_t* text)
{
    if (!CanWrite() || !text)
        return FALSE;
    DWORD bytes = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) == ERROR_SUCCESS;
}

BOOL CRegistry::ReadDWORD(const wchar_t* name, DWORD* value)
{
    if (!m_open || !value)
        return FALSE;
    DWORD number;
    DWORD bytes = sizeof(number);
    DWORD type;
    if (RegQueryValueExW(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(&number), &bytes) != ERROR_SUCCESS)
        return FALSE;
    if (bytes != sizeof(number) || (type != REG_DWORD && type != REG_BINARY))
        return FALSE;
    *value = number;
    return TRUE;
}

BOOL CRegistry::WriteDWORD(const wchar_t* name, DWORD value)
{
    if (!CanWrite())
        return FALSE;
    return RegSetValueExW(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

BOOL CRegistry::ReadBlob(const wchar_t* name, BYTE* buffer, DWORD* size)
{
    if (!m_open || !size)
        return FALSE;
    DWORD type;
    DWORD needed = 0;
    if (RegQueryValueExW(m_key, name, nullptr, &type, nullptr, &needed) != ERROR_SUCCESS || type != REG_BINARY)
        return FALSE;
    if (!buffer || *size < needed) {
        *size = needed;
        return buffer ? FALSE : TRUE;
    }
    DWORD bytes = *size;
    if (RegQueryValueExW(m_key, name, nullptr, &type, buffer, &bytes) != ERROR_SUCCESS || type != REG_BINARY)
        return FALSE;
    *size = bytes;
    return TRUE;
}

BOOL CRegistry::WriteBlob(const wchar_t* name, const BYTE* data, DWORD length)
{
    if (!CanWrite() || (!data && length > 0))
        return FALSE;
    return RegSetValueExW(m_key, name, 0, REG_BINARY, data, length) == ERROR_SUCCESS;
}

BOOL CRegistry::EnumKeys(wchar_t* buffer, DWORD* size, DWORD index)
{
    if (!m_open || !size)
        return FALSE;
    wchar_t name[kMaxText];
    DWORD chars = kMaxText;
    if (RegEnumKeyExW(m_key, index, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return FALSE;
    return CopyOut(name, chars + 1, buffer, size);
}

BOOL CRegistry::EnumValues(wchar_t* buffer, DWORD* size, DWORD index)
{
    if (!m_open || !size)
        return FALSE;
    wchar_t name[kMaxText];
    DWORD chars = kMaxText;
    if (RegEnumValueW(m_key, index, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return FALSE;
    return CopyOut(name, chars + 1, buffer, size);
}

BOOL CRegistry::DeleteSubKey(const wchar_t* name)
{
    // An empty name would name the open key itself and wipe its contents.
    if (!CanWrite() || !name || !*name)
        return FALSE;
    // The device deletes a key together with its subkeys; so do we.
    return RegDeleteTreeW(m_key, name) == ERROR_SUCCESS;
}

BOOL CRegistry::DeleteValue(const wchar_t* name)
{
    if (!CanWrite() || !name)
        return FALSE;
    return RegDeleteValueW(m_key, name) == ERROR_SUCCESS;
}
