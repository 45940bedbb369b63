// CModuleInfo: the path of a module and of files beside it.
#include <cwchar>

#include "shell.h"
#include "shell_text.h"
#include "wndframe.h"

CModuleInfo::CModuleInfo()
{
    m_szModule[0] = m_szWork[0] = L'\0';
    SetModuleName(nullptr);
}

CModuleInfo::CModuleInfo(HINSTANCE module)
{
    m_szModule[0] = m_szWork[0] = L'\0';
    SetModuleName(module);
}

// A path that does not fit is not kept: a cut path would name another file.
CModuleInfo::CModuleInfo(LPCWSTR path)
{
    m_szModule[0] = m_szWork[0] = L'\0';
    if (!CopyBounded(m_szModule, MAX_PATH, path))
        m_szModule[0] = L'\0';
}

BOOL CModuleInfo::SetModuleName(HINSTANCE module)
{
    if (!module)
        module = CorGetInstance();
    DWORD length = ::GetModuleFileNameW(module, m_szModule, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        m_szModule[0] = L'\0';
        return FALSE;
    }
    return TRUE;
}

LPCWSTR CModuleInfo::JoinFolder(LPCWSTR name)
{
    m_szWork[0] = L'\0';
    const wchar_t* slash = wcsrchr(m_szModule, L'\\');
    if (!slash || !name)
        return nullptr;
    size_t folder = static_cast<size_t>(slash - m_szModule) + 1;  // with the backslash
    if (folder + wcslen(name) >= MAX_PATH)
        return nullptr;
    CopyBounded(m_szWork, MAX_PATH, m_szModule, folder);
    CopyBounded(m_szWork + folder, MAX_PATH - folder, name);
    return m_szWork;
}

LPCWSTR CModuleInfo::GetFileName(LPCWSTR name)
{
    return JoinFolder(name);
}

LPCWSTR CModuleInfo::GetPath(LPCWSTR name)
{
    return JoinFolder(name);
}

LPCWSTR CModuleInfo::GetFileName()
{
    return nullptr;
}

LPCWSTR CModuleInfo::GetPath()
{
    m_szWork[0] = L'\0';
    const wchar_t* slash = wcsrchr(m_szModule, L'\\');
    if (slash)
        CopyBounded(m_szWork, MAX_PATH, m_szModule, static_cast<size_t>(slash - m_szModule));
    return m_szWork;
}

LPCWSTR CModuleInfo::GetFullPath()
{
    CopyBounded(m_szWork, MAX_PATH, m_szModule);
    return m_szWork;
}
