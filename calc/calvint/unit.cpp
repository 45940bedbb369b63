// CUnit: a unit of measure converted by its two stored ratios.
#include "unit_model.h"

#include <strsafe.h>

CUnit::CUnit(const wchar_t* id, const wchar_t* fullName, double toBase, double fromBase)
    : m_dToBase(toBase), m_dFromBase(fromBase)
{
    StringCchCopyW(m_szID, kUnitNameLength, id ? id : L"");
    StringCchCopyW(m_szFullName, kUnitNameLength, fullName ? fullName : L"");
}

CUnit::~CUnit() = default;

double CUnit::ConvertToBaseUnit(double value)
{
    return value * m_dToBase;
}

double CUnit::ConvertFromBaseUnit(double value)
{
    return value * m_dFromBase;
}

void CUnit::SetRatio(double toBase, double fromBase)
{
    m_dToBase = toBase;
    m_dFromBase = fromBase;
}
