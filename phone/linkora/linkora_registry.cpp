#include "linkora_registry.h"

bool CLinkoraKey::Open(LPCWSTR path)
{
    Close();
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &m_key) == ERROR_SUCCESS;
}

bool CLinkoraKey::Create(LPCWSTR path)
{
    Close();
    return RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_key,
                           nullptr) == ERROR_SUCCESS;
}

bool CLinkoraKey::ReadString(LPCWSTR name, wchar_t* text, DWORD cch) const
{
    if (!m_key || !text || cch == 0)
        return false;
    text[0] = L'\0';
    DWORD cb = (cch - 1) * sizeof(wchar_t);
    if (RegGetValueW(m_key, nullptr, name, RRF_RT_REG_SZ, nullptr, text, &cb) != ERROR_SUCCESS) {
        text[0] = L'\0';
        return false;
    }
    return true;
}

bool CLinkoraKey::WriteString(LPCWSTR name, LPCWSTR text)
{
    if (!m_key || !text)
        return false;
    DWORD cb = (DWORD)((wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(m_key, name, 0, REG_SZ, (const BYTE*)text, cb) == ERROR_SUCCESS;
}

void CLinkoraKey::Close()
{
    if (m_key) {
        RegCloseKey(m_key);
        m_key = nullptr;
    }
}
