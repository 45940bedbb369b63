// CAxRegList: a registry branch of applet registrations as a sorted list.
#include "axreg.h"

#include <strsafe.h>

#include <new>

CAxRegList::CAxRegList() = default;

CAxRegList::~CAxRegList()
{
    CleanUp();
    CloseReg();
}

BOOL CAxRegList::LoadList(LPCWSTR branch)
{
    // Also after a load that failed half-way: its records go too.
    CleanUp();
    // One open of the branch serves the count and every registration.
    if (!OpenReg(branch))
        return 0;
    DWORD subkeys = 0;
    if (RegQueryInfoKeyW(m_pReg->GetHandle(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        subkeys = 0;
    const int count = static_cast<int>(subkeys);

    if (count > 0) {
        m_ppList = new (std::nothrow) CAxDllInfo*[count]();
        if (!m_ppList) {
            CloseReg();
            return 0;
        }
    }
    // Only valid registrations (a readable Type, a name that fits) join the
    // list: other keys under the branch, such as an applet's configuration
    // section, are neither listed nor written back by SaveList.
    BOOL complete = TRUE;
    for (int i = 0; i < count; ++i) {
        CAxDllInfo* info = new (std::nothrow) CAxDllInfo();
        if (!info) {
            complete = FALSE;
            break;
        }
        if (!EnumDllInfo(i, info)) {
            delete info;
            continue;
        }
        m_ppList[m_nCount++] = info;
        if (info->dwEnabled)
            ++m_nEnableCount;
    }
    CloseReg();

    m_bLoaded = FALSE;
    if (complete && CAxReg::SortByOrder(m_ppList, m_nCount)) {
        for (int i = 0; i < m_nCount; ++i)
            m_ppList[i]->dwOrder = (DWORD)i;
        m_bLoaded = TRUE;
    }
    return m_bLoaded;
}

BOOL CAxRegList::SaveList(LPCWSTR branch)
{
    if (!m_bLoaded || !OpenReg(branch))
        return 0;
    for (int i = 0; i < m_nCount; ++i)
        CAxReg::ChangeAppletInfo(m_ppList[i]);
    CloseReg();
    return 1;
}

CAxDllInfo* CAxRegList::GetDllInfo(int index) const
{
    if (index < 0 || index >= m_nCount)
        return nullptr;
    return m_ppList[index];
}

BOOL CAxRegList::IsEnabled(const CAxDllInfo* info)
{
    return info && info->dwEnabled != 0 && info->dwType == AX_TYPE_APPLET;
}

BOOL CAxRegList::IsHidden(const CAxDllInfo* info)
{
    return info && info->dwType == AX_TYPE_HIDDEN;
}

BOOL CAxRegList::EnumApplet(CAxDllInfo* out)
{
    if (!out || m_nCursor < 0 || m_nCursor >= m_nCount)
        return 0;
    *out = *m_ppList[m_nCursor++];
    return 1;
}

BOOL CAxRegList::EnumEnableApplet(CAxDllInfo* out)
{
    while (m_nCursor >= 0 && m_nCursor < m_nCount) {
        const CAxDllInfo* info = m_ppList[m_nCursor++];
        if (info->dwEnabled == 1) {
            if (!out)
                return 0;
            *out = *info;
            return 1;
        }
    }
    return 0;
}

BOOL CAxRegList::OpenReg(LPCWSTR branch)
{
    CloseReg();
    if (!branch || FAILED(StringCchCopyW(m_szBranch, MAX_PATH, branch)))
        return 0;
    m_pReg = new (std::nothrow) CRegistry();
    if (!m_pReg)
        return 0;
    if (!m_pReg->Open(HKEY_LOCAL_MACHINE, m_szBranch)) {
        CloseReg();
        return 0;
    }
    return 1;
}

BOOL CAxRegList::CloseReg()
{
    delete m_pReg;  // closes the key
    m_pReg = nullptr;
    return 1;
}

// The subkey at index into info: its name, the remembered branch as key,
// then the values. A name that does not fit the record is refused: cut, it
// would name another key.
BOOL CAxRegList::EnumDllInfo(int index, CAxDllInfo* info)
{
    if (!m_pReg || !info)
        return 0;
    wchar_t name[CRegistry::kMaxText];
    DWORD size = CRegistry::kMaxText;
    if (!m_pReg->EnumKeys(name, &size, (DWORD)index))
        return 0;
    if (FAILED(StringCchCopyW(info->szKey, CAxDllInfo::kKeyChars, m_szBranch)))
        return 0;
    if (FAILED(StringCchCopyW(info->szName, CAxDllInfo::kNameChars, name))) {
        info->szName[0] = L'\0';
        return 0;
    }
    return CAxReg::GetAppletInfo(m_pReg->GetHandle(), info);
}

void CAxRegList::CleanUp()
{
    for (int i = 0; i < m_nCount; ++i)
        delete m_ppList[i];
    delete[] m_ppList;
    m_ppList = nullptr;
    m_nCount = 0;
    m_nEnableCount = 0;
    m_nCursor = 0;
    m_bLoaded = FALSE;
}
