// CCategory: a family of units converted through its base unit.
#include "unit_model.h"

#include <strsafe.h>

namespace {

// Copies text into a caller's kUnitNameLength buffer; 0 for no text.
int CopyName(const wchar_t* text, wchar_t* out)
{
    if (!out)
        return 0;
    out[0] = L'\0';
    if (!text)
        return 0;
    StringCchCopyW(out, kUnitNameLength, text);
    return 1;
}

}  // namespace

CCategory::CCategory(const wchar_t* id, const wchar_t* name) : m_nUnitCount(0), m_pUnits()
{
    StringCchCopyW(m_szID, kUnitNameLength, id ? id : L"");
    StringCchCopyW(m_szName, kUnitNameLength, name ? name : L"");
}

CCategory::~CCategory()
{
    for (int i = 0; i < m_nUnitCount; ++i)
        delete m_pUnits[i];
}

int CCategory::Initialize()
{
    if (m_nUnitCount == 0)
        AddUnits();
    return 1;
}

int CCategory::AddUnit(CUnit* unit)
{
    if (!unit)
        return 0;
    if (m_nUnitCount >= kMaxUnits) {
        delete unit;
        return 0;
    }
    m_pUnits[m_nUnitCount++] = unit;
    return 1;
}

int CCategory::Convert(int from, int to, double value, double& out)
{
    if (from < 0 || from >= m_nUnitCount || to < 0 || to >= m_nUnitCount)
        return 0;
    if (from == to) {
        out = value;
        return 1;
    }
    out = m_pUnits[to]->ConvertFromBaseUnit(m_pUnits[from]->ConvertToBaseUnit(value));
    return 1;
}

int CCategory::GetName(wchar_t* out) const
{
    return CopyName(m_szName, out);
}

int CCategory::GetID(wchar_t* out) const
{
    return CopyName(m_szID, out);
}

int CCategory::GetUnitFullName(int unit, wchar_t* out) const
{
    return CopyName(unit >= 0 && unit < m_nUnitCount ? m_pUnits[unit]->m_szFullName : nullptr, out);
}

int CCategory::GetUnitID(int unit, wchar_t* out) const
{
    return CopyName(unit >= 0 && unit < m_nUnitCount ? m_pUnits[unit]->m_szID : nullptr, out);
}

int CCategory::GetUnitOrderByID(const wchar_t* id) const
{
    if (!id)
        return -1;
    for (int i = 0; i < m_nUnitCount; ++i) {
        if (wcscmp(m_pUnits[i]->m_szID, id) == 0)
            return i;
    }
    return -1;
}

int CCategory::IsItsID(const wchar_t* id) const
{
    return id && wcscmp(m_szID, id) == 0;
}
